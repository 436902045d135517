#include "data/import/ImportColumns.h"

#include "data/Mailing.h"
#include "data/TextFolding.h"
#include "data/import/SortNames.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

// What a known column name holds. The parts of a name and of an address are
// joined into one field; of the rest one column each is used.
enum class Role {
    Name, CallName, GivenName, Initials, MiddleName, LastName, Street, Street2, Number, Suffix, Box, Postcode, Town, Country
};

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
            {Role::CallName, {"roepnaam", "call name", "rufname"}},
            {Role::GivenName, {"voornaam", "first name", "firstname", "given name", "vorname", "prenom", "first"}},
            {Role::Initials, {"voorletters", "voorletter", "initialen", "initials"}},
            {Role::MiddleName,
             {"tussenvoegsel", "tussenvoegsels", "voorvoegsel", "voorvoegsels", "middelste naam", "middle name",
              "additional name", "weitere vornamen", "deuxieme prenom"}},
            {Role::LastName, {"achternaam", "last name", "lastname", "surname", "family name", "nachname", "nom", "last"}},
            {Role::Street,
             {"adres", "address", "straatnaam en huisnummer", "adresregel 1", "address line 1", "address 1 - street",
              "straat", "straatnaam", "street", "strasse", "rue"}},
            {Role::Street2, {"adresregel 2", "address line 2"}},
            {Role::Number,
             {"huisnummer", "huisnr", "huisnr.", "nr", "nr.", "nummer", "hausnummer", "house number"}},
            {Role::Suffix,
             {"toevoeging", "huisnummertoevoeging", "huisnummer toevoeging", "toev.", "toev", "huisletter", "toevoegsel",
              "huisnr toev.", "huisnr. toev.", "zusatz", "hausnummerzusatz"}},
            {Role::Box, {"busnummer", "bus", "busnr", "bus nr", "boite"}},
            {Role::Postcode,
             {"postcode", "zip", "zip code", "zipcode", "postal code", "plz", "postleitzahl", "code postal",
              "address 1 - postal code"}},
            {Role::Town,
             {"woonplaats", "plaats", "stad", "gemeente", "city", "ort", "ville", "address 1 - city"}},
            {Role::Country,
             {"land", "country", "country/region", "land/regio", "land/region", "pays", "pays/region", "landcode",
              "country code", "address 1 - country"}},
        };
        QHash<QString, KnownName> names;
        for (const auto& [role, list] : ranked)
            for (qsizetype rank = 0; rank < list.size(); ++rank)
                names.insert(QString::fromLatin1(list[rank]), {role, int(rank)});
        return names;
    }();
    return table;
}

using Kind = ColumnUses::Kind;
using Part = ColumnUses::Part;

// Whether a word that qualifies a column name says home, work or neither.
Kind kindOfWord(const QString& word)
{
    static const QHash<QString, Kind> kinds = [] {
        QHash<QString, Kind> table;
        for (const char* home : {"thuis", "prive", "privat", "home", "domicile", "huis", "personal"})
            table.insert(QString::fromLatin1(home), Kind::Home);
        for (const char* work : {"werk", "zakelijk", "business", "work", "geschaftlich", "bureau", "kantoor", "office"})
            table.insert(QString::fromLatin1(work), Kind::Work);
        return table;
    }();
    return kinds.value(word, Kind::Any);
}

struct QualifiedName {
    QString base;
    Kind kind = Kind::Any;
};

// "straat (thuis)", "huisadres, straat", "home street", "strasse privat":
// the name without what says whose address it is. A qualifier in brackets
// that says neither ("voornaam (lid)", "tussenvoegsel(s)") goes as well.
QualifiedName withoutQualifier(const QString& name)
{
    static const QRegularExpression bracketed(QStringLiteral("^(.+?) ?\\(([^()]*)\\)$"));
    if (const QRegularExpressionMatch match = bracketed.match(name); match.hasMatch())
        return {match.captured(1), kindOfWord(match.captured(2).trimmed())};
    static const QList<std::pair<QString, Kind>> prefixes{
        {QStringLiteral("huisadres, "), Kind::Home}, {QStringLiteral("huisadres "), Kind::Home},
        {QStringLiteral("werkadres, "), Kind::Work}, {QStringLiteral("werkadres "), Kind::Work}};
    if (name == QLatin1String("priveadres"))
        return {QStringLiteral("adres"), Kind::Home};
    for (const auto& [prefix, kind] : prefixes)
        if (name.startsWith(prefix) && name.size() > prefix.size())
            return {name.mid(prefix.size()), kind};
    const qsizetype blank = name.indexOf(u' ');
    if (blank > 0 && kindOfWord(name.left(blank)) != Kind::Any)
        return {name.mid(blank + 1), kindOfWord(name.left(blank))};
    const qsizetype lastBlank = name.lastIndexOf(u' ');
    if (lastBlank > 0 && kindOfWord(name.mid(lastBlank + 1)) != Kind::Any)
        return {name.left(lastBlank), kindOfWord(name.mid(lastBlank + 1))};
    return {name, Kind::Any};
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
    case Role::CallName:
    case Role::GivenName:
    case Role::Initials:
    case Role::MiddleName:
    case Role::LastName:
        return AddressRecord::Naam;
    case Role::Street:
    case Role::Street2:
    case Role::Number:
    case Role::Suffix:
    case Role::Box:
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

Part partOfRole(Role role)
{
    switch (role) {
    case Role::Name:
        return Part::Whole;
    case Role::CallName:
        return Part::CallName;
    case Role::GivenName:
        return Part::GivenName;
    case Role::Initials:
        return Part::Initials;
    case Role::MiddleName:
        return Part::Middle;
    case Role::LastName:
        return Part::Last;
    case Role::Box:
        return Part::Box;
    default:
        return Part::Plain;
    }
}

bool isAddressField(int field)
{
    return field == AddressRecord::Adres || field == AddressRecord::Postcode || field == AddressRecord::Woonplaats;
}

// A line break inside a cell is a blank: a street typed on two lines stays two words.
void replaceLineBreaks(QString& field)
{
    // One pass over short fields costs less than two searches.
    if (std::none_of(field.cbegin(), field.cend(), [](QChar c) { return c == u'\n' || c == u'\r'; }))
        return;
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    field.replace(breaks, QStringLiteral(" "));
}

// A box number joins its address as "Meir 24 bus 3", unless the cell says "bus" itself.
bool needsBoxWord(QStringView box)
{
    const qsizetype blank = box.indexOf(u' ');
    return !isBoxWord(blank < 0 ? box : box.first(blank));
}

bool looksLikeData(const QString& cell)
{
    return std::any_of(cell.begin(), cell.end(), [](QChar c) { return c.isDigit() || c == u'@'; });
}

}

bool ColumnUses::hasNameParts() const
{
    return partOf.contains(Part::Last)
        && (partOf.contains(Part::CallName) || partOf.contains(Part::GivenName) || partOf.contains(Part::Initials));
}

qsizetype ColumnUses::wholeNameColumn() const
{
    QList<qsizetype> names;
    for (qsizetype column = 0; column < fieldOf.size(); ++column) {
        if (fieldOf[column] == AddressRecord::Naam && part(column) == Part::Whole)
            return column;
        if (fieldOf[column] == AddressRecord::Naam)
            names.append(column);
    }
    return names.size() == 1 && !hasNameParts() ? names.first() : -1;
}

ColumnUses::Kind ColumnUses::skippedKind(const QStringList& cells) const
{
    if (!kindOf.contains(Kind::Home))
        return Kind::Home; // nothing to skip
    bool homeColumns = false;
    bool workColumns = false;
    for (qsizetype column = 0; column < fieldOf.size(); ++column) {
        if (!isAddressField(fieldOf[column]))
            continue;
        homeColumns = homeColumns || kind(column) == Kind::Home;
        workColumns = workColumns || kind(column) == Kind::Work;
        if (kind(column) == Kind::Home && !withoutEndSpaces(cells.value(column)).isEmpty())
            return Kind::Work;
    }
    if (homeColumns && workColumns)
        return Kind::Home;
    return homeColumns ? Kind::Work : Kind::Home; // a kind that has no columns: nothing is skipped
}

QString ColumnUses::name(const QStringList& cells) const
{
    QString whole;
    QStringView first;
    int firstRank = 4;
    QStringList rest; // the prefix and the last name, in the file's order
    for (qsizetype column = 0; column < std::min(cells.size(), fieldOf.size()); ++column) {
        if (fieldOf[column] != AddressRecord::Naam)
            continue;
        const QStringView cell = withoutEndSpaces(cells[column]);
        if (cell.isEmpty())
            continue;
        const Part p = part(column);
        const int rank = p == Part::CallName ? 1 : p == Part::GivenName ? 2 : p == Part::Initials ? 3 : 0;
        if (rank > 0 && rank < firstRank) {
            first = cell;
            firstRank = rank;
        } else if (p == Part::Middle || p == Part::Last) {
            rest.append(cell.toString());
        } else if (p == Part::Whole || p == Part::Plain) {
            if (!whole.isEmpty())
                whole += QLatin1Char(' ');
            whole += cell;
        }
    }
    if (first.isEmpty() && rest.isEmpty())
        return turnNames ? envelopeName(whole) : whole;
    if (!first.isEmpty())
        rest.prepend(first.toString());
    return rest.join(QLatin1Char(' '));
}

std::array<QString, AddressRecord::FieldCount> ColumnUses::fields(const QStringList& cells, bool* tookWorkAddress) const
{
    std::array<QString, AddressRecord::FieldCount> fields;
    const bool nameParts = hasNameParts();
    const Kind skipped = skippedKind(cells);
    bool workAddress = false;
    const qsizetype columns = std::min(cells.size(), fieldOf.size());
    for (qsizetype column = 0; column < columns; ++column) {
        const int field = fieldOf[column];
        const QStringView cell = withoutEndSpaces(cells[column]);
        if (field == Unused || cell.isEmpty() || (field == AddressRecord::Naam && nameParts) || kind(column) == skipped)
            continue;
        workAddress = workAddress || (kind(column) == Kind::Work && isAddressField(field));
        QString& into = fields[size_t(field)];
        const bool joined = field == AddressRecord::Adres && cell.startsWith(u'-') && !into.isEmpty() && into.back().isDigit();
        if (!into.isEmpty() && !joined)
            into += QLatin1Char(' ');
        if (part(column) == Part::Box && needsBoxWord(cell))
            into += QLatin1String("bus ");
        into += cell;
    }
    if (nameParts)
        fields[AddressRecord::Naam] = name(cells);
    else if (turnNames)
        fields[AddressRecord::Naam] = envelopeName(fields[AddressRecord::Naam]);
    for (QString& field : fields)
        replaceLineBreaks(field);
    // Told only where a row could have had either address.
    if (tookWorkAddress)
        *tookWorkAddress = workAddress && kindOf.contains(Kind::Home);
    return fields;
}

void ColumnUses::keepPartsOf(const ColumnUses& known)
{
    partOf.resize(fieldOf.size(), Part::Plain);
    kindOf.resize(fieldOf.size(), Kind::Any);
    for (qsizetype column = 0; column < fieldOf.size(); ++column) {
        if (known.fieldOf.value(column, Unused) != fieldOf[column])
            continue;
        partOf[column] = known.part(column);
        kindOf[column] = known.kind(column);
    }
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
    // Per role and kind the best-ranked column; the first of equal names wins.
    QMap<std::pair<Role, Kind>, std::pair<int, qsizetype>> best;
    Recognised found;
    for (qsizetype column = 0; column < header.size(); ++column) {
        const QString name = normalised(header[column]);
        QualifiedName qualified{name, Kind::Any};
        auto known = knownNames().find(name);
        if (known == knownNames().end()) {
            qualified = withoutQualifier(name);
            known = knownNames().find(qualified.base);
        }
        if (known == knownNames().end())
            continue;
        ++found.known;
        const int field = fieldOfRole(known->role);
        const Kind kind = isAddressField(field) || field == AddressRecord::Land ? qualified.kind : Kind::Any;
        const auto at = best.find({known->role, kind});
        if (at == best.end() || known->rank < at->first)
            best.insert({known->role, kind}, {known->rank, column});
    }
    const auto has = [&](Role role) { return best.contains({role, Kind::Any}); };
    // A whole name wins over its parts, unless they make a name on their own.
    const bool parts = has(Role::LastName) && (has(Role::CallName) || has(Role::GivenName) || has(Role::Initials));
    if (has(Role::Name) && !parts)
        for (const Role part : {Role::CallName, Role::GivenName, Role::Initials, Role::MiddleName, Role::LastName})
            best.remove({part, Kind::Any});
    found.uses.fieldOf = QList<int>(header.size(), ColumnUses::Unused);
    found.uses.partOf = QList<Part>(header.size(), Part::Plain);
    found.uses.kindOf = QList<Kind>(header.size(), Kind::Any);
    for (auto at = best.cbegin(); at != best.cend(); ++at) {
        const qsizetype column = at->second;
        found.uses.fieldOf[column] = fieldOfRole(at.key().first);
        found.uses.partOf[column] = partOfRole(at.key().first);
        found.uses.kindOf[column] = at.key().second;
    }
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
