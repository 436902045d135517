#include "data/ListNames.h"

#include <QFile>

namespace {
constexpr int MaxNameLength = 200;
// What the file system takes for one file name, counted in its own bytes.
constexpr int MaxFileNameBytes = 255;
}

bool isListFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String(".") && name != QLatin1String("..");
}

bool isNewListName(const QString& name)
{
    const QString fileName = name + QStringLiteral(".lst");
    if (!isListFileName(fileName) || name.size() > MaxNameLength || QFile::encodeName(fileName).size() > MaxFileNameBytes)
        return false;
    // A name starting with a dot would make a hidden file that no list of lists shows.
    if (name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral(":*?\"<>|").contains(c))
            return false;
    return true;
}
