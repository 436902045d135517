#include "print/PrintJob.h"

#include "print/PrinterDevice.h"

bool printAt(PrinterDevice& device, qint64 x, qint64 y, const QString& text)
{
    return device.SetCurrentX(float(x)) && device.SetCurrentY(float(y)) && device.PrintText(text);
}

JobResult finishJob(PrinterDevice& device, bool ok)
{
    if (ok && device.EndDocument())
        return {true, {}, false, device.keptDocument()};
    const QString reason = device.errorString();
    const bool mayHavePrinted = device.mayHavePrinted();
    // The device may be past saving; what it says to these two does not matter any more.
    device.PrintText(QStringLiteral("Error Printer"));
    device.EndDocument();
    return {false, reason, mayHavePrinted, {}};
}
