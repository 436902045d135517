#pragma once

#include <QIcon>

class QPainter;
class QPixmap;

// The program's icon: a small sheet of address labels, drawn in code. The
// window uses it, and the package's icon files are drawn from it.
QIcon appIcon();
QPixmap appIconPixmap(int size);
void drawAppIcon(QPainter& painter, double size);
