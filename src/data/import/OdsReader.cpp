// The first shown table of an .ods file, read as it unpacks.
#include "data/import/OdsReader.h"

#include "app/NumberReading.h"
#include "data/import/CellFormat.h"

#include <QDate>
#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_set>

namespace {

// A run of spaces written as a count.
constexpr qsizetype MostSpaces = 1000;
// No sheet hides this many table styles; a file with more is refused.
constexpr size_t MostHiddenStyles = 65536;

constexpr std::string_view TableUri = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view TextUri = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view OfficeUri = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view StyleUri = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";

// The prefix a document gives a namespace at its root, with its colon ("table:").
using Prefix = std::string;

bool is(std::string_view name, const Prefix& prefix, std::string_view local)
{
    return name.size() == prefix.size() + local.size() && name.ends_with(local) && name.starts_with(prefix);
}

std::string_view attributeOf(pugi::xml_node element, const Prefix& prefix, std::string_view local)
{
    for (const pugi::xml_attribute attribute : element.attributes())
        if (is(attribute.name(), prefix, local))
            return attribute.value();
    return {};
}

qsizetype countOf(pugi::xml_node element, const Prefix& prefix, std::string_view local, qsizetype most)
{
    const qint64 count = numberIn(attributeOf(element, prefix, local));
    return count > 1 ? std::min<qsizetype>(count, most) : 1;
}

// The prefix the root declares for the namespace, or the one every writer uses.
Prefix prefixFor(pugi::xml_node root, std::string_view ns, const char* usual)
{
    for (const pugi::xml_attribute attribute : root.attributes())
        if (std::strncmp(attribute.name(), "xmlns:", 6) == 0 && ns == attribute.value())
            return std::string(attribute.name() + 6) + ':';
    return std::string(usual) + ':';
}

// A cell without its shown text (some writers leave it out): from its value.
QString valueText(const std::string& type, const std::string& value)
{
    const QString text = QString::fromUtf8(value);
    if (type == "float" || type == "percentage" || type == "currency") {
        bool ok = false;
        const double number = text.toDouble(&ok);
        return ok ? generalNumber(number) : text;
    }
    if (type == "date") {
        const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
        return date.isValid() ? date.toString(QStringLiteral("dd-MM-yyyy")) : text;
    }
    if (type == "boolean")
        return value == "true" ? QStringLiteral("WAAR") : QStringLiteral("ONWAAR");
    return text;
}

class OdsReader : public XmlReader {
public:
    OdsReader(RowSink& sink, const std::atomic_bool& cancelled)
        : XmlReader(cancelled)
        , m_sink(sink)
    {
    }
    bool tableSeen() const { return m_tableSeen; }
    bool tooMany() const { return m_hiddenCount > MostHiddenStyles; }

protected:
    void startElement(std::string_view name, pugi::xml_node element) override
    {
        if (!m_rootSeen) {
            m_rootSeen = true;
            m_tablePrefix = prefixFor(element, TableUri, "table");
            m_textPrefix = prefixFor(element, TextUri, "text");
            m_officePrefix = prefixFor(element, OfficeUri, "office");
            m_stylePrefix = prefixFor(element, StyleUri, "style");
        }
        if (m_skip > 0) {
            ++m_skip;
            return;
        }
        if (!m_inTable) {
            beforeTable(name, element);
        } else if (m_inCell) {
            inCell(name, element);
        } else if (is(name, m_tablePrefix, "table-row")) {
            m_repeat = countOf(element, m_tablePrefix, "number-rows-repeated", SheetRows);
            m_cells.clear();
            m_column = 0;
        } else if (is(name, m_tablePrefix, "table-cell") || is(name, m_tablePrefix, "covered-table-cell")) {
            m_inCell = true;
            m_span = countOf(element, m_tablePrefix, "number-columns-repeated", ReadColumns);
            m_type = attributeOf(element, m_officePrefix, "value-type");
            m_value = m_type == "string" ? attributeOf(element, m_officePrefix, "string-value")
                : m_type == "date"       ? attributeOf(element, m_officePrefix, "date-value")
                : m_type == "boolean"    ? attributeOf(element, m_officePrefix, "boolean-value")
                                         : attributeOf(element, m_officePrefix, "value");
            m_text.clear();
            m_paragraphs = 0;
        } else if (is(name, m_tablePrefix, "table-column") || is(name, m_tablePrefix, "table")
                   || !name.starts_with(m_tablePrefix)) {
            m_skip = 1; // columns' styles, a table inside a cell, shapes, forms
        }
    }

    void endElement(std::string_view name) override
    {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (m_paragraph > 0 && (is(name, m_textPrefix, "p") || is(name, m_textPrefix, "h")))
            --m_paragraph;
        else if (m_inCell && (is(name, m_tablePrefix, "table-cell") || is(name, m_tablePrefix, "covered-table-cell")))
            endCell();
        else if (m_inTable && is(name, m_tablePrefix, "table-row"))
            endRow();
        else if (m_inTable && is(name, m_tablePrefix, "table")) {
            m_inTable = false;
            stop();
        }
    }

    void text(std::string_view text) override
    {
        if (m_paragraph > 0 && m_skip == 0 && !full())
            m_text.append(text);
    }

private:
    // A cell's text past the longest one is not kept: it is told by its length alone.
    bool full() const { return m_text.size() > LongestCellBytes; }

    // Hidden tables are shown by no tab: the first shown one is read.
    void beforeTable(std::string_view name, pugi::xml_node element)
    {
        if (is(name, m_stylePrefix, "style")) {
            m_style = attributeOf(element, m_stylePrefix, "name");
        } else if (is(name, m_stylePrefix, "table-properties") && attributeOf(element, m_tablePrefix, "display") == "false") {
            m_hiddenStyles.insert(m_style);
            if (++m_hiddenCount > MostHiddenStyles)
                stop();
        } else if (is(name, m_tablePrefix, "table")) {
            const std::string style(attributeOf(element, m_tablePrefix, "style-name"));
            if (m_hiddenStyles.contains(style))
                m_skip = 1;
            else
                m_inTable = m_tableSeen = true;
        }
    }

    void inCell(std::string_view name, pugi::xml_node element)
    {
        if (m_paragraph == 0) {
            if (is(name, m_textPrefix, "p") || is(name, m_textPrefix, "h")) {
                if (m_paragraphs++ > 0)
                    m_text += ' ';
                m_paragraph = 1;
            } else {
                m_skip = 1; // comments, drawings
            }
        } else if (is(name, m_textPrefix, "s")) {
            if (!full())
                m_text.append(size_t(countOf(element, m_textPrefix, "c", MostSpaces)), ' ');
        } else if (is(name, m_textPrefix, "tab") || is(name, m_textPrefix, "line-break")) {
            m_text += ' ';
        } else if (is(name, m_textPrefix, "note")) {
            m_skip = 1;
        }
    }

    void endCell()
    {
        m_inCell = false;
        // What the cell shows is what comes in: a date as formatted, a number with its decimals.
        QString shown = m_paragraphs > 0 ? QString::fromUtf8(m_text) : valueText(m_type, m_value);
        capCell(shown);
        if (shown.isEmpty()) {
            m_column += m_span;
            return;
        }
        for (qsizetype i = 0; i < m_span && m_column < ReadColumns; ++i, ++m_column) {
            if (m_cells.size() <= m_column)
                m_cells.resize(m_column + 1);
            m_cells[m_column] = shown;
        }
    }

    void endRow()
    {
        const qsizetype repeat = std::min(m_repeat, SheetRows - m_number);
        // Empty rows, however many, are only counted; a repeated row is handed on once with its count.
        if (!m_cells.isEmpty() && repeat > 0 && !m_sink.addRow(m_cells, m_number + 1, repeat))
            stop();
        m_number = std::min(m_number + m_repeat, SheetRows);
    }

    RowSink& m_sink;
    Prefix m_tablePrefix;
    Prefix m_textPrefix;
    Prefix m_officePrefix;
    Prefix m_stylePrefix;
    bool m_rootSeen = false;
    std::unordered_set<std::string> m_hiddenStyles;
    size_t m_hiddenCount = 0; // counted as written: a name may come again
    std::string m_style;
    bool m_inTable = false;
    bool m_tableSeen = false;
    bool m_inCell = false;
    int m_skip = 0;
    int m_paragraph = 0;
    int m_paragraphs = 0;
    qsizetype m_number = 0;
    qsizetype m_repeat = 1;
    qsizetype m_span = 1;
    qsizetype m_column = 0;
    QStringList m_cells;
    std::string m_type;
    std::string m_value;
    std::string m_text;
};

}

SheetRead readOdsFirstTable(QIODevice& content, RowSink& sink, const std::atomic_bool& cancelled)
{
    OdsReader reader(sink, cancelled);
    const SheetRead read = sheetReadOf(reader.read(content), cancelled);
    if (reader.tooMany())
        return SheetRead::TooBig;
    if (read != SheetRead::Done)
        return read;
    return reader.tableSeen() ? SheetRead::Done : SheetRead::Damaged;
}

bool isOds(const ZipReader& zip)
{
    const QByteArray mimetype = zip.smallPart(QStringLiteral("mimetype"));
    if (!mimetype.isEmpty())
        return mimetype.startsWith("application/vnd.oasis.opendocument.spreadsheet");
    return zip.has(QStringLiteral("content.xml")) && !zip.has(QStringLiteral("[Content_Types].xml"));
}

SheetRead readOds(const ZipReader& zip, RowSink& sink, const std::atomic_bool& cancelled)
{
    const std::unique_ptr<ZipPart> content = zip.part(QStringLiteral("content.xml"));
    return content ? checked(readOdsFirstTable(*content, sink, cancelled), *content) : SheetRead::Damaged;
}
