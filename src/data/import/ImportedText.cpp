#include "data/import/ImportedText.h"

#include "data/AddressListFile.h"

#include <QStringDecoder>
#include <algorithm>
#include <optional>
#include <uchardet/uchardet.h>

namespace {

QString decodeStrict(QStringConverter::Encoding encoding, QByteArrayView bytes, bool& ok)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    ok = !decoder.hasError();
    return text;
}

// What uchardet makes of the bytes, in upper case ("UTF-8", "WINDOWS-1252", "ASCII", ...).
// It reads a sample of whole lines: guessing from a whole big file takes
// tens of seconds and says no more. A sample taken wrongly for UTF-8 is
// caught by the strict decoding that follows.
QByteArray guessedCharset(const QByteArray& bytes)
{
    constexpr qsizetype SampleSize = 1024 * 1024;
    QByteArrayView sample(bytes);
    if (sample.size() > SampleSize) {
        const qsizetype lineEnd = sample.first(SampleSize).lastIndexOf('\n');
        sample = sample.first(lineEnd > 0 ? lineEnd + 1 : SampleSize);
    }
    uchardet_t detector = uchardet_new();
    QByteArray charset;
    if (uchardet_handle_data(detector, sample.data(), size_t(sample.size())) == 0) {
        uchardet_data_end(detector);
        charset = QByteArray(uchardet_get_charset(detector)).toUpper();
    }
    uchardet_delete(detector);
    return charset;
}

// UTF-16, with a byte order mark or without one (some address books write
// none): Latin text then has a zero byte in every other place.
std::optional<QStringConverter::Encoding> utf16Encoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    const qsizetype pairs = std::min<qsizetype>(bytes.size() / 2, 512);
    qsizetype zeroFirst = 0, zeroSecond = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        zeroFirst += bytes[2 * i] == 0 && bytes[2 * i + 1] != 0;
        zeroSecond += bytes[2 * i] != 0 && bytes[2 * i + 1] == 0;
    }
    if (pairs > 0 && zeroFirst * 10 >= pairs * 9)
        return QStringConverter::Utf16BE;
    if (pairs > 0 && zeroSecond * 10 >= pairs * 9)
        return QStringConverter::Utf16LE;
    return std::nullopt;
}

QString decodeUtf16(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        bytes = bytes.sliced(2);
    bool ok = false;
    return decodeStrict(encoding, bytes, ok);
}

}

QByteArray asUtf8IfUtf16(const QByteArray& bytes)
{
    const std::optional<QStringConverter::Encoding> utf16 = utf16Encoding(bytes);
    return utf16 ? decodeUtf16(bytes, *utf16).toUtf8() : bytes;
}

QString decodeImportedText(const QByteArray& bytes)
{
    bool ok = false;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeStrict(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3), ok);
    if (const std::optional<QStringConverter::Encoding> utf16 = utf16Encoding(bytes))
        return decodeUtf16(bytes, *utf16);
    const QByteArray charset = guessedCharset(bytes);
    if (charset == "UTF-8" || charset == "ASCII") {
        const QString text = decodeStrict(QStringConverter::Utf8, bytes, ok);
        if (ok)
            return text;
    }
    return decodeFileText(bytes);
}
