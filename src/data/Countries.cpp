#include "data/Countries.h"

#include "data/TextFolding.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <unicode/uloc.h>

namespace {

// A country's names, folded once.
QStringList foldedNames(std::initializer_list<const char*> names)
{
    QStringList folded;
    for (const char* name : names)
        folded.append(foldedText(QString::fromUtf8(name)));
    return folded;
}

// The parts of a Dutch postcode: four digits not starting with 0, perhaps a
// blank, two letters. Read by hand: every label of a big job asks, and
// the check before it asks of every address.
struct DutchPostcode {
    QStringView digits;
    QStringView letters;
};

bool isLatinLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Exactly `count` digits; the first not 0 where `noLeadingZero`.
bool isNumberOf(QStringView code, qsizetype count, bool noLeadingZero)
{
    if (code.size() != count || (noLeadingZero && code.startsWith(u'0')))
        return false;
    return std::all_of(code.begin(), code.end(), isDigit);
}

std::optional<DutchPostcode> dutchPostcode(QStringView code)
{
    const bool blank = code.size() == 7 && code[4] == u' ';
    if (code.size() != (blank ? 7 : 6) || !isNumberOf(code.first(4), 4, true))
        return std::nullopt;
    const QStringView letters = code.last(2);
    if (!isLatinLetter(letters[0]) || !isLatinLetter(letters[1]))
        return std::nullopt;
    return DutchPostcode{code.first(4), letters};
}
}

Country countryOf(QStringView land)
{
    const QStringView trimmed = withoutEndSpaces(land);
    // Most addresses of a list say it as the program does: no folding needed.
    if (trimmed.isEmpty() || trimmed == DefaultLand)
        return Country::Netherlands;
    static const QStringList home =
        foldedNames({"Nederland", "NL", "Nederlân", "Holland", "The Netherlands", "Netherlands", "Niederlande", "Pays-Bas"});
    static const QStringList belgium = foldedNames({"België", "Belgique", "Belgien", "Belgium", "BE", "B"});
    static const QStringList germany = foldedNames({"Duitsland", "Deutschland", "Germany", "Allemagne", "DE", "D"});
    const auto known = [&](QStringView name) {
        const QString folded = foldedText(name);
        return home.contains(folded) ? Country::Netherlands
            : belgium.contains(folded) ? Country::Belgium
            : germany.contains(folded) ? Country::Germany
                                       : Country::Other;
    };
    // A code the names above do not hold ("NLD", "BEL") is looked up only then.
    const Country country = known(trimmed);
    const QString named = country == Country::Other ? countryOfCode(trimmed) : QString();
    return named.isEmpty() ? country : known(named);
}

QString countryName(QStringView land)
{
    switch (countryOf(land)) {
    case Country::Netherlands:
        return DefaultLand;
    case Country::Belgium:
        return QStringLiteral("België");
    case Country::Germany:
        return QStringLiteral("Duitsland");
    case Country::Other:
        break;
    }
    return withoutEndSpaces(land).toString();
}

bool isValidPostcode(QStringView postcode, Country country)
{
    const QStringView code = withoutEndSpaces(postcode);
    switch (country) {
    case Country::Netherlands: {
        const std::optional<DutchPostcode> dutch = dutchPostcode(code);
        // PostNL gives out no SA, SD or SS.
        return dutch && dutch->letters.compare(u"SA", Qt::CaseInsensitive) != 0
            && dutch->letters.compare(u"SD", Qt::CaseInsensitive) != 0 && dutch->letters.compare(u"SS", Qt::CaseInsensitive) != 0;
    }
    case Country::Belgium:
        return isNumberOf(code, 4, true);
    case Country::Germany:
        return isNumberOf(code, 5, false);
    case Country::Other:
        return true;
    }
    return true;
}

QString printedPostcode(QStringView postcode, Country country)
{
    if (country == Country::Netherlands) {
        const QStringView code = withoutEndSpaces(postcode);
        if (const std::optional<DutchPostcode> dutch = dutchPostcode(code)) {
            // Typed as it is written already: shared, not copied.
            if (code.size() == 7 && code.size() == postcode.size() && dutch->letters[0].isUpper() && dutch->letters[1].isUpper())
                return passOn(postcode);
            return dutch->digits.toString() + QLatin1Char(' ') + dutch->letters.toString().toUpper();
        }
    }
    return passOn(postcode);
}

namespace {

// Every ISO code, two and three letters, with the country's Dutch name, from ICU's locale data.
QHash<QString, QString> countryCodes()
{
    QHash<QString, QString> codes;
    for (const char* const* two = uloc_getISOCountries(); *two; ++two) {
        const QByteArray locale = QByteArray("und_") + *two;
        UChar name[128];
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = uloc_getDisplayCountry(locale.constData(), "nl", name, 128, &status);
        if (U_FAILURE(status) || length <= 0 || length >= 128)
            continue;
        const QString dutch = QString::fromUtf16(reinterpret_cast<const char16_t*>(name), length);
        codes.insert(QString::fromLatin1(*two), dutch);
        const QString three = QString::fromLatin1(uloc_getISO3Country(locale.constData()));
        if (three.size() == 3)
            codes.insert(three, dutch);
    }
    return codes;
}

}

QString countryOfCode(QStringView code)
{
    if (code.size() < 2 || code.size() > 3 || !std::all_of(code.begin(), code.end(), isLatinLetter))
        return {};
    static const QHash<QString, QString> codes = countryCodes();
    return codes.value(code.toString().toUpper());
}

QString printedLand(QStringView land)
{
    const QString name = countryOfCode(withoutEndSpaces(land));
    return name.isEmpty() ? passOn(land) : name;
}

std::optional<PrefixedPostcode> withoutCountryPrefix(QStringView postcode)
{
    const QStringView code = withoutEndSpaces(postcode);
    if (code.isEmpty() || !isLatinLetter(code[0]))
        return std::nullopt; // most postcodes start with a digit
    const qsizetype dash = code.indexOf(u'-');
    if (dash < 1 || dash > 3 || dash + 1 >= code.size() || !isDigit(code[dash + 1]))
        return std::nullopt;
    // The prefix names a country as a Land may: "B", "D", "NL", or any code.
    const QStringView prefix = code.first(dash);
    const QString land = countryOf(prefix) != Country::Other ? countryName(prefix) : countryOfCode(prefix);
    if (land.isEmpty())
        return std::nullopt;
    return PrefixedPostcode{code.sliced(dash + 1).toString(), land};
}
