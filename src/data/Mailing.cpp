#include "data/Mailing.h"

#include "data/Countries.h"

#include <QHash>

namespace {

QString householdKey(const AddressRecord& address)
{
    const auto folded = [&](int field) { return address.field(field).simplified().toCaseFolded(); };
    QString postcode = folded(AddressRecord::Postcode);
    postcode.remove(QLatin1Char(' '));
    return folded(AddressRecord::Adres) + QChar(0) + postcode + QChar(0) + folded(AddressRecord::Land);
}

// The name without its first word ("de Vries" of "Jan de Vries").
QString afterFirstWord(const QString& name)
{
    const QString simple = name.simplified();
    const qsizetype blank = simple.indexOf(QLatin1Char(' '));
    return blank < 0 ? QString() : simple.mid(blank + 1);
}

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
        if (const auto at = household.constFind(key); at != household.constEnd()) {
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

Suspects suspectAddresses(const QList<AddressRecord>& addresses)
{
    Suspects found;
    for (const AddressRecord& address : addresses) {
        const bool incomplete = isBlank(address.fieldView(AddressRecord::Adres))
            || isBlank(address.fieldView(AddressRecord::Postcode)) || isBlank(address.fieldView(AddressRecord::Woonplaats));
        if (!incomplete
            && isValidPostcode(address.fieldView(AddressRecord::Postcode), countryOf(address.fieldView(AddressRecord::Land))))
            continue;
        if (found.names.size() < Suspects::ShownNames)
            found.names.append(shownStart(address.fieldView(AddressRecord::Naam)));
        ++found.count;
    }
    return found;
}
