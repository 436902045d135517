#pragma once

#include "data/import/RowSink.h"
#include "data/import/SheetRead.h"

#include <QIODevice>

// Calc's .ods: a zip whose content.xml holds the tables.

// Calc's own mark, or, where a writer left that out, its content without Excel's.
bool isOds(const ZipReader& zip);
// The first table a tab shows.
SheetRead readOds(const ZipReader& zip, RowSink& sink, const std::atomic_bool& cancelled);
// The first table a tab shows in an .ods file's content.xml.
SheetRead readOdsFirstTable(QIODevice& content, RowSink& sink, const std::atomic_bool& cancelled);
