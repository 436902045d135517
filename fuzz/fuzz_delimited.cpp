// Delimited text from another program: any bytes give addresses the list can
// hold (a name, only storable characters) or reasons, never a crash.
#include "data/AddressImport.h"
#include "data/AddressListFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const ImportResult& result : {importFile(QStringLiteral("a.csv"), bytes), importPastedText(QString::fromUtf8(bytes))}) {
        for (const AddressRecord& address : result.addresses)
            if (isBlank(address.fieldView(AddressRecord::Naam)) || unstorableReason({address}))
                abort();
    }
    return 0;
}
