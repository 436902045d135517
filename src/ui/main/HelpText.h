#pragma once

#include <QImage>
#include <QSize>

// The short help, drawn once onto a dark surface of the given size.
QImage drawHelpText(QSize size, qreal ratio = 1);

// The same text, a line each, for a screen reader.
QString helpText();
