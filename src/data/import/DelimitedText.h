#pragma once

#include "data/import/RowSink.h"

#include <QString>

// Delimited text (comma, semicolon or tab, whichever the first line uses
// most), quoted as RFC 4180 says, read with libcsv into rows of cells, until
// the sink says stop.
void readDelimited(const QString& text, RowSink& sink);
