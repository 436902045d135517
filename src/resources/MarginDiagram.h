#pragma once

#include <QImage>

// The picture of the margins dialog: the top-left corner of an A4 sheet with
// two rows of labels and the four distances the boxes set, numbered 1 to 4.
QImage drawMarginDiagram(qreal ratio = 1);
