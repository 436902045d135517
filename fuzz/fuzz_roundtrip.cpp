// Every list the program accepts for saving writes and reads back to the same
// records, and writing those again gives the same bytes.
#include "data/AddressListFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<AddressRecord> records =
        parseAddressList(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size))).records;
    if (unstorableReason(records))
        return 0; // refused at saving, with a message
    const QByteArray written = serializeAddressList(records);
    const ParsedList reread = parseAddressList(written);
    if (!reread.complete || reread.records != records || serializeAddressList(reread.records) != written)
        abort();
    return 0;
}
