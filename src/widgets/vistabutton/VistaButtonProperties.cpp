// The button's properties and how they are stored with a window.
#include "widgets/vistabutton/VistaButton.h"

#include <QAccessible>
#include <QApplication>

namespace {
// A picture without area counts as none.
QImage usablePicture(const QImage& picture)
{
    return picture.width() > 0 && picture.height() > 0 ? picture : QImage();
}
}

void VistaButton::setCaption(const QString& caption)
{
    setText(caption);
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
    refresh();
}

void VistaButton::setBackColor(const QColor& colour)
{
    m_look.backColor = colour;
    refresh();
}

void VistaButton::setPicture(const QImage& picture)
{
    // The old picture is released by the assignment.
    m_look.picture = usablePicture(picture);
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
    setText(bag.read(QStringLiteral("Caption"), caption()).toString());
    m_look.foreColor = unpackColour(bag.read(QStringLiteral("ForeColor"), packColour(m_look.foreColor)).toUInt());
    setFont(bag.read(QStringLiteral("Font"), font()).value<QFont>());
    m_look.picture = usablePicture(bag.read(QStringLiteral("Picture"), QImage()).value<QImage>());
    m_look.pictures = qint16(bag.read(QStringLiteral("Pictures"), m_look.pictures).toInt());
    m_look.useMaskColor = bag.read(QStringLiteral("UseMaskColor"), m_look.useMaskColor).toBool();
    m_look.maskColor = unpackColour(bag.read(QStringLiteral("MaskColor"), packColour(m_look.maskColor)).toUInt());
    m_look.enabled = bag.read(QStringLiteral("Enabled"), m_look.enabled).toBool();
    m_look.noBackground = bag.read(QStringLiteral("NoBackground"), m_look.noBackground).toBool();
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    m_look.backColor = unpackColour(bag.read(QStringLiteral("BackColor"), packColour(buttonFace)).toUInt());
    m_look.pictureOffset = qint16(bag.read(QStringLiteral("PictureOffset"), m_look.pictureOffset).toInt());
    if (!m_look.enabled)
        m_state = ButtonVisualState::Disabled;
    syncTabStop();
    refresh();
}

