// Spreadsheets (.xlsx, .ods): any bytes give addresses the list can hold, or a
// reason, never a crash, and never more memory than the sheet's filled cells.
// A zip is read whole; other input is one sheet's XML, which a changed byte
// inside a zip would rarely reach past the zip's sums: the first byte says
// which (0: an .ods content.xml, 1: an .xlsx sheet, 2: shared strings, 3: styles).
#include "data/AddressListFile.h"
#include "data/import/AddressImport.h"
#include "data/import/OdsReader.h"
#include "data/import/XlsxReader.h"

#include <QBuffer>
#include <cstdlib>

namespace {

// Columns placed as a user would for a sheet without names: every cell reaches an address.
const ColumnChoice ByPosition{0, ColumnUses::inFieldOrder(AddressRecord::FieldCount)};

ImportResult readSheetXml(char kind, const QByteArray& xml)
{
    QBuffer part;
    part.setData(xml);
    part.open(QIODevice::ReadOnly);
    const ColumnChoices none;
    TableImport table(TableSource::File, none, ByPosition, NeverCancelled);
    XlsxShared shared;
    shared.strings.append(u"Naam");
    shared.strings.append(u"Adres");
    shared.formats = {CellFormat(), CellFormat(QStringLiteral("00000")), CellFormat(QStringLiteral("dd-mm-yyyy")),
                      CellFormat(QStringLiteral("#,##0.00;(#,##0.00)"))};
    switch (uchar(kind) % 4) {
    case 0:
        readOdsFirstTable(part, table, NeverCancelled);
        break;
    case 1:
        readXlsxSheet(part, shared, table, NeverCancelled);
        break;
    case 2:
        readXlsxSharedStrings(part, shared.strings, NeverCancelled);
        break;
    default:
        readXlsxStyles(part, shared.formats, NeverCancelled);
    }
    table.finish();
    return table.take();
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ImportInput placed;
    placed.answers.insert(QStringLiteral("leden.xlsx"), ByPosition);
    const ImportResult result = bytes.startsWith("PK") || bytes.isEmpty()
        ? importFileBytes(QStringLiteral("leden.xlsx"), bytes, placed).result
        : readSheetXml(bytes[0], bytes.mid(1));
    for (const AddressRecord& address : result.addresses)
        if (isBlank(address.fieldView(AddressRecord::Naam)) || unstorableReason({address}))
            abort();
    return 0;
}
