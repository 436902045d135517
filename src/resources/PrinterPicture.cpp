#include "resources/PrinterPicture.h"

#include "resources/ScreenImage.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

void drawLabel(QPainter& p, QRectF rect, int lines)
{
    p.setPen(QPen(QColor(170, 170, 150), 1));
    p.setBrush(QColor(252, 252, 240));
    p.drawRoundedRect(rect, 6, 6);
    p.setPen(QPen(QColor(60, 60, 120), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < lines; ++i) {
        const double y = rect.top() + 12 + i * 9;
        const double length = rect.width() * (i == 0 ? 0.7 : 0.55 - 0.05 * i);
        p.drawLine(QPointF(rect.left() + 12, y), QPointF(rect.left() + 12 + length, y));
    }
}

}

QImage drawPrinterPicture(qreal ratio)
{
    QImage image = screenImage(QSize(400, 261), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient wall(0, 0, 0, 261);
    wall.setColorAt(0, QColor(205, 220, 235));
    wall.setColorAt(1, QColor(150, 170, 195));
    p.fillRect(QRectF(0, 0, 400, 261), wall);
    p.fillRect(QRectF(0, 200, 400, 61), QColor(120, 95, 70)); // the desk

    // The printer body.
    QLinearGradient body(0, 70, 0, 200);
    body.setColorAt(0, QColor(90, 95, 105));
    body.setColorAt(1, QColor(40, 42, 48));
    p.setPen(QPen(QColor(25, 25, 30), 2));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(90, 80, 220, 125), 18, 18);
    p.setBrush(QColor(30, 30, 36));
    p.drawRoundedRect(QRectF(120, 95, 160, 18), 6, 6); // the label slot
    p.setBrush(QColor(80, 200, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(280, 180), 5, 5);           // power light
    p.setBrush(QColor(140, 145, 155));
    p.drawRoundedRect(QRectF(110, 170, 120, 12), 4, 4);

    // A strip of labels curling out of the slot.
    QPainterPath strip;
    strip.moveTo(130, 104);
    strip.cubicTo(120, 40, 210, 10, 300, 30);
    strip.lineTo(300, 68);
    strip.cubicTo(220, 52, 160, 70, 270, 104);
    strip.closeSubpath();
    p.setPen(QPen(QColor(190, 190, 170), 1));
    p.setBrush(QColor(235, 235, 220));
    p.drawPath(strip);
    drawLabel(p, QRectF(205, 25, 80, 44), 4);
    drawLabel(p, QRectF(20, 212, 95, 44), 4);
    drawLabel(p, QRectF(290, 214, 95, 42), 3);
    return image;
}
