#pragma once

#include <QString>
#include <QStringList>
#include <array>

// One address: five free-text fields in fixed order.
struct AddressRecord {
    enum Field { Naam, Adres, Postcode, Woonplaats, Land };
    static constexpr int FieldCount = 5;

    std::array<QString, FieldCount> fields;

    const QString& field(int index) const { return fields[size_t(index)]; }
    QString& field(int index) { return fields[size_t(index)]; }
    bool operator==(const AddressRecord&) const = default;
};

// The field names, used as column headers and in messages.
inline QStringList addressFieldNames()
{
    return {QStringLiteral("Naam"), QStringLiteral("Adres"), QStringLiteral("Postcode"),
            QStringLiteral("Woonplaats"), QStringLiteral("Land")};
}
