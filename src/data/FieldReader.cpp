#include "data/FieldReader.h"

#include <cstring>

namespace {
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool endsField(char c) { return c == ',' || isLineEnd(c); }
}

std::optional<QByteArrayView> FieldReader::next()
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
    while (m_pos < size && !endsField(m_bytes[m_pos]))
        ++m_pos;
    qsizetype end = m_pos;
    while (end > start && m_bytes[end - 1] == ' ')
        --end;
    skipTerminator();
    return m_bytes.sliced(start, end - start);
}

void FieldReader::skipTerminator()
{
    if (m_pos >= m_bytes.size())
        return;
    const char c = m_bytes[m_pos++];
    if (c == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
        ++m_pos;
}
