#pragma once

#include "data/AddressRecord.h"

#include <QList>
#include <QStringList>

// A mailing as a club sends it: one label per household, and a look at the
// addresses before anything prints. The list itself is never changed.

// Addresses behind the same door are one household: the same postcode
// (blanks and case aside), house number and suffix ("80 A" and "80 B" are
// two doors) and country (NL and Nederland are one). Without a postcode, the
// street and the town stand for it; an address without a street is nobody's
// housemate.
struct Households {
    QList<AddressRecord> labels; // one a household, at its first member's place
    qsizetype joined = 0;        // households of more than one address
    QStringList jointNames;      // the joint names of the first of those
    static constexpr qsizetype ShownNames = 10;
};
Households householdLabels(const QList<AddressRecord>& addresses);
// How many labels householdLabels makes of the addresses.
qsizetype householdCount(const QList<AddressRecord>& addresses);

// Where the house number of an Adres starts: the last word that starts with
// a digit and follows no box word ("Kanaalweg 80 A": 10, "Meir 24 bus 3": 5);
// -1 when there is none.
qsizetype houseNumberAt(QStringView adres);

// Whether a word comes before a box or flat number ("bus 3", "app 3", "boîte 2"):
// that number is the door's suffix, not its house number.
bool isBoxWord(QStringView word);

// One name for the members of a household: "Fam. de Vries" when every name
// has the same words after its first, otherwise "Kees Bakker en Anna Smit".
QString jointName(const QStringList& names);

// What looks wrong with an address before it goes by post: "geen straat",
// "geen postcode", "geen woonplaats", "postcode 9711 past niet bij
// Nederland"; none when it looks right.
QStringList addressProblems(const AddressRecord& address);
