#include "data/import/CellFormat.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <array>
#include <cmath>

namespace {

// Sections split at ";" outside quotes and brackets.
QStringList sectionsOf(const QString& code)
{
    QStringList sections{QString()};
    bool quoted = false;
    bool escaped = false;
    int bracket = 0;
    for (const QChar c : code) {
        if (escaped)
            escaped = false;
        else if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            ;
        else if (c == u'\\')
            escaped = true;
        else if (c == u'[')
            ++bracket;
        else if (c == u']')
            bracket = std::max(0, bracket - 1);
        else if (c == u';' && bracket == 0) {
            sections.append(QString());
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

// The first letter at or after i, in lower case.
QChar nextLetter(const QString& code, qsizetype i)
{
    for (; i < code.size(); ++i)
        if (code[i].isLetter())
            return code[i].toLower();
    return {};
}

// Whether a section holds day, month, year, hour or second letters outside quotes.
bool isDateCode(const QString& code)
{
    bool quoted = false;
    int bracket = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i].toLower();
        if (code[i] == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\\' || c == u'_' || c == u'*')
            ++i;
        else if (c == u'[')
            ++bracket;
        else if (c == u']')
            --bracket;
        else if (!bracket && (c == u'y' || c == u'm' || c == u'd' || c == u'h' || c == u's'))
            return true;
    }
    return false;
}

bool isWhole(double value) { return std::isfinite(value) && value == std::trunc(value) && std::abs(value) < 1e15; }

const std::array<const char*, 12> ShortMonths{"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"};
const std::array<const char*, 12> Months{"januari", "februari", "maart",     "april",   "mei",      "juni",
                                         "juli",    "augustus", "september", "oktober", "november", "december"};
const std::array<const char*, 7> ShortDays{"ma", "di", "wo", "do", "vr", "za", "zo"};
const std::array<const char*, 7> Days{"maandag", "dinsdag", "woensdag", "donderdag", "vrijdag", "zaterdag", "zondag"};

// The literal at code[i] (a quoted text, an escaped character, a space for
// "_x", nothing for "*x" or a bracket); advances i past it. False when code[i]
// is no literal.
bool takeLiteral(const QString& code, qsizetype& i, QString& out)
{
    const QChar c = code[i];
    if (c == u'"') {
        const qsizetype end = code.indexOf(u'"', i + 1);
        out += code.mid(i + 1, (end < 0 ? code.size() : end) - i - 1);
        i = end < 0 ? code.size() : end + 1;
    } else if (c == u'\\' || c == u'_' || c == u'*') {
        if (c == u'\\' && i + 1 < code.size())
            out += code[i + 1];
        else if (c == u'_')
            out += u' ';
        i += 2;
    } else if (c == u'[') {
        const qsizetype end = code.indexOf(u']', i);
        i = end < 0 ? code.size() : end + 1;
    } else {
        return false;
    }
    return true;
}

QString withGroups(QString digits)
{
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u'.');
    return digits;
}

}

QString generalNumber(double value)
{
    if (isWhole(value))
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15).replace(u'.', u',');
}

CellFormat::CellFormat(const QString& code)
{
    const QStringList sections = sectionsOf(code);
    const QString first = sections.first().trimmed();
    if (first.isEmpty() || first.compare(u"General", Qt::CaseInsensitive) == 0 || first == u"@")
        return;
    m_code = first;
    m_negative = sections.size() > 1 ? sections[1] : QString();
    m_date = isDateCode(first);
}

CellFormat CellFormat::builtIn(qint64 id)
{
    static const QHash<qint64, QString> codes{
        {1, QStringLiteral("0")},          {2, QStringLiteral("0.00")},           {3, QStringLiteral("#,##0")},
        {4, QStringLiteral("#,##0.00")},   {9, QStringLiteral("0%")},             {10, QStringLiteral("0.00%")},
        {11, QStringLiteral("0.00E+00")},  {14, QStringLiteral("dd-mm-yyyy")},    {15, QStringLiteral("d-mmm-yy")},
        {16, QStringLiteral("d-mmm")},     {17, QStringLiteral("mmm-yy")},        {18, QStringLiteral("h:mm AM/PM")},
        {19, QStringLiteral("h:mm:ss AM/PM")}, {20, QStringLiteral("h:mm")},       {21, QStringLiteral("h:mm:ss")},
        {22, QStringLiteral("d-m-yyyy h:mm")}, {37, QStringLiteral("#,##0")},      {38, QStringLiteral("#,##0")},
        {39, QStringLiteral("#,##0.00")},  {40, QStringLiteral("#,##0.00")},      {45, QStringLiteral("mm:ss")},
        {46, QStringLiteral("[h]:mm:ss")}, {47, QStringLiteral("mm:ss.0")},       {48, QStringLiteral("##0.0E+0")}};
    // Ids 27 to 36 and 50 to 58 are East Asian dates: a date all the same.
    if ((id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return CellFormat(QStringLiteral("dd-mm-yyyy"));
    return CellFormat(codes.value(id));
}

QString CellFormat::shown(double value, bool date1904) const
{
    if (m_code.isEmpty() || !std::isfinite(value))
        return generalNumber(value);
    if (m_date)
        return shownDate(value, date1904);
    if (value < 0 && !m_negative.isEmpty())
        return CellFormat(m_negative).shownNumber(-value);
    return shownNumber(value);
}

QString CellFormat::shownNumber(double value) const
{
    QString before;
    QString after;
    qsizetype zeros = 0;   // integer digits always shown
    qsizetype decimals = 0;
    qsizetype optional = 0; // decimals shown only when not zero
    bool inDecimals = false;
    bool grouped = false;
    bool percent = false;
    bool scientific = false;
    bool digitsSeen = false;
    for (qsizetype i = 0; i < m_code.size();) {
        QString& literal = digitsSeen ? after : before;
        if (takeLiteral(m_code, i, literal))
            continue;
        const QChar c = m_code[i++];
        if (c == u'0' || c == u'#' || c == u'?') {
            digitsSeen = true;
            after.clear(); // text between digits belongs to neither end
            if (inDecimals)
                (c == u'0' ? decimals : optional) += 1;
            else if (c == u'0')
                ++zeros;
        } else if (c == u'.' && !inDecimals) {
            inDecimals = digitsSeen = true;
        } else if (c == u',' && !inDecimals) {
            grouped = digitsSeen;
        } else if (c == u'E' || c == u'e') {
            scientific = true;
            break;
        } else if (c == u'%') {
            percent = true;
            literal += c;
        } else {
            literal += c;
        }
    }
    if (scientific)
        return QString::number(value, 'E', int(decimals)).replace(u'.', u',');
    if (percent)
        value *= 100;
    const bool negative = value < 0;
    QString text = QString::number(std::abs(value), 'f', int(std::min<qsizetype>(decimals + optional, 15)));
    QString whole = text.section(u'.', 0, 0);
    QString fraction = text.section(u'.', 1);
    while (fraction.size() > decimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (zeros == 0 && whole == u"0" && !fraction.isEmpty())
        whole.clear();
    whole = whole.rightJustified(std::min<qsizetype>(zeros, 30), u'0');
    if (grouped)
        whole = withGroups(whole);
    return (negative ? QStringLiteral("-") : QString()) + before + whole + (fraction.isEmpty() ? QString() : u',' + fraction)
        + after;
}

QString CellFormat::shownDate(double value, bool date1904) const
{
    // Day 60 of the 1900 system is the 29th of February 1900 that never was.
    const double days = std::floor(value);
    if (days < 0 || days > 2958465) // before the system's start or after 9999
        return generalNumber(value);
    const QDate date = date1904 ? QDate(1904, 1, 1).addDays(qint64(days))
                                : (days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30)).addDays(qint64(days));
    const qint64 seconds = std::llround((value - days) * 86400);
    const int hour = int(seconds / 3600 % 24);
    const int minute = int(seconds / 60 % 60);
    const int second = int(seconds % 60);
    const bool twelveHours = m_code.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive);
    QString out;
    QChar lastToken;
    for (qsizetype i = 0; i < m_code.size();) {
        if (m_code[i] == u'[' && i + 1 < m_code.size() && m_code[i + 1].toLower() == u'h') {
            out += QString::number(qint64(days) * 24 + hour); // elapsed hours
            i = m_code.indexOf(u']', i) < 0 ? m_code.size() : m_code.indexOf(u']', i) + 1;
            lastToken = u'h';
            continue;
        }
        if (takeLiteral(m_code, i, out))
            continue;
        const QChar c = m_code[i].toLower();
        qsizetype run = 1;
        while (i + run < m_code.size() && m_code[i + run].toLower() == c)
            ++run;
        if (m_code.mid(i, 5).compare(u"AM/PM", Qt::CaseInsensitive) == 0) {
            out += hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        i += run;
        // "m" after an hour or before seconds is minutes.
        const bool minutes = c == u'm' && run <= 2 && (lastToken == u'h' || nextLetter(m_code, i) == u's');
        auto two = [&](int n) { return run >= 2 ? QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) : QString::number(n); };
        if (c == u'y')
            out += run <= 2 ? two(date.year() % 100).rightJustified(2, u'0') : QString::number(date.year());
        else if (c == u'm' && minutes)
            out += two(minute);
        else if (c == u'm')
            out += run <= 2 ? two(date.month())
                            : QString::fromLatin1((run == 3 ? ShortMonths : Months)[size_t(date.month() - 1)]);
        else if (c == u'd')
            out += run <= 2 ? two(date.day()) : QString::fromLatin1((run == 3 ? ShortDays : Days)[size_t(date.dayOfWeek() - 1)]);
        else if (c == u'h')
            out += two(twelveHours ? (hour + 11) % 12 + 1 : hour);
        else if (c == u's')
            out += two(second);
        else
            out += m_code.mid(i - run, run);
        if (c == u'y' || c == u'm' || c == u'd' || c == u'h' || c == u's')
            lastToken = c;
    }
    return out;
}
