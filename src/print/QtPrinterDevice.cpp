#include "print/QtPrinterDevice.h"

#include "app/Algemeen.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cups/cups.h>

const QString QtPrinterDevice::PdfPrinterName = QStringLiteral("PDF-bestand");

namespace {

constexpr int PrintServiceTimeoutMs = 2000;

QString pdfCutOff()
{
    return QStringLiteral("het PDF-bestand kon niet helemaal worden geschreven (is de schijf vol?).");
}

// A print service that is alive but frozen keeps Qt's printer calls waiting
// for minutes. One small request with a deadline tells whether it answers;
// a service that is not running at all says so at once.
bool printServiceAnswers()
{
    // A service found frozen is asked again only after a while: the wait is paid once.
    static QElapsedTimer lastAsked;
    static bool lastAnswer = true;
    if (!lastAnswer && lastAsked.elapsed() < 10000)
        return false;
    lastAsked.start();
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                PrintServiceTimeoutMs, nullptr);
    if (!http)
        return lastAnswer = true; // nothing listens: Qt finds no printers, and quickly
    httpSetTimeout(http, PrintServiceTimeoutMs / 1000.0, [](http_t*, void*) { return 0; }, nullptr);
    ippDelete(cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
    lastAnswer = cupsLastError() < IPP_STATUS_ERROR_INTERNAL; // a client error is an answer too
    httpClose(http);
    return lastAnswer;
}

// Qt hands jobs to the print service without looking at the answer, so a
// queue that is gone, stopped or refusing jobs would swallow them unseen.
bool queueTakesJobs(const QString& name)
{
    if (!printServiceAnswers())
        return false;
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull() || info.state() == QPrinter::Error || info.state() == QPrinter::Aborted)
        return false;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr);
    if (!dest)
        return false;
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool takesJobs = !accepting || qstrcmp(accepting, "false") != 0;
    cupsFreeDests(1, dest);
    return takesJobs;
}

}

QtPrinterDevice::QtPrinterDevice(const QString& programFolder, Clock clock)
    : m_programFolder(programFolder), m_clock(std::move(clock))
{
    m_font.setFamily(QStringLiteral("Arial"));
    // Whole-dot glyph advances: the PDF then spells each position in fewer digits.
    m_font.setHintingPreference(QFont::PreferFullHinting);
}

QtPrinterDevice::~QtPrinterDevice()
{
    closeDocument();
}

QStringList QtPrinterDevice::InstalledPrinters()
{
    m_printers = printServiceAnswers() ? QPrinterInfo::availablePrinterNames() : QStringList();
    m_printers.append(PdfPrinterName);
    return m_printers;
}

QString QtPrinterDevice::CurrentDeviceName()
{
    if (m_current.isEmpty()) {
        if (printServiceAnswers())
            m_current = QPrinterInfo::defaultPrinterName();
        if (m_current.isEmpty())
            m_current = PdfPrinterName;
    }
    return m_current;
}

bool QtPrinterDevice::SelectPrinter(int index)
{
    if (m_printers.isEmpty())
        InstalledPrinters();
    if (index < 0 || index >= m_printers.size())
        return fail(QStringLiteral("er is geen printer nummer %1.").arg(index + 1));
    m_current = m_printers[index];
    return true;
}

bool QtPrinterDevice::SetUnitTwips()
{
    // Positions are always twips here; this is where every job begins.
    m_jobFailed = false;
    return true;
}

bool QtPrinterDevice::SetFontName(const QString& name)
{
    m_font.setFamily(name);
    m_fontChanged = true;
    return true;
}

bool QtPrinterDevice::SetFontSize(float points)
{
    if (!(points > 0))
        return fail(QStringLiteral("lettergrootte %1 is niet bruikbaar.").arg(points));
    m_font.setPointSizeF(points);
    m_fontChanged = true;
    return true;
}

bool QtPrinterDevice::SetFontBold(bool bold)
{
    m_font.setBold(bold);
    m_fontChanged = true;
    return true;
}

bool QtPrinterDevice::SetTextColor(QRgb colour)
{
    m_colour = QColor::fromRgb(colour);
    return true;
}

bool QtPrinterDevice::SetCurrentX(float twips)
{
    m_x = twips;
    return true;
}

bool QtPrinterDevice::SetCurrentY(float twips)
{
    m_y = twips;
    return true;
}

bool QtPrinterDevice::PrintText(const QString& text)
{
    if (m_jobFailed)
        return false;
    if (!m_painter.isActive() && !openDocument()) {
        m_jobFailed = true;
        return false;
    }
    if (m_newPagePending) {
        m_newPagePending = false;
        // A full disk shows here already, not only after thousands of pages more.
        const bool newPage = !pdfWriteFailed() && m_device->newPage();
        if (pdfWriteFailed())
            return fail(pdfCutOff());
        if (!newPage)
            return fail(QStringLiteral("de printer kon geen nieuwe pagina beginnen."));
    }
    // Font and colour go to the painter only when they change: every change
    // costs a state change in the PDF.
    if (m_fontChanged) {
        m_painter.setFont(m_font);
        m_ascent = QFontMetricsF(m_font, m_device.get()).ascent();
        m_fontChanged = false;
    }
    if (m_painter.pen().color() != m_colour)
        m_painter.setPen(m_colour);
    // The position is the top-left of the first character cell; Qt draws on the baseline.
    m_painter.drawText(QPointF(m_x * m_dotsPerTwip, m_y * m_dotsPerTwip + m_ascent), text);
    return true;
}

bool QtPrinterDevice::NewPage()
{
    // Takes effect only when something follows, so no blank page ends a job.
    if (m_painter.isActive())
        m_newPagePending = true;
    return true;
}

bool QtPrinterDevice::EndDocument()
{
    if (!m_painter.isActive())
        return !m_jobFailed;
    const bool ended = m_painter.end();
    m_device.reset();
    m_newPagePending = false;
    if (!m_pdfPath.isEmpty())
        return endPdf();
    if (!ended) {
        m_jobFailed = true;
        return fail(QStringLiteral("de printer kon het document niet afsluiten."));
    }
    return true;
}

bool QtPrinterDevice::endPdf()
{
    const bool written = !pdfWriteFailed() && m_pdfFile->flush() && m_pdfFile->error() == QFileDevice::NoError;
    m_pdfFile->close();
    m_pdfFile.reset();
    if (!written) {
        // A cut-off PDF is worse than none: it would look like the whole job.
        QFile::remove(m_pdfPath);
        m_jobFailed = true;
        return fail(pdfCutOff());
    }
    m_lastPdf = m_pdfPath;
    if (!Algemeen::ShellOpen(m_pdfPath))
        m_unopenedPdf = m_pdfPath;
    return true;
}

bool QtPrinterDevice::pdfWriteFailed()
{
    return m_pdfFile && m_pdfFile->error() != QFileDevice::NoError;
}

bool QtPrinterDevice::openDocument()
{
    const QString name = CurrentDeviceName();
    m_pdfPath.clear();
    m_unopenedPdf.clear();
    std::unique_ptr<QPagedPaintDevice> device;
    if (name == PdfPrinterName) {
        if (!openPdf(device))
            return false;
    } else {
        if (!queueTakesJobs(name))
            return fail(QStringLiteral("printer %1 is niet beschikbaar.").arg(name));
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setDocName(m_documentName);
        printer->setPrinterName(name);
        device = std::move(printer);
    }
    // Upright A4; for the PDF the whole sheet is printable, so it prints at 100 % onto a label sheet.
    device->setPageSize(QPageSize(QPageSize::A4));
    device->setPageOrientation(QPageLayout::Portrait);
    if (!m_pdfPath.isEmpty())
        device->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!m_painter.begin(device.get())) {
        device.reset(); // the writer goes before the file it writes to
        closeDocument();
        return fail(m_pdfPath.isEmpty()
                        ? QStringLiteral("printer %1 kan niet worden geopend.").arg(name)
                        : QStringLiteral("het PDF-bestand %1 kan niet worden geschreven.")
                              .arg(QDir::toNativeSeparators(m_pdfPath)));
    }
    m_device = std::move(device);
    m_dotsPerTwip = m_device->logicalDpiY() / 1440.0;
    m_newPagePending = false;
    m_fontChanged = true;
    return true;
}

bool QtPrinterDevice::openPdf(std::unique_ptr<QPagedPaintDevice>& device)
{
    m_pdfPath = newPdfPath();
    if (m_pdfPath.isEmpty())
        return false;
    m_pdfFile = std::make_unique<QFile>(m_pdfPath);
    if (!m_pdfFile->open(QIODevice::WriteOnly)) {
        m_pdfFile.reset();
        const QString path = QDir::toNativeSeparators(m_pdfPath);
        m_pdfPath.clear();
        return fail(QStringLiteral("het PDF-bestand %1 kan niet worden aangemaakt.").arg(path));
    }
    // A PDF writer of its own: it never asks the print service anything.
    auto writer = std::make_unique<QPdfWriter>(m_pdfFile.get());
    writer->setTitle(m_documentName);
    writer->setCreator(QStringLiteral("Plaklabels"));
    // One dot a twip keeps positions whole numbers, which keeps the file small.
    writer->setResolution(1440);
    device = std::move(writer);
    return true;
}

QString QtPrinterDevice::newPdfPath()
{
    const QString folder = m_programFolder + QStringLiteral("/Afdrukken");
    if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("de map %1 kan niet worden aangemaakt.").arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    if (!QFileInfo(folder).isWritable()) {
        fail(QStringLiteral("geen toestemming om te schrijven in de map %1.").arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    const QString stem = folder + QLatin1Char('/') + m_documentName + QLatin1Char(' ')
        + m_clock().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    QString path = stem + QStringLiteral(".pdf");
    // Two jobs within one second must not overwrite each other.
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral(" (%1).pdf").arg(n);
    return path;
}

bool QtPrinterDevice::fail(const QString& reason)
{
    m_error = reason;
    return false;
}

void QtPrinterDevice::closeDocument()
{
    if (m_painter.isActive())
        m_painter.end();
    m_device.reset();
    if (m_pdfFile) {
        // A document given up half-way leaves no file behind.
        m_pdfFile->close();
        m_pdfFile.reset();
        QFile::remove(m_pdfPath);
    }
}
