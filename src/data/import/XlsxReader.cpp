// An .xlsx sheet and the parts its cells refer to, read as they unpack.
#include "data/import/XlsxReader.h"

#include "app/NumberReading.h"

#include <QBuffer>
#include <QDir>
#include <QHash>
#include <charconv>
#include <string>

namespace {

// More shared texts than this, or more text, and the file is refused: a few
// bytes unpack to millions of them.
constexpr qsizetype MostSharedStrings = 10'000'000;
constexpr qsizetype MostSharedCharacters = 200'000'000;
// A cell's value is a number or an index: no longer than this, however it is written.
constexpr size_t LongestNumberBytes = 64;

// Excel writes a character XML cannot hold as _xHHHH_ (the CR of a line
// break as _x000D_), and a "_x" of the text itself as _x005F_x.
QString withoutEscapes(QString text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString plain;
    plain.reserve(text.size());
    const auto isHex = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool escape = i + 6 < text.size() && text[i] == u'_' && text[i + 1] == u'x' && text[i + 6] == u'_'
            && std::all_of(text.begin() + i + 2, text.begin() + i + 6, isHex);
        if (escape) {
            plain += QChar(QStringView(text).sliced(i + 2, 4).toUShort(nullptr, 16));
            i += 6;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// Plain or rich text (si, is): the runs' texts, without the phonetic guide.
class RichText {
public:
    void start(std::string_view local)
    {
        if (local == "rPh")
            ++m_phonetic;
        else if (local == "t" && m_phonetic == 0)
            m_inText = true;
    }
    void end(std::string_view local)
    {
        if (local == "rPh")
            --m_phonetic;
        else if (local == "t")
            m_inText = false;
    }
    void add(std::string_view text)
    {
        if (m_inText && m_text.size() <= LongestCellBytes)
            m_text.append(text);
    }
    QString take()
    {
        QString text = withoutEscapes(QString::fromUtf8(m_text));
        capCell(text);
        m_text.clear();
        return text;
    }

private:
    std::string m_text;
    int m_phonetic = 0;
    bool m_inText = false;
};

class SharedStringsReader : public XmlReader {
public:
    SharedStringsReader(SharedStrings& strings, const std::atomic_bool& cancelled)
        : XmlReader(cancelled)
        , m_strings(strings)
    {
    }
    bool tooMany() const { return m_tooMany; }

protected:
    void startElement(std::string_view name, pugi::xml_node) override
    {
        const std::string_view local = localName(name);
        if (local == "si")
            m_inItem = true;
        else if (m_inItem)
            m_text.start(local);
    }
    void endElement(std::string_view name) override
    {
        const std::string_view local = localName(name);
        if (local != "si") {
            m_text.end(local);
            return;
        }
        m_inItem = false;
        m_strings.append(m_text.take());
        if (m_strings.size() > MostSharedStrings || m_strings.characters() > MostSharedCharacters) {
            m_tooMany = true;
            stop();
        }
    }
    void text(std::string_view text) override { m_text.add(text); }

private:
    SharedStrings& m_strings;
    RichText m_text;
    bool m_inItem = false;
    bool m_tooMany = false;
};

// Excel keeps a number format's code to 255 characters: a longer one is read
// as General, so no cell pays for it.
constexpr qsizetype LongestFormatCode = 255;
// Excel's own bound on cell styles; more number formats than that and the file is refused.
constexpr qsizetype MostStyles = 65536;

// The number format of each cell style. A format is made once and each style
// refers to it: thousands of styles may share one long code.
class StylesReader : public XmlReader {
public:
    StylesReader(std::vector<CellFormat>& formats, const std::atomic_bool& cancelled)
        : XmlReader(cancelled)
        , m_formats(formats)
    {
    }
    bool tooMany() const { return m_tooMany; }

protected:
    void startElement(std::string_view name, pugi::xml_node element) override
    {
        const std::string_view local = localName(name);
        if (local == "numFmt") {
            m_tooMany = ++m_numberFormats > MostStyles;
            const std::string_view code = attribute(element, "formatCode");
            const QString text = code.size() > size_t(LongestFormatCode) * 4 ? QString() : QString::fromUtf8(code);
            m_made.insert(numberIn(attribute(element, "numFmtId")),
                          text.size() > LongestFormatCode ? CellFormat() : CellFormat(text));
        } else if (local == "cellXfs") {
            m_inCellFormats = true;
        } else if (local == "xf" && m_inCellFormats) {
            m_formats.push_back(format(numberIn(attribute(element, "numFmtId"))));
            if (m_formats.size() >= size_t(MostStyles))
                stop(); // the rest get General
        }
        if (m_tooMany)
            stop();
    }
    void endElement(std::string_view name) override
    {
        if (localName(name) == "cellXfs")
            stop(); // nothing after the cell styles is read
    }

private:
    CellFormat format(qint64 id)
    {
        auto made = m_made.find(id);
        if (made == m_made.end())
            made = m_made.insert(id, CellFormat::builtIn(id));
        return *made;
    }

    std::vector<CellFormat>& m_formats;
    QHash<qint64, CellFormat> m_made;
    qsizetype m_numberFormats = 0; // counted as written: an id may come again
    bool m_inCellFormats = false;
    bool m_tooMany = false;
};

// "C12" gives column 2; no letters, -1.
qsizetype columnOf(std::string_view reference)
{
    qsizetype column = 0;
    size_t letters = 0;
    for (; letters < reference.size() && letters < 3 && reference[letters] >= 'A' && reference[letters] <= 'Z'; ++letters)
        column = column * 26 + (reference[letters] - 'A' + 1);
    return letters == 0 ? -1 : column - 1;
}

class SheetReader : public XmlReader {
public:
    SheetReader(const XlsxShared& shared, RowSink& sink, const std::atomic_bool& cancelled)
        : XmlReader(cancelled)
        , m_shared(shared)
        , m_sink(sink)
    {
    }
    bool damaged() const { return m_damaged; }

protected:
    void startElement(std::string_view name, pugi::xml_node element) override
    {
        const std::string_view local = localName(name);
        if (m_inCell) {
            if (local == "v")
                m_inValue = true;
            else if (local == "is")
                m_inInline = true;
            else if (m_inInline)
                m_inline.start(local);
        } else if (local == "c" && m_inRow) {
            startCell(element);
        } else if (local == "row") {
            startRow(numberIn(attribute(element, "r")));
        }
    }

    void endElement(std::string_view name) override
    {
        const std::string_view local = localName(name);
        if (m_inCell) {
            if (local == "v")
                m_inValue = false;
            else if (local == "is")
                m_inInline = false;
            else if (m_inInline)
                m_inline.end(local);
            else if (local == "c")
                endCell();
        } else if (local == "row" && m_inRow) {
            m_inRow = false;
            if (!m_cells.isEmpty() && !m_sink.addRow(m_cells, m_number, 1))
                stop();
        }
    }

    void text(std::string_view text) override
    {
        if (m_inValue && m_value.size() < LongestNumberBytes)
            m_value.append(text);
        else if (m_inInline)
            m_inline.add(text);
    }

private:
    void startRow(qint64 given)
    {
        m_number = given > 0 ? given : m_number + 1;
        if (m_number > SheetRows) {
            m_damaged = true;
            stop();
            return;
        }
        m_inRow = true;
        m_cells.clear();
        m_column = 0;
    }

    // A sheet has millions of cells: their attributes are gone through once.
    void startCell(pugi::xml_node cell)
    {
        m_inCell = true;
        m_type.clear();
        m_format = -1;
        for (const pugi::xml_attribute attribute : cell.attributes()) {
            const char* name = attribute.name();
            if (name[0] == 0 || name[1] != 0)
                continue;
            if (name[0] == 't')
                m_type = attribute.value();
            else if (name[0] == 's')
                m_format = numberIn(attribute.value());
            else if (const qsizetype at = columnOf(attribute.value()); name[0] == 'r' && at >= 0)
                m_column = at;
        }
        m_value.clear();
    }

    void endCell()
    {
        m_inCell = false;
        const QString text = cellText();
        if (!text.isEmpty() && m_column < ReadColumns) {
            if (m_cells.size() <= m_column)
                m_cells.resize(m_column + 1);
            m_cells[m_column] = text;
        }
        ++m_column;
    }

    QString cellText()
    {
        if (m_type == "s")
            return m_shared.strings.at(numberIn(m_value));
        if (m_type == "inlineStr")
            return m_inline.take();
        if (m_type == "b")
            return m_value == "1" ? QStringLiteral("WAAR") : QStringLiteral("ONWAAR");
        if (m_type.empty() || m_type == "n") {
            double number = 0;
            const char* end = m_value.data() + m_value.size();
            if (!m_value.empty() && std::from_chars(m_value.data(), end, number).ptr == end) {
                const bool known = m_format >= 0 && size_t(m_format) < m_shared.formats.size();
                return known ? m_shared.formats[size_t(m_format)].shown(number, m_shared.date1904) : generalNumber(number);
            }
        }
        return QString::fromUtf8(m_value); // text a formula gave, an error such as #N/B
    }

    const XlsxShared& m_shared;
    RowSink& m_sink;
    QStringList m_cells;
    qsizetype m_number = 0;
    qsizetype m_column = 0;
    qint64 m_format = -1;
    std::string m_type;
    std::string m_value;
    RichText m_inline;
    bool m_inRow = false;
    bool m_inCell = false;
    bool m_inValue = false;
    bool m_inInline = false;
    bool m_damaged = false;
};



struct Relation {
    QString type;
    QString target; // the part's name in the zip
};

// The relations a .rels part lists, by their id; targets are read from folder.
class RelationsReader : public XmlReader {
public:
    explicit RelationsReader(QString folder)
        : XmlReader(NeverCancelled)
        , m_folder(std::move(folder))
    {
    }
    QHash<QString, Relation> found;

protected:
    void startElement(std::string_view name, pugi::xml_node element) override
    {
        if (localName(name) != "Relationship")
            return;
        const QString target = QString::fromUtf8(attribute(element, "Target"));
        found.insert(QString::fromUtf8(attribute(element, "Id")),
                     {QString::fromUtf8(attribute(element, "Type")),
                      target.startsWith(QLatin1Char('/')) ? target.mid(1) : QDir::cleanPath(m_folder + target)});
    }
    void endElement(std::string_view) override {}

private:
    QString m_folder;
};

// The workbook's first sheet that a tab shows, by its relation's id, and its day count.
class WorkbookReader : public XmlReader {
public:
    WorkbookReader()
        : XmlReader(NeverCancelled)
    {
    }
    QString sheet;
    bool date1904 = false;

protected:
    void startElement(std::string_view name, pugi::xml_node element) override
    {
        const std::string_view local = localName(name);
        if (local == "workbookPr") {
            const std::string_view system = attribute(element, "date1904");
            date1904 = system == "1" || system == "true";
        }
        if (local != "sheet")
            return;
        if (const std::string_view state = attribute(element, "state"); !state.empty() && state != "visible")
            return; // a hidden sheet is passed over
        // The id is the one attribute named "id" in a namespace ("r:id").
        for (const pugi::xml_attribute id : element.attributes())
            if (const std::string_view idName = id.name(); idName.find(':') != std::string_view::npos && localName(idName) == "id")
                sheet = QString::fromUtf8(id.value());
        stop();
    }
    void endElement(std::string_view) override {}
};

// A small part read whole by one of the readers above; what it found before any damage counts.
void readSmallPart(XmlReader& reader, const ZipReader& zip, const QString& name, qint64 limit = 1024 * 1024)
{
    QBuffer part;
    part.setData(zip.smallPart(name, limit));
    part.open(QIODevice::ReadOnly);
    reader.read(part);
}

QHash<QString, Relation> relations(const ZipReader& zip, const QString& rels, const QString& folder)
{
    RelationsReader reader(folder);
    readSmallPart(reader, zip, rels);
    return reader.found;
}

Relation firstOfType(const QHash<QString, Relation>& all, QStringView typeEnd)
{
    for (const Relation& relation : all)
        if (relation.type.endsWith(typeEnd))
            return relation;
    return {};
}

struct XlsxParts {
    QString sheet;
    QString sharedStrings;
    QString styles;
    bool date1904 = false;
};

// The first sheet the workbook's tabs show (a hidden one is passed over), and
// the parts its cells refer to.
XlsxParts xlsxParts(const ZipReader& zip)
{
    const QString workbook = firstOfType(relations(zip, QStringLiteral("_rels/.rels"), {}), u"/officeDocument").target;
    if (workbook.isEmpty())
        return {};
    const qsizetype slash = workbook.lastIndexOf(QLatin1Char('/')) + 1;
    const QString folder = workbook.left(slash);
    const QHash<QString, Relation> parts =
        relations(zip, folder + QStringLiteral("_rels/") + workbook.mid(slash) + QStringLiteral(".rels"), folder);
    WorkbookReader reader;
    readSmallPart(reader, zip, workbook, 64 * 1024 * 1024);
    if (reader.sheet.isEmpty())
        return {};
    return {parts.value(reader.sheet).target, firstOfType(parts, u"/sharedStrings").target, firstOfType(parts, u"/styles").target,
            reader.date1904};
}

}

void SharedStrings::append(QStringView text)
{
    m_starts.push_back(m_text.size());
    m_text += text;
}

QString SharedStrings::at(qint64 index) const
{
    if (index < 0 || index >= size())
        return {};
    const qsizetype start = m_starts[size_t(index)];
    const qsizetype end = size_t(index) + 1 < m_starts.size() ? m_starts[size_t(index) + 1] : m_text.size();
    return m_text.mid(start, end - start);
}

SheetRead readXlsxSharedStrings(QIODevice& part, SharedStrings& strings, const std::atomic_bool& cancelled)
{
    SharedStringsReader reader(strings, cancelled);
    const SheetRead read = sheetReadOf(reader.read(part), cancelled);
    return reader.tooMany() ? SheetRead::TooBig : read;
}

SheetRead readXlsxStyles(QIODevice& styles, std::vector<CellFormat>& formats, const std::atomic_bool& cancelled)
{
    StylesReader reader(formats, cancelled);
    const SheetRead read = sheetReadOf(reader.read(styles), cancelled);
    return reader.tooMany() ? SheetRead::TooBig : read;
}

SheetRead readXlsxSheet(QIODevice& part, const XlsxShared& shared, RowSink& sink, const std::atomic_bool& cancelled)
{
    SheetReader reader(shared, sink, cancelled);
    const SheetRead read = sheetReadOf(reader.read(part), cancelled);
    return reader.damaged() ? SheetRead::Damaged : read;
}

std::optional<SheetRead> readXlsx(const ZipReader& zip, RowSink& sink, const std::atomic_bool& cancelled)
{
    const XlsxParts parts = xlsxParts(zip);
    if (parts.sheet.isEmpty())
        return std::nullopt;
    XlsxShared shared;
    shared.date1904 = parts.date1904;
    if (const std::unique_ptr<ZipPart> strings = zip.part(parts.sharedStrings)) {
        if (const SheetRead read = checked(readXlsxSharedStrings(*strings, shared.strings, cancelled), *strings);
            read != SheetRead::Done)
            return read;
    }
    if (const std::unique_ptr<ZipPart> styles = zip.part(parts.styles)) {
        if (const SheetRead read = checked(readXlsxStyles(*styles, shared.formats, cancelled), *styles); read != SheetRead::Done)
            return read;
    }
    const std::unique_ptr<ZipPart> sheet = zip.part(parts.sheet);
    return sheet ? checked(readXlsxSheet(*sheet, shared, sink, cancelled), *sheet) : SheetRead::Damaged;
}
