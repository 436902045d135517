#include "data/Countries.h"

#include "data/TextFolding.h"

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
