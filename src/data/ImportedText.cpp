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
QByteArray guessedCharset(const QByteArray& bytes)
{
    uchardet_t detector = uchardet_new();
    QByteArray charset;
    if (uchardet_handle_data(detector, bytes.constData(), size_t(bytes.size())) == 0) {
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
