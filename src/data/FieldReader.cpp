#include "data/FieldReader.h"

namespace {
bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
bool endsField(QChar c) { return c == QLatin1Char(',') || isLineEnd(c); }
}

std::optional<QStringView> FieldReader::next()
{
    const qsizetype size = m_text.size();
    while (m_pos < size && m_text[m_pos] == QLatin1Char(' '))
        ++m_pos;
    if (m_pos >= size)
        return std::nullopt;

    if (m_text[m_pos] == QLatin1Char('"')) {
        const qsizetype start = m_pos + 1;
        const qsizetype close = m_text.indexOf(QLatin1Char('"'), start);
        if (close < 0) {
            m_pos = size;
            return std::nullopt;
        }
        m_pos = close + 1;
        while (m_pos < size && !endsField(m_text[m_pos]))
            ++m_pos;
        skipTerminator();
        return m_text.sliced(start, close - start);
    }

    const qsizetype start = m_pos;
    while (m_pos < size && !endsField(m_text[m_pos]))
        ++m_pos;
    qsizetype end = m_pos;
    while (end > start && m_text[end - 1] == QLatin1Char(' '))
        --end;
    skipTerminator();
    return m_text.sliced(start, end - start);
}

void FieldReader::skipTerminator()
{
    if (m_pos >= m_text.size())
        return;
    const QChar c = m_text[m_pos++];
    if (c == QLatin1Char('\r') && m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\n'))
        ++m_pos;
}
