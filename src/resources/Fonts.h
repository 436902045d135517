#pragma once

#include <QFont>

// The one typeface of the windows and pictures, at a size in points (the
// windows' default being 8.25 pt).
namespace Fonts {

inline QFont arial(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}
