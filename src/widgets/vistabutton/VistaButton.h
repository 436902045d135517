#pragma once

#include "widgets/vistabutton/PropertyBag.h"
#include "widgets/vistabutton/VistaButtonLook.h"

#include <QAbstractButton>
#include <QImage>

class QMimeData;
class QTimer;

// The program's own push button: paints its whole face itself (gradients,
// rounded corners, caption, optional picture strip), follows the pointer with
// a short-lived hover timer and works with the Space key. When disabled it
// keeps its widget enabled, ignores input and leaves the tab order, so that
// its look and events stay its own.
class VistaButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit VistaButton(QWidget* parent = nullptr);
    ~VistaButton() override;

    // Creates a button from its stored design settings.
    static VistaButton* create(QWidget* parent, const QString& name, const PropertyBag& stored);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);
    QColor foreColor() const { return m_look.foreColor; }
    void setForeColor(const QColor& colour);
    QFont buttonFont() const { return font(); }
    void setButtonFont(const QFont& font);
    QColor backColor() const { return m_look.backColor; }
    void setBackColor(const QColor& colour);
    QImage picture() const { return m_look.picture; }
    void setPicture(const QImage& picture);
    int pictures() const { return m_look.pictures; }
    void setPictures(int count);
    bool useMaskColor() const { return m_look.useMaskColor; }
    void setUseMaskColor(bool use);
    QColor maskColor() const { return m_look.maskColor; }
    void setMaskColor(const QColor& colour);
    bool noBackground() const { return m_look.noBackground; }
    void setNoBackground(bool noBackground);
    int pictureOffset() const { return m_look.pictureOffset; }
    void setPictureOffset(int offset) { m_look.pictureOffset = qint16(offset); }
    bool buttonEnabled() const { return m_look.enabled; }
    void setButtonEnabled(bool enabled);

    ButtonVisualState state() const { return m_state; }
    bool isPressed() const { return m_look.isPressed; }
    // The retained image the widget shows.
    const QImage& surface() const { return m_surface; }

    void writeProperties(PropertyBag& bag) const;
    void readProperties(const PropertyBag& bag);

signals:
    void Click();
    void KeyDown(qint16& keyCode, qint16& shift);
    void KeyPress(qint16& keyAscii);
    void KeyUp(qint16& keyCode, qint16& shift);
    void MouseDown(qint16& button, qint16& shift, float& x, float& y);
    void MouseMove(qint16& button, qint16& shift, float& x, float& y);
    void MouseUp(qint16& button, qint16& shift, float& x, float& y);
    void MouseIn();
    void MouseOut();
    // Something dragged over or dropped on the button (with setAcceptDrops).
    // State: 0 entering, 1 leaving, 2 moving over. Effect: the Qt drop actions allowed.
    void OLEDragOver(const QMimeData* data, qint32& effect, qint16& button, qint16& shift, float& x, float& y,
                     qint16& state);
    void OLEDragDrop(const QMimeData* data, qint32& effect, qint16& button, qint16& shift, float& x, float& y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void refresh();
    bool redrawSurface();
    bool setState(ButtonVisualState state);
    bool isMouseOver() const;
    bool isInside(float x, float y) const;
    void startHover();
    void stopHover();
    void syncTabStop();
    ButtonVisualState restingState() const;

    void pressWith(qint16 button, qint16 shift, float x, float y);
    void releaseWith(qint16 button, qint16 shift, float x, float y);
    void hostClick();
    // Passes a drag (state 0 entering, 2 moving) or the drop on to the handlers.
    void passOnDrag(QDropEvent* event, qint16 state);

    ButtonLook m_look;
    ButtonVisualState m_state = ButtonVisualState::Normal;
    bool m_hasFocus = false;
    bool m_savedTabStop = false;
    bool m_tabStopCleared = false;
    bool m_mouseHeld = false;
    bool m_spaceHeld = false; // Space went down on this button
    int m_lastWidth = 0;
    int m_lastHeight = 0;
    QImage m_surface;
    QTimer* m_hover = nullptr;
};
