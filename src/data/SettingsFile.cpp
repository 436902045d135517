#include "data/SettingsFile.h"

#include "data/AddressListFile.h"
#include "data/FieldReader.h"

#include <limits>

namespace {

// A number field must hold a whole number of its type; anything else is a read failure.
template <typename Int>
bool readNumberField(FieldReader& reader, Int& target)
{
    const std::optional<QByteArrayView> field = reader.next();
    if (!field)
        return false;
    bool ok = false;
    const qlonglong value = field->toLongLong(&ok);
    if (!ok || value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        return false;
    target = Int(value);
    return true;
}

// A size the print dialog would refuse is as unreadable as text: it would
// print nothing legible.
bool readFontSize(FieldReader& reader, qint16& target)
{
    qint16 size = 0;
    if (!readNumberField(reader, size) || !isUsableFontSize(size))
        return false;
    target = size;
    return true;
}

}

ParsedSettings parseSettings(const QByteArray& bytes)
{
    FieldReader reader(bytes);
    ParsedSettings result;
    MarginSettings& m = result.values.margins;
    // Each value stands on its own: one that is not a number takes its
    // default, and the others are kept.
    bool complete = reader.next().has_value() && reader.next().has_value();
    for (qint32* value : {&m.LeftOffset, &m.TopOffset, &m.ColumnPitchOffset, &m.RowPitchOffset})
        complete = readNumberField(reader, *value) && complete;
    result.complete = readFontSize(reader, result.values.FontSize) && complete;
    return result;
}

QByteArray serializeSettings(const SavedSettings& settings)
{
    const MarginSettings& m = settings.margins;
    const QString text = QStringLiteral("\"Plaklabels\"\r\n\"----------------------------\"\r\n%1,%2,%3,%4\r\n%5\r\n")
                             .arg(m.LeftOffset).arg(m.TopOffset).arg(m.ColumnPitchOffset).arg(m.RowPitchOffset)
                             .arg(settings.FontSize);
    return text.toLatin1(); // a banner and numbers: plain ASCII
}

QString settingsPath(const QString& homeFolder)
{
    return homeFolder + QStringLiteral("/Plaklabels.ini");
}

SavedSettings loadSettings(const QString& homeFolder)
{
    QByteArray bytes;
    if (!readWholeFile(settingsPath(homeFolder), bytes).ok) {
        writeSettings(homeFolder, {});
        return {};
    }
    const ParsedSettings parsed = parseSettings(bytes);
    if (!parsed.complete)
        writeSettings(homeFolder, parsed.values);
    return parsed.values;
}

FileResult writeSettings(const QString& homeFolder, const SavedSettings& settings)
{
    return writeWholeFile(settingsPath(homeFolder), serializeSettings(settings));
}
