// vCard 2.1, 3.0 and 4.0: the name and the first postal address of each contact.
// No vCard library for Qt 6 is packaged for Debian, so this small reader is ours.
#include "data/import/VCardImport.h"

#include "data/AddressListFile.h"

#include <QStringDecoder>
#include <algorithm>

namespace {

struct Property {
    QByteArray name;          // upper case, group prefix removed
    QList<QByteArray> params; // upper case, as written: "TYPE=HOME", "HOME", "CHARSET=UTF-8"
    QByteArray value;         // raw, still encoded
};

bool hasParam(const Property& p, QByteArrayView wanted)
{
    for (const QByteArray& param : p.params)
        if (param == wanted || param.endsWith("=" + wanted.toByteArray()))
            return true;
    return false;
}

QByteArray paramValue(const Property& p, QByteArrayView key)
{
    const QByteArray prefix = key.toByteArray() + '=';
    for (const QByteArray& param : p.params)
        if (param.startsWith(prefix))
            return param.mid(prefix.size());
    return {};
}

bool isHome(const Property& p)
{
    for (const QByteArray& param : p.params)
        if (param == "HOME" || (param.startsWith("TYPE=") && param.mid(5).replace('"', "").split(',').contains("HOME")))
            return true;
    return false;
}

QByteArray decodeQuotedPrintable(const QByteArray& value)
{
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size() && isxdigit(uchar(value[i + 1])) && isxdigit(uchar(value[i + 2]))) {
            out.append(char(QByteArray(value.constData() + i + 1, 2).toInt(nullptr, 16)));
            i += 2;
        } else {
            out.append(value[i]);
        }
    }
    return out;
}

QString decodeText(const Property& p)
{
    const QByteArray raw = hasParam(p, "QUOTED-PRINTABLE") ? decodeQuotedPrintable(p.value) : p.value;
    const QByteArray charset = paramValue(p, "CHARSET");
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(raw);
    }
    // Without a CHARSET: UTF-8 as vCard 3.0 and 4.0 say, or what older phones wrote.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(raw);
    return utf8.hasError() ? decodeFileText(raw) : text;
}

// The parts of a structured value, split at unescaped ";" and unescaped.
QStringList components(const QString& value)
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            parts.last().append(next == QLatin1Char('n') || next == QLatin1Char('N') ? QLatin1Char(' ') : next);
        } else if (c == QLatin1Char(';')) {
            parts.append(QString());
        } else if (c != QLatin1Char('\r')) { // a line break in a value is a space, CR LF one space
            parts.last().append(c == QLatin1Char('\n') ? QLatin1Char(' ') : c);
        }
    }
    return parts;
}

// The whitespace around a part is the card's layout, not the address's, so
// all of it goes; a field's own spaces are kept (see withoutEndSpaces).
QString joined(const QStringList& parts)
{
    QStringList filled;
    for (const QString& part : parts)
        if (!part.trimmed().isEmpty())
            filled.append(part.trimmed());
    return filled.join(QLatin1Char(' '));
}

// The head's parts, split at each separator outside double quotes, and where
// the head ends: vCard 4.0 quotes parameter values that hold ":", ";" or ",".
QList<QByteArray> splitHead(const QByteArray& line, qsizetype& colon)
{
    QList<QByteArray> parts{QByteArray()};
    bool quoted = false;
    for (colon = 0; colon < line.size(); ++colon) {
        const char c = line[colon];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ':')
            return parts;
        else if (!quoted && c == ';')
            parts.append(QByteArray());
        else
            parts.last().append(c);
    }
    colon = -1;
    return parts;
}

Property parseLine(const QByteArray& line)
{
    Property p;
    qsizetype colon = -1;
    QList<QByteArray> parts = splitHead(line, colon);
    p.value = colon < 0 ? QByteArray() : line.mid(colon + 1);
    p.name = parts.takeFirst().toUpper();
    if (const qsizetype dot = p.name.lastIndexOf('.'); dot >= 0)
        p.name = p.name.mid(dot + 1); // "item1.ADR"
    for (const QByteArray& param : parts)
        p.params.append(param.toUpper().trimmed());
    return p;
}

// A logical line being joined from its physical lines. Its head (name and
// parameters, up to the first ":") is looked at only in the pieces added, so
// joining stays linear however many pieces a line has.
class LogicalLine {
public:
    LogicalLine(qsizetype number, QByteArrayView first) : m_number(number) { add(first); }

    void add(QByteArrayView piece)
    {
        const qsizetype before = m_text.size();
        m_text.append(piece);
        if (m_colon >= 0)
            return;
        const qsizetype colon = piece.indexOf(':');
        m_colon = colon < 0 ? -1 : before + colon;
        // The marker may straddle two pieces: look again at the end of the old text.
        const qsizetype from = std::max<qsizetype>(0, before - Marker.size() + 1);
        const qsizetype to = m_colon < 0 ? m_text.size() : m_colon;
        m_quotedPrintable = m_quotedPrintable || containsMarker(QByteArrayView(m_text).sliced(from, to - from));
    }
    // The value goes on in the next physical line: a quoted-printable soft break.
    bool endsInSoftBreak() const { return m_quotedPrintable && m_text.endsWith('='); }
    void dropLastByte() { m_text.chop(1); }

    qsizetype number() const { return m_number; }
    const QByteArray& text() const { return m_text; }

private:
    static constexpr QByteArrayView Marker = "QUOTED-PRINTABLE";
    static bool containsMarker(QByteArrayView text)
    {
        const auto equalIgnoringCase = [](char a, char b) { return (a >= 'a' && a <= 'z' ? char(a - 'a' + 'A') : a) == b; };
        return std::search(text.begin(), text.end(), Marker.begin(), Marker.end(), equalIgnoringCase) != text.end();
    }

    qsizetype m_number;
    QByteArray m_text;
    qsizetype m_colon = -1;
    bool m_quotedPrintable = false;
};

// Logical lines with their first physical line number: folded lines joined,
// and the soft line breaks of quoted-printable values.
QList<LogicalLine> unfold(const QByteArray& bytes)
{
    QList<LogicalLine> lines;
    qsizetype number = 0;
    for (qsizetype start = 0; start <= bytes.size(); ++number) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (!lines.isEmpty() && lines.last().endsInSoftBreak()) {
            lines.last().dropLastByte(); // the "=" that carried the value over
            lines.last().add(line);
        } else if (!lines.isEmpty() && (line.startsWith(' ') || line.startsWith('\t'))) {
            lines.last().add(line.sliced(1));
        } else {
            lines.append(LogicalLine(number + 1, line));
        }
    }
    return lines;
}

}

ImportResult importVCard(const QByteArray& bytes, const std::atomic_bool& cancelled, bool* tooBig)
{
    ImportCollector collector;
    qsizetype begin = 0;
    qsizetype cards = 0;
    QString formattedName, structuredName;
    std::optional<Property> address;
    bool inCard = false;
    for (const LogicalLine& logical : unfold(bytes)) {
        if (cancelled.load(std::memory_order_relaxed))
            return {};
        const qsizetype number = logical.number();
        const Property p = parseLine(logical.text());
        const QByteArray value = p.value.trimmed().toUpper();
        if (p.name == "BEGIN" && value == "VCARD") {
            if (++cards > MostImportRows) {
                if (tooBig)
                    *tooBig = true;
                return {};
            }
            inCard = true;
            begin = number;
            formattedName.clear();
            structuredName.clear();
            address.reset();
        } else if (!inCard) {
            continue;
        } else if (p.name == "FN") {
            formattedName = joined(components(decodeText(p)));
        } else if (p.name == "N") {
            // Family; Given; Additional; Prefixes; Suffixes -> as a name is written.
            const QStringList n = components(decodeText(p));
            structuredName = joined({n.value(3), n.value(1), n.value(2), n.value(0), n.value(4)});
        } else if (p.name == "ADR") {
            if (!address || (isHome(p) && !isHome(*address)))
                address = p;
        } else if (p.name == "END" && value == "VCARD") {
            inCard = false;
            const QString name = formattedName.isEmpty() ? structuredName : formattedName;
            if (!address) {
                collector.leaveOut(begin, QStringLiteral("geen postadres (%1)").arg(shownStart(name)));
                continue;
            }
            // PO box; extended; street; locality; region; postal code; country.
            const QStringList adr = components(decodeText(*address));
            collector.add({name, joined({adr.value(2), adr.value(1)}), adr.value(5), adr.value(3), adr.value(6)}, begin);
        }
    }
    return collector.take();
}
