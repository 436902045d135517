#include "print/QtPrinterDevice.h"

#include "app/Algemeen.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>
#include <cups/cups.h>

const QString QtPrinterDevice::PdfPrinterName = QStringLiteral("PDF-bestand");

namespace {

// Qt hands jobs to the print service without looking at the answer, so a
// queue that is gone, stopped or refusing jobs would swallow them unseen.
bool queueTakesJobs(const QString& name)
{
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
    m_printers = QPrinterInfo::availablePrinterNames();
    m_printers.append(PdfPrinterName);
    return m_printers;
}

QString QtPrinterDevice::CurrentDeviceName()
{
    if (m_current.isEmpty()) {
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
    if (!m_painter.isActive() && !openDocument())
        return false;
    if (m_newPagePending) {
        m_newPagePending = false;
        if (!m_printer->newPage())
            return fail(QStringLiteral("de printer kon geen nieuwe pagina beginnen."));
    }
    // Font and colour go to the painter only when they change: every change
    // costs a state change in the PDF.
    if (m_fontChanged) {
        m_painter.setFont(m_font);
        m_ascent = QFontMetricsF(m_font, m_printer.get()).ascent();
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
        return true;
    const bool pdf = m_printer->outputFormat() == QPrinter::PdfFormat;
    const bool ended = m_painter.end();
    const QString path = m_printer->outputFileName();
    m_printer.reset();
    m_newPagePending = false;
    if (!ended)
        return fail(QStringLiteral("de printer kon het document niet afsluiten."));
    if (pdf) {
        m_lastPdf = path;
        Algemeen::ShellOpen(path);
    }
    return true;
}

bool QtPrinterDevice::openDocument()
{
    const QString name = CurrentDeviceName();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(m_documentName);
    if (name == PdfPrinterName) {
        const QString path = newPdfPath();
        if (path.isEmpty())
            return false;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        // The whole sheet is printable, so the PDF prints at 100 % onto a label sheet.
        printer->setFullPage(true);
        // One dot a twip keeps positions whole numbers, which keeps the file small.
        printer->setResolution(1440);
    } else {
        if (!queueTakesJobs(name))
            return fail(QStringLiteral("printer %1 is niet beschikbaar.").arg(name));
        printer->setPrinterName(name);
    }
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    if (!m_painter.begin(printer.get()))
        return fail(name == PdfPrinterName
                        ? QStringLiteral("het PDF-bestand %1 kan niet worden geschreven.")
                              .arg(QDir::toNativeSeparators(printer->outputFileName()))
                        : QStringLiteral("printer %1 kan niet worden geopend.").arg(name));
    m_printer = std::move(printer);
    m_dotsPerTwip = m_printer->resolution() / 1440.0;
    m_newPagePending = false;
    m_fontChanged = true;
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
    m_printer.reset();
}
