#include "data/ImportColumns.h"

#include <QHash>

namespace {

// Per field, the column names that hold it, best first. A choice of several
// names is taken when all are there, joined by a space. These cover Dutch
// spreadsheets and club exports and the CSV exports of Outlook, Google
// Contacts and Thunderbird.
struct FieldColumns {
    AddressRecord::Field field;
    QList<QStringList> choices;
};

const QList<FieldColumns>& knownColumns()
{
    static const QList<FieldColumns> table = {
        {AddressRecord::Naam,
         {{QStringLiteral("naam")}, {QStringLiteral("name")}, {QStringLiteral("volledige naam")},
          {QStringLiteral("full name")}, {QStringLiteral("display name")}, {QStringLiteral("weergavenaam")},
          {QStringLiteral("voornaam"), QStringLiteral("tussenvoegsel"), QStringLiteral("achternaam")},
          {QStringLiteral("voornaam"), QStringLiteral("achternaam")},
          {QStringLiteral("first name"), QStringLiteral("middle name"), QStringLiteral("last name")},
          {QStringLiteral("first name"), QStringLiteral("last name")},
          {QStringLiteral("given name"), QStringLiteral("additional name"), QStringLiteral("family name")},
          {QStringLiteral("given name"), QStringLiteral("family name")}}},
        {AddressRecord::Adres,
         {{QStringLiteral("adres")}, {QStringLiteral("address")}, {QStringLiteral("straatnaam en huisnummer")},
          {QStringLiteral("home street")}, {QStringLiteral("home address")}, {QStringLiteral("address 1 - street")},
          {QStringLiteral("straat"), QStringLiteral("huisnummer")}, {QStringLiteral("straat")},
          {QStringLiteral("street"), QStringLiteral("house number")}, {QStringLiteral("street")}}},
        {AddressRecord::Postcode,
         {{QStringLiteral("postcode")}, {QStringLiteral("zip")}, {QStringLiteral("zip code")},
          {QStringLiteral("postal code")}, {QStringLiteral("home postal code")}, {QStringLiteral("home zipcode")},
          {QStringLiteral("address 1 - postal code")}}},
        {AddressRecord::Woonplaats,
         {{QStringLiteral("woonplaats")}, {QStringLiteral("plaats")}, {QStringLiteral("stad")}, {QStringLiteral("city")},
          {QStringLiteral("home city")}, {QStringLiteral("address 1 - city")}}},
        {AddressRecord::Land,
         {{QStringLiteral("land")}, {QStringLiteral("country")}, {QStringLiteral("country/region")},
          {QStringLiteral("home country/region")}, {QStringLiteral("home country")},
          {QStringLiteral("address 1 - country")}}},
    };
    return table;
}

// "Straße ", "STRAßE" and "Straße" alike: lower case, accents off, single spaces.
QString normalised(const QString& name)
{
    QString plain;
    for (const QChar c : name.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            plain.append(c.toLower());
    return plain.simplified();
}

}

std::optional<ColumnMap> mapHeader(const QStringList& header)
{
    QHash<QString, int> position;
    for (int i = int(header.size()) - 1; i >= 0; --i) // the first of equal names wins
        position.insert(normalised(header[i]), i);
    ColumnMap map;
    int known = 0;
    for (const FieldColumns& field : knownColumns()) {
        for (const QStringList& choice : field.choices) {
            QList<int> columns;
            for (const QString& name : choice)
                if (position.contains(name))
                    columns.append(position.value(name));
            if (columns.size() == choice.size()) {
                map.columns[size_t(field.field)] = columns;
                ++known;
                break;
            }
        }
    }
    if (known < 2)
        return std::nullopt;
    return map;
}
