#pragma once

#include <QColor>
#include <QFont>

// What the windows and the pictures drawn for them share.
namespace Look {

// The one typeface, at a size in points (the windows' default being 8.25 pt).
inline QFont arial(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The ground of every dialog, and of the pictures that stand on one.
inline const QColor DialogBackground(210, 230, 190);

}
