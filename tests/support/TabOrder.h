#pragma once

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

// The controls Tab visits in the active window, from the focused one on, by
// object name (a box's inner text field counts as its box).
inline QStringList tabVisits(int steps)
{
    QStringList names;
    for (int i = 0; i < steps; ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused)
            break;
        QWidget* named = focused;
        while (named->objectName().isEmpty() && named->parentWidget())
            named = named->parentWidget();
        names.append(named->objectName());
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    return names;
}
