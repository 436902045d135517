// The settings reader: any bytes give usable values; what fails keeps its
// default, and what was kept is written back and read the same.
#include "data/SettingsFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ParsedSettings parsed = parseSettings(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (parsed.values.FontSize < 1 || parsed.values.FontSize > 72)
        abort();
    const ParsedSettings again = parseSettings(serializeSettings(parsed.values));
    if (!again.complete || !(again.values == parsed.values))
        abort();
    return 0;
}
