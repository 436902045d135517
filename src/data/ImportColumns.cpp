#include "data/ImportColumns.h"

#include "data/TextFolding.h"

#include <QHash>
#include <QSet>

namespace {

// Per field, the column names that hold it, best first. A choice of several
// names is taken when all are there, joined by a space. These cover Dutch
// spreadsheets and club exports, the CSV exports of Outlook in Dutch,
// English, German and French, of Google Contacts (today's and the older
// one) and of Thunderbird. Names are compared without case and accents.
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
          {QStringLiteral("voornaam"), QStringLiteral("middelste naam"), QStringLiteral("achternaam")},
          {QStringLiteral("voornaam"), QStringLiteral("achternaam")},
          {QStringLiteral("first name"), QStringLiteral("middle name"), QStringLiteral("last name")},
          {QStringLiteral("first name"), QStringLiteral("last name")},
          {QStringLiteral("given name"), QStringLiteral("additional name"), QStringLiteral("family name")},
          {QStringLiteral("given name"), QStringLiteral("family name")},
          {QStringLiteral("vorname"), QStringLiteral("weitere vornamen"), QStringLiteral("nachname")},
          {QStringLiteral("vorname"), QStringLiteral("nachname")},
          {QStringLiteral("prenom"), QStringLiteral("deuxieme prenom"), QStringLiteral("nom")},
          {QStringLiteral("prenom"), QStringLiteral("nom")},
          {QStringLiteral("first"), QStringLiteral("last")}}},
        {AddressRecord::Adres,
         {{QStringLiteral("adres")}, {QStringLiteral("address")}, {QStringLiteral("straatnaam en huisnummer")},
          {QStringLiteral("home street")}, {QStringLiteral("home address")}, {QStringLiteral("address 1 - street")},
          {QStringLiteral("straat (prive)")}, {QStringLiteral("strasse privat")}, {QStringLiteral("rue (domicile)")},
          {QStringLiteral("priveadres")}, {QStringLiteral("business street")}, {QStringLiteral("straat (werk)")},
          {QStringLiteral("strasse geschaftlich")}, {QStringLiteral("rue (bureau)")},
          {QStringLiteral("straat"), QStringLiteral("huisnummer")}, {QStringLiteral("straat")},
          {QStringLiteral("street"), QStringLiteral("house number")}, {QStringLiteral("street")}}},
        {AddressRecord::Postcode,
         {{QStringLiteral("postcode")}, {QStringLiteral("zip")}, {QStringLiteral("zip code")},
          {QStringLiteral("postal code")}, {QStringLiteral("home postal code")}, {QStringLiteral("home zipcode")},
          {QStringLiteral("address 1 - postal code")}, {QStringLiteral("postcode (prive)")},
          {QStringLiteral("postleitzahl privat")}, {QStringLiteral("code postal (domicile)")},
          {QStringLiteral("business postal code")}, {QStringLiteral("postcode (werk)")},
          {QStringLiteral("postleitzahl geschaftlich")}, {QStringLiteral("code postal (bureau)")}}},
        {AddressRecord::Woonplaats,
         {{QStringLiteral("woonplaats")}, {QStringLiteral("plaats")}, {QStringLiteral("stad")}, {QStringLiteral("city")},
          {QStringLiteral("home city")}, {QStringLiteral("address 1 - city")}, {QStringLiteral("plaats (prive)")},
          {QStringLiteral("ort privat")}, {QStringLiteral("ville (domicile)")}, {QStringLiteral("business city")},
          {QStringLiteral("plaats (werk)")}, {QStringLiteral("ort geschaftlich")}, {QStringLiteral("ville (bureau)")}}},
        {AddressRecord::Land,
         {{QStringLiteral("land")}, {QStringLiteral("country")}, {QStringLiteral("country/region")},
          {QStringLiteral("home country/region")}, {QStringLiteral("home country")},
          {QStringLiteral("address 1 - country")}, {QStringLiteral("land/regio (prive)")},
          {QStringLiteral("land/region privat")}, {QStringLiteral("pays/region (domicile)")},
          {QStringLiteral("business country/region")}, {QStringLiteral("business country")},
          {QStringLiteral("land/regio (werk)")}, {QStringLiteral("land/region geschaftlich")},
          {QStringLiteral("pays/region (bureau)")}}},
    };
    return table;
}

// "Straße ", "STRASSE" and "Strasse" alike: lower case, accents off, ß as ss, single spaces.
QString normalised(const QString& name)
{
    return foldedText(name).replace(QChar(0xDF), QLatin1String("ss")).simplified();
}

// Column names, not an address: text only, several cells, each different.
bool looksLikeColumnNames(const QStringList& row)
{
    constexpr qsizetype FewestColumns = 3;
    if (row.size() < FewestColumns || QSet<QString>(row.begin(), row.end()).size() != row.size())
        return false;
    for (const QString& cell : row)
        for (const QChar c : cell)
            if (c.isDigit())
                return false;
    return true;
}

}

HeaderKind mapHeader(const QStringList& header, ColumnMap& map)
{
    QHash<QString, int> position;
    for (int i = int(header.size()) - 1; i >= 0; --i) // the first of equal names wins
        position.insert(normalised(header[i]), i);
    map = {};
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
    const bool columnNames = looksLikeColumnNames(header);
    if (known >= 2 || (known == 1 && columnNames))
        return HeaderKind::Known;
    return columnNames ? HeaderKind::Unknown : HeaderKind::None;
}
