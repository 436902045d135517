#include "ui/EnterKeys.h"

#include "widgets/vistabutton/VistaButton.h"

#include <QApplication>
#include <QKeyEvent>

namespace EnterKeys {

namespace {

// Return or the keypad's Enter, pressed; with the keys held with it, if any.
const QKeyEvent* enterPress(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return nullptr;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ? key : nullptr;
}

class EnterKey : public QObject {
public:
    EnterKey(QObject* parent, std::function<void()> action) : QObject(parent), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!enterPress(event))
            return false;
        m_action();
        return true;
    }

private:
    std::function<void()> m_action;
};

class EnterOnButtons : public QObject {
public:
    EnterOnButtons(QWidget* window, std::function<void()> otherwise) : QObject(window), m_otherwise(std::move(otherwise)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QKeyEvent* enter = enterPress(event);
        if (!enter || (enter->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* button = qobject_cast<VistaButton*>(QApplication::focusWidget());
        if (button && button->window() == parent()) {
            if (button->buttonEnabled())
                emit button->Click();
            return true;
        }
        if (!m_otherwise)
            return false;
        m_otherwise();
        return true;
    }

private:
    std::function<void()> m_otherwise;
};

}

void onEnter(QWidget* widget, std::function<void()> action)
{
    widget->installEventFilter(new EnterKey(widget, std::move(action)));
}

void enterPressesButtons(QWidget* window, std::function<void()> otherwise)
{
    window->installEventFilter(new EnterOnButtons(window, std::move(otherwise)));
}

}
