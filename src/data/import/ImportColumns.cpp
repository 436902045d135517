#include "data/import/ImportColumns.h"

#include "data/TextFolding.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

// What a known column name holds. The parts of a name and of an address are
// joined into one field; of the rest one column each is used.
enum class Role { Name, FirstName, MiddleName, LastName, Street, Street2, Number, Suffix, Postcode, Town, Country };

struct KnownName {
    Role role;
    int rank; // of the names of one role, the lowest wins
};

const QHash<QString, KnownName>& knownNames()
{
    static const QHash<QString, KnownName> table = [] {
        const QList<std::pair<Role, QList<const char*>>> ranked{
            {Role::Name,
             {"naam", "name", "volledige naam", "full name", "display name", "weergavenaam", "contact name"}},
            // The name one is called by wins over the given names, initials come last.
            {Role::FirstName,
             {"roepnaam", "voornaam", "first name", "firstname", "given name", "vorname", "prenom", "first", "voorletters"}},
            {Role::MiddleName,
             {"tussenvoegsel", "tussenvoegsels", "middelste naam", "middle name", "additional name", "weitere vornamen",
              "deuxieme prenom"}},
            {Role::LastName, {"achternaam", "last name", "lastname", "surname", "family name", "nachname", "nom", "last"}},
            {Role::Street,
             {"adres", "address", "straatnaam en huisnummer", "adresregel 1", "address line 1", "home street",
              "home address", "address 1 - street", "straat (prive)", "strasse privat", "rue (domicile)", "priveadres",
              "business street", "straat (werk)", "strasse geschaftlich", "rue (bureau)", "straat", "straatnaam",
              "street", "strasse", "rue"}},
            {Role::Street2, {"adresregel 2", "address line 2"}},
            {Role::Number,
             {"huisnummer", "huisnr", "huisnr.", "nr", "nr.", "nummer", "hausnummer", "house number"}},
            {Role::Suffix,
             {"toevoeging", "huisnummertoevoeging", "huisnummer toevoeging", "toev.", "toev", "huisletter", "toevoegsel",
              "huisnr toev.", "huisnr. toev.", "zusatz", "hausnummerzusatz"}},
            {Role::Postcode,
             {"postcode", "zip", "zip code", "zipcode", "postal code", "plz", "postleitzahl", "code postal",
              "home postal code", "home zipcode", "address 1 - postal code", "postcode (prive)", "postleitzahl privat",
              "code postal (domicile)", "business postal code", "postcode (werk)", "postleitzahl geschaftlich",
              "code postal (bureau)"}},
            {Role::Town,
             {"woonplaats", "plaats", "stad", "city", "ort", "ville", "home city", "address 1 - city", "plaats (prive)",
              "ort privat", "ville (domicile)", "business city", "plaats (werk)", "ort geschaftlich", "ville (bureau)"}},
            {Role::Country,
             {"land", "country", "country/region", "pays", "home country/region", "home country", "address 1 - country",
              "land/regio (prive)", "land/region privat", "pays/region (domicile)", "business country/region",
              "business country", "land/regio (werk)", "land/region geschaftlich", "pays/region (bureau)"}},
        };
        QHash<QString, KnownName> names;
        for (const auto& [role, list] : ranked)
            for (qsizetype rank = 0; rank < list.size(); ++rank)
                names.insert(QString::fromLatin1(list[rank]), {role, int(rank)});
        return names;
    }();
    return table;
}

// "Straße ", "STRASSE" and "Strasse" alike: lower case, accents off, ß as ss, single spaces.
QString normalised(const QString& name)
{
    return foldedText(name).replace(QChar(0xDF), QLatin1String("ss")).simplified();
}

int fieldOfRole(Role role)
{
    switch (role) {
    case Role::Name:
    case Role::FirstName:
    case Role::MiddleName:
    case Role::LastName:
        return AddressRecord::Naam;
    case Role::Street:
    case Role::Street2:
    case Role::Number:
    case Role::Suffix:
        return AddressRecord::Adres;
    case Role::Postcode:
        return AddressRecord::Postcode;
    case Role::Town:
        return AddressRecord::Woonplaats;
    case Role::Country:
        return AddressRecord::Land;
    }
    return ColumnUses::Unused;
}

bool looksLikeData(const QString& cell)
{
    return std::any_of(cell.begin(), cell.end(), [](QChar c) { return c.isDigit() || c == u'@'; });
}

}

std::array<QString, AddressRecord::FieldCount> ColumnUses::fields(const QStringList& cells) const
{
    std::array<QString, AddressRecord::FieldCount> fields;
    const qsizetype columns = std::min(cells.size(), fieldOf.size());
    for (qsizetype column = 0; column < columns; ++column) {
        const int field = fieldOf[column];
        const QStringView part = withoutEndSpaces(cells[column]);
        if (field == Unused || part.isEmpty())
            continue;
        QString& into = fields[size_t(field)];
        const bool joined = field == AddressRecord::Adres && part.startsWith(u'-') && !into.isEmpty() && into.back().isDigit();
        if (!into.isEmpty() && !joined)
            into += QLatin1Char(' ');
        into += part;
    }
    return fields;
}

ColumnUses ColumnUses::inFieldOrder(qsizetype columns)
{
    ColumnUses uses;
    for (qsizetype column = 0; column < columns; ++column)
        uses.fieldOf.append(column < AddressRecord::FieldCount ? int(column) : Unused);
    return uses;
}

Recognised recogniseColumns(const QStringList& header)
{
    // Per role the best-ranked column; the first of equal names wins.
    QHash<Role, std::pair<int, qsizetype>> best;
    Recognised found;
    for (qsizetype column = 0; column < header.size(); ++column) {
        const auto known = knownNames().find(normalised(header[column]));
        if (known == knownNames().end())
            continue;
        ++found.known;
        const auto at = best.find(known->role);
        if (at == best.end() || known->rank < at->first)
            best.insert(known->role, {known->rank, column});
    }
    // A whole name wins over its parts.
    if (best.contains(Role::Name))
        for (const Role part : {Role::FirstName, Role::MiddleName, Role::LastName})
            best.remove(part);
    found.uses.fieldOf = QList<int>(header.size(), ColumnUses::Unused);
    for (auto at = best.cbegin(); at != best.cend(); ++at)
        found.uses.fieldOf[at->second] = fieldOfRole(at.key());
    return found;
}

bool isHeaderRow(const QStringList& cells)
{
    const int known = recogniseColumns(cells).known;
    if (known >= 2)
        return true;
    return known == 1 && std::none_of(cells.begin(), cells.end(), looksLikeData);
}

bool looksLikeColumnNames(const QStringList& cells)
{
    QStringList filled;
    for (const QString& cell : cells)
        if (!cell.trimmed().isEmpty())
            filled.append(cell);
    constexpr qsizetype FewestColumns = 3;
    return filled.size() >= FewestColumns && QSet<QString>(filled.begin(), filled.end()).size() == filled.size()
        && std::none_of(filled.begin(), filled.end(), looksLikeData);
}

QString columnLetterName(qsizetype column)
{
    QString letters;
    for (qsizetype n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(char16_t(u'A' + (n - 1) % 26)));
    return QStringLiteral("Kolom ") + letters;
}

QString usesText(const QStringList& names, const ColumnUses& uses)
{
    static const std::array<const char*, AddressRecord::FieldCount> fieldNames{"Naam", "Adres", "Postcode", "Woonplaats", "Land"};
    QStringList used;
    for (int field = 0; field < AddressRecord::FieldCount; ++field) {
        QStringList columns;
        for (qsizetype column = 0; column < uses.fieldOf.size(); ++column)
            if (uses.fieldOf[column] == field)
                columns.append(names.value(column).trimmed().isEmpty() ? columnLetterName(column) : names[column].trimmed());
        if (!columns.isEmpty())
            used.append(columns.join(QStringLiteral(" + ")) + QStringLiteral(" → ") + QLatin1String(fieldNames[size_t(field)]));
    }
    QStringList unused;
    for (qsizetype column = 0; column < names.size(); ++column)
        if (uses.fieldOf.value(column, ColumnUses::Unused) == ColumnUses::Unused && !names[column].trimmed().isEmpty())
            unused.append(names[column].trimmed());
    QString text = QStringLiteral("Gebruikt: ") + used.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (!unused.isEmpty())
        text += QStringLiteral(" Niet gebruikt: ") + unused.join(QStringLiteral(", ")) + QLatin1Char('.');
    return text;
}
