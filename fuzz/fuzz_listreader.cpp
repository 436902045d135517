// The list reader: any bytes give records without a crash, and every field
// comes from the input (one byte is one character in Windows-1252).
#include "data/AddressListFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ParsedList parsed = parseAddressList(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    qsizetype characters = 0;
    for (const AddressRecord& record : parsed.records) {
        if (isBlank(record.fieldView(AddressRecord::Naam)))
            abort(); // a blank name is left out
        for (int f = 0; f < AddressRecord::FieldCount; ++f)
            characters += record.fieldView(f).size();
    }
    if (characters > qsizetype(size))
        abort();
    return 0;
}
