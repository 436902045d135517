#pragma once

#include "data/AddressRecord.h"

#include <QList>
#include <QStringList>
#include <array>
#include <optional>

// Where each address field is in a table with a header row: the columns
// whose values, joined by a space, make the field (none: the field is empty).
struct ColumnMap {
    std::array<QList<int>, AddressRecord::FieldCount> columns;
};

// Maps a first row of known column names (case and accents ignored); nothing
// when the row does not look like a header (fewer than two fields known).
std::optional<ColumnMap> mapHeader(const QStringList& header);
