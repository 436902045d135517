#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>

// The colour a picture strip marks as see-through with.
inline const QColor MaskGreen(0, 255, 0);

enum class ButtonVisualState { Normal = 0, Hot = 1, Pressed = 2, Focused = 3, Disabled = 4 };

// Everything the face of a button depends on.
struct ButtonLook {
    QString caption;
    QColor foreColor = Qt::black;
    QColor backColor = Qt::white;
    QFont font;
    QImage picture;
    int pictures = 2;
    bool useMaskColor = true;
    QColor maskColor = MaskGreen;
    bool noBackground = false;
    int pictureOffset = 0;
    bool enabled = true;
    bool isPressed = false;
};

// Paints the whole button for a state into the surface (its size is the button's).
void redrawButton(QImage& surface, const ButtonLook& look, ButtonVisualState state);

// The button's outline: its rectangle without the four corner pixels.
QRegion buttonShape(int width, int height);

// The row where the upper and lower body gradients meet.
int midRow(int height);
