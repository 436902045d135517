#pragma once

#include "data/import/CellFormat.h"
#include "data/import/RowSink.h"
#include "data/import/SheetRead.h"

#include <QIODevice>
#include <optional>
#include <vector>

// Excel's .xlsx: a zip whose relations lead from the package to the
// workbook, and from there to the first shown sheet, its shared texts and
// its cell styles.

// The first sheet the workbook's tabs show; nothing when the zip holds no
// workbook with such a sheet.
std::optional<SheetRead> readXlsx(const ZipReader& zip, RowSink& sink, const std::atomic_bool& cancelled);

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
