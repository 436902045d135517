#pragma once

#include "data/import/ColumnChoices.h"
#include "data/import/ImportResult.h"
#include "data/import/RowFilter.h"
#include "data/import/RowSink.h"

#include <atomic>
#include <optional>

// The columns of one table as chosen: the row that holds the column names
// (the row's number as the user's program shows it; 0: none), and what each
// column holds, and which rows come in.
struct ColumnChoice {
    ColumnChoice() = default;
    ColumnChoice(qsizetype header, ColumnUses columnUses, RowFilter rows = {})
        : headerRow(header)
        , uses(std::move(columnUses))
        , filter(std::move(rows))
    {
    }
    qsizetype headerRow = 0;
    ColumnUses uses;
    RowFilter filter;
};

struct TableRow {
    QStringList cells;
    qsizetype number = 0;
    qsizetype repeat = 1; // how many times the file gives it
};

// The names in the row of that number among rows; none when it is not there.
QStringList namesIn(const QList<TableRow>& rows, qsizetype headerRow);

// A table whose columns the user must place before anything is added: its
// first rows as read, what was recognised, and the values of every row.
struct ColumnQuestion {
    QString source; // the file's path; empty for pasted text
    QList<TableRow> rows;
    ColumnChoice proposed;
    qsizetype columns = 0;
    ValueCounts values; // of every row, the header's included

    // The values of the rows below the header.
    ValueCounts valuesBelow(qsizetype headerRow) const;
    // The names in the header row, or none.
    QStringList namesAt(qsizetype headerRow) const;
    // Where the rows below the header start in rows.
    qsizetype firstDataRow(qsizetype headerRow) const;
};

enum class TableSource { File, Paste };

// Rows of a table (delimited text, a spreadsheet's sheet) turned into
// addresses. The header is looked for among the first rows, below titles
// and notes; its names place the columns, or the choice remembered for those
// names. Where Naam, Adres or Woonplaats cannot be placed, nothing is added:
// the user is asked (question()). From a file, rows with a name but no
// address are left out. Pasted rows without column names are read in the
// list's own order.
class TableImport : public RowSink {
public:
    // With showColumns the columns are asked about even when they are known
    // or answered, proposed as they would be used.
    TableImport(TableSource source, const ColumnChoices& remembered, std::optional<ColumnChoice> answer,
                const std::atomic_bool& cancelled, bool showColumns = false);
    bool addRow(const QStringList& cells, qsizetype number, qsizetype repeat) override;
    void reserve(qsizetype rows) { m_collector.reserve(rows); }
    // After the last row.
    void finish();

    // More rows or more text than any list: nothing of it is kept.
    bool tooBig() const { return m_tooBig; }
    // The user must place the columns first: this table's first rows and what was recognised.
    std::optional<ColumnQuestion> question() const;
    ImportResult take() { return m_collector.take(); }

private:
    void decide();
    void use(const ColumnChoice& choice);
    void useOrShow(const ColumnChoice& choice);
    ColumnChoice withTurnedNames(ColumnChoice choice) const;
    void noteTurnedName();
    void noteFilter();
    void ask(const ColumnChoice& proposed);
    void collect(const QStringList& cells, qsizetype number, qsizetype repeat);
    std::optional<ColumnChoice> headerChoice(bool& remembered) const;
    QStringList namesAt(qsizetype headerRow) const;

    TableSource m_source;
    const ColumnChoices& m_remembered;
    std::optional<ColumnChoice> m_answer;
    const std::atomic_bool& m_cancelled;
    bool m_showColumns;
    ImportCollector m_collector;
    QList<TableRow> m_waiting; // rows read while the header is looked for
    ValueCounts m_values;      // counted once the user is to be asked
    std::optional<ColumnChoice> m_choice;
    std::optional<ColumnChoice> m_proposed; // asked about instead of read
    qsizetype m_rows = 0;
    qsizetype m_characters = 0;
    qsizetype m_workAddresses = 0; // rows that had only a work address
    bool m_tooBig = false;
};
