#pragma once

#include "data/AddressRecord.h"
#include "data/import/RowSink.h"

#include <QString>

// Delimited text (comma, semicolon or tab, whichever the first line uses
// most), quoted as RFC 4180 says, read with libcsv into rows of cells, until
// the sink says stop.
void readDelimited(const QString& text, RowSink& sink);

// Rows as a spreadsheet takes them from the clipboard: a line each (LF), the
// five fields between tabs; a field holding a tab, a quote or a line break
// stands between quotes, so pasting the text back gives the same addresses.
QString addressesAsText(const QList<AddressRecord>& addresses);
