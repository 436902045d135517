#include "data/FieldReader.h"

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
        const qsizetype close = m_bytes.indexOf('"', start);
        if (close < 0) {
            m_pos = size;
            return std::nullopt;
        }
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
