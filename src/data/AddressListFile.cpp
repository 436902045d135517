#include "data/AddressListFile.h"

#include "data/FieldReader.h"

#include <QStringDecoder>
#include <array>
#include <cstring>

namespace {

// Windows-1252 is one byte a character. Qt's decoder gives the table once, so
// it stays the source of truth; after that each byte is one look-up. Its five
// undefined bytes decode to the control characters of the same number and
// encode back to them, so every byte but the quote survives a round trip.
const std::array<char16_t, 256>& decodeTable()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> result{};
        QByteArray bytes(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            bytes[i] = char(i);
        const QString decoded = QStringDecoder("windows-1252").decode(bytes);
        for (int i = 0; i < 256; ++i)
            result[size_t(i)] = i < decoded.size() ? decoded[i].unicode() : char16_t(i);
        return result;
    }();
    return table;
}

// The byte of a character, or -1 when Windows-1252 has none.
int encodedByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    const std::array<char16_t, 256>& table = decodeTable();
    for (int b = 0x80; b < 0xA0; ++b)
        if (table[size_t(b)] == c)
            return b;
    return -1;
}

bool isStorable(char16_t c)
{
    return c != u'"' && encodedByte(c) >= 0;
}

void decodeInto(QChar* out, QByteArrayView bytes)
{
    // Windows-1252 is Latin-1 but for 0x80..0x9F: widen every byte (a loop the
    // compiler turns into wide instructions), then mend those few from the table.
    const auto* in = reinterpret_cast<const uchar*>(bytes.data());
    auto* wide = reinterpret_cast<char16_t*>(out);
    const qsizetype n = bytes.size();
    uchar any = 0;
    for (qsizetype i = 0; i < n; ++i) {
        wide[i] = in[i];
        any |= in[i];
    }
    if (any < 0x80)
        return;
    const std::array<char16_t, 256>& table = decodeTable();
    for (qsizetype i = 0; i < n; ++i)
        if (in[i] >= 0x80 && in[i] < 0xA0)
            wide[i] = table[in[i]];
}

// Writes a field into out; false at the first character a list field cannot
// hold, a quote included.
bool encodeInto(char*& out, QStringView text)
{
    for (const QChar c : text) {
        const int b = encodedByte(c.unicode());
        if (b < 0 || c == u'"')
            return false;
        *out++ = char(b);
    }
    return true;
}

// With memchr: QByteArrayView::count searches for a one-byte string byte by byte.
qsizetype countByte(QByteArrayView bytes, char wanted)
{
    qsizetype n = 0;
    const char* end = bytes.data() + bytes.size();
    for (const char* at = bytes.data(); at < end; ++n) {
        at = static_cast<const char*>(std::memchr(at, wanted, size_t(end - at)));
        if (!at)
            break;
        ++at;
    }
    return n;
}

bool isBlank(QByteArrayView bytes)
{
    for (const char b : bytes)
        if (b != ' ')
            return false;
    return true;
}

AddressRecord decodeRecord(const std::array<QByteArrayView, AddressRecord::FieldCount>& fields)
{
    qsizetype size = 0;
    for (QByteArrayView field : fields)
        size += field.size();
    QString text(size, Qt::Uninitialized);
    std::array<qint32, AddressRecord::FieldCount - 1> ends{};
    qsizetype at = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        decodeInto(text.data() + at, fields[i]);
        at += fields[i].size();
        if (i < ends.size())
            ends[i] = qint32(at);
    }
    return AddressRecord::fromJoined(std::move(text), ends);
}

}

std::optional<QByteArray> encodeFileText(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    if (!encodeInto(out, text))
        return std::nullopt;
    return bytes;
}

QString decodeFileText(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    decodeInto(text.data(), bytes);
    return text;
}

ParsedList parseAddressList(QByteArrayView bytes)
{
    ParsedList result;
    // One record a line in the files the program writes.
    const qsizetype lines = countByte(bytes, '\n');
    result.records.reserve(lines > 0 ? lines : countByte(bytes, '\r'));
    FieldReader reader(bytes);
    while (!reader.atEnd()) {
        std::array<QByteArrayView, AddressRecord::FieldCount> fields;
        for (QByteArrayView& field : fields) {
            const std::optional<QByteArrayView> value = reader.next();
            if (!value) {
                result.complete = false;
                return result;
            }
            field = *value;
        }
        // A space is the only byte that decodes to a space.
        if (isBlank(fields[AddressRecord::Naam]))
            continue;
        if (result.firstWithQuote < 0 && reader.sawQuote())
            result.firstWithQuote = result.records.size();
        result.records.append(decodeRecord(fields));
    }
    return result;
}

std::optional<QByteArray> encodeAddressList(const QList<AddressRecord>& records)
{
    // One byte a character, so the size is known before the first byte.
    constexpr qsizetype QuotesCommasLineEnd = 2 * AddressRecord::FieldCount + (AddressRecord::FieldCount - 1) + 2;
    qsizetype size = 0;
    for (const AddressRecord& record : records)
        size += record.textSize() + QuotesCommasLineEnd;
    QByteArray bytes(size, Qt::Uninitialized);
    char* out = bytes.data();
    for (const AddressRecord& record : records) {
        for (int f = 0; f < AddressRecord::FieldCount; ++f) {
            if (f > 0)
                *out++ = ',';
            *out++ = '"';
            if (!encodeInto(out, record.fieldView(f)))
                return std::nullopt;
            *out++ = '"';
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    return bytes;
}

namespace {

// Letters the code page lacks that decomposition does not bring down to one it has.
char16_t tableStandIn(char16_t c)
{
    switch (c) {
    case u'ı': return u'i';
    case u'ł': return u'l';
    case u'Ł': return u'L';
    case u'đ': return u'd';
    case u'Đ': return u'D';
    case u'ħ': return u'h';
    case u'Ħ': return u'H';
    // Hungarian's double acute is closest to the diaeresis the code page has.
    case u'ő': return u'ö';
    case u'Ő': return u'Ö';
    case u'ű': return u'ü';
    case u'Ű': return u'Ü';
    // Typographic marks in their plain forms.
    case u'\u2010': case u'\u2011': case u'\u2012': case u'\u2015': case u'\u2212': return u'-';
    case u'\u2032': return u'\'';
    case u'\u2009': case u'\u200A': case u'\u202F': case u'\u2007': return u' ';
    default: return 0;
    }
}

}

namespace {

bool isStorableText(QStringView text)
{
    for (const QChar c : text)
        if (!isStorable(c.unicode()))
            return false;
    return true;
}

// Marks that show nothing and only steer how letters join.
bool isInvisible(char16_t c)
{
    return c == u'\u200B' || c == u'\u200C' || c == u'\u200D' || c == u'\u2060' || c == u'\uFEFF';
}

}

QString withStandIns(QStringView text)
{
    // Composed first: an e with a separate accent is the é the code page has.
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    QString result;
    result.reserve(composed.size());
    for (qsizetype i = 0; i < composed.size(); ++i) {
        const QChar c = composed[i];
        if (isStorable(c.unicode()) || c == u'"') {
            result += c;
        } else if (isInvisible(c.unicode())) {
            continue;
        } else if (const char16_t table = tableStandIn(c.unicode())) {
            result += QChar(table);
        } else if (c.decompositionTag() == QChar::Canonical) {
            // The base letter when the code page has it, the accent dropped.
            const QChar base = c.decomposition().at(0);
            result += isStorable(base.unicode()) ? base : c;
        } else {
            // Ligatures, wide and styled letters (some beyond the first 65536): their plain forms ("fi", "A").
            const bool pair = c.isHighSurrogate() && i + 1 < composed.size() && composed[i + 1].isLowSurrogate();
            const QString unit = composed.sliced(i, pair ? 2 : 1);
            i += pair ? 1 : 0;
            const QString plain = unit.normalized(QString::NormalizationForm_KC);
            result += plain != unit && isStorableText(plain) ? plain : unit;
        }
    }
    return result;
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
                    .arg(bad->character, names[f], QString::number(row + 1), shownStart(record.fieldView(AddressRecord::Naam)));
        }
    }
    return std::nullopt;
}
