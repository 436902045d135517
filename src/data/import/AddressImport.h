#pragma once

#include "data/import/ColumnChoices.h"
#include "data/import/ImportResult.h"
#include "data/import/TableImport.h"

#include <QHash>
#include <atomic>

// What to import: files dropped on the window or copied in the file
// manager, or else text from the clipboard; the column choices remembered
// by column names, and those the user made for this import.
struct ImportInput {
    QStringList files;
    QString pastedText;
    ColumnChoices remembered;
    QHash<QString, ColumnChoice> answers; // by the file's path; empty for the pasted text
    // "Kolommen kiezen" after the question: each table asks about its columns, preset as they were used.
    bool showColumns = false;
};

struct ImportOutcome {
    // The addresses to add, without those the list holds already, and why
    // rows were left out, and which columns were used.
    ImportResult result;
    // A table whose columns the user must place first; then nothing is added yet.
    std::optional<ColumnQuestion> question;
    bool cancelled = false;
};

// The one way in: reads every file (or the pasted text), by its name's
// extension: .csv and .txt (delimited text), .vcf (vCard), .lst (another
// list), .xlsx and .ods (a spreadsheet's first sheet; an old .xls is told
// as such). Stops soon after
// cancelled is set.
ImportOutcome importAddresses(const ImportInput& input, const QList<AddressRecord>& listRows,
                              const std::atomic_bool& cancelled);

// One file's bytes, read as importAddresses reads it (duplicates are not left out).
ImportOutcome importFileBytes(const QString& fileName, const QByteArray& bytes, const ImportInput& input = {},
                              const std::atomic_bool& cancelled = NeverCancelled);

// Rows as a spreadsheet takes them from the clipboard: a line each (LF), the
// five fields between tabs; a field holding a tab, a quote or a line break
// stands between quotes, so pasting the text back gives the same addresses.
QString addressesAsText(const QList<AddressRecord>& addresses);

// Text from the clipboard: spreadsheet rows (tab-separated), one line, or an
// address copied from a mail with one field a line.
ImportOutcome importPastedText(const QString& text, const ImportInput& input = {},
                               const std::atomic_bool& cancelled = NeverCancelled);
