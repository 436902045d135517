#pragma once

#include <QStringList>
#include <atomic>

// Addresses sit in the first columns; a cell far to the right is not read,
// so a row cannot grow to thousands of columns.
constexpr qsizetype ReadColumns = 256;
// No field of an address is this long; a longer cell is told and left out.
// Readers keep one character more, so the import can tell.
constexpr qsizetype LongestCell = 10'000;
// The UTF-8 bytes a reader keeps of a cell: enough for one character past the longest.
constexpr size_t LongestCellBytes = size_t(LongestCell + 1) * 4;

// Where a reader hands the rows of its table, one at a time.
class RowSink {
public:
    virtual ~RowSink() = default;
    // A filled row: its cells as shown (empty ones empty), its number as the
    // user's program shows it, and how many times the file repeats it.
    // False: read no further.
    virtual bool addRow(const QStringList& cells, qsizetype number, qsizetype repeat) = 0;
};

// Text kept to one character past the longest cell.
inline void capCell(QString& text)
{
    if (text.size() > LongestCell + 1)
        text.truncate(LongestCell + 1);
}

// For a read nobody can cancel.
inline const std::atomic_bool NeverCancelled{false};
