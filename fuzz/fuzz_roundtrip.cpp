// Every list the program accepts for saving writes and reads back to the same
// records, and writing those again gives the same bytes. A list dropped onto
// another is always one that can be saved.
#include "data/import/AddressImport.h"
#include "data/AddressListFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<AddressRecord> imported = importFileBytes(QStringLiteral("ander.lst"), bytes).result.addresses;
    const std::optional<QByteArray> importWritten = encodeAddressList(imported);
    if (!importWritten || parseAddressList(*importWritten).records != imported)
        abort();
    const QList<AddressRecord> records = parseAddressList(bytes).records;
    // Refused at saving exactly when a message says why.
    const std::optional<QByteArray> written = encodeAddressList(records);
    if (written.has_value() == unstorableReason(records).has_value())
        abort();
    if (!written)
        return 0;
    const ParsedList reread = parseAddressList(*written);
    if (!reread.complete || reread.records != records || encodeAddressList(reread.records) != written)
        abort();
    return 0;
}
