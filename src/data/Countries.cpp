#include "data/Countries.h"

#include "data/TextFolding.h"

#include <QRegularExpression>
#include <QStringList>

bool isHomeCountry(QStringView land)
{
    static const QStringList home = [] {
        QStringList names;
        for (const char* name : {"Nederland", "NL", "Nederlân", "Holland", "The Netherlands", "Netherlands",
                                 "Niederlande", "Pays-Bas"})
            names.append(foldedText(QString::fromUtf8(name)));
        return names;
    }();
    const QStringView trimmed = withoutEndSpaces(land);
    return trimmed.isEmpty() || home.contains(foldedText(trimmed));
}

bool isAbroad(const AddressRecord& address)
{
    return !isHomeCountry(address.fieldView(AddressRecord::Land));
}

namespace {

bool isNamed(QStringView land, std::initializer_list<const char*> names)
{
    const QString folded = foldedText(withoutEndSpaces(land));
    for (const char* name : names)
        if (folded == foldedText(QString::fromUtf8(name)))
            return true;
    return false;
}

// Four digits not starting with 0, perhaps a blank, two letters.
const QRegularExpression& dutchPostcode()
{
    static const QRegularExpression pattern(QStringLiteral("^([1-9][0-9]{3}) ?([A-Za-z]{2})$"));
    return pattern;
}

}

Country countryOf(QStringView land)
{
    if (isHomeCountry(land))
        return Country::Netherlands;
    if (isNamed(land, {"België", "Belgique", "Belgien", "Belgium", "BE"}))
        return Country::Belgium;
    if (isNamed(land, {"Duitsland", "Deutschland", "Germany", "Allemagne", "DE"}))
        return Country::Germany;
    return Country::Other;
}

bool isValidPostcode(QStringView postcode, Country country)
{
    const QString code = withoutEndSpaces(postcode).toString();
    switch (country) {
    case Country::Netherlands: {
        const QRegularExpressionMatch match = dutchPostcode().match(code);
        // PostNL gives out no SA, SD or SS.
        return match.hasMatch() && !QStringList{QStringLiteral("SA"), QStringLiteral("SD"), QStringLiteral("SS")}.contains(match.captured(2).toUpper());
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
        const QRegularExpressionMatch match = dutchPostcode().match(withoutEndSpaces(postcode));
        if (match.hasMatch())
            return match.captured(1) + QLatin1Char(' ') + match.captured(2).toUpper();
    }
    return postcode.toString();
}
