#pragma once

#include "TestContext.h"
#include "ui/main/Main.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>

// A main window over a test folder, with helpers to reach its controls by name.
struct MainWindowTest {
    TestContext test;
    std::unique_ptr<Main> main = std::make_unique<Main>(test.context);

    template <typename T = QWidget>
    T* find(const QString& name) const
    {
        T* widget = main->findChild<T*>(name);
        if (!widget)
            qWarning("no control named %s", qPrintable(name));
        return widget;
    }
    QAction* action(const QString& name) const { return find<QAction>(name); }
    VistaButton* button(const QString& name) const { return find<VistaButton>(name); }
    QLineEdit* field(int index) const { return find<QLineEdit>(QStringLiteral("Text1_%1").arg(index)); }

    void click(const QString& buttonName) const { QTest::mouseClick(button(buttonName), Qt::LeftButton); }

    void type(const QStringList& fields) const
    {
        for (int i = 0; i < fields.size(); ++i) {
            field(i)->clear();
            // QTest types only ASCII; other characters arrive as from an input method.
            bool ascii = true;
            for (QChar c : fields[i])
                ascii = ascii && c.unicode() < 128;
            if (ascii)
                QTest::keyClicks(field(i), fields[i]);
            else
                field(i)->insert(fields[i]);
        }
    }

    // Opens a list the way the open dialog does.
    void open(const QString& name, const QByteArray& bytes = {}) const
    {
        test.writeList(name, bytes);
        QVERIFY(main->showList(name));
    }

    // Opens a list in the shown and active window, the keyboard in the list.
    QTreeView* openForKeys(const QString& name, const QByteArray& bytes) const
    {
        open(name, bytes);
        main->show();
        if (!QTest::qWaitForWindowActive(main.get()))
            qWarning("the window did not become active");
        auto* view = find<QTreeView>(QStringLiteral("ListView1"));
        view->setFocus();
        return view;
    }
};

// Runs an action that opens a modal dialog, and meanwhile works on that dialog.
inline void whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& work)
{
    bool worked = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        work(dialog);
        worked = true;
        if (dialog->isVisible())
            dialog->close();
    });
    open();
    QVERIFY(worked);
}
