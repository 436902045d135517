#include "data/Countries.h"

#include "data/TextFolding.h"

#include <QRegularExpression>
#include <QStringList>
#include <optional>

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
// blank, two letters. Read by hand: every label of a big job asks.
struct DutchPostcode {
    QStringView digits;
    QStringView letters;
};

bool isLatinLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

std::optional<DutchPostcode> dutchPostcode(QStringView code)
{
    const bool blank = code.size() == 7 && code[4] == u' ';
    if (code.size() != (blank ? 7 : 6) || code[0] < u'1' || code[0] > u'9')
        return std::nullopt;
    for (int i = 1; i < 4; ++i)
        if (code[i] < u'0' || code[i] > u'9')
            return std::nullopt;
    const QStringView letters = code.last(2);
    if (!isLatinLetter(letters[0]) || !isLatinLetter(letters[1]))
        return std::nullopt;
    return DutchPostcode{code.first(4), letters};
}
}

bool isHomeCountry(QStringView land)
{
    static const QStringList home =
        foldedNames({"Nederland", "NL", "Nederlân", "Holland", "The Netherlands", "Netherlands", "Niederlande", "Pays-Bas"});
    const QStringView trimmed = withoutEndSpaces(land);
    // Most addresses of a list say it as the program does: no folding needed.
    if (trimmed.isEmpty() || trimmed == DefaultLand)
        return true;
    return home.contains(foldedText(trimmed));
}

bool isAbroad(const AddressRecord& address)
{
    return !isHomeCountry(address.fieldView(AddressRecord::Land));
}

Country countryOf(QStringView land)
{
    if (isHomeCountry(land))
        return Country::Netherlands;
    static const QStringList belgium = foldedNames({"België", "Belgique", "Belgien", "Belgium", "BE"});
    static const QStringList germany = foldedNames({"Duitsland", "Deutschland", "Germany", "Allemagne", "DE"});
    const QString folded = foldedText(withoutEndSpaces(land));
    if (belgium.contains(folded))
        return Country::Belgium;
    if (germany.contains(folded))
        return Country::Germany;
    return Country::Other;
}

bool isValidPostcode(QStringView postcode, Country country)
{
    const QString code = withoutEndSpaces(postcode).toString();
    switch (country) {
    case Country::Netherlands: {
        const std::optional<DutchPostcode> dutch = dutchPostcode(code);
        // PostNL gives out no SA, SD or SS.
        return dutch && !QStringList{QStringLiteral("SA"), QStringLiteral("SD"), QStringLiteral("SS")}.contains(dutch->letters.toString().toUpper());
    }
    case Country::Belgium:
        return QRegularExpression(QStringLiteral("^[1-9][0-9]{3}$")).match(code).hasMatch();
    case Country::Germany:
        return QRegularExpression(QStringLiteral("^[0-9]{5}$")).match(code).hasMatch();
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
