#pragma once

#include "data/AddressRecord.h"

#include <QString>
#include <optional>

// The country of an address whose Land was left empty: where the program's users live.
inline const QString DefaultLand = QStringLiteral("Nederland");

// The countries whose postcodes the program knows, however a Land spells
// them ("NL", "Nederlân", "Pays-Bas" ...); an empty Land is the home country.
enum class Country { Netherlands, Belgium, Germany, Other };
Country countryOf(QStringView land);
// The country's own name in Dutch ("Nederland", "België", "Duitsland"); for
// another country the Land as typed.
QString countryName(QStringView land);

// Whether the postcode is written as the country writes its postcodes (a
// Dutch one with or without its blank); any postcode of another country is.
bool isValidPostcode(QStringView postcode, Country country);

// The postcode as it is printed: a Dutch one as PostNL writes it ("1000 AB"),
// any other as typed. One printed as typed shares the text's memory, as
// passOn() does: print it at once, never keep it.
QString printedPostcode(QStringView postcode, Country country);

// The Dutch name of a country given as its ISO 3166 code, two or three
// letters in any case ("FR", "bel", "DEU": "Frankrijk", "België",
// "Duitsland"); empty when the text is no such code.
QString countryOfCode(QStringView code);

// A Land as it goes on a label: a code as the country's name, anything else as typed.
QString printedLand(QStringView land);

// A postcode written with its country in front, as "B-2000", "D-01067" or
// "NL-1234 AB": the postcode alone and the country's name.
struct PrefixedPostcode {
    QString postcode;
    QString land;
};
std::optional<PrefixedPostcode> withoutCountryPrefix(QStringView postcode);
