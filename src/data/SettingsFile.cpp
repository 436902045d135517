#include "data/SettingsFile.h"

#include "app/HomeFolder.h"
#include "data/AddressListFile.h"
#include "data/FieldReader.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

// A number field must hold a whole number of its type; anything else is a read failure.
template <typename Int>
bool readNumberField(FieldReader& reader, Int& target)
{
    const std::optional<QByteArrayView> field = reader.next();
    if (!field)
        return false;
    bool ok = false;
    const qlonglong value = field->toLongLong(&ok);
    if (!ok || value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        return false;
    target = Int(value);
    return true;
}

// A size the print dialog would refuse is as unreadable as text: it would
// print nothing legible.
bool readFontSize(FieldReader& reader, qint16& target)
{
    qint16 size = 0;
    if (!readNumberField(reader, size) || !isUsableFontSize(size))
        return false;
    target = size;
    return true;
}

// A printer's name as its line holds it: as typed where Windows-1252 can
// spell it; a character it cannot spell, and a quote, comma, percent sign or
// line break, as its UTF-8 bytes written %XX ("Принтер", "Drukker-日本").
QByteArray nameInFile(const QString& name)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const qsizetype length = name[i].isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QStringView character = QStringView(name).sliced(i, length);
        const std::optional<QByteArray> spelt = encodeFileText(character);
        if (spelt && !QByteArrayView("\",%\r\n").contains(spelt->front()))
            bytes += *spelt;
        else
            bytes += character.toUtf8().toPercentEncoding();
        i += length - 1;
    }
    return bytes;
}

// The name back from its line: %XX runs are UTF-8, the rest Windows-1252.
QString nameFromFile(QByteArrayView field)
{
    QString name;
    for (qsizetype i = 0; i < field.size();) {
        qsizetype end = i;
        while (end + 2 < field.size() && field[end] == '%' && isxdigit(uchar(field[end + 1])) && isxdigit(uchar(field[end + 2])))
            end += 3;
        if (end > i) {
            name += QString::fromUtf8(QByteArray::fromPercentEncoding(field.sliced(i, end - i).toByteArray()));
            i = end;
            continue;
        }
        while (end < field.size() && field[end] != '%')
            ++end;
        end = std::max(end, i + 1);
        name += decodeFileText(field.sliced(i, end - i));
        i = end;
    }
    return name;
}

// The line that says a mailing prints one label per household.
const QByteArray HouseholdsLine = "\"Huishoudens\",1\r\n";

// A printer's own line: its name in quotes, its four offsets, and the label
// its next sheet starts at when that is not 1. A line that does not read
// whole is passed over, as a later program's additions may be.
void readPrinterLine(QByteArrayView line, SavedSettings& settings)
{
    if (line == QByteArrayView(HouseholdsLine).chopped(2)) {
        settings.OneLabelPerHousehold = true;
        return;
    }
    FieldReader reader(line);
    const std::optional<QByteArrayView> name = reader.next();
    MarginSettings m;
    for (qint32* value : {&m.LeftOffset, &m.TopOffset, &m.ColumnPitchOffset, &m.RowPitchOffset})
        if (!readNumberField(reader, *value))
            return;
    const QString printer = name ? nameFromFile(*name) : QString();
    if (printer.isEmpty())
        return;
    // Line 3 holds the offsets of "PDF-bestand"; a line of its own does not overrule them.
    if (printer != PdfPrinterName)
        settings.setMarginsFor(printer, m);
    int next = 1;
    if (readNumberField(reader, next) && next >= 1 && next <= 21)
        settings.setNextLabel(printer, next);
}

void readPrinterLines(QByteArrayView rest, SavedSettings& settings)
{
    qsizetype start = 0;
    while (start < rest.size()) {
        qsizetype end = start;
        while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n')
            ++end;
        if (end > start)
            readPrinterLine(rest.sliced(start, end - start), settings);
        start = end + 1;
    }
}

QByteArray printerLine(const QByteArray& name, const MarginSettings& m, int nextLabel)
{
    QByteArray line = '"' + name + "\"," + QByteArray::number(m.LeftOffset) + ',' + QByteArray::number(m.TopOffset) + ','
        + QByteArray::number(m.ColumnPitchOffset) + ',' + QByteArray::number(m.RowPitchOffset);
    if (nextLabel != 1)
        line += ',' + QByteArray::number(nextLabel);
    return line + "\r\n";
}

}

ParsedSettings parseSettings(const QByteArray& bytes)
{
    FieldReader reader(bytes);
    ParsedSettings result;
    MarginSettings& m = result.values.margins;
    // Each value stands on its own: one that is not a number takes its
    // default, and the others are kept.
    bool complete = reader.next().has_value() && reader.next().has_value();
    for (qint32* value : {&m.LeftOffset, &m.TopOffset, &m.ColumnPitchOffset, &m.RowPitchOffset})
        complete = readNumberField(reader, *value) && complete;
    result.complete = readFontSize(reader, result.values.FontSize) && complete;
    readPrinterLines(QByteArrayView(bytes).sliced(reader.position()), result.values);
    return result;
}

QByteArray serializeSettings(const SavedSettings& settings)
{
    const MarginSettings& m = settings.margins;
    const QString text = QStringLiteral("\"Plaklabels\"\r\n\"----------------------------\"\r\n%1,%2,%3,%4\r\n%5\r\n")
                             .arg(m.LeftOffset).arg(m.TopOffset).arg(m.ColumnPitchOffset).arg(m.RowPitchOffset)
                             .arg(settings.FontSize);
    QByteArray bytes = text.toLatin1(); // a banner and numbers: plain ASCII
    for (auto printer = settings.printers.cbegin(); printer != settings.printers.cend(); ++printer)
        bytes += printerLine(nameInFile(printer.key()), settings.marginsFor(printer.key()), printer.value().nextLabel);
    if (settings.OneLabelPerHousehold)
        bytes += HouseholdsLine;
    return bytes;
}

QString settingsPath(const QString& homeFolder)
{
    return Home::settingsFile(homeFolder);
}

SavedSettings loadSettings(const QString& homeFolder)
{
    QByteArray bytes;
    if (!readWholeFile(settingsPath(homeFolder), bytes).ok) {
        writeSettings(homeFolder, {});
        return {};
    }
    const ParsedSettings parsed = parseSettings(bytes);
    if (!parsed.complete)
        writeSettings(homeFolder, parsed.values);
    return parsed.values;
}

FileResult writeSettings(const QString& homeFolder, const SavedSettings& settings)
{
    return writeWholeFile(settingsPath(homeFolder), serializeSettings(settings));
}
