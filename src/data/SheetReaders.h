#pragma once

#include <QIODevice>
#include <QStringList>
#include <functional>

// A sheet's rows as they are read: the cells as the spreadsheet shows them
// (empty cells as empty strings), and the row's number as the spreadsheet
// shows it. Empty rows are not handed on.
using SheetRowSink = std::function<void(const QStringList& cells, qsizetype number)>;

enum class SheetRead { Done, Damaged, TooBig };

// The first table of an .ods file's content.xml.
SheetRead readOdsFirstTable(QIODevice& content, const SheetRowSink& sink);

// What an .xlsx file's cells refer to by number: the texts of sharedStrings.xml,
// and for each cell format of styles.xml the digits a format such as 00000
// pads a whole number to (0: none).
struct XlsxShared {
    QStringList strings;
    QList<qsizetype> zeroPadding;
};
bool readXlsxSharedStrings(QIODevice& part, QStringList& strings);
bool readXlsxZeroPadding(QIODevice& styles, QList<qsizetype>& widths);

// One sheet of an .xlsx file.
SheetRead readXlsxSheet(QIODevice& part, const XlsxShared& shared, const SheetRowSink& sink);

// A whole number as its digits, as a cell holding a postcode or a house
// number shows it; other numbers with the decimal comma.
QString shownNumber(double value);
