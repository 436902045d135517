#pragma once

#include <QString>

// The print service (CUPS) as the printer device uses it. Every call has a
// deadline the window waits for at most: a service that is alive but frozen
// would otherwise hold the program for minutes.
namespace CupsService {

// Whether the service answers within two seconds. A service that is not
// running answers at once (it has no printers); one found frozen is not
// asked again for a while, so its wait is paid once.
bool answers();

// Whether the queue exists, is not stopped and accepts jobs.
bool queueTakesJobs(const QString& queue);

// Hands a finished PDF to the queue and removes the file afterwards. True
// once the service has given the job a number; when it does not within the
// deadline, the job is withdrawn as soon as the service comes back.
bool submit(const QString& queue, const QString& pdfPath, const QString& title);

}
