#pragma once

#include "data/AddressRecord.h"

#include <QString>

// The country of an address whose Land was left empty: where the program's users live.
inline const QString DefaultLand = QStringLiteral("Nederland");

// Whether a Land names the home country, however it is spelt ("NL",
// "Nederlân", "Pays-Bas" ...); an empty one does too.
bool isHomeCountry(QStringView land);

// Whether an address goes abroad: its Land is filled in and is not the home country.
bool isAbroad(const AddressRecord& address);
