#include "Floors.h"

#include "data/import/AddressImport.h"
#include "data/AddressListFile.h"
#include "data/AddressListModel.h"
#include "data/ListStorage.h"
#include "data/Mailing.h"
#include "print/LabelJobs.h"
#include "print/PdfPrinterDevice.h"
#include "print/TextShaper.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>

QList<AddressRecord> madeUpAddresses(int n);

namespace {

const QString ListName = QStringLiteral("bench.lst");

QString dataFolder(const char* folder) { return QString::fromLocal8Bit(folder) + QStringLiteral("/Data"); }

// Reading as lean as it gets: the bytes, Latin-1, one pass of field offsets.
int floorLoad(const QString& data)
{
    QFile file(data + QLatin1Char('/') + ListName);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QString text = QString::fromLatin1(file.readAll());
    QList<qsizetype> fieldStarts;
    fieldStarts.reserve(text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('"') && (i == 0 || text[i - 1] != QLatin1Char('"')))
            fieldStarts.append(i + 1);
    return fieldStarts.isEmpty() ? 1 : 0;
}

// Writing as lean as it gets: Latin-1 bytes in one pass, through the same commit.
int floorSave(const QString& data, const QList<AddressRecord>& records)
{
    QByteArray bytes;
    for (const AddressRecord& r : records) {
        for (int f = 0; f < AddressRecord::FieldCount; ++f)
            bytes += (f ? ",\"" : "\"") + r.fieldView(f).toLatin1() + '"';
        bytes += "\r\n";
    }
    QSaveFile file(data + QLatin1Char('/') + ListName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit() ? 0 : 1;
}

// Drawing the labels' texts as glyph runs from a raw font, without shaping.
int floorLabels(const QString& folder, const QList<AddressRecord>& records)
{
    QFile out(folder + QStringLiteral("/floor.pdf"));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    QPdfWriter writer(&out);
    writer.setResolution(1440);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPointSizeF(10);
    QRawFont raw = QRawFont::fromFont(QFont(font, &writer));
    raw.setPixelSize(10 * writer.logicalDpiY() / 72.0);
    painter.setPen(QColor(0, 0, 90));
    const double ascent = QFontMetricsF(font, &writer).ascent();
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (i > 0 && i % 21 == 0)
            writer.newPage();
        const int position = int(i % 21);
        for (int k = 0; k < AddressRecord::FieldCount; ++k) {
            const QGlyphRun run = glyphRun(raw, raw.glyphIndexesForString(records[i].field(k)));
            painter.drawGlyphRun(QPointF(607 + 3744 * (position % 3), 1050 + 2160 * (position / 3) + 270 * k + ascent), run);
        }
    }
    return painter.end() ? 0 : 1;
}

}

int runOneJob(int argc, char* argv[])
{
    if (argc < 3)
        return -1;
    const QByteArray job = argv[1];
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const QString data = dataFolder(argv[2]);
    const int n = argc > 3 ? QByteArray(argv[3]).toInt() : 0;
    AddressListModel model;
    if (job == "--make") {
        model.replaceAll(madeUpAddresses(n));
        return SaveAdressen(model, data, ListName).ok ? 0 : 1;
    }
    if (job == "--load")
        return LaadAdressen(model, data, ListName).ok ? 0 : 1;
    if (job == "--floor-load")
        return floorLoad(data);
    if (job == "--save") {
        model.replaceAll(madeUpAddresses(n));
        return SaveAdressen(model, data, ListName).ok ? 0 : 1;
    }
    if (job == "--floor-save")
        return floorSave(data, madeUpAddresses(n));
    // The label job, and the same after the check for lines too wide for their
    // label, with one street in a hundred too long, which the job prints smaller.
    // The mailing as a club sends it: households joined and the addresses
    // checked first, against the plain label job (--labels).
    if (job == "--labels-mailing") {
        model.replaceAll(madeUpAddresses(n));
        PdfPrinterDevice printer(folder);
        printer.SelectPrinter(int(printer.InstalledPrinters().indexOf(PdfPrinterName)));
        const Households households = householdLabels(model.records());
        checkLabels(printer, households.labels, 10, true);
        return LabelJobs::AfdrukkenAlleLabels(printer, households.labels, {}, 10, true).ok ? 0 : 1;
    }
    if (job == "--labels" || job == "--labels-checked") {
        QList<AddressRecord> addresses = madeUpAddresses(n);
        if (job == "--labels-checked")
            for (qsizetype i = 0; i < addresses.size(); i += 100)
                addresses[i].setField(AddressRecord::Adres, QStringLiteral("Burgemeester Schimmelpenninckstraat 117 bis"));
        model.replaceAll(std::move(addresses));
        PdfPrinterDevice printer(folder);
        printer.SelectPrinter(int(printer.InstalledPrinters().indexOf(PdfPrinterName)));
        if (job == "--labels-checked")
            checkLabels(printer, model.records(), 10, true);
        return LabelJobs::AfdrukkenAlleLabels(printer, model.records(), {}, 10, true).ok ? 0 : 1;
    }
    if (job == "--floor-labels")
        return floorLabels(folder, madeUpAddresses(n));
    if (job == "--import") { // a file dropped on the window, read up to the question
        QByteArray bytes;
        return readWholeFile(folder, bytes).ok && importFileBytes(folder, bytes).result.leftOut >= 0 ? 0 : 1;
    }
    if (job == "--count-values") { // the same, up to "Kolommen kiezen" with every column's values counted
        QByteArray bytes;
        ImportInput asked;
        asked.showColumns = true;
        return readWholeFile(folder, bytes).ok && importFileBytes(folder, bytes, asked).question ? 0 : 1;
    }
    return -1;
}
