#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

// One address: five free-text fields in fixed order.
class AddressRecord {
public:
    enum Field { Naam, Adres, Postcode, Woonplaats, Land };
    static constexpr int FieldCount = 5;

    AddressRecord() = default;
    AddressRecord(const std::array<QString, FieldCount>& fields);
    static AddressRecord fromViews(const std::array<QStringView, FieldCount>& fields);
    // The five fields already joined into one text, with where each but the last ends.
    static AddressRecord fromJoined(QString text, const std::array<qint32, FieldCount - 1>& ends);

    QString field(int index) const { return fieldView(index).toString(); }
    QStringView fieldView(int index) const;
    // The length of all five fields together.
    qsizetype textSize() const { return m_text.size(); }
    // The five fields one after the other, and the field a position of it lies in.
    QStringView text() const { return m_text; }
    int fieldAt(qsizetype position) const;
    void setField(int index, QStringView value);

    bool operator==(const AddressRecord&) const = default;

private:
    // The five fields stand in one string, so a record costs one allocation:
    // big lists load faster and take less memory. The last field ends with the text.
    QString m_text;
    std::array<qint32, FieldCount - 1> m_ends{};
};

// Empty or only spaces. Only the space counts: a tab or a no-break space is
// text somebody typed, and a name made of it must not vanish from the list.
inline bool isBlank(QStringView text)
{
    for (const QChar c : text)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

// The text without the spaces at its ends (only spaces, as above).
inline QStringView withoutEndSpaces(QStringView text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.sliced(start, end - start);
}

// The start of a field as the list view and the printed list show it: a
// field of megabytes would otherwise freeze the view while it lays out.
constexpr qsizetype MaxShownLength = 1000;
inline QString shownStart(QStringView field)
{
    if (field.size() <= MaxShownLength)
        return field.toString();
    return field.first(MaxShownLength).toString() + QChar(0x2026);
}

// Hands a text on at once, to a printer, without copying it: the result
// shares the view's memory, so it must never be kept. A list of a million
// addresses would otherwise make and drop millions of copies while it prints.
inline QString passOn(QStringView text)
{
    return QString::fromRawData(text.data(), text.size());
}

// The field names, used as column headers and in messages.
inline QStringList addressFieldNames()
{
    return {QStringLiteral("Naam"), QStringLiteral("Adres"), QStringLiteral("Postcode"),
            QStringLiteral("Woonplaats"), QStringLiteral("Land")};
}

// The records without those at the rows given in ascending order, made in one
// pass: a list of a million may lose a hundred thousand.
template <typename Index>
QList<AddressRecord> withoutRows(const QList<AddressRecord>& records, const QList<Index>& rows)
{
    QList<AddressRecord> kept;
    kept.reserve(records.size() - rows.size());
    qsizetype next = 0;
    for (qsizetype row = 0; row < records.size(); ++row) {
        if (next < rows.size() && rows[next] == row)
            ++next;
        else
            kept.append(records[row]);
    }
    return kept;
}
