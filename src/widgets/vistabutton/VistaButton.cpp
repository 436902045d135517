#include "widgets/vistabutton/VistaButton.h"

#include "app/ProgramValues.h"
#include "resources/ScreenImage.h"
#include "widgets/vistabutton/VistaButtonAccessible.h"

#include <QApplication>
#include <QCursor>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

constexpr int HoverInterval = 10;

// Left, right and middle as the bits 1, 2 and 4; other buttons have none.
qint16 buttonBits(Qt::MouseButtons buttons)
{
    return qint16((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
                  | (buttons & Qt::MiddleButton ? 4 : 0));
}

qint16 shiftBits(Qt::KeyboardModifiers modifiers)
{
    return qint16((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
                  | (modifiers & Qt::AltModifier ? 4 : 0));
}

// Not a state of a drag over the button: the drop itself.
constexpr qint16 DropState = -1;

struct DropArguments {
    qint32 effect;
    qint16 button;
    qint16 shift;
    float x;
    float y;
};

DropArguments dropArguments(const QDropEvent* event)
{
    return {qint32(event->possibleActions()), buttonBits(event->buttons()),
            shiftBits(event->modifiers()), float(event->position().x()), float(event->position().y())};
}

}

VistaButton::VistaButton(QWidget* parent) : QAbstractButton(parent)
{
    installVistaButtonAccessibility();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    // A new button: black caption in Arial, a two-frame picture strip with green as mask.
    static int created = 0;
    m_look.foreColor = Qt::black;
    setText(QStringLiteral("VistaButton%1").arg(++created));
    QFont arial = font();
    arial.setFamily(Typeface);
    setFont(arial);
    m_look.pictures = 2;
    m_look.maskColor = MaskGreen;
    m_look.enabled = true;
}

VistaButton::~VistaButton() = default;

VistaButton* VistaButton::create(QWidget* parent, const QString& name, const PropertyBag& stored)
{
    auto* button = new VistaButton(parent);
    button->setObjectName(name);
    button->readProperties(stored);
    return button;
}

void VistaButton::refresh()
{
    if (redrawSurface())
        update();
}

bool VistaButton::redrawSurface()
{
    const int w = width(), h = height();
    if (w <= 0 || h <= 0)
        return false;
    // Drawn at the pixel density of the screen the button is on.
    const qreal ratio = devicePixelRatioF();
    if (m_surface.size() != (QSizeF(size()) * ratio).toSize() || m_surface.devicePixelRatio() != ratio)
        m_surface = screenImage(size(), ratio);
    // Caption and font live in the widget; the face is drawn with what they are now.
    m_look.caption = text();
    m_look.font = font();
    redrawButton(m_surface, m_look, m_state);
    if (w != m_lastWidth || h != m_lastHeight) {
        setMask(buttonShape(w, h));
        m_lastWidth = w;
        m_lastHeight = h;
    }
    return true;
}

bool VistaButton::setState(ButtonVisualState state)
{
    if (state == m_state)
        return false;
    m_state = state;
    refresh();
    return true;
}

ButtonVisualState VistaButton::restingState() const
{
    return m_hasFocus ? ButtonVisualState::Focused : ButtonVisualState::Normal;
}

bool VistaButton::isMouseOver() const
{
    // A window or widget lying over the button at the pointer counts as not over it.
    return QApplication::widgetAt(QCursor::pos()) == this;
}

void VistaButton::startHover()
{
    if (m_hover)
        return;
    m_hover = new QTimer(this);
    m_hover->setObjectName(QStringLiteral("Hover"));
    m_hover->setInterval(HoverInterval);
    connect(m_hover, &QTimer::timeout, this, [this] {
        if (!isMouseOver())
            stopHover();
    });
    m_hover->start();
}

void VistaButton::stopHover()
{
    if (!m_hover)
        return;
    delete m_hover;
    m_hover = nullptr;
    if (m_look.enabled && !m_look.isPressed)
        setState(restingState());
    emit MouseOut();
}

void VistaButton::syncTabStop()
{
    const bool tabStop = focusPolicy() & Qt::TabFocus;
    if (m_look.enabled) {
        if (m_tabStopCleared && tabStop != m_savedTabStop)
            setFocusPolicy(m_savedTabStop ? Qt::StrongFocus : Qt::ClickFocus);
    } else if (tabStop) {
        m_savedTabStop = true;
        setFocusPolicy(Qt::ClickFocus);
        m_tabStopCleared = true;
    }
}

void VistaButton::paintEvent(QPaintEvent*)
{
    // Moved to a screen of another density: the kept face is drawn anew for it.
    if (m_surface.devicePixelRatio() != devicePixelRatioF())
        redrawSurface();
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void VistaButton::resizeEvent(QResizeEvent*)
{
    refresh();
}

bool VistaButton::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

bool VistaButton::isInside(float x, float y) const
{
    return x >= 0 && x < width() && y >= 0 && y < height();
}

void VistaButton::pressWith(qint16 button, qint16 shift, float x, float y)
{
    if (!m_look.enabled)
        return;
    emit MouseDown(button, shift, x, y);
    m_look.isPressed = true;
    setState(ButtonVisualState::Pressed);
}

void VistaButton::releaseWith(qint16 button, qint16 shift, float x, float y)
{
    if (!m_look.enabled)
        return;
    emit MouseUp(button, shift, x, y);
    m_look.isPressed = false;
    setState(isInside(x, y) ? ButtonVisualState::Hot : restingState());
}

void VistaButton::hostClick()
{
    if (m_look.enabled)
        emit Click();
}

void VistaButton::mousePressEvent(QMouseEvent* event)
{
    m_mouseHeld = true;
    const QPointF p = event->position();
    pressWith(buttonBits(event->button()), shiftBits(event->modifiers()), float(p.x()), float(p.y()));
}

void VistaButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double-click looks like a press but clicks no
    // second time: one double-click is one Click.
    const QPointF p = event->position();
    pressWith(buttonBits(event->button()), shiftBits(event->modifiers()), float(p.x()), float(p.y()));
    m_mouseHeld = false;
}

void VistaButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_look.enabled)
        return;
    qint16 button = buttonBits(event->buttons());
    qint16 shift = shiftBits(event->modifiers());
    float x = float(event->position().x()), y = float(event->position().y());
    emit MouseMove(button, shift, x, y);
    if (isInside(x, y)) {
        emit MouseIn();
        if (setState(m_look.isPressed ? ButtonVisualState::Pressed : ButtonVisualState::Hot))
            startHover();
    } else {
        setState(ButtonVisualState::Hot);
    }
}

void VistaButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    releaseWith(buttonBits(event->button()), shiftBits(event->modifiers()), float(p.x()), float(p.y()));
    // What counts as a click: a left press and release over the button.
    const bool click = m_mouseHeld && event->button() == Qt::LeftButton && isInside(float(p.x()), float(p.y()));
    m_mouseHeld = event->buttons() != Qt::NoButton;
    if (click)
        hostClick();
}

void VistaButton::keyPressEvent(QKeyEvent* event)
{
    qint16 keyCode = qint16(event->key());
    qint16 shift = shiftBits(event->modifiers());
    if (event->key() == Qt::Key_Space) {
        m_spaceHeld = true;
        pressWith(0, 0, 0, 0);
    }
    if (m_look.enabled) {
        emit KeyDown(keyCode, shift);
        if (!event->text().isEmpty()) {
            qint16 ascii = qint16(event->text().at(0).unicode());
            emit KeyPress(ascii);
        }
    }
    if (event->key() != Qt::Key_Space)
        event->ignore(); // other keys stay with the window (Escape, Enter, arrows)
}

void VistaButton::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its key-downs; only the real release counts.
    if (event->isAutoRepeat())
        return;
    qint16 keyCode = qint16(event->key());
    qint16 shift = shiftBits(event->modifiers());
    // A Space pressed elsewhere (held in a text field, then Tab) is not a click here.
    if (event->key() == Qt::Key_Space && m_spaceHeld) {
        m_spaceHeld = false;
        const bool over = isMouseOver();
        releaseWith(0, 0, over ? 0 : -1, 0);
        if (!m_look.enabled)
            return;
        emit Click();
    }
    if (m_look.enabled)
        emit KeyUp(keyCode, shift);
    if (event->key() != Qt::Key_Space)
        event->ignore();
}

void VistaButton::focusInEvent(QFocusEvent*)
{
    m_hasFocus = true;
    if (!isMouseOver() && m_look.enabled && !m_look.isPressed)
        setState(ButtonVisualState::Focused);
}

void VistaButton::focusOutEvent(QFocusEvent*)
{
    m_hasFocus = false;
    m_spaceHeld = false;
    if (!isMouseOver() && m_look.enabled)
        setState(ButtonVisualState::Normal);
}

void VistaButton::passOnDrag(QDropEvent* event, qint16 state)
{
    if (!m_look.enabled)
        return;
    DropArguments a = dropArguments(event);
    if (state == DropState)
        emit OLEDragDrop(event->mimeData(), a.effect, a.button, a.shift, a.x, a.y);
    else
        emit OLEDragOver(event->mimeData(), a.effect, a.button, a.shift, a.x, a.y, state);
    if (a.effect != 0)
        event->acceptProposedAction();
}

void VistaButton::dragEnterEvent(QDragEnterEvent* event)
{
    passOnDrag(event, 0);
}

void VistaButton::dragMoveEvent(QDragMoveEvent* event)
{
    passOnDrag(event, 2);
}

void VistaButton::dragLeaveEvent(QDragLeaveEvent*)
{
    if (!m_look.enabled)
        return;
    qint32 effect = 0;
    qint16 button = 0, shift = 0, state = 1;
    float x = 0, y = 0;
    emit OLEDragOver(nullptr, effect, button, shift, x, y, state);
}

void VistaButton::dropEvent(QDropEvent* event)
{
    passOnDrag(event, DropState);
}
