#pragma once

#include "data/AddressRecord.h"

#include <QList>
#include <QString>

// Finding and ordering addresses the way a Dutch reader expects: case and
// accents do not count ("zoe" finds "Zoë"), and numbers in a text count as
// numbers ("Straat 9" before "Straat 10").

// The first row after `after`, going round past the end, in one of whose
// fields the text stands; -1 when none holds it.
int findAddress(const QList<AddressRecord>& addresses, const QString& text, int after);

// The rows in the order of one field (old row numbers, first to last);
// rows that compare equal keep their order.
QList<int> sortedRows(const QList<AddressRecord>& addresses, int field, Qt::SortOrder order);
