#pragma once

#include <QImage>

// An image of `size` pixels as the windows lay things out, with as many pixels
// of its own as a screen of that density shows: the same at 100 %, sharp at
// 200 %. A painter on it works in the layout's pixels.
inline QImage screenImage(QSize size, qreal ratio)
{
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}
