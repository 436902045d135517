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

// The texts an .xlsx file's sharedStrings.xml lists; cells refer to them by number.
bool readXlsxSharedStrings(QIODevice& part, QStringList& strings);

// One sheet of an .xlsx file.
SheetRead readXlsxSheet(QIODevice& part, const QStringList& sharedStrings, const SheetRowSink& sink);

// A whole number as its digits, as a cell holding a postcode or a house
// number shows it; other numbers with the decimal comma.
QString shownNumber(double value);
