#pragma once

#include <QString>
#include <QtGlobal>

class PrinterDevice;

// Told after every page of a running job.
class JobProgress {
public:
    virtual ~JobProgress() = default;
    virtual void pagesDone(qint64 done, qint64 total) = 0;
};

struct JobResult {
    bool ok = true;
    QString reason; // why the printer failed, in Dutch
    bool mayHavePrinted = false; // failed as far as is known, yet perhaps printed
    QString keptDocument;        // the PDF this job was kept as, for the user to open
};

// Prints a text with its top-left at (x, y), in twips.
bool printAt(PrinterDevice& device, qint64 x, qint64 y, const QString& text);

// Ends a job: on success the document is ended; after a failure "Error Printer"
// is printed where the device stands and the document is ended all the same,
// so a sheet that comes out half printed says so on the paper itself, for
// whoever stands at the printer.
JobResult finishJob(PrinterDevice& device, bool ok);
