// vCard files: any bytes give addresses the list can hold, or reasons, never a crash.
#include "data/import/VCardImport.h"
#include "data/AddressListFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ImportResult result = importVCard(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const AddressRecord& address : result.addresses)
        if (isBlank(address.fieldView(AddressRecord::Naam)) || unstorableReason({address}))
            abort();
    return 0;
}
