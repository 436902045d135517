#include "data/SheetReaders.h"

#include <QHash>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace {

// Addresses sit in the first columns; a cell far to the right is not read,
// so a row cannot grow to thousands of columns.
constexpr qsizetype ReadColumns = 256;
constexpr qsizetype SheetRows = 1048576;
// A few bytes can repeat a filled row a million times: past this many
// filled cells the sheet is refused rather than eat all memory.
constexpr qsizetype MaxCells = 10'000'000;
// A run of spaces written as a count.
constexpr qsizetype MostSpaces = 1000;

const QString OfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString TableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString TextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString StyleNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");

// Hands filled rows on and counts their cells.
class RowCounter {
public:
    explicit RowCounter(const SheetRowSink& sink)
        : m_sink(sink)
    {
    }
    // False when the sheet holds too many filled cells.
    bool add(const QStringList& cells, qsizetype number)
    {
        const qsizetype filled = std::count_if(cells.begin(), cells.end(), [](const QString& c) { return !c.isEmpty(); });
        if (filled == 0)
            return true;
        if ((m_cells += filled) > MaxCells)
            return false;
        m_sink(cells, number);
        return true;
    }

private:
    const SheetRowSink& m_sink;
    qsizetype m_cells = 0;
};

void putCell(QStringList& cells, qsizetype column, const QString& text)
{
    if (column >= ReadColumns || text.isEmpty())
        return;
    if (cells.size() <= column)
        cells.resize(column + 1);
    cells[column] = text;
}

bool isWhole(double value) { return std::isfinite(value) && value == std::trunc(value) && std::abs(value) < 1e15; }

bool isDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

SheetRead finished(const QXmlStreamReader& xml) { return xml.hasError() ? SheetRead::Damaged : SheetRead::Done; }

// --- .ods ---

bool isTable(const QXmlStreamReader& xml, QStringView name) { return xml.namespaceUri() == TableNs && xml.name() == name; }

qsizetype repeatOf(const QXmlStreamAttributes& attributes, const QString& name, qsizetype most)
{
    bool ok = false;
    const qsizetype count = attributes.value(TableNs, name).toLongLong(&ok);
    return ok && count > 1 ? std::min(count, most) : 1;
}

// A run of spaces written as one element with its count.
qsizetype spacesOf(const QXmlStreamAttributes& attributes)
{
    bool ok = false;
    const qsizetype count = attributes.value(TextNs, QStringLiteral("c")).toLongLong(&ok);
    return ok && count > 1 ? std::min(count, MostSpaces) : 1;
}

// A paragraph's text as shown; tabs and line breaks become spaces, notes are left out.
void appendParagraph(QXmlStreamReader& xml, QString& text)
{
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::StartElement:
            if (xml.namespaceUri() == TextNs && xml.name() == u"s")
                text += QString(spacesOf(xml.attributes()), QLatin1Char(' '));
            else if (xml.namespaceUri() == TextNs && (xml.name() == u"tab" || xml.name() == u"line-break"))
                text += QLatin1Char(' ');
            if (xml.namespaceUri() == TextNs && xml.name() == u"note") {
                xml.skipCurrentElement();
                break;
            }
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
}

QString odsCellText(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    QString shown;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() == TextNs && (xml.name() == u"p" || xml.name() == u"h")) {
            if (!shown.isEmpty())
                shown += QLatin1Char(' ');
            appendParagraph(xml, shown);
        } else {
            xml.skipCurrentElement(); // comments, drawings
        }
    }
    if (attributes.value(OfficeNs, QStringLiteral("value-type")) == u"float") {
        bool ok = false;
        const double value = attributes.value(OfficeNs, QStringLiteral("value")).toDouble(&ok);
        // Shown as digits, the zeros a format such as 00000 adds included.
        if (ok && isWhole(value))
            return isDigits(shown) ? shown : shownNumber(value);
        if (ok && shown.isEmpty())
            return shownNumber(value);
    }
    if (shown.isEmpty())
        return attributes.value(OfficeNs, QStringLiteral("string-value")).toString();
    return shown;
}

// One table:table-row: its cells, and how often the file repeats it.
QStringList odsRow(QXmlStreamReader& xml, qsizetype& repeat)
{
    repeat = repeatOf(xml.attributes(), QStringLiteral("number-rows-repeated"), SheetRows);
    QStringList cells;
    qsizetype column = 0;
    while (xml.readNextStartElement()) {
        if (!isTable(xml, u"table-cell") && !isTable(xml, u"covered-table-cell")) {
            xml.skipCurrentElement();
            continue;
        }
        const qsizetype span = repeatOf(xml.attributes(), QStringLiteral("number-columns-repeated"), ReadColumns);
        const QString text = odsCellText(xml);
        for (qsizetype i = 0; i < span && column < ReadColumns; ++i)
            putCell(cells, column++, text);
    }
    return cells;
}

// --- .xlsx ---

// Plain or rich text (si, is): the runs' texts, without the phonetic guide.
QString richText(QXmlStreamReader& xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"t") {
            text += xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (xml.name() == u"r") {
            while (xml.readNextStartElement())
                if (xml.name() == u"t")
                    text += xml.readElementText(QXmlStreamReader::SkipChildElements);
                else
                    xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    return text;
}

// "C12" gives column 2; no letters, -1.
qsizetype columnOf(QStringView reference)
{
    qsizetype column = 0;
    qsizetype letters = 0;
    for (; letters < reference.size() && letters < 3 && reference[letters] >= u'A' && reference[letters] <= u'Z'; ++letters)
        column = column * 26 + (reference[letters].unicode() - u'A' + 1);
    return letters == 0 ? -1 : column - 1;
}

QString xlsxCellText(QXmlStreamReader& xml, const XlsxShared& shared)
{
    const QString type = xml.attributes().value(QStringLiteral("t")).toString();
    const qsizetype format = xml.attributes().value(QStringLiteral("s")).toLongLong();
    QString value;
    QString inlineText;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"v")
            value = xml.readElementText(QXmlStreamReader::SkipChildElements);
        else if (xml.name() == u"is")
            inlineText = richText(xml);
        else
            xml.skipCurrentElement(); // the formula; its last result is in v
    }
    bool ok = false;
    if (type == u"s") {
        const qsizetype index = value.toLongLong(&ok);
        return ok ? shared.strings.value(index) : QString();
    }
    if (type == u"inlineStr")
        return inlineText;
    if (type == u"b")
        return value == u"1" ? QStringLiteral("WAAR") : QStringLiteral("ONWAAR");
    if (type.isEmpty() || type == u"n") {
        const double number = value.toDouble(&ok);
        if (ok && isWhole(number) && number >= 0)
            return shownNumber(number).rightJustified(shared.zeroPadding.value(format), QLatin1Char('0'));
        if (ok)
            return shownNumber(number);
    }
    return value; // text a formula gave, an error such as #N/B, a date as written
}

}

QString shownNumber(double value)
{
    if (isWhole(value))
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

SheetRead readOdsFirstTable(QIODevice& content, const SheetRowSink& sink)
{
    QXmlStreamReader xml(&content);
    RowCounter out(sink);
    // Hidden tables are shown by no tab: the first shown one is read.
    QStringList hiddenStyles;
    QString style;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.namespaceUri() == StyleNs && xml.name() == u"style")
            style = xml.attributes().value(StyleNs, QStringLiteral("name")).toString();
        else if (xml.namespaceUri() == StyleNs && xml.name() == u"table-properties"
                 && xml.attributes().value(TableNs, QStringLiteral("display")) == u"false")
            hiddenStyles.append(style);
        else if (isTable(xml, u"table") && !hiddenStyles.contains(xml.attributes().value(TableNs, QStringLiteral("style-name"))))
            break;
        else if (isTable(xml, u"table"))
            xml.skipCurrentElement();
    }
    qsizetype number = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && isTable(xml, u"table"))
            return SheetRead::Done;
        if (!xml.isStartElement())
            continue;
        if (!isTable(xml, u"table-row")) {
            if (isTable(xml, u"table-column") || xml.namespaceUri() != TableNs)
                xml.skipCurrentElement(); // columns' styles, shapes, forms
            continue; // a group of rows: its rows follow
        }
        qsizetype repeat = 1;
        const QStringList cells = odsRow(xml, repeat);
        // Empty rows, however many, are only counted.
        const bool filled = std::any_of(cells.begin(), cells.end(), [](const QString& c) { return !c.isEmpty(); });
        for (qsizetype i = 0; filled && i < repeat && number + i < SheetRows; ++i)
            if (!out.add(cells, number + i + 1))
                return SheetRead::TooBig;
        number = std::min(number + repeat, SheetRows);
    }
    return finished(xml);
}

bool readXlsxZeroPadding(QIODevice& styles, QList<qsizetype>& widths)
{
    QXmlStreamReader xml(&styles);
    QHash<qsizetype, qsizetype> padded; // number format id: digits
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringView code = attributes.value(QStringLiteral("formatCode"));
        if (xml.name() == u"numFmt" && !code.isEmpty() && code.count(u'0') == code.size())
            padded.insert(attributes.value(QStringLiteral("numFmtId")).toLongLong(), std::min(code.size(), qsizetype(30)));
        if (xml.name() != u"cellXfs")
            continue;
        while (xml.readNextStartElement()) {
            widths.append(padded.value(xml.attributes().value(QStringLiteral("numFmtId")).toLongLong()));
            xml.skipCurrentElement();
        }
    }
    return !xml.hasError();
}

bool readXlsxSharedStrings(QIODevice& part, QStringList& strings)
{
    QXmlStreamReader xml(&part);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings.append(richText(xml));
    return !xml.hasError();
}

SheetRead readXlsxSheet(QIODevice& part, const XlsxShared& shared, const SheetRowSink& sink)
{
    QXmlStreamReader xml(&part);
    RowCounter out(sink);
    qsizetype number = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"row")
            continue;
        bool numbered = false;
        const qsizetype given = xml.attributes().value(QStringLiteral("r")).toLongLong(&numbered);
        number = numbered ? given : number + 1;
        if (number < 1 || number > SheetRows)
            return SheetRead::Damaged;
        QStringList cells;
        qsizetype column = 0;
        while (xml.readNextStartElement()) {
            if (xml.name() != u"c") {
                xml.skipCurrentElement();
                continue;
            }
            if (const qsizetype at = columnOf(xml.attributes().value(QStringLiteral("r"))); at >= 0)
                column = at;
            putCell(cells, column++, xlsxCellText(xml, shared));
        }
        if (!out.add(cells, number))
            return SheetRead::TooBig;
    }
    return finished(xml);
}
