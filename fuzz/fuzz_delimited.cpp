// Delimited text from another program: any bytes give addresses the list can
// hold (a name, only storable characters) or reasons, never a crash.
#include "data/import/AddressImport.h"
#include "data/AddressListFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Read as found, and as a user would place the columns of a file without names.
    ImportInput placed;
    placed.answers.insert(QStringLiteral("a.csv"), {0, ColumnUses::inFieldOrder(AddressRecord::FieldCount)});
    for (const ImportOutcome& outcome : {importFile(QStringLiteral("a.csv"), bytes), importFile(QStringLiteral("a.csv"), bytes, placed),
                                         importPastedText(QString::fromUtf8(bytes))}) {
        for (const AddressRecord& address : outcome.result.addresses)
            if (isBlank(address.fieldView(AddressRecord::Naam)) || unstorableReason({address}))
                abort();
    }
    return 0;
}
