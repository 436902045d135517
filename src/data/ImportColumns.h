#pragma once

#include "data/AddressRecord.h"

#include <QList>
#include <QStringList>
#include <array>

// Where each address field is in a table with a header row: the columns
// whose values, joined by a space, make the field (none: the field is empty).
struct ColumnMap {
    std::array<QList<int>, AddressRecord::FieldCount> columns;
};

// What a first row is: column names mapped into map (two known, or one in a
// row that looks like column names), column names not known (text only, at
// least three cells, all different), or no header but an address.
enum class HeaderKind { Known, Unknown, None };
HeaderKind mapHeader(const QStringList& header, ColumnMap& map);
