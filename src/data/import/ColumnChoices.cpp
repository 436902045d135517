#include "data/import/ColumnChoices.h"

#include "app/HomeFolder.h"

#include <QFileInfo>

namespace {

// The names as a key: a tab or a line break inside a name is a blank, empty names at the end do not count.
QStringList keyNames(const QStringList& names)
{
    QStringList key;
    for (const QString& name : names)
        key.append(name.simplified());
    while (!key.isEmpty() && key.last().isEmpty())
        key.removeLast();
    return key;
}

}

ColumnChoices ColumnChoices::parse(const QByteArray& bytes)
{
    ColumnChoices choices;
    for (const QByteArray& line : bytes.split('\n')) {
        QStringList parts = QString::fromUtf8(line).remove(QLatin1Char('\r')).split(QLatin1Char('\t'));
        const QChar turning = parts[0].endsWith(u'~') || parts[0].endsWith(u'=') ? parts[0].back() : QChar();
        if (!turning.isNull())
            parts[0].chop(1);
        if (parts.size() < 2 || parts[0].size() != parts.size() - 1)
            continue;
        ColumnUses uses;
        for (const QChar c : parts[0])
            uses.fieldOf.append(c >= u'0' && c < QChar(u'0' + AddressRecord::FieldCount) ? c.unicode() - u'0' : ColumnUses::Unused);
        uses.turnNames = turning == u'~';
        const QString key = parts.mid(1).join(QLatin1Char('\t'));
        choices.m_uses.insert(key, uses);
        if (!turning.isNull())
            choices.m_turningDecided.insert(key);
    }
    return choices;
}

QByteArray ColumnChoices::encoded() const
{
    QByteArray bytes;
    for (auto at = m_uses.cbegin(); at != m_uses.cend(); ++at) {
        QString fields;
        for (const int field : at->fieldOf)
            fields += field == ColumnUses::Unused ? QLatin1Char('-') : QChar(u'0' + field);
        if (m_turningDecided.contains(at.key()))
            fields += at->turnNames ? QLatin1Char('~') : QLatin1Char('=');
        bytes += (fields + QLatin1Char('\t') + at.key() + QLatin1Char('\n')).toUtf8();
    }
    return bytes;
}

std::optional<ColumnUses> ColumnChoices::find(const QStringList& names) const
{
    const QStringList key = keyNames(names);
    if (key.isEmpty())
        return std::nullopt;
    const auto at = m_uses.constFind(key.join(QLatin1Char('\t')));
    if (at == m_uses.cend())
        return std::nullopt;
    return *at;
}

void ColumnChoices::remember(const QStringList& names, const ColumnUses& uses)
{
    const QStringList key = keyNames(names);
    if (key.isEmpty())
        return;
    ColumnUses kept = uses;
    kept.fieldOf.resize(key.size(), ColumnUses::Unused);
    const QString joined = key.join(QLatin1Char('\t'));
    m_uses.insert(joined, kept);
    // Only a column of whole names can be turned: the choice is the user's then.
    if (uses.wholeNameColumn() >= 0)
        m_turningDecided.insert(joined);
    else
        m_turningDecided.remove(joined);
}

bool ColumnChoices::decidesTurning(const QStringList& names) const
{
    return m_turningDecided.contains(keyNames(names).join(QLatin1Char('\t')));
}

ColumnChoices ColumnChoices::load(const QString& homeFolder)
{
    const QString path = Home::columnChoicesFile(homeFolder);
    QByteArray bytes;
    return QFileInfo::exists(path) && readWholeFile(path, bytes).ok ? parse(bytes) : ColumnChoices();
}

FileResult ColumnChoices::save(const QString& homeFolder) const
{
    return writeWholeFile(Home::columnChoicesFile(homeFolder), encoded());
}
