#pragma once

#include "data/AddressRecord.h"
#include "data/ImportColumns.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <array>
#include <optional>

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
    static constexpr qsizetype ShownReasons = 3;

    void leaveOut(const QString& reason)
    {
        keep(reasons, reason);
        ++leftOut;
    }
    void noteDuplicate(const QString& name)
    {
        keep(duplicateNames, name);
        ++duplicates;
    }
    void noteChange(const QString& change)
    {
        keep(changes, change);
        ++changed;
    }
    // Another file's result after this one's; fileName, when given, names the
    // file in each of its reasons that does not name it already.
    void append(const ImportResult& other, const QString& fileName = {})
    {
        const QString prefix = fileName.isEmpty() ? QString() : fileName + QStringLiteral(", ");
        addresses.append(other.addresses);
        for (const QString& reason : other.reasons)
            keep(reasons, reason.startsWith(fileName) ? reason : prefix + reason);
        leftOut += other.leftOut;
        for (const QString& name : other.duplicateNames)
            keep(duplicateNames, name);
        duplicates += other.duplicates;
        for (const QString& change : other.changes)
            keep(changes, prefix + change);
        changed += other.changed;
    }

private:
    // Only the first few of each kind are kept.
    static void keep(QStringList& shown, const QString& text)
    {
        if (shown.size() < ShownReasons)
            shown.append(text);
    }
};

// Turns rows of up to five values into addresses the way the list takes
// them: spaces at the ends go, an empty Land becomes "Nederland", a row
// without a name or with a character the list file cannot hold is left out.
class ImportCollector {
public:
    // A row from a file must hold an address beyond a name: a label with
    // only a name is of no use.
    void requireAddress() { m_requireAddress = true; }
    void add(std::array<QString, AddressRecord::FieldCount> fields, qsizetype line);
    void leaveOut(qsizetype line, const QString& why);
    ImportResult take() { return std::move(m_result); }
    void reserve(qsizetype rows) { m_result.addresses.reserve(rows); }

private:
    ImportResult m_result;
    bool m_requireAddress = false;
};

// Rows of a table (delimited text, a spreadsheet's sheet) as addresses: a
// first row of known column names maps the columns. From a file, a first row
// of unknown column names and rows with a name but no address are left out.
enum class DelimitedSource { File, Paste };
class TableImport {
public:
    explicit TableImport(DelimitedSource source);
    // number is the row as the user's program shows it, for the reasons.
    void addRow(const QStringList& cells, qsizetype number);
    void reserve(qsizetype rows) { m_collector.reserve(rows); }
    ImportResult take() { return m_collector.take(); }

private:
    bool takeHeader(const QStringList& cells, qsizetype number);

    DelimitedSource m_source;
    ImportCollector m_collector;
    std::optional<ColumnMap> m_map;
    bool m_first = true;
};

// A file dropped on the window, by its name's extension: .csv and .txt
// (delimited text), .vcf (vCard), .lst (another list), .xlsx and .ods
// (a spreadsheet's first sheet).
ImportResult importFile(const QString& fileName, const QByteArray& bytes);

// Delimited text: comma, semicolon or tab, whichever the first lines use,
// quoted as RFC 4180 says, read as a table.
ImportResult importDelimited(const QString& text, DelimitedSource source);

// Text from the clipboard: spreadsheet rows (tab-separated), one line, or an
// address copied from a mail with one field a line.
ImportResult importPastedText(const QString& text);

// Contacts in vCard 2.1, 3.0 or 4.0; only those with a postal address.
ImportResult importVCard(const QByteArray& bytes);

// Rows as a spreadsheet takes them from the clipboard: a line each (LF), the
// five fields between tabs; a field holding a tab, a quote or a line break
// stands between quotes, so pasting the text back gives the same addresses.
QString addressesAsText(const QList<AddressRecord>& addresses);
