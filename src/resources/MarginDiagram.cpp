#include "resources/MarginDiagram.h"

#include "resources/Look.h"
#include "resources/ScreenImage.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor LabelFill(234, 234, 234);
const QColor NumberColour(255, 0, 0);

// A double-headed arrow between two points.
void arrow(QPainter& p, QPointF from, QPointF to)
{
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.setBrush(Qt::black);
    for (const auto& [tip, dir] : {std::pair{from, d}, std::pair{to, -d}})
        p.drawPolygon(QPolygonF({tip, tip + dir * 6 + n * 3, tip + dir * 6 - n * 3}));
}

void number(QPainter& p, QPointF at, int n)
{
    p.setPen(NumberColour);
    p.setFont(Look::arial(10, true));
    p.drawText(at, QString::number(n));
}

}

QImage drawMarginDiagram(qreal ratio)
{
    QImage image = screenImage(QSize(297, 170), ratio);
    image.fill(Look::DialogBackground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The sheet's corner: white paper from (10,10) onwards.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10.5, 10.5, 300, 200));
    p.setPen(Qt::black);
    p.setFont(Look::arial(11, true));
    p.drawText(QPointF(16, 28), QStringLiteral("A4"));

    // Two rows of labels; the right-hand one of each row is cut off diagonally.
    p.setBrush(LabelFill);
    const double left = 60, top = 50, width = 110, height = 52, gapX = 30, gapY = 16;
    for (int row = 0; row < 2; ++row) {
        const double y = top + row * (height + gapY);
        p.drawRoundedRect(QRectF(left, y, width, height), 8, 8);
        QPainterPath cut;
        cut.addRoundedRect(QRectF(left + width + gapX, y, width, height), 8, 8);
        QPainterPath keep;
        keep.addPolygon(QPolygonF({QPointF(0, 0), QPointF(265, 0), QPointF(250, 170), QPointF(0, 170)}));
        p.drawPath(cut.intersected(keep));
    }

    arrow(p, QPointF(11, 76), QPointF(left, 76));
    number(p, QPointF(28, 72), 1);
    arrow(p, QPointF(115, 11), QPointF(115, top));
    number(p, QPointF(120, 36), 2);
    arrow(p, QPointF(left + width, 76), QPointF(left + width + gapX, 76));
    number(p, QPointF(left + width + 10, 72), 3);
    arrow(p, QPointF(90, top), QPointF(90, top + height + gapY));
    number(p, QPointF(96, 96), 4);
    return image;
}
