#pragma once

#include "data/import/ImportResult.h"

// Leaves out of an import every address that the list holds already, or
// that came earlier in the same import, and counts them. Two addresses are
// the same when their five fields are, spaces at the ends not counting.
void leaveOutDuplicates(ImportResult& imported, const QList<AddressRecord>& list);
