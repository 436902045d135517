#pragma once

#include <QRgb>
#include <QString>
#include <QStringList>
#include <memory>

// How wide texts print, by a printer's own metrics, in twips. It belongs to
// the thread that made it: Qt's fonts go when their thread ends, so one is
// made, used and dropped on the same thread.
class TextWidths {
public:
    virtual ~TextWidths() = default;
    virtual double width(const QString& fontName, float points, bool bold, const QString& text) = 0;
};

// The printer as the print jobs use it: one current printer, positions in
// twips from the top-left corner of the paper. Every operation
// returns false when it fails; errorString() then says why, in Dutch.
// A job begins with its first output (SetUnitTwips and the other settings
// count): that opens the document, under the name SetDocumentName gave
// before; EndDocument hands it to the printer. The job runner is the only
// code that starts a job.
// Threads: every operation runs on the thread that made the device (the
// window's), except textWidths(), which any thread may call; the measure it
// returns is that thread's own.
class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    virtual QStringList InstalledPrinters() = 0;
    virtual QString CurrentDeviceName() = 0;
    virtual bool SelectPrinter(int index) = 0;

    virtual bool SetUnitTwips() = 0;
    virtual bool SetPortrait() = 0;
    virtual bool SetFontName(const QString& name) = 0;
    virtual bool SetFontSize(float points) = 0;
    virtual bool SetFontBold(bool bold) = 0;
    virtual bool SetTextColor(QRgb colour) = 0;
    virtual bool SetCurrentX(float twips) = 0;
    virtual bool SetCurrentY(float twips) = 0;
    virtual bool PrintText(const QString& text) = 0;
    // A thin line in the text colour.
    virtual bool DrawLine(float x1, float y1, float x2, float y2) = 0;
    virtual bool NewPage() = 0;
    virtual bool EndDocument() = 0;

    virtual QString errorString() const = 0;

    // A measure of texts for the calling thread. Changes nothing of the job.
    virtual std::unique_ptr<TextWidths> textWidths() const = 0;

    // The name the next document is known by (a print queue entry, a PDF file name).
    virtual void SetDocumentName(const QString& name) = 0;

    // The file the last ended document was kept as (a PDF) for the user to
    // open; empty when it went to a printer or when nothing was printed.
    virtual QString keptDocument() const { return {}; }

    // After a failed job: whether it may have printed all the same, because
    // the print service answered too late to know.
    virtual bool mayHavePrinted() const { return false; }
};
