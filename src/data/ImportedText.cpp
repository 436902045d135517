#include "data/ImportedText.h"

#include "data/AddressListFile.h"

#include <QStringDecoder>
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

}

QString decodeImportedText(const QByteArray& bytes)
{
    bool ok = false;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeStrict(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3), ok);
    if (bytes.startsWith("\xFF\xFE"))
        return decodeStrict(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2), ok);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeStrict(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2), ok);
    const QByteArray charset = guessedCharset(bytes);
    if (charset == "UTF-8" || charset == "ASCII") {
        const QString text = decodeStrict(QStringConverter::Utf8, bytes, ok);
        if (ok)
            return text;
    }
    return decodeFileText(bytes);
}
