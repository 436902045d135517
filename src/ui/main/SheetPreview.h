#pragma once

#include <QImage>
#include <QWidget>

// A small drawing of the label sheet: 21 numbered cells, 3 across and 7 down.
// The cell under the pointer is highlighted; a press is passed on to the window.
// From the keyboard the arrows move the highlight and Enter or Space press
// the highlighted cell. Everything is drawn into a retained image, so the drawing stays.
class SheetPreview : public QWidget {
    Q_OBJECT
public:
    enum class CellState { Normal, UnderPointer, Clicked };

    explicit SheetPreview(QWidget* parent = nullptr);

    // The cell position 1..21 whose inside holds the point, or 0 for borders and gaps.
    static int labelAt(QPointF point);
    static QRect cellRect(int position);

    // Draws every cell in its normal look onto a fresh surface of the widget's size.
    void drawAll();
    void drawCell(int position, CellState state);
    void markClicked(int position);
    // Presses the cell as a click inside it does.
    void pressCell(int position);

    // The cell last highlighted, by the pointer or the keyboard; 0 before any.
    int lastPosition() const { return m_lastPosition; }
    // The cell the keyboard stands on: the last highlighted, else the first.
    int keyCell() const { return m_lastPosition > 0 ? m_lastPosition : 1; }
    // The cell that stays red after a label was printed on it, or 0.
    int clickedCell() const { return m_clickShown ? m_lastPosition : 0; }
    const QImage& image() const { return m_image; }

signals:
    void pressed(Qt::MouseButton button, QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Draws the one cell highlighted (0: none) and every other in its normal look.
    void highlight(int position);

    QImage m_image;
    int m_lastPosition = 0;
    bool m_clickShown = false; // a cell shows the red of a click
};
