#include "print/PdfPrinterDevice.h"

#include "app/HomeFolder.h"
#include "app/ProgramValues.h"
#include "print/CupsService.h"
#include "print/PdfPreferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <cerrno>
#include <signal.h>

namespace {

// Documents are drawn at one dot a twip, which keeps positions whole numbers
// and the file small.
constexpr int DotsPerInch = 1440;

// The font every job starts from. Whole-dot glyph advances: the PDF then
// spells each position in fewer digits.
QFont jobFont()
{
    QFont font(Typeface);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QString pdfCutOff()
{
    return QStringLiteral("het PDF-bestand kon niet helemaal worden geschreven (is de schijf vol?).");
}

}

PdfPrinterDevice::PdfPrinterDevice(const QString& homeFolder, Clock clock)
    : m_homeFolder(homeFolder), m_clock(std::move(clock)), m_font(jobFont())
{
}

PdfPrinterDevice::~PdfPrinterDevice()
{
    closeDocument();
    // The program ends: a hand-over still waiting for the service ends with
    // it, and its file, which holds every address, must not stay behind.
    CupsService::removeWaitingFiles();
}

void PdfPrinterDevice::removeLeftOverSpools()
{
    const QDir temp = QDir::temp();
    for (const QString& name : temp.entryList({QStringLiteral("plaklabels-*-*.pdf")}, QDir::Files)) {
        // The file of a program that still runs is its own to remove.
        const pid_t pid = pid_t(name.section(QLatin1Char('-'), 1, 1).toInt());
        if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH)
            QFile::remove(temp.filePath(name));
    }
}

QStringList PdfPrinterDevice::InstalledPrinters()
{
    m_printers = CupsService::printerNames().value_or(QStringList());
    m_printers.append(PdfPrinterName);
    // A printer that is gone (or whose service no longer answers) is no choice.
    if (!m_current.isEmpty() && !m_printers.contains(m_current))
        m_current = PdfPrinterName;
    return m_printers;
}

QString PdfPrinterDevice::CurrentDeviceName()
{
    if (m_current.isEmpty()) {
        m_current = CupsService::defaultPrinter().value_or(QString());
        if (m_current.isEmpty())
            m_current = PdfPrinterName;
    }
    return m_current;
}

bool PdfPrinterDevice::SelectPrinter(int index)
{
    if (m_printers.isEmpty())
        InstalledPrinters();
    if (index < 0 || index >= m_printers.size())
        return fail(QStringLiteral("er is geen printer nummer %1.").arg(index + 1));
    m_current = m_printers[index];
    return true;
}

bool PdfPrinterDevice::SetUnitTwips()
{
    // Positions are always twips here; this is where every job begins.
    m_jobFailed = false;
    m_mayHavePrinted = false;
    m_keptPdf.clear();
    return true;
}

bool PdfPrinterDevice::SetFontName(const QString& name)
{
    m_font.setFamily(name);
    m_fontChanged = true;
    return true;
}

bool PdfPrinterDevice::SetFontSize(float points)
{
    if (!(points > 0))
        return fail(QStringLiteral("lettergrootte %1 is niet bruikbaar.").arg(points));
    m_font.setPointSizeF(points);
    m_fontChanged = true;
    return true;
}

bool PdfPrinterDevice::SetFontBold(bool bold)
{
    m_font.setBold(bold);
    m_fontChanged = true;
    return true;
}

bool PdfPrinterDevice::SetTextColor(QRgb colour)
{
    m_colour = QColor::fromRgb(colour);
    return true;
}

bool PdfPrinterDevice::SetCurrentX(float twips)
{
    m_x = twips;
    return true;
}

bool PdfPrinterDevice::SetCurrentY(float twips)
{
    m_y = twips;
    return true;
}

bool PdfPrinterDevice::readyToDraw()
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
    return true;
}

bool PdfPrinterDevice::PrintText(const QString& text)
{
    if (!readyToDraw())
        return false;
    // Font and colour go to the painter only when they change: every change
    // costs a state change in the PDF.
    if (m_fontChanged) {
        m_painter.setFont(m_font);
        m_ascent = QFontMetricsF(m_font, m_device.get()).ascent();
        m_shaper.setFont(m_font, *m_device);
        m_fontChanged = false;
    }
    if (m_painter.pen().color() != m_colour)
        m_painter.setPen(m_colour);
    // The position is the top-left of the first character cell; Qt draws on the baseline.
    const QPointF origin(m_x * m_dotsPerTwip, m_y * m_dotsPerTwip + m_ascent);
    if (const std::optional<QGlyphRun> run = m_shaper.run(text))
        m_painter.drawGlyphRun(origin, *run);
    else
        m_painter.drawText(origin, text);
    return true;
}

bool PdfPrinterDevice::DrawLine(float x1, float y1, float x2, float y2)
{
    if (!readyToDraw())
        return false;
    constexpr double ThinLine = 5; // twips, about a tenth of a millimetre
    m_painter.setPen(QPen(m_colour, ThinLine * m_dotsPerTwip));
    m_painter.drawLine(QPointF(x1, y1) * m_dotsPerTwip, QPointF(x2, y2) * m_dotsPerTwip);
    return true;
}

std::unique_ptr<TextWidths> PdfPrinterDevice::textWidths() const
{
    // Made here, on the asking thread, so no font of another thread is touched.
    return std::make_unique<FontWidths>(jobFont(), DotsPerInch);
}

bool PdfPrinterDevice::NewPage()
{
    // Takes effect only when something follows, so no blank page ends a job.
    if (m_painter.isActive())
        m_newPagePending = true;
    return true;
}

bool PdfPrinterDevice::EndDocument()
{
    if (!m_painter.isActive())
        return !m_jobFailed;
    return finishPdf() && handOver();
}

bool PdfPrinterDevice::finishPdf()
{
    m_painter.end();
    m_device.reset(); // the writer goes before the file it writes to
    m_newPagePending = false;
    const bool written = !pdfWriteFailed() && appendActualSize() && m_pdfFile->flush()
        && m_pdfFile->error() == QFileDevice::NoError;
    m_pdfFile->close();
    m_pdfFile.reset();
    if (written)
        return true;
    // A cut-off file is worse than none: it would look like the whole job.
    QFile::remove(m_pdfPath);
    m_jobFailed = true;
    return fail(m_queue.isEmpty() ? pdfCutOff()
                                  : QStringLiteral("de afdruk kon niet helemaal worden klaargezet (is de schijf vol?)."));
}

bool PdfPrinterDevice::handOver()
{
    if (m_queue.isEmpty()) {
        m_keptPdf = m_pdfPath;
        return true;
    }
    const CupsService::HandOver handOver = CupsService::submit(m_queue, m_pdfPath, m_documentName);
    if (handOver == CupsService::HandOver::Taken)
        return true;
    m_jobFailed = true;
    m_mayHavePrinted = handOver == CupsService::HandOver::Late;
    return fail(m_mayHavePrinted ? QStringLiteral("de printservice reageerde te laat; de opdracht voor %1 is misschien toch "
                                                  "afgedrukt. Kijk eerst in de printerwachtrij voordat je opnieuw afdrukt.")
                                       .arg(m_queue)
                                 : QStringLiteral("de printservice heeft de opdracht voor %1 niet aangenomen.").arg(m_queue));
}

bool PdfPrinterDevice::appendActualSize()
{
    if (!m_pdfFile->flush())
        return false;
    const qint64 size = m_pdfFile->size();
    std::optional<QByteArray> update;
    if (uchar* bytes = m_pdfFile->map(0, size)) {
        update = actualSizeUpdate(QByteArrayView(reinterpret_cast<const char*>(bytes), size));
        m_pdfFile->unmap(bytes);
    } else if (m_pdfFile->seek(0)) {
        update = actualSizeUpdate(m_pdfFile->readAll());
    }
    // A file laid out otherwise still prints; only the viewer's hint is missing.
    if (!update)
        return true;
    return m_pdfFile->seek(size) && m_pdfFile->write(*update) == update->size();
}

bool PdfPrinterDevice::pdfWriteFailed()
{
    return m_pdfFile && m_pdfFile->error() != QFileDevice::NoError;
}

// Every job is drawn into a PDF file of our own: "PDF-bestand" keeps it, a
// queue gets it handed over at the end. Qt's own hand-over to the print
// service neither reports failures nor keeps to a deadline.
// Positions count from the paper's corner on every printer: the labels are
// where the sheet has them, whatever margins a printer's driver declares, and
// one set of offsets serves a printer whose driver tells the truth.
bool PdfPrinterDevice::openDocument()
{
    const QString name = CurrentDeviceName();
    m_queue.clear();
    if (name != PdfPrinterName) {
        if (!CupsService::queueTakesJobs(name))
            return fail(QStringLiteral("printer %1 is niet beschikbaar.").arg(name));
        m_queue = name;
    }
    m_pdfPath = m_queue.isEmpty() ? newPdfPath() : spoolPath();
    if (m_pdfPath.isEmpty())
        return false;
    m_pdfFile = std::make_unique<QFile>(m_pdfPath);
    // Read as well: the finished file is read back for its catalogue.
    if (!m_pdfFile->open(QIODevice::ReadWrite | QIODevice::Truncate)) {
        m_pdfFile.reset();
        return fail(QStringLiteral("het PDF-bestand %1 kan niet worden aangemaakt.").arg(QDir::toNativeSeparators(m_pdfPath)));
    }
    auto writer = std::make_unique<QPdfWriter>(m_pdfFile.get());
    writer->setTitle(m_documentName);
    writer->setCreator(ProgramTitle);
    writer->setResolution(DotsPerInch);
    writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    if (!m_painter.begin(writer.get())) {
        writer.reset();
        closeDocument();
        return fail(QStringLiteral("het PDF-bestand %1 kan niet worden geschreven.").arg(QDir::toNativeSeparators(m_pdfPath)));
    }
    m_device = std::move(writer);
    m_dotsPerTwip = m_device->logicalDpiY() / double(DotsPerInch);
    m_newPagePending = false;
    m_fontChanged = true;
    return true;
}

QString PdfPrinterDevice::spoolPath()
{
    // The process number in the name tells a later start whose file it is.
    const QString pattern = QStringLiteral("plaklabels-%1-XXXXXX.pdf").arg(QCoreApplication::applicationPid());
    QTemporaryFile spool(QDir::temp().filePath(pattern));
    spool.setAutoRemove(false);
    if (!spool.open()) {
        fail(QStringLiteral("de afdruk kan niet worden klaargezet in de map %1.").arg(QDir::toNativeSeparators(QDir::tempPath())));
        return {};
    }
    return spool.fileName();
}

QString PdfPrinterDevice::newPdfPath()
{
    const QString folder = Home::printFolder(m_homeFolder);
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

bool PdfPrinterDevice::fail(const QString& reason)
{
    m_error = reason;
    return false;
}

void PdfPrinterDevice::closeDocument()
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
