// The number reading of the font-size and margin boxes: no crash on any text,
// and plain decimals read exactly as the C library reads them.
#include "app/NumberReading.h"

#include <QRegularExpression>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const double value = readNumber(text);
    static const QRegularExpression plainDecimal(QStringLiteral("^-?[0-9]{1,15}(\\.[0-9]{1,15})?$"));
    if (plainDecimal.match(text).hasMatch() && value != std::strtod(text.toLatin1().constData(), nullptr))
        abort();
    return 0;
}
