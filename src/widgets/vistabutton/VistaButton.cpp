#include "widgets/vistabutton/VistaButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

constexpr int HoverInterval = 10;

qint16 buttonBits(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

qint16 shiftBits(Qt::KeyboardModifiers modifiers)
{
    return qint16((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
                  | (modifiers & Qt::AltModifier ? 4 : 0));
}

// Tells keyboard and accessibility tools that this is a push button named by
// its caption, enabled or not by the button's own state.
class VistaButtonAccessible : public QAccessibleWidget {
public:
    explicit VistaButtonAccessible(VistaButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    VistaButton* button() const { return static_cast<VistaButton*>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? button()->caption() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.disabled = !button()->buttonEnabled();
        s.focusable = button()->focusPolicy() & Qt::TabFocus;
        s.pressed = button()->isPressed();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && button()->buttonEnabled())
            emit button()->Click();
    }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("VistaButton") && object && object->isWidgetType())
        return new VistaButtonAccessible(static_cast<VistaButton*>(object));
    return nullptr;
}

}

VistaButton::VistaButton(QWidget* parent) : QAbstractButton(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(factoryInstalled);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    // A new button: black caption in Arial, a two-frame picture strip with green as mask.
    m_look.foreColor = Qt::black;
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    m_look.font = arial;
    m_look.pictures = 2;
    m_look.maskColor = unpackColour(65280);
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

void VistaButton::setCaption(const QString& caption)
{
    setText(caption);
    m_look.caption = caption;
    refresh();
}

void VistaButton::setForeColor(const QColor& colour)
{
    m_look.foreColor = colour;
    refresh();
}

void VistaButton::setButtonFont(const QFont& font)
{
    setFont(font);
    m_look.font = font;
    refresh();
}

void VistaButton::setBackColor(const QColor& colour)
{
    m_look.backColor = colour;
    refresh();
}

void VistaButton::setPicture(const QImage& picture)
{
    // A picture without area counts as none; the old one is released by the assignment.
    m_look.picture = picture.width() > 0 && picture.height() > 0 ? picture : QImage();
    refresh();
}

void VistaButton::setPictures(int count)
{
    m_look.pictures = std::clamp(count, 1, 2);
    refresh();
}

void VistaButton::setUseMaskColor(bool use)
{
    m_look.useMaskColor = use;
    refresh();
}

void VistaButton::setMaskColor(const QColor& colour)
{
    m_look.maskColor = colour;
    refresh();
}

void VistaButton::setNoBackground(bool noBackground)
{
    m_look.noBackground = noBackground;
    refresh();
}

void VistaButton::setButtonEnabled(bool enabled)
{
    m_look.enabled = enabled;
    m_state = enabled ? ButtonVisualState::Normal : ButtonVisualState::Disabled;
    syncTabStop();
    refresh();
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void VistaButton::writeProperties(PropertyBag& bag) const
{
    bag.write(QStringLiteral("Caption"), caption());
    bag.write(QStringLiteral("ForeColor"), packColour(m_look.foreColor));
    bag.write(QStringLiteral("Font"), font());
    bag.write(QStringLiteral("Picture"), m_look.picture);
    bag.write(QStringLiteral("Pictures"), m_look.pictures);
    bag.write(QStringLiteral("UseMaskColor"), m_look.useMaskColor);
    bag.write(QStringLiteral("MaskColor"), packColour(m_look.maskColor));
    bag.write(QStringLiteral("Enabled"), m_look.enabled);
    bag.write(QStringLiteral("NoBackground"), m_look.noBackground);
    bag.write(QStringLiteral("BackColor"), packColour(m_look.backColor));
    bag.write(QStringLiteral("PictureOffset"), m_look.pictureOffset);
}

void VistaButton::readProperties(const PropertyBag& bag)
{
    const QString text = bag.read(QStringLiteral("Caption"), caption()).toString();
    setText(text);
    m_look.caption = text;
    m_look.foreColor = unpackColour(bag.read(QStringLiteral("ForeColor"), packColour(m_look.foreColor)).toUInt());
    setFont(bag.read(QStringLiteral("Font"), font()).value<QFont>());
    m_look.font = font();
    const QImage picture = bag.read(QStringLiteral("Picture"), QImage()).value<QImage>();
    m_look.pictures = qint16(bag.read(QStringLiteral("Pictures"), m_look.pictures).toInt());
    m_look.useMaskColor = bag.read(QStringLiteral("UseMaskColor"), m_look.useMaskColor).toBool();
    m_look.maskColor = unpackColour(bag.read(QStringLiteral("MaskColor"), packColour(m_look.maskColor)).toUInt());
    m_look.enabled = bag.read(QStringLiteral("Enabled"), m_look.enabled).toBool();
    m_look.noBackground = bag.read(QStringLiteral("NoBackground"), m_look.noBackground).toBool();
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    m_look.backColor = unpackColour(bag.read(QStringLiteral("BackColor"), packColour(buttonFace)).toUInt());
    m_look.pictureOffset = qint16(bag.read(QStringLiteral("PictureOffset"), m_look.pictureOffset).toInt());
    m_look.picture = picture.width() > 0 && picture.height() > 0 ? picture : QImage();
    if (!m_look.enabled)
        m_state = ButtonVisualState::Disabled;
    syncTabStop();
    refresh();
}

void VistaButton::refresh()
{
    const int w = width(), h = height();
    if (w <= 0 || h <= 0)
        return;
    if (m_surface.size() != size())
        m_surface = QImage(size(), QImage::Format_RGB32);
    redrawButton(m_surface, m_look, m_state);
    if (w != m_lastWidth || h != m_lastHeight) {
        setMask(buttonShape(w, h));
        m_lastWidth = w;
        m_lastHeight = h;
    }
    update();
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

void VistaButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_look.enabled)
        return;
    qint16 button = buttonBits(Qt::MouseButton(int(event->buttons() & 0x7)));
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
    if (event->key() == Qt::Key_Space)
        pressWith(0, 0, 0, 0);
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
    if (event->key() == Qt::Key_Space) {
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
    if (!isMouseOver() && m_look.enabled)
        setState(ButtonVisualState::Normal);
}
