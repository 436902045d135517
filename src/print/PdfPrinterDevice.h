#pragma once

#include "app/ProgramValues.h"
#include "print/PrinterDevice.h"
#include "print/TextShaper.h"

#include <QColor>
#include <QDateTime>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;

// The real printer: every job is drawn into a PDF with QPdfWriter. The
// printers are the print service's queues (CUPS), which get the finished PDF
// handed over, followed by "PDF-bestand", which keeps it in the folder
// Afdrukken of the home folder it is given.
// A print service that does not answer is passed over within seconds, so
// "PDF-bestand" keeps working.
// Threads: as every printer, see PrinterDevice.
class PdfPrinterDevice : public PrinterDevice {
public:
    using Clock = std::function<QDateTime()>;

    explicit PdfPrinterDevice(const QString& homeFolder, Clock clock = &QDateTime::currentDateTime);
    ~PdfPrinterDevice() override;

    QStringList InstalledPrinters() override;
    QString CurrentDeviceName() override;
    bool SelectPrinter(int index) override;

    bool SetUnitTwips() override;
    bool SetPortrait() override { return true; }   // and every page upright A4
    bool SetFontName(const QString& name) override;
    bool SetFontSize(float points) override;
    bool SetFontBold(bool bold) override;
    bool SetTextColor(QRgb colour) override;
    bool SetCurrentX(float twips) override;
    bool SetCurrentY(float twips) override;
    bool PrintText(const QString& text) override;
    bool DrawLine(float x1, float y1, float x2, float y2) override;
    std::unique_ptr<TextWidths> textWidths() const override;
    bool NewPage() override;
    bool EndDocument() override;
    QString errorString() const override { return m_error; }
    void SetDocumentName(const QString& name) override { m_documentName = name; }
    QString keptDocument() const override { return m_keptPdf; }
    bool mayHavePrinted() const override { return m_mayHavePrinted; }

    // Removes the spool files that earlier runs of the program left in the
    // temporary folder when they ended during a hand-over.
    static void removeLeftOverSpools();

private:
    bool openDocument();
    // Opens the document or starts the pending page, before anything is drawn.
    bool readyToDraw();
    QString spoolPath();
    bool pdfWriteFailed();
    // Appends what makes viewers print the document at actual size.
    bool appendActualSize();
    // Closes the drawn PDF and checks that it was written whole.
    bool finishPdf();
    // Gives the finished PDF to the queue of the document, or keeps it for "PDF-bestand".
    bool handOver();
    bool fail(const QString& reason);
    QString newPdfPath();
    void closeDocument();

    QString m_homeFolder;
    Clock m_clock;
    QStringList m_printers;
    QString m_current;
    QString m_documentName = ProgramTitle;
    QString m_keptPdf;
    QString m_error;
    // Set when the document could not be opened or ended: the job's closing
    // "Error Printer" must not start a new document.
    bool m_jobFailed = false;
    bool m_mayHavePrinted = false;

    std::unique_ptr<QPagedPaintDevice> m_device;
    QString m_queue;   // the print queue of the open document; empty for "PDF-bestand"
    QString m_pdfPath; // the file the open document is drawn into
    // The PDF writer writes through this, because it never reports a failed write itself.
    std::unique_ptr<QFile> m_pdfFile;
    QPainter m_painter;
    QFont m_font;
    TextShaper m_shaper;
    QColor m_colour = Qt::black;
    double m_x = 0;
    double m_y = 0;
    double m_dotsPerTwip = 0;
    double m_ascent = 0;
    bool m_fontChanged = true;
    bool m_newPagePending = false;
};
