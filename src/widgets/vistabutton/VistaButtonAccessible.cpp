#include "widgets/vistabutton/VistaButtonAccessible.h"

#include "widgets/AccessibleFactory.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

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

}

void installVistaButtonAccessibility()
{
    installAccessibleFactory<VistaButton, VistaButtonAccessible>();
}
