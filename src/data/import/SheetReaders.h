#pragma once

#include "data/import/CellFormat.h"
#include "data/import/RowSink.h"
#include "data/import/XmlReader.h"

#include <QIODevice>
#include <atomic>
#include <vector>

// The rows a sheet of either program can hold; a row number past them is no sheet's.
constexpr qsizetype SheetRows = 1048576;

enum class SheetRead { Done, Damaged, TooBig, Stopped };

// What an XML reader's end means for the sheet: stopped by the user, or by
// the reader itself when it had all it needed.
SheetRead sheetReadOf(XmlReader::Result result, const std::atomic_bool& cancelled);

// The first table a tab shows in an .ods file's content.xml.
SheetRead readOdsFirstTable(QIODevice& content, RowSink& sink, const std::atomic_bool& cancelled);

// The texts of an .xlsx file's sharedStrings.xml, all in one string: a
// million short names cost a million offsets, not a million strings.
class SharedStrings {
public:
    void append(QStringView text);
    QString at(qint64 index) const;
    qsizetype size() const { return qsizetype(m_starts.size()); }
    qsizetype characters() const { return m_text.size(); }

private:
    QString m_text;
    std::vector<qsizetype> m_starts;
};

// What an .xlsx sheet's cells refer to: the shared texts, the number format
// of each cell style, and whether days count from 1904.
struct XlsxShared {
    SharedStrings strings;
    std::vector<CellFormat> formats;
    bool date1904 = false;
};
SheetRead readXlsxSharedStrings(QIODevice& part, SharedStrings& strings, const std::atomic_bool& cancelled);
SheetRead readXlsxStyles(QIODevice& styles, std::vector<CellFormat>& formats, const std::atomic_bool& cancelled);

// One sheet of an .xlsx file.
SheetRead readXlsxSheet(QIODevice& part, const XlsxShared& shared, RowSink& sink, const std::atomic_bool& cancelled);
