#pragma once

#include "data/import/ImportResult.h"
#include "data/import/RowSink.h"

#include <QByteArray>

// Contacts in vCard 2.1, 3.0 or 4.0; only those with a postal address.
// Stops soon after cancelled is set. More contacts than any list holds:
// nothing kept, and tooBig set.
ImportResult importVCard(const QByteArray& bytes, const std::atomic_bool& cancelled = NeverCancelled, bool* tooBig = nullptr);
