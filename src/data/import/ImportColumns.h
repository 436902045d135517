#pragma once

#include "data/AddressRecord.h"

#include <QList>
#include <QStringList>
#include <array>

// What each column of a table holds: an address field, or nothing (Unused).
// Several columns of one field are joined by a blank, in the file's order.
// Known column names also say which part of a name or address a column is,
// and whether it belongs to the home or the work address.
struct ColumnUses {
    static constexpr int Unused = -1;
    enum class Part : quint8 { Plain, CallName, GivenName, Initials, Middle, Last, Whole, Box };
    enum class Kind : quint8 { Any, Home, Work };
    QList<int> fieldOf;   // per column
    QList<Part> partOf;   // per column; missing ones are Plain
    QList<Kind> kindOf;   // per column; missing ones are Any
    bool turnNames = false; // the whole name is written surname first ("Vries, Jan de")

    // The five fields a row of cells makes. With name parts (a last name and
    // a first name or initials) the parts make the Naam: the first of call
    // name, given name and initials that the row fills, then the prefix and
    // the last name; the whole name only when they are all empty. A row
    // takes its home address when any part of it is filled, else its work
    // address. For Adres a part that starts with a dash is joined to the
    // number before it ("8" and "-2": "8-2"), a box number follows "bus"; a
    // line break inside a cell is a blank. tookWorkAddress, when given, tells
    // whether a row that could have had either took its work address.
    std::array<QString, AddressRecord::FieldCount> fields(const QStringList& cells, bool* tookWorkAddress = nullptr) const;
    // The column of the whole name, whose values may be turned round; -1: none.
    qsizetype wholeNameColumn() const;
    // The parts and kinds of known, where the column still makes the same field.
    void keepPartsOf(const ColumnUses& known);
    bool places(int field) const { return fieldOf.contains(field); }
    // Naam, Adres and Woonplaats each have a column: enough for a label.
    bool placesLabel() const
    {
        return places(AddressRecord::Naam) && places(AddressRecord::Adres) && places(AddressRecord::Woonplaats);
    }
    // Columns in the order a row without column names gives its fields.
    static ColumnUses inFieldOrder(qsizetype columns);

private:
    Part part(qsizetype column) const { return partOf.value(column, Part::Plain); }
    Kind kind(qsizetype column) const { return kindOf.value(column, Kind::Any); }
    bool hasNameParts() const;
    Kind skippedKind(const QStringList& cells) const;
    QString name(const QStringList& cells) const;
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
