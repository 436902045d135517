#pragma once

#include "data/AddressRecord.h"

#include <QList>
#include <QStringList>
#include <array>

// No list holds more rows, or more text; a file that would give more is refused as it is read.
constexpr qsizetype MostImportRows = 2'000'000;
constexpr qsizetype MostImportCharacters = 200'000'000;

// Addresses read from another program's text, and why rows were left out.
struct ImportResult {
    QList<AddressRecord> addresses;
    // The first few reasons, in the order met ("regel 4: geen naam"), and how
    // many rows were left out in all: a file of millions of bad rows must not
    // keep a reason for each.
    QStringList reasons;
    qsizetype leftOut = 0;
    qsizetype duplicates = 0; // left out because the list holds them already
    QStringList duplicateNames; // the names of the first few of those
    // Rows kept with letters the list cannot spell replaced by the nearest it
    // can ("regel 15: Ayşe Yılmaz wordt Ayse Yilmaz"): the first few, and how many.
    QStringList changes;
    qsizetype changed = 0;
    // For each table read, which columns made which field and which were not used.
    QStringList columnNotes;
    static constexpr qsizetype ShownReasons = 3;

    void leaveOut(const QString& reason, qsizetype rows = 1)
    {
        keep(reasons, reason);
        leftOut += rows;
    }
    // The file as a whole cannot be read; the reason names it.
    void refuse(const QString& reason)
    {
        leaveOut(reason);
        m_namingTheFile.append(reason);
    }
    void noteDuplicate(const QString& name, qsizetype count = 1)
    {
        keep(duplicateNames, name);
        duplicates += count;
    }
    void noteChange(const QString& change)
    {
        keep(changes, change);
        ++changed;
    }
    // Another file's result after this one's; fileName, when given, names the
    // file in each of its notes that does not name it already.
    void append(const ImportResult& other, const QString& fileName = {});

private:
    QStringList m_namingTheFile; // the reasons that name their file already
    // Only the first few of each kind are kept.
    static void keep(QStringList& shown, const QString& text)
    {
        if (shown.size() < ShownReasons)
            shown.append(text);
    }
};

// Turns rows of five values into addresses the way the list takes them:
// spaces at the ends go, an empty Land becomes "Nederland", a row without a
// name or with a character the list file cannot hold is left out.
class ImportCollector {
public:
    // A row from a file must hold an address beyond a name: a label with
    // only a name is of no use.
    void requireAddress() { m_requireAddress = true; }
    // Adds the row, or leaves it out with its reason; repeat counts the
    // same row given more times, which are doubles of the first.
    void add(std::array<QString, AddressRecord::FieldCount> fields, qsizetype line, qsizetype repeat = 1);
    void leaveOut(qsizetype line, const QString& why, qsizetype rows = 1);
    ImportResult& result() { return m_result; }
    ImportResult take() { return std::move(m_result); }
    void reserve(qsizetype rows) { m_result.addresses.reserve(rows); }

private:
    ImportResult m_result;
    bool m_requireAddress = false;
};

// The country as the list takes it: a postcode's country prefix ("B-2000")
// and a country code ("NL", "DEU") as the country's name; none: Nederland.
void takeCountryAsTheListDoes(std::array<QString, AddressRecord::FieldCount>& fields);

// Why a character keeps a field out of the list.
QString unstorableWhy(const QString& character);
