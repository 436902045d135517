#pragma once

#include <QByteArrayView>
#include <cstring>
#include <optional>

// Reads comma-separated fields the lenient way the list and settings files are
// read: a field ends at a comma or a line end (CR LF, CR or LF); spaces before
// it are skipped; a quoted field is the text up to the next quote and whatever
// follows up to the terminator is skipped; an unquoted field loses its
// trailing spaces. Line ends carry no meaning beyond ending a field.
// It works on the file's bytes: every character that marks a field is ASCII
// and one byte in Windows-1252, so only the fields themselves need decoding.
class FieldReader {
public:
    explicit FieldReader(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    // Where the next field starts: after a field that ended a line, the next line.
    qsizetype position() const { return m_pos; }

    // The next field, a view into the bytes, or nothing when they end before
    // one (or inside quotes).
    std::optional<QByteArrayView> next();
    // Whether a field read so far held a double quote, which only a field
    // without quotes around it can: the list file cannot write one back.
    bool sawQuote() const { return m_sawQuote; }

private:
    static bool endsField(char c) { return c == ',' || c == '\r' || c == '\n'; }
    void skipTerminator();

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    bool m_sawQuote = false;
};

// Inline: a list of 100.000 addresses asks for half a million fields, and a
// call each, with its result handed back through memory, cost a fifth of a load.

inline std::optional<QByteArrayView> FieldReader::next()
{
    const qsizetype size = m_bytes.size();
    while (m_pos < size && m_bytes[m_pos] == ' ')
        ++m_pos;
    if (m_pos >= size)
        return std::nullopt;

    if (m_bytes[m_pos] == '"') {
        const qsizetype start = m_pos + 1;
        // memchr, not QByteArrayView::indexOf, which Qt 6.4 runs as a string search.
        const void* quote = std::memchr(m_bytes.data() + start, '"', size_t(size - start));
        if (!quote) {
            m_pos = size;
            return std::nullopt;
        }
        const qsizetype close = static_cast<const char*>(quote) - m_bytes.data();
        m_pos = close + 1;
        while (m_pos < size && !endsField(m_bytes[m_pos]))
            ++m_pos;
        skipTerminator();
        return m_bytes.sliced(start, close - start);
    }

    const qsizetype start = m_pos;
    while (m_pos < size && !endsField(m_bytes[m_pos])) {
        m_sawQuote = m_sawQuote || m_bytes[m_pos] == '"';
        ++m_pos;
    }
    qsizetype end = m_pos;
    while (end > start && m_bytes[end - 1] == ' ')
        --end;
    skipTerminator();
    return m_bytes.sliced(start, end - start);
}

inline void FieldReader::skipTerminator()
{
    if (m_pos >= m_bytes.size())
        return;
    const char c = m_bytes[m_pos++];
    if (c == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
        ++m_pos;
}
