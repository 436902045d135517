#pragma once

#include "data/import/XmlReader.h"
#include "data/import/ZipReader.h"

#include <atomic>

// What both spreadsheet formats share: how far a sheet was read.

// The rows a sheet of either program can hold; a row number past them is no sheet's.
constexpr qsizetype SheetRows = 1048576;

enum class SheetRead { Done, Damaged, TooBig, Stopped };

// What an XML reader's end means for the sheet: stopped by the user, or by
// the reader itself when it had all it needed.
inline SheetRead sheetReadOf(XmlReader::Result result, const std::atomic_bool& cancelled)
{
    switch (result) {
    case XmlReader::Result::Damaged:
        return SheetRead::Damaged;
    case XmlReader::Result::Stopped:
        return cancelled ? SheetRead::Stopped : SheetRead::Done;
    case XmlReader::Result::Done:
        break;
    }
    return SheetRead::Done;
}

// What a part's reader found, or that the part unpacked to too much.
inline SheetRead checked(SheetRead read, const ZipPart& part) { return part.tooBig() ? SheetRead::TooBig : read; }
