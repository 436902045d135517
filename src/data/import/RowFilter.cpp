#include "data/import/RowFilter.h"

#include "data/import/RowSink.h"

#include <algorithm>

namespace {

bool isSeparator(QChar c) { return c == u',' || c == u';' || c == u'|'; }

// Alphabetical as the user reads it, the empty value last.
bool shownBefore(const QString& a, const QString& b)
{
    if (a.isEmpty() != b.isEmpty())
        return b.isEmpty();
    return QString::localeAwareCompare(a, b) < 0;
}

}

QStringList cellValues(const QString& cell)
{
    QStringList values;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= cell.size(); ++i) {
        if (i < cell.size() && !isSeparator(cell[i]))
            continue;
        const QString value = cell.mid(start, i - start).trimmed();
        if (!value.isEmpty() && !values.contains(value))
            values.append(value);
        start = i + 1;
    }
    if (values.isEmpty())
        values.append(QString());
    return values;
}

namespace {

bool holdsAny(const QString& cell, const QSet<QString>& values)
{
    const QStringList held = cellValues(cell);
    return std::any_of(held.begin(), held.end(), [&](const QString& value) { return values.contains(value); });
}

}

bool RowFilter::takes(const QStringList& cells) const
{
    if (!active())
        return true;
    return holdsAny(cells.value(column), values);
}

QString shownValue(const QString& value) { return value.isEmpty() ? QStringLiteral("(leeg)") : value; }

QString valuesText(const QSet<QString>& values)
{
    QStringList sorted(values.begin(), values.end());
    std::sort(sorted.begin(), sorted.end(), shownBefore);
    for (QString& value : sorted)
        value = shownValue(value);
    return sorted.join(QStringLiteral(", "));
}

void ValueCounts::add(const QStringList& cells, qsizetype repeat)
{
    m_rows += repeat;
    const qsizetype columns = std::min(cells.size(), ReadColumns);
    if (m_columns.size() < columns)
        m_columns.resize(columns);
    for (qsizetype c = 0; c < columns; ++c) {
        Column& column = m_columns[c];
        const QString& cell = cells[c];
        if (column.tooMany || cell.isEmpty())
            continue;
        column.cells[cell] += repeat;
        if (cell.size() > LongestValue || column.cells.size() > MostDifferentCells) {
            column.tooMany = true;
            column.cells = {};
        }
    }
}

void ValueCounts::remove(const QStringList& cells, qsizetype repeat)
{
    m_rows -= repeat;
    for (qsizetype c = 0; c < std::min(cells.size(), m_columns.size()); ++c) {
        auto found = m_columns[c].cells.find(cells[c]);
        if (found != m_columns[c].cells.end() && (*found -= repeat) <= 0)
            m_columns[c].cells.erase(found);
    }
}

bool ValueCounts::tooMany(qsizetype column) const { return column < m_columns.size() && m_columns[column].tooMany; }

qsizetype ValueCounts::emptyRows(const Column& column) const
{
    qsizetype filled = 0;
    for (const qsizetype rows : column.cells)
        filled += rows;
    return m_rows - filled;
}

QList<CountedValue> ValueCounts::values(qsizetype column) const
{
    if (column >= m_columns.size())
        return m_rows > 0 ? QList<CountedValue>{{QString(), m_rows}} : QList<CountedValue>{};
    QHash<QString, qsizetype> rows;
    for (auto cell = m_columns[column].cells.begin(); cell != m_columns[column].cells.end(); ++cell)
        for (const QString& value : cellValues(cell.key()))
            rows[value] += cell.value();
    if (const qsizetype empty = emptyRows(m_columns[column]); empty > 0)
        rows[QString()] += empty;
    QList<CountedValue> counted;
    for (auto value = rows.begin(); value != rows.end(); ++value)
        counted.append({value.key(), value.value()});
    std::sort(counted.begin(), counted.end(), [](const CountedValue& a, const CountedValue& b) { return shownBefore(a.value, b.value); });
    return counted;
}

qsizetype ValueCounts::rowsTaken(const RowFilter& filter) const
{
    if (!filter.active())
        return m_rows;
    if (filter.column >= m_columns.size())
        return filter.values.contains(QString()) ? m_rows : 0;
    const Column& column = m_columns[filter.column];
    qsizetype taken = filter.values.contains(QString()) ? emptyRows(column) : 0;
    for (auto cell = column.cells.begin(); cell != column.cells.end(); ++cell)
        if (holdsAny(cell.key(), filter.values))
            taken += cell.value();
    return taken;
}
