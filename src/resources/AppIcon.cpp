#include "resources/AppIcon.h"

#include <QPainter>
#include <QPixmap>

void drawAppIcon(QPainter& p, double size)
{
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    // The A4 sheet, slightly taller than wide, with 3 x 4 labels on it.
    p.setPen(QPen(QColor(60, 60, 90), s));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4 * s, 1 * s, 24 * s, 30 * s));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRectF label(6 * s + column * 7 * s, 3 * s + row * 7 * s, 6 * s, 6 * s);
            p.setBrush(row == 1 && column == 1 ? QColor(200, 0, 0) : QColor(225, 230, 200));
            p.drawRoundedRect(label, s, s);
        }
    }
}

QPixmap appIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    drawAppIcon(p, size);
    return pixmap;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) // the larger ones for screens at 150 % or 200 %
        icon.addPixmap(appIconPixmap(size));
    return icon;
}
