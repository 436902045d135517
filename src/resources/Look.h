#pragma once

#include "app/ProgramValues.h"

#include <QColor>
#include <QFont>

// What the windows and the pictures drawn for them share.
namespace Look {

// The one typeface, at a size in points (the windows' default being 8.25 pt).
inline QFont arial(double points, bool bold = false)
{
    QFont font(Typeface);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The ground of every dialog, and of the pictures that stand on one.
inline const QColor DialogBackground(210, 230, 190);
// The main window's ground.
inline const QColor WindowBackground(230, 230, 200);
// Captions and prompts on the light grounds.
inline const QColor CaptionGrey(64, 64, 64);
// The dark boxes that names and choices are typed or picked in.
inline const QColor DarkBox(40, 0, 0);
inline const QColor DarkBoxText(240, 240, 250);
// The keyboard focus where the style's own mark would not show.
inline const QColor FocusYellow(255, 210, 0);

}
