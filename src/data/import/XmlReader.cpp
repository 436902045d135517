#include "data/import/XmlReader.h"

#include "data/import/RowSink.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr qint64 Chunk = 64 * 1024;
// A piece longer than this is handed on, though an element in it is still open.
constexpr size_t LongPiece = 64 * 1024;
// No spreadsheet nests its elements this deep.
constexpr size_t DeepestNesting = 10'000;
// Of a value, character data or comment longer than any cell, only this much
// is kept as it is read: the row is told as too long, and memory stays small.
constexpr size_t KeptOfLongToken = LongestCellBytes + 1;
// No spreadsheet writes a tag this long, however many attributes it has.
constexpr size_t LongestTag = 4 * 1024 * 1024;
// Blanks between words in their own text (a space between two styled runs) are text too.
constexpr unsigned Options = pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_fragment;
constexpr size_t None = std::string::npos;

// The characters a tag's end is looked for at: its end, and the quotes of its values.
constexpr std::array<bool, 256> StopsTag = [] {
    std::array<bool, 256> stops{};
    stops['>'] = stops['"'] = stops['\''] = true;
    return stops;
}();

// Just after the first '>' outside quoted values, or None; `quote` is the
// quote of the value the search is in, on entry and on leaving, and
// valueStart where that value began.
size_t tagEnd(const char* data, size_t from, size_t size, char& quote, size_t& valueStart)
{
    for (size_t i = from; i < size; ++i) {
        if (quote) {
            while (i < size && data[i] != quote)
                ++i;
            if (i == size)
                break;
            quote = 0;
            continue;
        }
        while (i < size && !StopsTag[static_cast<unsigned char>(data[i])])
            ++i;
        if (i == size)
            break;
        if (data[i] == '>')
            return i + 1;
        quote = data[i];
        valueStart = i + 1;
    }
    return None;
}

// Where text up to `end` holds whole UTF-8 characters: before the lead byte
// of one whose last bytes have not come yet.
size_t wholeCharactersEnd(const std::string& text, size_t start, size_t end)
{
    size_t lead = end;
    while (lead > start && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80)
        --lead;
    if (lead == start)
        return end;
    const unsigned char first = static_cast<unsigned char>(text[lead - 1]);
    const size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return end - (lead - 1) < length ? lead - 1 : end;
}

}

XmlReader::XmlReader(const std::atomic_bool& cancelled)
    : m_cancelled(cancelled)
{
}

XmlReader::Result XmlReader::read(QIODevice& part)
{
    for (bool first = true;; first = false) {
        if (m_cancelled.load(std::memory_order_relaxed))
            return Result::Stopped;
        const size_t had = m_buffer.size();
        m_buffer.resize(had + Chunk);
        const qint64 got = part.read(m_buffer.data() + had, Chunk);
        m_buffer.resize(had + size_t(std::max<qint64>(got, 0)));
        if (got < 0)
            return Result::Damaged;
        if (got == 0)
            return finish();
        if (first && m_buffer.starts_with("\xEF\xBB\xBF"))
            m_buffer.erase(0, 3);
        Scan read = scan();
        if (read == Scan::Ok)
            read = handOn();
        if (read != Scan::Ok)
            return read == Scan::Stopped ? Result::Stopped : Result::Damaged;
        compact();
    }
}

// Goes through every tag, comment and text whose end has come, and parses
// up to the end tag of an element opened on its own.
XmlReader::Scan XmlReader::scan()
{
    const char* data = m_buffer.data();
    const size_t size = m_buffer.size();
    while (m_scanned < size) {
        size_t at = m_scanned;
        if (data[at] != '<') { // text, up to the next tag
            const void* found = std::memchr(data + at, '<', size - at);
            if (!found) {
                m_scanned = size;
                break;
            }
            at = size_t(static_cast<const char*>(found) - data);
            m_scanned = at;
        }
        m_levels.back().cut = at; // the text before it is whole
        if (size - at < 2)
            break;
        const char kind = data[at + 1];
        size_t end = None;
        if (kind == '!' || kind == '?') {
            if (markupEnd(at, end) == Scan::Damaged)
                return Scan::Damaged;
        } else {
            end = tagEnd(data, std::max(at + 1, m_resume), size, m_quote, m_valueStart);
            m_resume = end == None ? size : 0;
            if (end == None && cutLongTag(at) == Scan::Damaged)
                return Scan::Damaged;
        }
        if (end == None)
            break; // its end has not come yet
        m_scanned = end;
        if (kind == '/') {
            if (const Scan read = endTag(at, end); read != Scan::Ok)
                return read;
        } else if (kind != '!' && kind != '?' && data[end - 2] != '/') {
            if (depth() + m_open.size() > DeepestNesting)
                return Scan::Damaged;
            m_levels.back().open = at;
            m_levels.back().openEnd = end;
            m_levels.push_back(Level{end});
        } else {
            m_levels.back().cut = end;
        }
    }
    return Scan::Ok;
}

// Where the comment, character data or instruction at `at` ends, or None while
// its end has not come; a long one is searched on from where it was left, and
// keeps only its first bytes and the last few that may begin its end.
XmlReader::Scan XmlReader::markupEnd(size_t at, size_t& end)
{
    const size_t size = m_buffer.size();
    std::string_view close = "?>";
    size_t content = at + 2;
    if (m_buffer[at + 1] == '!') {
        constexpr std::string_view CData = "<![CDATA[";
        const std::string_view start = std::string_view(m_buffer).substr(at, CData.size());
        if (start.starts_with("<!--")) {
            close = "-->";
            content = at + 4; // "<!-->" does not end the comment it begins
        } else if (start == CData) {
            close = "]]>";
            content = at + CData.size();
        } else if (start.size() < CData.size() && (CData.starts_with(start) || std::string_view("<!--").starts_with(start))) {
            return Scan::Ok; // which it is has not come yet
        } else {
            return Scan::Damaged; // a document type, or what no part holds
        }
    }
    const size_t from = std::max(content, m_resume);
    const size_t found = m_buffer.find(close, from);
    if (found != None) {
        m_resume = 0;
        end = found + close.size();
        return Scan::Ok;
    }
    const size_t tail = close.size() - 1;
    if (size > content + KeptOfLongToken + tail)
        m_buffer.erase(content + KeptOfLongToken, size - tail - (content + KeptOfLongToken));
    m_resume = std::max(content, m_buffer.size() - tail);
    return Scan::Ok;
}

// A tag whose end has not come: a long value keeps its first bytes only.
XmlReader::Scan XmlReader::cutLongTag(size_t at)
{
    if (m_quote && m_buffer.size() > m_valueStart + KeptOfLongToken) {
        m_buffer.resize(m_valueStart + KeptOfLongToken);
        m_resume = m_buffer.size();
    }
    return m_buffer.size() - at > LongestTag ? Scan::Damaged : Scan::Ok;
}

XmlReader::Scan XmlReader::endTag(size_t at, size_t end)
{
    if (depth() > 1) {
        m_levels.pop_back();
        m_levels.back().cut = end;
        return Scan::Ok;
    }
    // It closes an element opened on its own: what came before it is heard first.
    if (const Scan read = parse(at); read != Scan::Ok)
        return read;
    std::string_view name(m_buffer.data() + at + 2, end - at - 3);
    while (!name.empty() && std::strchr(" \t\r\n", name.back()))
        name.remove_suffix(1);
    if (m_open.empty() || name != m_open.back())
        return Scan::Damaged;
    endElement(name);
    m_open.pop_back();
    m_parsed = end;
    m_levels.back().cut = end;
    return m_stopped ? Scan::Stopped : Scan::Ok;
}

// Parses what is whole; a piece grown long opens its outer element on its own,
// and long text is handed on as far as it goes.
XmlReader::Scan XmlReader::handOn()
{
    for (;;) {
        if (const Scan read = parse(outer().cut); read != Scan::Ok)
            return read;
        if (m_buffer.size() - m_parsed <= LongPiece)
            return Scan::Ok;
        if (depth() > 1) {
            if (const Scan read = openFirstLevel(); read != Scan::Ok)
                return read;
            continue;
        }
        if (m_scanned < m_buffer.size())
            return Scan::Ok; // one long tag or comment: its end has not come yet
        // Only text is left: keep back a character reference that has not ended.
        size_t end = m_buffer.size();
        const size_t reference = m_buffer.rfind('&');
        if (reference != None && reference + 16 > end && m_buffer.find(';', reference) == None)
            end = reference;
        if (m_buffer[end - 1] == '\r')
            --end; // a line end of two characters stays whole
        end = wholeCharactersEnd(m_buffer, m_parsed, end); // and so does a character of several bytes
        outer().cut = end;
        return parse(end);
    }
}

XmlReader::Scan XmlReader::parse(size_t end)
{
    if (end <= m_parsed)
        return Scan::Ok;
    char* piece = m_buffer.data() + m_parsed;
    size_t length = end - m_parsed;
    // Parsing in place, pugixml takes a buffer's last byte for its end mark,
    // and a text that ends there loses its last character or reference: a
    // piece that ends in text is parsed from a copy with an end of its own.
    if (m_buffer[end - 1] != '>') {
        m_textPiece.assign(piece, length);
        m_textPiece.push_back('\0');
        piece = m_textPiece.data();
        length = m_textPiece.size();
    }
    const pugi::xml_parse_result result = m_piece.load_buffer_inplace(piece, length, Options, pugi::encoding_utf8);
    m_parsed = end;
    return result ? walk(m_piece.first_child()) : Scan::Damaged;
}

XmlReader::Scan XmlReader::openFirstLevel()
{
    const Level outer = this->outer();
    // The start tag alone, closed, is parsed for its name and attributes.
    std::string tag(m_buffer, outer.open, outer.openEnd - outer.open);
    tag.insert(tag.size() - 1, 1, '/');
    const pugi::xml_parse_result result = m_piece.load_buffer_inplace(tag.data(), tag.size(), Options, pugi::encoding_utf8);
    const pugi::xml_node element = m_piece.first_child();
    if (!result || element.type() != pugi::node_element || topElement() != Scan::Ok)
        return Scan::Damaged;
    m_open.emplace_back(element.name());
    startElement(m_open.back(), element);
    ++m_outer;
    m_parsed = outer.openEnd;
    return m_stopped ? Scan::Stopped : Scan::Ok;
}

// A part has one root element.
XmlReader::Scan XmlReader::topElement()
{
    return m_open.empty() && ++m_roots > 1 ? Scan::Damaged : Scan::Ok;
}

// Tells the reader each element and text of a parsed piece, in order.
XmlReader::Scan XmlReader::walk(pugi::xml_node node)
{
    int depth = 0;
    while (node) {
        const pugi::xml_node_type type = node.type();
        bool element = type == pugi::node_element;
        if (element) {
            if (depth == 0 && topElement() != Scan::Ok)
                return Scan::Damaged;
            startElement(node.name(), node);
        } else if (type == pugi::node_pcdata || type == pugi::node_cdata) {
            text(node.value());
        }
        if (m_stopped)
            return Scan::Stopped;
        if (element && node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        for (;;) {
            if (element) {
                endElement(node.name());
                if (m_stopped)
                    return Scan::Stopped;
            }
            if (const pugi::xml_node next = node.next_sibling()) {
                node = next;
                break;
            }
            if (depth-- == 0)
                return Scan::Ok;
            node = node.parent();
            element = true; // text has no children
        }
    }
    return Scan::Ok;
}

void XmlReader::compact()
{
    if (m_parsed == 0)
        return;
    m_buffer.erase(0, m_parsed);
    m_scanned -= m_parsed;
    if (m_resume > 0)
        m_resume -= m_parsed;
    if (m_quote)
        m_valueStart -= m_parsed;
    m_levels.erase(m_levels.begin(), m_levels.begin() + qsizetype(m_outer));
    m_outer = 0;
    for (Level& level : m_levels) {
        level.cut -= m_parsed;
        if (&level != &m_levels.back()) {
            level.open -= m_parsed;
            level.openEnd -= m_parsed;
        }
    }
    m_parsed = 0;
}

// The end of the part: every element that was opened has closed.
XmlReader::Result XmlReader::finish()
{
    switch (parse(outer().cut)) {
    case Scan::Stopped:
        return Result::Stopped;
    case Scan::Damaged:
        return Result::Damaged;
    case Scan::Ok:
        break;
    }
    const bool whole = depth() == 1 && m_scanned == m_buffer.size() && m_open.empty() && m_roots == 1;
    return whole ? Result::Done : Result::Damaged;
}

std::string_view XmlReader::localName(std::string_view name)
{
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}
