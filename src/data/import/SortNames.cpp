#include "data/import/SortNames.h"

#include <QRegularExpression>

namespace {

// A word of the prefix of a surname ("de", "van den", "'t", "von"): it starts in lower case or with an apostrophe.
bool isPrefixWord(const QString& word)
{
    return !word.isEmpty() && (word.front().isLower() || word.front() == u'\'' || word.front() == QChar(0x2019));
}

}

bool isSortName(const QString& name)
{
    const qsizetype comma = name.indexOf(u',');
    if (comma <= 0 || name.indexOf(u',', comma + 1) >= 0)
        return false;
    const QString surname = name.left(comma).trimmed();
    const QString rest = name.mid(comma + 1).trimmed();
    const auto hasLetter = [](const QString& text) { return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }); };
    const auto hasDigit = [](const QString& text) { return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }); };
    return hasLetter(surname) && hasLetter(rest) && !hasDigit(name) && surname.front().isUpper();
}

QString envelopeName(const QString& name)
{
    if (!isSortName(name))
        return name;
    const qsizetype comma = name.indexOf(u',');
    const QString surname = name.left(comma).simplified();
    QString rest = name.mid(comma + 1).simplified();
    // A call name in brackets is the name to write; the initials go.
    static const QRegularExpression callName(QStringLiteral("\\(([^()]+)\\)"));
    const QRegularExpressionMatch call = callName.match(rest);
    QString given;
    if (call.hasMatch()) {
        given = call.captured(1).trimmed();
        rest = rest.mid(call.capturedEnd());
    }
    QStringList words = rest.split(u' ', Qt::SkipEmptyParts);
    qsizetype prefixStart = words.size();
    while (prefixStart > 0 && isPrefixWord(words[prefixStart - 1]))
        --prefixStart;
    const QStringList prefix = words.mid(prefixStart);
    if (given.isEmpty())
        given = words.mid(0, prefixStart).join(u' ');
    QStringList parts;
    for (const QString& part : {given, prefix.join(u' '), surname})
        if (!part.isEmpty())
            parts.append(part);
    return parts.join(u' ');
}

bool mostAreSortNames(const QStringList& names)
{
    qsizetype filled = 0;
    qsizetype sorted = 0;
    for (const QString& name : names) {
        if (name.trimmed().isEmpty())
            continue;
        ++filled;
        sorted += isSortName(name) ? 1 : 0;
    }
    return filled > 0 && sorted * 2 > filled;
}
