#pragma once

#include <QImage>

// The decorative picture shown before a list is opened: a label printer with a
// strip of address labels coming out, drawn in code at 400 x 261 pixels.
QImage drawPrinterPicture(qreal ratio = 1);
