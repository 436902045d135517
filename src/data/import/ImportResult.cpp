#include "data/import/ImportResult.h"

#include "data/AddressListFile.h"
#include "data/Countries.h"

#include <algorithm>

void ImportResult::append(const ImportResult& other, const QString& fileName)
{
    const QString prefix = fileName.isEmpty() ? QString() : fileName + QStringLiteral(", ");
    addresses.append(other.addresses);
    for (const QString& reason : other.reasons)
        keep(reasons, other.m_namingTheFile.contains(reason) ? reason : prefix + reason);
    leftOut += other.leftOut;
    for (const QString& name : other.duplicateNames)
        keep(duplicateNames, name);
    duplicates += other.duplicates;
    for (const QString& change : other.changes)
        keep(changes, prefix + change);
    changed += other.changed;
    for (const QString& note : other.columnNotes)
        columnNotes.append(fileName.isEmpty() ? note : fileName + QStringLiteral(": ") + note);
}

QString unstorableWhy(const QString& character)
{
    return QStringLiteral("het teken %1 kan niet in de lijst worden opgeslagen").arg(character);
}

namespace {

// A control character (a terminal's escape, a stray &#1;) shows as nothing
// on a label; tab and line breaks are blanks the fields already handle.
bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || (u >= 0x7F && u <= 0x9F);
}

// A terminal's escape sequence ("\x1b[1m") goes whole, up to its final letter.
void removeControls(QString& field)
{
    if (std::none_of(field.cbegin(), field.cend(), isControl))
        return;
    QString kept;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == u'\x1b' && i + 1 < field.size() && field[i + 1] == u'[') {
            for (i += 2; i < field.size() && !(field[i] >= u'@' && field[i] <= u'~');)
                ++i;
        } else if (!isControl(field[i])) {
            kept += field[i];
        }
    }
    field = kept;
}

}

void ImportCollector::add(std::array<QString, AddressRecord::FieldCount> fields, qsizetype line, qsizetype repeat)
{
    for (QString& field : fields)
        removeControls(field);
    // A member whose name the list cannot spell is kept under the nearest
    // spelling it can; a row with a character that has none is left out.
    // First, so a name of invisible marks alone counts as no name.
    QString change;
    for (QString& field : fields) {
        if (!findUnstorableChar(field))
            continue;
        // A letter typed with a separate accent is the same letter: no change to tell.
        if (QString composed = field.normalized(QString::NormalizationForm_C); !findUnstorableChar(composed)) {
            field = std::move(composed);
            continue;
        }
        QString standIn = withStandIns(field);
        if (const auto bad = findUnstorableChar(standIn)) {
            leaveOut(line, unstorableWhy(bad->character), repeat);
            return;
        }
        if (change.isEmpty())
            change = QStringLiteral("regel %1: %2 wordt %3").arg(line).arg(shownStart(field), shownStart(standIn));
        field = std::move(standIn);
    }
    for (QString& field : fields)
        field = withoutEndSpaces(field).toString();
    takeCountryAsTheListDoes(fields);
    if (fields[AddressRecord::Naam].isEmpty()) {
        leaveOut(line, QStringLiteral("geen naam"), repeat);
        return;
    }
    // A count under the list ("Aantal leden:" and 15) has a number where a street would be, and no town.
    const QString& adres = fields[AddressRecord::Adres];
    const bool streetless = std::none_of(adres.begin(), adres.end(), [](QChar c) { return c.isLetter(); });
    if (m_requireAddress && streetless && fields[AddressRecord::Postcode].isEmpty()
        && fields[AddressRecord::Woonplaats].isEmpty()) {
        leaveOut(line, QStringLiteral("geen adres"), repeat);
        return;
    }
    if (!change.isEmpty())
        m_result.noteChange(change);
    if (repeat > 1)
        m_result.noteDuplicate(shownStart(fields[AddressRecord::Naam]), repeat - 1);
    m_result.addresses.append(AddressRecord(fields));
}

void ImportCollector::leaveOut(qsizetype line, const QString& why, qsizetype rows)
{
    m_result.leaveOut(QStringLiteral("regel %1: %2").arg(line).arg(why), rows);
}

void takeCountryAsTheListDoes(std::array<QString, AddressRecord::FieldCount>& fields)
{
    // "B-2000" is a Belgian postcode; "NL" or "DEU" a country by its code.
    if (const std::optional<PrefixedPostcode> prefixed = withoutCountryPrefix(fields[AddressRecord::Postcode])) {
        fields[AddressRecord::Postcode] = prefixed->postcode;
        if (fields[AddressRecord::Land].isEmpty())
            fields[AddressRecord::Land] = prefixed->land;
    }
    if (const QString named = countryOfCode(fields[AddressRecord::Land]); !named.isEmpty())
        fields[AddressRecord::Land] = named;
    if (fields[AddressRecord::Land].isEmpty())
        fields[AddressRecord::Land] = DefaultLand; // as the edit field starts
}
