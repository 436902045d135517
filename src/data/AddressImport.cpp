#include "data/AddressImport.h"

#include "data/Countries.h"
#include "data/AddressListFile.h"
#include "data/ImportedText.h"
#include "data/SpreadsheetImport.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <csv.h>

namespace {

// The delimiter the first line uses most: tab, then semicolon, then comma.
char detectDelimiter(QStringView text)
{
    const QStringView firstLine = text.first(std::min<qsizetype>(text.size(), 64 * 1024));
    const qsizetype tabs = firstLine.count(QLatin1Char('\t'));
    const qsizetype semicolons = firstLine.count(QLatin1Char(';'));
    const qsizetype commas = firstLine.count(QLatin1Char(','));
    if (tabs > 0 && tabs >= semicolons && tabs >= commas)
        return '\t';
    return semicolons > commas ? ';' : ',';
}

// Rows as libcsv hands them over, turned into addresses as they come.
struct DelimitedReader {
    TableImport table;
    QStringList row;
    qsizetype rowNumber = 0;

    void endRow()
    {
        table.addRow(row, ++rowNumber);
        row.clear();
    }
};

int isSpaceOnly(unsigned char c) { return c == ' '; }

void onField(void* bytes, size_t size, void* reader)
{
    static_cast<DelimitedReader*>(reader)->row.append(QString::fromUtf8(static_cast<const char*>(bytes), qsizetype(size)));
}

void onRowEnd(int, void* reader)
{
    static_cast<DelimitedReader*>(reader)->endRow();
}

// An address copied from a mail: one field a line, a blank line between addresses.
ImportResult importFieldPerLine(const QStringList& lines)
{
    ImportCollector collector;
    std::array<QString, AddressRecord::FieldCount> fields;
    int filled = 0;
    qsizetype firstLine = 0;
    auto finish = [&] {
        if (filled > 0)
            collector.add(std::exchange(fields, {}), firstLine);
        filled = 0;
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isBlank(lines[i])) {
            finish();
            continue;
        }
        if (filled == 0)
            firstLine = i + 1;
        fields[size_t(filled++)] = lines[i];
        if (filled == AddressRecord::FieldCount)
            finish();
    }
    finish();
    return collector.take();
}

}

namespace {
QString unstorableWhy(const QString& character)
{
    return QStringLiteral("het teken %1 kan niet in de lijst worden opgeslagen").arg(character);
}
}

void ImportCollector::add(std::array<QString, AddressRecord::FieldCount> fields, qsizetype line)
{
    // A member whose name the list cannot spell is kept under the nearest
    // spelling it can; a row with a character that has none is left out.
    // First, so a name of invisible marks alone counts as no name.
    QString change;
    for (QString& field : fields) {
        if (!findUnstorableChar(field))
            continue;
        // A letter typed with a separate accent is the same letter: no change to tell.
        if (QString composed = field.normalized(QString::NormalizationForm_C); !findUnstorableChar(composed)) {
            field = std::move(composed);
            continue;
        }
        QString standIn = withStandIns(field);
        if (const auto bad = findUnstorableChar(standIn)) {
            leaveOut(line, unstorableWhy(bad->character));
            return;
        }
        if (change.isEmpty())
            change = QStringLiteral("regel %1: %2 wordt %3").arg(line).arg(shownStart(field), shownStart(standIn));
        field = std::move(standIn);
    }
    for (QString& field : fields)
        field = withoutEndSpaces(field).toString();
    if (fields[AddressRecord::Land].isEmpty())
        fields[AddressRecord::Land] = DefaultLand; // as the edit field starts
    if (fields[AddressRecord::Naam].isEmpty()) {
        leaveOut(line, QStringLiteral("geen naam"));
        return;
    }
    if (m_requireAddress && fields[AddressRecord::Adres].isEmpty() && fields[AddressRecord::Postcode].isEmpty()
        && fields[AddressRecord::Woonplaats].isEmpty()) {
        leaveOut(line, QStringLiteral("geen adres"));
        return;
    }
    if (!change.isEmpty())
        m_result.noteChange(change);
    m_result.addresses.append(AddressRecord(fields));
}

TableImport::TableImport(DelimitedSource source)
    : m_source(source)
{
    if (source == DelimitedSource::File)
        m_collector.requireAddress();
}

bool TableImport::takeHeader(const QStringList& cells, qsizetype number)
{
    ColumnMap found;
    switch (mapHeader(cells, found)) {
    case HeaderKind::Known:
        m_map = found;
        return true;
    case HeaderKind::Unknown:
        // Names nobody mapped must not become an address; a pasted row may be one.
        if (m_source == DelimitedSource::Paste)
            return false;
        m_collector.leaveOut(number, QStringLiteral("kolomnamen niet herkend"));
        return true;
    case HeaderKind::None:
        break;
    }
    return false;
}

void TableImport::addRow(const QStringList& cells, qsizetype number)
{
    if (std::exchange(m_first, false) && takeHeader(cells, number))
        return;
    std::array<QString, AddressRecord::FieldCount> fields;
    for (int f = 0; f < AddressRecord::FieldCount; ++f) {
        if (!m_map) {
            fields[size_t(f)] = cells.value(f);
            continue;
        }
        QStringList parts;
        for (const int column : m_map->columns[size_t(f)])
            if (const QString part = withoutEndSpaces(cells.value(column)).toString(); !part.isEmpty())
                parts.append(part);
        fields[size_t(f)] = parts.join(QLatin1Char(' '));
    }
    m_collector.add(std::move(fields), number);
}

void ImportCollector::leaveOut(qsizetype line, const QString& why)
{
    m_result.leaveOut(QStringLiteral("regel %1: %2").arg(line).arg(why));
}

ImportResult importDelimited(const QString& text, DelimitedSource source)
{
    const QByteArray bytes = text.toUtf8();
    DelimitedReader reader{TableImport(source), {}, 0};
    reader.table.reserve(std::count(bytes.begin(), bytes.end(), '\n') + 1);
    csv_parser parser;
    csv_init(&parser, 0);
    csv_set_delim(&parser, uchar(detectDelimiter(text)));
    csv_set_space_func(&parser, isSpaceOnly); // a tab is a delimiter here, not a space to skip
    csv_parse(&parser, bytes.constData(), size_t(bytes.size()), onField, onRowEnd, &reader);
    csv_fini(&parser, onField, onRowEnd, &reader);
    csv_free(&parser);
    return reader.table.take();
}

ImportResult importPastedText(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnd);
    const qsizetype filledLines = std::count_if(lines.begin(), lines.end(), [](const QString& l) { return !isBlank(l); });
    if (text.contains(QLatin1Char('\t')) || filledLines <= 1)
        return importDelimited(text, DelimitedSource::Paste);
    return importFieldPerLine(lines);
}

ImportResult importFile(const QString& fileName, const QByteArray& bytes)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt"))
        return importDelimited(decodeImportedText(bytes), DelimitedSource::File);
    if (suffix == QLatin1String("vcf"))
        return importVCard(asUtf8IfUtf16(bytes));
    if (suffix == QLatin1String("xlsx") || suffix == QLatin1String("ods"))
        return importSpreadsheet(fileName, bytes);
    ImportResult result;
    if (suffix == QLatin1String("lst")) {
        ParsedList list = parseAddressList(bytes);
        // Held to the list's own rule, like every other import: what could not be saved stays out.
        for (qsizetype i = 0; i < list.records.size(); ++i) {
            if (const auto bad = findUnstorableChar(list.records[i].text()))
                result.leaveOut(QStringLiteral("adres %1: %2").arg(i + 1).arg(unstorableWhy(bad->character)));
            else
                result.addresses.append(std::move(list.records[i]));
        }
        if (!list.complete)
            result.leaveOut(QStringLiteral("het bestand houdt op midden in een adres"));
    } else {
        result.leaveOut(QStringLiteral("%1 is geen CSV-, tekst-, vCard-, Excel-, Calc- of lijstbestand").arg(fileName));
    }
    return result;
}

QString addressesAsText(const QList<AddressRecord>& addresses)
{
    QString text;
    for (const AddressRecord& address : addresses) {
        for (int f = 0; f < AddressRecord::FieldCount; ++f) {
            if (f > 0)
                text += QLatin1Char('\t');
            const QStringView field = address.fieldView(f);
            const bool quoted = std::any_of(field.begin(), field.end(), [](QChar c) {
                return c == u'\t' || c == u'"' || c == u'\r' || c == u'\n';
            });
            if (quoted)
                text += QLatin1Char('"') + field.toString().replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
            else
                text += field;
        }
        text += QLatin1Char('\n');
    }
    return text;
}
