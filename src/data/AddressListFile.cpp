#include "data/AddressListFile.h"

#include "data/FieldReader.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

namespace {

const char* const Encoding = "windows-1252";

// The 32 characters Windows-1252 puts at bytes 0x80..0x9F; all other
// storable characters are ASCII or Latin-1 and map to their own code.
const std::array<char16_t, 32>& upperControlBlock()
{
    static const std::array<char16_t, 32> block = [] {
        std::array<char16_t, 32> result{};
        QByteArray bytes(32, 0);
        for (int i = 0; i < 32; ++i)
            bytes[i] = char(0x80 + i);
        const QString decoded = QStringDecoder(Encoding).decode(bytes);
        for (int i = 0; i < 32 && i < decoded.size(); ++i)
            result[size_t(i)] = decoded[i].unicode();
        return result;
    }();
    return block;
}

bool isStorable(char16_t c)
{
    if (c == u'"')
        return false;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return true;
    for (char16_t allowed : upperControlBlock())
        if (c == allowed)
            return true;
    return false;
}

}

QString decodeFileText(const QByteArray& bytes)
{
    return QStringDecoder(Encoding).decode(bytes);
}

QByteArray encodeFileText(const QString& text)
{
    return QStringEncoder(Encoding).encode(text);
}

ParsedList parseAddressList(const QByteArray& bytes)
{
    const QString text = decodeFileText(bytes);
    FieldReader reader(text);
    ParsedList result;
    while (!reader.atEnd()) {
        std::array<QStringView, AddressRecord::FieldCount> fields;
        for (QStringView& field : fields) {
            const std::optional<QStringView> value = reader.next();
            if (!value) {
                result.complete = false;
                return result;
            }
            field = *value;
        }
        if (!isBlank(fields[AddressRecord::Naam]))
            result.records.append(AddressRecord::fromViews(fields));
    }
    return result;
}

QByteArray serializeAddressList(const QList<AddressRecord>& records)
{
    QString text;
    qsizetype size = 0;
    for (const AddressRecord& record : records)
        for (int f = 0; f < AddressRecord::FieldCount; ++f)
            size += record.fieldView(f).size() + 3;
    text.reserve(size + 2 * records.size());

    for (const AddressRecord& record : records) {
        for (int f = 0; f < AddressRecord::FieldCount; ++f) {
            if (f > 0)
                text += QLatin1Char(',');
            text += QLatin1Char('"');
            text += record.fieldView(f);
            text += QLatin1Char('"');
        }
        text += QLatin1String("\r\n");
    }
    return encodeFileText(text);
}

std::optional<UnstorableChar> findUnstorableChar(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isStorable(c.unicode()))
            continue;
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        return UnstorableChar{i, text.sliced(i, pair ? 2 : 1).toString()};
    }
    return std::nullopt;
}

std::optional<QString> unstorableReason(const QList<AddressRecord>& records)
{
    const QStringList names = addressFieldNames();
    for (qsizetype row = 0; row < records.size(); ++row) {
        const AddressRecord& record = records[row];
        for (int f = 0; f < AddressRecord::FieldCount; ++f) {
            if (const auto bad = findUnstorableChar(record.fieldView(f)))
                return QStringLiteral("het teken %1 in %2 van adres %3 (%4) kan niet in het bestand worden opgeslagen.")
                    .arg(bad->character, names[f], QString::number(row + 1), record.field(AddressRecord::Naam));
        }
    }
    return std::nullopt;
}
