#pragma once

#include "data/AddressRecord.h"

#include <QList>
#include <QStringList>
#include <array>

// What each column of a table holds: an address field, or nothing (Unused).
// Several columns of one field are joined by a blank, in the file's order.
struct ColumnUses {
    static constexpr int Unused = -1;
    QList<int> fieldOf; // per column

    // The five fields a row of cells makes; for Adres a part that starts
    // with a dash is joined to the number before it ("8" and "-2": "8-2").
    std::array<QString, AddressRecord::FieldCount> fields(const QStringList& cells) const;
    bool places(int field) const { return fieldOf.contains(field); }
    // Naam, Adres and Woonplaats each have a column: enough for a label.
    bool placesLabel() const
    {
        return places(AddressRecord::Naam) && places(AddressRecord::Adres) && places(AddressRecord::Woonplaats);
    }
    // Columns in the order a row without column names gives its fields.
    static ColumnUses inFieldOrder(qsizetype columns);
};

// The columns a header row's names place, by the names that club exports,
// address books and Outlook, Google and Thunderbird use (Dutch, English,
// German and French, without case and accents). known counts the names
// recognised, used or not.
struct Recognised {
    ColumnUses uses;
    int known = 0;
};
Recognised recogniseColumns(const QStringList& header);

// Whether a row is the header: two known column names, or one known and
// nothing that looks like data (a digit, an @).
bool isHeaderRow(const QStringList& cells);
// Whether a row looks like column names nobody knows: text only, several
// cells, each different.
bool looksLikeColumnNames(const QStringList& cells);

// "Gebruikt: Voornaam + Achternaam → Naam, … Niet gebruikt: E-mail." for the
// names of a header (or "Kolom A" …).
QString usesText(const QStringList& names, const ColumnUses& uses);
// "Kolom A", "Kolom B", … "Kolom AA" for a column without a name.
QString columnLetterName(qsizetype column);
