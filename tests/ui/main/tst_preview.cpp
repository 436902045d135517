// The sheet preview, printing from the main window, and the help.
#include "ListWindowTest.h"
#include "print/ListJob.h"
#include "app/Algemeen.h"
#include "ui/main/CellEditing.h"
#include "ui/main/SheetPreview.h"

#include <QAccessible>
#include <QClipboard>
#include <QDialog>
#include <QMimeData>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTreeView>

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { verifyEveryQuestionAnswered(); }

    void previewHitTestAndLooks()
    {
        QCOMPARE(SheetPreview::labelAt(QPointF(9, 9)), 1);
        QCOMPARE(SheetPreview::labelAt(QPointF(8, 20)), 0);   // left border
        QCOMPARE(SheetPreview::labelAt(QPointF(61, 20)), 0);  // right border
        QCOMPARE(SheetPreview::labelAt(QPointF(63, 20)), 0);  // gap
        QCOMPARE(SheetPreview::labelAt(QPointF(150, 20)), 3);
        QCOMPARE(SheetPreview::labelAt(QPointF(20, 60)), 4);
        QCOMPARE(SheetPreview::labelAt(QPointF(20, 240)), 19);
        QCOMPARE(SheetPreview::labelAt(QPointF(170, 250)), 21);
        QCOMPARE(SheetPreview::labelAt(QPointF(170, 256)), 0);  // bottom border of 21

        MainWindowTest t;
        auto* a4 = t.find<SheetPreview>(QStringLiteral("A4"));
        QCOMPARE(a4->image().pixelColor(10, 10), QColor(230, 230, 230));
        QCOMPARE(a4->image().pixelColor(8 + 53, 8 + 32), QColor(230, 230, 230));
        QCOMPARE(a4->image().pixelColor(63, 10), a4->palette().color(QPalette::Active, QPalette::Base));
        t.open(QStringLiteral("a.lst"), TwoAddresses);
        t.main->show();
        QTest::mouseMove(a4, QPoint(70, 50));
        QCOMPARE(a4->image().pixelColor(67, 46), QColor(200, 200, 200));
        QCOMPARE(a4->image().pixelColor(10, 10), QColor(230, 230, 230));
        QCOMPARE(a4->lastPosition(), 5);
    }

    void previewClickPrintsOneLabel()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), TwoAddresses);
        t.test.context.values.setMarginsFor(QStringLiteral("Kantoor"), {600, 0, 0, 0}); // the printer chosen
        auto* a4 = t.find<SheetPreview>(QStringLiteral("A4"));
        t.main->show();
        QTest::mouseClick(a4, Qt::LeftButton, {}, QPoint(70, 240));
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Error"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Eerst een adres selecteren uit de lijst!"));
        QCOMPARE(t.test.messages.shown.last().icon, Messages::Icon::Error);

        clickRow(t, 0);
        QTest::mouseClick(a4, Qt::RightButton, {}, QPoint(70, 240));
        QCOMPARE(t.test.messages.shown.size(), 1);
        QTest::mouseClick(a4, Qt::LeftButton, {}, QPoint(64, 240)); // on a border
        QCOMPARE(t.test.messages.shown.size(), 1);

        t.test.messages.answers = {Messages::Answer::Nee};
        QTest::mouseClick(a4, Qt::LeftButton, {}, QPoint(70, 240));
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral(" Print"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je Plaklabel nummer 20 afdrukken met de naam van...\r\nJan?"));
        QVERIFY(t.test.printer.ops.isEmpty());
        QCOMPARE(a4->image().pixelColor(66, 226), QColor(200, 0, 0));
        QCOMPARE(a4->image().pixelColor(65, 224), QColor(0, 0, 0));

        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::mouseClick(a4, Qt::LeftButton, {}, QPoint(70, 240));
        QCOMPARE(t.test.printer.texts.size(), 4);
        // The offsets place a picked label as they place it on a whole sheet.
        QCOMPARE((std::tuple{t.test.printer.texts[0].x, t.test.printer.texts[0].y}), (std::tuple{4351.f + 600, 14010.f}));
        QCOMPARE(t.test.printer.texts[3].text, QStringLiteral("Zwolle"));
    }

    // Keyboard alone: the first Down chooses row 1, Tab reaches the preview,
    // the arrows walk its cells, Enter prints there; a screen reader sees the cells.
    void keyboardPicksALabel()
    {
        MainWindowTest t;
        auto* view = t.openForKeys(QStringLiteral("a.lst"), TwoAddresses);
        auto* a4 = t.find<SheetPreview>(QStringLiteral("A4"));
        whileModal([&] { keys(t, Qt::ALT | Qt::Key_M); }, [](QWidget* dialog) { QCOMPARE(dialog->windowTitle(), QStringLiteral("Marges")); });
        QCOMPARE(t.main->focusWidget(), view); // back in the list, not on Stoppen
        t.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.main.get()));
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->currentIndex().row(), 0);
        QCOMPARE(t.field(0)->text(), QStringLiteral("Jan"));
        // Right moves the current cell, framed in yellow inside the row (arrows may carry the keypad mark).
        QTest::keyClick(view, Qt::Key_Right, Qt::KeypadModifier);
        QCOMPARE(view->currentIndex().column(), 1);
        const QColor frame = view->viewport()->grab().toImage().pixelColor(view->visualRect(view->currentIndex()).topLeft() + QPoint(1, 1));
        QVERIFY2(frame.red() > 200 && frame.green() > 180 && frame.blue() < 80, qPrintable(frame.name()));
        QTest::keyClick(view, Qt::Key_Left);
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), a4);
        QCOMPARE(a4->keyCell(), 1);
        QTest::keyClick(a4, Qt::Key_Right);
        QTest::keyClick(a4, Qt::Key_Down);
        QCOMPARE(a4->keyCell(), 5);
        QCOMPARE(a4->image().pixelColor(SheetPreview::cellRect(5).topLeft() + QPoint(2, 2)), QColor(200, 200, 200));
        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::keyClick(a4, Qt::Key_Return);
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je Plaklabel nummer 5 afdrukken met de naam van...\r\nJan?"));
        QCOMPARE((std::tuple{t.test.printer.texts[0].x, t.test.printer.texts[0].y}), (std::tuple{4351.f, 3210.f}));
        // The cell keeps the red of its click while the focus goes away and comes back.
        view->setFocus();
        a4->setFocus();
        QCOMPARE(a4->image().pixelColor(SheetPreview::cellRect(5).topLeft() + QPoint(2, 2)), QColor(200, 0, 0));

        QAccessibleInterface* sheet = QAccessible::queryAccessibleInterface(a4);
        QCOMPARE(sheet->childCount(), 21);
        QCOMPARE(sheet->child(20)->text(QAccessible::Name), QStringLiteral("Etiket 21"));
        QVERIFY(sheet->child(4)->state().focused);
        t.test.messages.answers = {Messages::Answer::Nee};
        sheet->child(20)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je Plaklabel nummer 21 afdrukken met de naam van...\r\nJan?"));
    }

    void failedSingleLabelIsTold()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), TwoAddresses);
        clickRow(t, 0);
        t.test.printer.failAt = 1;
        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::mouseClick(t.find(QStringLiteral("A4")), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Afdrukken is mislukt: printer Kantoor staat uit."));
    }

    void helpSwitch()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), TwoAddresses);
        QAction* help = t.action(QStringLiteral("HelpUitleg"));
        QVERIFY(help->isEnabled());
        help->trigger();
        QVERIFY(t.find(QStringLiteral("ListView1"))->isHidden());
        QVERIFY(!t.find(QStringLiteral("HelpPic"))->isHidden());
        QVERIFY(help->isChecked());
        QVERIFY(!t.button(QStringLiteral("EditKnop"))->buttonEnabled());
        QVERIFY(!t.button(QStringLiteral("AfdrukKnop"))->buttonEnabled());
        QVERIFY(!t.find(QStringLiteral("A4"))->isEnabled());
        // Opening a list while the help shows puts the list back.
        t.open(QStringLiteral("b.lst"));
        QVERIFY(!t.find(QStringLiteral("ListView1"))->isHidden());
        QVERIFY(t.find(QStringLiteral("HelpPic"))->isHidden());
        QVERIFY(!help->isChecked());
        help->trigger();
        help->trigger();
        QVERIFY(!t.find(QStringLiteral("ListView1"))->isHidden());
        QVERIFY(t.button(QStringLiteral("AfdrukKnop"))->buttonEnabled());
        QVERIFY(t.find(QStringLiteral("A4"))->isEnabled());
        QVERIFY(!help->isChecked());
    }

    void printButtonNeedsAddresses()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"));
        t.click(QStringLiteral("AfdrukKnop"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Je kunt niets afdrukken zonder adressen...."));
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Plaklabels"));

        t.open(QStringLiteral("b.lst"), TwoAddresses);
        t.main->show();
        QString title;
        whileModal([&] { t.click(QStringLiteral("AfdrukKnop")); },
                   [&](QWidget* dialog) { title = dialog->windowTitle(); });
        QCOMPARE(title, QStringLiteral("Afdrukken (Kantoor)"));
    }

    void meerSoftwareOpensTheWebPage()
    {
        MainWindowTest t;
        QList<QUrl> opened;
        Algemeen::setOpener([&](const QUrl& url) { opened.append(url); return true; });
        t.action(QStringLiteral("Meersoftware"))->trigger();
        QCOMPARE(opened, QList<QUrl>{QUrl(Algemeen::MakerWebPage)});
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
