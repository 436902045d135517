#pragma once

// What the tests of the main window's list share: lists to open, and keys
// and clicks as a user gives them.
#include "MainWindowTest.h"

#include <QTreeView>
#include <algorithm>

inline const QByteArray TwoAddresses = "\"Jan\",\"Kerkstraat 1\",\"1234 AB\",\"Zwolle\",\"Nederland\"\r\n"
                                       "\"Piet\",\"Dorpsweg 2\",\"5678 CD\",\"Gent\",\"Belgi\xeb\"\r\n";

inline const QByteArray ThreeAddresses = "\"Cor\",\"Weg 3\",\"3000 CC\",\"Ede\",\"Nederland\"\r\n"
                                         "\"Ans\",\"Weg 1\",\"1000 AA\",\"Ede\",\"Nederland\"\r\n"
                                         "\"Bep\",\"Weg 2\",\"2000 BB\",\"Ede\",\"Nederland\"\r\n";

inline QList<int> chosenRows(MainWindowTest& t)
{
    QList<int> rows;
    for (const QModelIndex& index : t.find<QTreeView>(QStringLiteral("ListView1"))->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

inline void keys(MainWindowTest& t, QKeyCombination combination)
{
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : t.main.get(), combination.key(),
                    combination.keyboardModifiers());
}

inline void clickRow(MainWindowTest& t, int row, Qt::KeyboardModifiers modifiers = {})
{
    auto* view = t.find<QTreeView>(QStringLiteral("ListView1"));
    t.main->show();
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rect.center());
}
