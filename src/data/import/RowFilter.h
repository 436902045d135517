#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

// Which rows of a table come in: those whose cell in one column holds one of
// the chosen values. A cell may hold several values separated by a comma, a
// semicolon or "|", as exports of teams and roles do ("Heren 1, Veteranen");
// an empty cell holds the value "" ("(leeg)").
struct RowFilter {
    qsizetype column = -1; // -1: every row comes in
    QSet<QString> values;

    bool active() const { return column >= 0; }
    bool takes(const QStringList& cells) const;
};

// The values a cell holds, each without blanks at its ends; {""} for an empty cell.
QStringList cellValues(const QString& cell);
// "Senior, Junior" for a filter's values, in the order the user saw them.
QString valuesText(const QSet<QString>& values);
// How a value is shown: "(leeg)" for the empty one.
QString shownValue(const QString& value);

struct CountedValue {
    QString value;
    qsizetype rows = 0;
};

// The values of every column of a table, counted as its rows are read. A
// column with long cells or many different ones (names, streets) is no group
// to choose from: its counting stops, so a big file keeps little.
class ValueCounts {
public:
    static constexpr qsizetype MostDifferentCells = 1000;
    static constexpr qsizetype LongestValue = 100;

    void add(const QStringList& cells, qsizetype repeat);
    void remove(const QStringList& cells, qsizetype repeat);
    qsizetype rows() const { return m_rows; }
    // Too many different cells to count: nothing to choose from.
    bool tooMany(qsizetype column) const;
    // The column's values in alphabetical order, "(leeg)" last, each with its rows.
    QList<CountedValue> values(qsizetype column) const;
    // The rows that hold at least one of the chosen values.
    qsizetype rowsTaken(const RowFilter& filter) const;

private:
    struct Column {
        QHash<QString, qsizetype> cells; // rows by the cell's text; empty cells are not kept
        bool tooMany = false;
    };
    qsizetype emptyRows(const Column& column) const;

    QList<Column> m_columns;
    qsizetype m_rows = 0;
};
