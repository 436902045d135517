#include "data/Mailing.h"

#include "data/Countries.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <array>

namespace {

// The door of an Adres: the house number (the last word that starts with a
// digit, its digits) and its suffix (what follows, without blanks and dashes,
// case aside: "80A", "80 a" and "80-A" are one door), and the street before it.
struct Door {
    QString street;
    QString number;
    QString suffix;
};

Door doorOf(QStringView adres)
{
    const QStringView text = withoutEndSpaces(adres);
    const qsizetype number = houseNumberAt(text);
    const qsizetype start = number < 0 ? text.size() : number;
    qsizetype end = start;
    while (end < text.size() && text[end].isDigit())
        ++end;
    Door door{text.first(start).toString().simplified().toCaseFolded(), text.sliced(start, end - start).toString(), {}};
    for (const QChar c : text.sliced(end))
        if (!c.isSpace() && c != u'-')
            door.suffix += c.toCaseFolded();
    return door;
}

// The country as one name whatever its spelling: NL, Nederland and Holland alike.
QString countryKey(const AddressRecord& address, Country country)
{
    return country == Country::Other ? address.field(AddressRecord::Land).simplified().toCaseFolded()
                                     : QString::number(int(country));
}

// Addresses behind one door share this key; an address without a street
// shares it with none (empty).
QString householdKey(const AddressRecord& address)
{
    if (isBlank(address.fieldView(AddressRecord::Adres)))
        return {};
    const Door door = doorOf(address.fieldView(AddressRecord::Adres));
    QString postcode = address.field(AddressRecord::Postcode).toCaseFolded();
    postcode.remove(QLatin1Char(' '));
    const QChar gap(0);
    // Without a postcode the street and the town say where the door is.
    // Abroad a postcode covers a whole town: the street goes with it.
    const Country country = countryOf(address.fieldView(AddressRecord::Land));
    const QString where = postcode.isEmpty()
        ? door.street + gap + address.field(AddressRecord::Woonplaats).simplified().toCaseFolded()
        : country != Country::Netherlands ? postcode + gap + door.street : postcode;
    return where + gap + door.number + gap + door.suffix + gap + countryKey(address, country);
}

// The name without its first word ("de Vries" of "Jan de Vries").
QString afterFirstWord(const QString& name)
{
    const QString simple = name.simplified();
    const qsizetype blank = simple.indexOf(QLatin1Char(' '));
    return blank < 0 ? QString() : simple.mid(blank + 1);
}

}

bool isBoxWord(QStringView word)
{
    static constexpr std::array<QStringView, 11> words{u"bus", u"b", u"bte", u"boite", u"boîte", u"app", u"app.",
                                                       u"apt", u"apt.", u"appartement", u"flat"};
    // Every household asks about the word before its number: most are streets, told apart at once.
    const char16_t first = word.isEmpty() ? 0 : word[0].toLower().unicode();
    if (word.size() > 11 || (first != u'b' && first != u'a' && first != u'f'))
        return false;
    return std::any_of(words.begin(), words.end(),
                       [&](QStringView box) { return word.compare(box, Qt::CaseInsensitive) == 0; });
}

qsizetype houseNumberAt(QStringView adres)
{
    for (qsizetype i = adres.size() - 1; i > 0; --i) {
        if (!adres[i].isDigit() || !adres[i - 1].isSpace())
            continue;
        // A box or flat number belongs to the door; the house number is before it.
        const QStringView before = adres.first(i).trimmed();
        if (!isBoxWord(before.sliced(before.lastIndexOf(u' ') + 1)))
            return i;
    }
    return !adres.isEmpty() && adres[0].isDigit() ? 0 : -1;
}

QString jointName(const QStringList& names)
{
    const QString family = afterFirstWord(names.first());
    bool sameFamily = !family.isEmpty();
    for (const QString& name : names)
        sameFamily = sameFamily && afterFirstWord(name) == family;
    if (sameFamily)
        return QStringLiteral("Fam. ") + family;
    QStringList trimmed;
    for (const QString& name : names)
        trimmed.append(name.simplified());
    const QString last = trimmed.takeLast();
    return trimmed.join(QStringLiteral(", ")) + QStringLiteral(" en ") + last;
}

Households householdLabels(const QList<AddressRecord>& addresses)
{
    QHash<QString, qsizetype> household; // key to its label's index
    QList<QStringList> members;
    Households result;
    result.labels.reserve(addresses.size());
    for (const AddressRecord& address : addresses) {
        const QString key = householdKey(address);
        if (const auto at = key.isEmpty() ? household.constEnd() : household.constFind(key); at != household.constEnd()) {
            members[*at].append(address.field(AddressRecord::Naam));
            continue;
        }
        household.insert(key, result.labels.size());
        result.labels.append(address);
        members.append({address.field(AddressRecord::Naam)});
    }
    for (qsizetype i = 0; i < members.size(); ++i) {
        if (members[i].size() < 2)
            continue;
        const QString name = jointName(members[i]);
        result.labels[i].setField(AddressRecord::Naam, name);
        if (result.jointNames.size() < Households::ShownNames)
            result.jointNames.append(shownStart(name));
        ++result.joined;
    }
    return result;
}

qsizetype householdCount(const QList<AddressRecord>& addresses)
{
    QSet<QString> doors;
    qsizetype alone = 0;
    for (const AddressRecord& address : addresses) {
        const QString key = householdKey(address);
        if (key.isEmpty())
            ++alone;
        else
            doors.insert(key);
    }
    return alone + doors.size();
}

QStringList addressProblems(const AddressRecord& address)
{
    QStringList problems;
    const QStringView postcode = address.fieldView(AddressRecord::Postcode);
    const QStringView land = address.fieldView(AddressRecord::Land);
    if (isBlank(address.fieldView(AddressRecord::Adres)))
        problems.append(QStringLiteral("geen straat"));
    if (isBlank(postcode))
        problems.append(QStringLiteral("geen postcode"));
    else if (!isValidPostcode(postcode, countryOf(land)))
        problems.append(QStringLiteral("postcode %1 past niet bij %2").arg(withoutEndSpaces(postcode), countryName(land)));
    if (isBlank(address.fieldView(AddressRecord::Woonplaats)))
        problems.append(QStringLiteral("geen woonplaats"));
    return problems;
}
