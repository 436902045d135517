// The settings reader: any bytes give usable values; what fails keeps its default.
#include "data/SettingsFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ParsedSettings parsed = parseSettings(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (parsed.values.FontSize < 1 || parsed.values.FontSize > 72)
        abort();
    if (!parsed.complete && parsed.values.FontSize != SavedSettings().FontSize)
        abort(); // the font size is read last, so an incomplete file never sets it
    return 0;
}
