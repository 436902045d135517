#pragma once

#include "data/import/ImportResult.h"

#include <QByteArray>

// Contacts in vCard 2.1, 3.0 or 4.0; only those with a postal address.
ImportResult importVCard(const QByteArray& bytes);
