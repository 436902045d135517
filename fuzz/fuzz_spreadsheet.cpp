// Spreadsheets (.xlsx, .ods): any bytes give addresses the list can hold, or a
// reason, never a crash, and never more memory than the sheet's filled cells.
// A zip is read whole; other input is one sheet's XML, which a changed byte
// inside a zip would rarely reach past the zip's sums: the first byte says
// which (0: an .ods content.xml, 1: an .xlsx sheet, 2: shared strings, 3: styles).
#include "data/AddressListFile.h"
#include "data/SheetReaders.h"
#include "data/SpreadsheetImport.h"

#include <QBuffer>
#include <cstdlib>

namespace {

ImportResult readSheetXml(char kind, const QByteArray& xml)
{
    QBuffer part;
    part.setData(xml);
    part.open(QIODevice::ReadOnly);
    TableImport table(DelimitedSource::File);
    const SheetRowSink sink = [&](const QStringList& cells, qsizetype number) { table.addRow(cells, number); };
    XlsxShared shared{{QStringLiteral("Naam"), QStringLiteral("Adres")}, {0, 5}};
    switch (uchar(kind) % 4) {
    case 0:
        readOdsFirstTable(part, sink);
        break;
    case 1:
        readXlsxSheet(part, shared, sink);
        break;
    case 2:
        readXlsxSharedStrings(part, shared.strings);
        break;
    default:
        readXlsxZeroPadding(part, shared.zeroPadding);
    }
    return table.take();
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ImportResult result = bytes.startsWith("PK") || bytes.isEmpty()
        ? importSpreadsheet(QStringLiteral("leden.xlsx"), bytes)
        : readSheetXml(bytes[0], bytes.mid(1));
    for (const AddressRecord& address : result.addresses)
        if (isBlank(address.fieldView(AddressRecord::Naam)) || unstorableReason({address}))
            abort();
    return 0;
}
