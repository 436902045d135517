#include "ui/main/SheetPreview.h"

#include "resources/ScreenImage.h"

#include "print/LabelSheet.h"

#include "ui/main/SheetPreviewAccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int FirstCell = 8;
constexpr int CellWidth = 53;
constexpr int CellHeight = 32;
constexpr int ColumnStep = 57;
constexpr int RowStep = 36;
}

SheetPreview::SheetPreview(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Before anything asks for the preview's accessible side, which is then kept.
    installSheetPreviewAccessibility();
    setAccessibleName(QStringLiteral("Etiketten op het vel"));
}

QRect SheetPreview::cellRect(int position)
{
    const int index = position - 1;
    return QRect(FirstCell + ColumnStep * (index % LabelSheet::Columns), FirstCell + RowStep * (index / LabelSheet::Columns),
                 CellWidth, CellHeight);
}

int SheetPreview::labelAt(QPointF point)
{
    for (int p = 1; p <= LabelSheet::LabelCount; ++p) {
        const QRect cell = cellRect(p);
        // Strictly inside: the borders and the gaps belong to no cell.
        if (cell.x() < point.x() && point.x() < cell.x() + CellWidth && cell.y() < point.y()
            && point.y() < cell.y() + CellHeight)
            return p;
    }
    return 0;
}

void SheetPreview::drawAll()
{
    // At the pixel density of the screen the preview is on.
    m_image = screenImage(size(), devicePixelRatioF());
    m_image.fill(palette().color(QPalette::Active, QPalette::Base));
    for (int p = 1; p <= LabelSheet::LabelCount; ++p)
        drawCell(p, CellState::Normal);
}

void SheetPreview::drawCell(int position, CellState state)
{
    QPainter painter(&m_image);
    const QRect cell = cellRect(position);
    // The rectangle reaches from (x, y) to (x + 53, y + 32), the far corner included.
    const QRect filled(cell.topLeft(), QSize(CellWidth + 1, CellHeight + 1));
    switch (state) {
    case CellState::Normal: painter.fillRect(filled, QColor(230, 230, 230)); break;
    case CellState::UnderPointer: painter.fillRect(filled, QColor(200, 200, 200)); break;
    case CellState::Clicked:
        painter.fillRect(filled, QColor(200, 0, 0));
        painter.setPen(Qt::black);
        painter.drawRect(cell);
        break;
    }
    painter.setPen(palette().color(QPalette::Active, QPalette::Text));
    painter.setFont(font());
    const QFontMetrics metrics(font());
    painter.drawText(QPoint(cell.x() + 20, cell.y() + 10 + metrics.ascent()), QLatin1Char(' ') + QString::number(position));
    update(filled);
}

void SheetPreview::markClicked(int position)
{
    m_lastPosition = position;
    m_clickShown = true;
    drawCell(position, CellState::Clicked);
}

void SheetPreview::paintEvent(QPaintEvent*)
{
    // Moved to a screen of another density: the cells are drawn anew for it.
    if (m_image.devicePixelRatio() != devicePixelRatioF())
        drawAll();
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
    if (!hasFocus())
        return;
    // The keyboard's cell gets a clear mark, inside its border so that the
    // red of a clicked label stays in sight around it.
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
    painter.drawRect(QRectF(cellRect(keyCell())).adjusted(3, 3, -2, -2));
}

void SheetPreview::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

void SheetPreview::highlight(int position)
{
    m_clickShown = false;
    for (int p = 1; p <= LabelSheet::LabelCount; ++p)
        drawCell(p, p == position ? CellState::UnderPointer : CellState::Normal);
}

void SheetPreview::mouseMoveEvent(QMouseEvent* event)
{
    const int under = labelAt(event->position());
    if (under != 0)
        m_lastPosition = under;
    highlight(under);
}

void SheetPreview::pressCell(int position)
{
    emit pressed(Qt::LeftButton, QRectF(cellRect(position)).center());
}

void SheetPreview::keyPressEvent(QKeyEvent* event)
{
    const int cell = keyCell() - 1;
    const int column = cell % LabelSheet::Columns;
    int next = cell;
    switch (event->key()) {
    case Qt::Key_Left: next = column > 0 ? cell - 1 : cell; break;
    case Qt::Key_Right: next = column < LabelSheet::Columns - 1 ? cell + 1 : cell; break;
    case Qt::Key_Up: next = cell >= LabelSheet::Columns ? cell - LabelSheet::Columns : cell; break;
    case Qt::Key_Down: next = cell + LabelSheet::Columns < LabelSheet::LabelCount ? cell + LabelSheet::Columns : cell; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: pressCell(cell + 1); return;
    default: QWidget::keyPressEvent(event); return;
    }
    m_lastPosition = next + 1;
    highlight(m_lastPosition);
    announceKeyCell(this);
}

void SheetPreview::focusInEvent(QFocusEvent* event)
{
    // The keyboard's cell shows as the pointer's does; a cell just clicked
    // stays red until the pointer or the keyboard moves on, as the focus
    // comes back from the question it asked.
    if (!m_clickShown)
        highlight(keyCell());
    update();
    announceKeyCell(this);
    QWidget::focusInEvent(event);
}

void SheetPreview::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->position());
}
