#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The print service (CUPS) as the printer device uses it. Every call has a
// deadline of two seconds the window waits for at most: a service that is
// alive but frozen would otherwise hold the program for minutes. One found
// frozen is not asked again for a while, so its wait is paid once; one that
// is not running answers at once (it has no printers).
namespace CupsService {

// Whether the queue exists, is not stopped and accepts jobs.
bool queueTakesJobs(const QString& queue);

// What the printer choice needs of the service, each within the same budget:
// nothing when it did not answer in time.
std::optional<QStringList> printerNames();
std::optional<QString> defaultPrinter();

enum class HandOver {
    Taken,   // the service gave the job a number
    Refused, // the service said no, or could not be reached
    Late,    // no answer within the deadline: the job is withdrawn when the
             // service comes back, but it may print all the same
};

// Hands a finished PDF to the queue and removes the file afterwards.
HandOver submit(const QString& queue, const QString& pdfPath, const QString& title);

// Removes the files of hand-overs still waiting for the service; at the end
// of the program, whose waiting threads end with it.
void removeWaitingFiles();

}
