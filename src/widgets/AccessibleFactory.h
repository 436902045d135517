#pragma once

#include <QAccessible>
#include <QLatin1String>
#include <QObject>

// Makes accessibility tools see every widget of class W through the
// interface I, built from the widget; installed once, however often asked.
template <typename W, typename I>
QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String(W::staticMetaObject.className()) && object && object->isWidgetType())
        return new I(static_cast<W*>(object));
    return nullptr;
}

template <typename W, typename I>
void installAccessibleFactory()
{
    static const bool installed = (QAccessible::installFactory(&accessibleFor<W, I>), true);
    Q_UNUSED(installed);
}
