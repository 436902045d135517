#include "widgets/vistabutton/VistaButton.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QDropEvent>
#include <QMimeData>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

// A window with one button and a line edit to take the focus elsewhere.
struct Host {
    QWidget window;
    VistaButton* button = new VistaButton(&window);
    QLineEdit* edit = new QLineEdit(&window);
    QStringList events;

    Host()
    {
        window.resize(300, 100);
        button->setObjectName(QStringLiteral("Knop"));
        button->setCaption(QStringLiteral("Ok"));
        button->setGeometry(20, 20, 90, 25);
        edit->setGeometry(150, 20, 100, 25);
        QObject::connect(button, &VistaButton::Click, [this] { events << QStringLiteral("Click"); });
        QObject::connect(button, &VistaButton::MouseDown, [this](qint16& b, qint16&, float& x, float&) {
            events << QStringLiteral("MouseDown %1 %2").arg(b).arg(x);
        });
        QObject::connect(button, &VistaButton::MouseUp, [this](qint16& b, qint16&, float& x, float&) {
            events << QStringLiteral("MouseUp %1 %2").arg(b).arg(x);
        });
        QObject::connect(button, &VistaButton::KeyDown, [this](qint16& k, qint16&) { events << QStringLiteral("KeyDown %1").arg(k); });
        QObject::connect(button, &VistaButton::KeyUp, [this](qint16& k, qint16&) { events << QStringLiteral("KeyUp %1").arg(k); });
        QObject::connect(button, &VistaButton::MouseIn, [this] { events << QStringLiteral("MouseIn"); });
        QObject::connect(button, &VistaButton::MouseOut, [this] { events << QStringLiteral("MouseOut"); });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QCursor::setPos(window.mapToGlobal(QPoint(280, 90)));
    }
    QPoint inside() const { return QPoint(45, 12); }
    void pointerOver() const
    {
        QCursor::setPos(button->mapToGlobal(inside()));
        QCoreApplication::processEvents();
    }
    void pointerAway() const
    {
        QCursor::setPos(window.mapToGlobal(QPoint(280, 90)));
        QCoreApplication::processEvents();
    }
    QTimer* hover() const { return button->findChild<QTimer*>(QStringLiteral("Hover")); }
};

}

class TestVistaButton : public QObject {
    Q_OBJECT
private slots:
    void propertiesAndPersistence()
    {
        VistaButton button;
        button.setPictures(-5);
        QCOMPARE(button.pictures(), 1);
        button.setPictures(7);
        QCOMPARE(button.pictures(), 2);
        button.setPicture(QImage(10, 0, QImage::Format_RGB32));
        QVERIFY(button.picture().isNull());

        button.setCaption(QStringLiteral("Opslaan"));
        button.setForeColor(QColor(1, 2, 3));
        button.setNoBackground(true);
        button.setPictureOffset(2);
        PropertyBag bag;
        button.writeProperties(bag);
        QCOMPARE(bag.names(), (QStringList{QStringLiteral("Caption"), QStringLiteral("ForeColor"), QStringLiteral("Font"),
                                           QStringLiteral("Picture"), QStringLiteral("Pictures"),
                                           QStringLiteral("UseMaskColor"), QStringLiteral("MaskColor"),
                                           QStringLiteral("Enabled"), QStringLiteral("NoBackground"),
                                           QStringLiteral("BackColor"), QStringLiteral("PictureOffset")}));
        QCOMPARE(bag.read(QStringLiteral("forecolor"), 0).toUInt(), 1u + 256u * 2 + 65536u * 3);
        QCOMPARE(bag.read(QStringLiteral("MASKCOLOR"), 0).toUInt(), 65280u);

        PropertyBag stored;
        stored.write(QStringLiteral("caption"), QStringLiteral("Ok"));
        stored.write(QStringLiteral("pictures"), 3);
        stored.write(QStringLiteral("enabled"), false);
        VistaButton* loaded = VistaButton::create(nullptr, QStringLiteral("OkKnop"), stored);
        QCOMPARE(loaded->caption(), QStringLiteral("Ok"));
        QCOMPARE(loaded->pictures(), 3); // stored values skip the setter's clamp
        QCOMPARE(loaded->state(), ButtonVisualState::Disabled);
        QCOMPARE(loaded->backColor(), QApplication::palette().color(QPalette::Button));
        QCOMPARE(loaded->maskColor(), QColor(0, 255, 0));
        QVERIFY(loaded->useMaskColor());
        delete loaded;
    }

    void accessibleAsPushButton()
    {
        Host h;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(h.button);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Ok"));
        QVERIFY(!face->state().disabled);
        h.button->setButtonEnabled(false);
        QVERIFY(face->state().disabled);
        QVERIFY(h.button->isEnabled()); // the widget itself stays enabled
    }

    void mouseClickSequence()
    {
        Host h;
        QCOMPARE(h.button->state(), ButtonVisualState::Normal);
        h.pointerOver();
        QTest::mouseMove(h.button, h.inside());
        QCOMPARE(h.button->state(), ButtonVisualState::Hot);
        QVERIFY(h.hover());
        QTest::mousePress(h.button, Qt::LeftButton, {}, h.inside());
        QCOMPARE(h.button->state(), ButtonVisualState::Pressed);
        QTest::mouseRelease(h.button, Qt::LeftButton, {}, h.inside());
        QCOMPARE(h.button->state(), ButtonVisualState::Hot);
        QCOMPARE(h.events.filter(QStringLiteral("Click")).size(), 1);
        h.pointerAway();
        QTRY_VERIFY(!h.hover());
        QCOMPARE(h.button->state(), ButtonVisualState::Focused);
        QCOMPARE(h.events.last(), QStringLiteral("MouseOut"));
        QCOMPARE(h.events.filter(QStringLiteral("MouseOut")).size(), 1);
    }

    void mouseInOnEveryMove()
    {
        Host h;
        h.pointerOver();
        h.events.clear();
        QTest::mouseMove(h.button, QPoint(10, 10));
        QTest::mouseMove(h.button, QPoint(20, 10));
        QTest::mouseMove(h.button, QPoint(30, 10));
        QCOMPARE(h.events.filter(QStringLiteral("MouseIn")).size(), 3);
    }

    void rightButtonPressesButDoesNotClick()
    {
        Host h;
        h.pointerOver();
        QTest::mousePress(h.button, Qt::RightButton, {}, h.inside());
        QCOMPARE(h.button->state(), ButtonVisualState::Pressed);
        QTest::mouseRelease(h.button, Qt::RightButton, {}, h.inside());
        QCOMPARE(h.events.filter(QStringLiteral("Click")).size(), 0);
        QVERIFY(h.events.contains(QStringLiteral("MouseDown 2 45")));
    }

    void doubleClickIsOneClick()
    {
        Host h;
        h.pointerOver();
        // As the window system delivers it: press, release, double-click, release.
        QTest::mouseClick(h.button, Qt::LeftButton, {}, h.inside());
        QTest::mouseDClick(h.button, Qt::LeftButton, {}, h.inside());
        QCOMPARE(h.button->state(), ButtonVisualState::Pressed);
        QTest::mouseRelease(h.button, Qt::LeftButton, {}, h.inside());
        QCOMPARE(h.events.filter(QStringLiteral("Click")).size(), 1);
        QCOMPARE(h.button->state(), ButtonVisualState::Hot);
    }

    void releaseOutsideDoesNotClick()
    {
        Host h;
        h.pointerOver();
        QTest::mousePress(h.button, Qt::LeftButton, {}, h.inside());
        QTest::mouseRelease(h.button, Qt::LeftButton, {}, QPoint(200, 12));
        QCOMPARE(h.events.filter(QStringLiteral("Click")).size(), 0);
    }

    void spaceWithPointerElsewhere()
    {
        Host h;
        h.button->setFocus();
        QCOMPARE(h.button->state(), ButtonVisualState::Focused);
        QTest::keyPress(h.button, Qt::Key_Space);
        QCOMPARE(h.button->state(), ButtonVisualState::Pressed);
        QTest::keyRelease(h.button, Qt::Key_Space);
        QCOMPARE(h.button->state(), ButtonVisualState::Focused);
        QCOMPARE(h.events, (QStringList{QStringLiteral("MouseDown 0 0"), QStringLiteral("KeyDown 32"),
                                        QStringLiteral("MouseUp 0 -1"), QStringLiteral("Click"), QStringLiteral("KeyUp 32")}));
        h.events.clear();
        QTest::keyClick(h.button, Qt::Key_Return);
        QCOMPARE(h.events.filter(QStringLiteral("Click")).size(), 0);

        // Space held in the text field, Tab to the button, release there: no click.
        h.edit->setFocus();
        QTest::keyPress(h.edit, Qt::Key_Space);
        h.button->setFocus();
        QTest::keyRelease(h.button, Qt::Key_Space);
        QCOMPARE(h.events.filter(QStringLiteral("Click")).size(), 0);
        QCOMPARE(h.button->state(), ButtonVisualState::Focused);
    }

    void disabledButtonRaisesNothing()
    {
        Host h;
        h.button->setButtonEnabled(false);
        h.button->setFocus();
        h.pointerOver();
        QTest::keyClick(h.button, Qt::Key_Space);
        QTest::mouseMove(h.button, h.inside());
        QTest::mouseClick(h.button, Qt::LeftButton, {}, h.inside());
        QCOMPARE(h.events, QStringList());
        QCOMPARE(h.button->state(), ButtonVisualState::Disabled);
        h.button->setButtonEnabled(true);
        QCOMPARE(h.button->state(), ButtonVisualState::Normal);
    }

    void clickHandlerDisablingItsOwnButton()
    {
        Host h;
        QObject::connect(h.button, &VistaButton::Click, h.button, [&h] { h.button->setButtonEnabled(false); });
        h.pointerOver();
        QTest::mouseMove(h.button, h.inside());
        QTest::mouseClick(h.button, Qt::LeftButton, {}, h.inside());
        QCOMPARE(h.button->state(), ButtonVisualState::Disabled);
        h.pointerAway();
        QTRY_VERIFY(!h.hover());
        QCOMPARE(h.events.last(), QStringLiteral("MouseOut"));
        QCOMPARE(h.button->state(), ButtonVisualState::Disabled);
    }

    void tabOrderFollowsEnabled()
    {
        Host h;
        QVERIFY(h.button->focusPolicy() & Qt::TabFocus);
        h.button->setButtonEnabled(false);
        QVERIFY(!(h.button->focusPolicy() & Qt::TabFocus));
        h.button->setButtonEnabled(true);
        QVERIFY(h.button->focusPolicy() & Qt::TabFocus);

        VistaButton outOfOrder;
        outOfOrder.setFocusPolicy(Qt::ClickFocus);
        outOfOrder.setButtonEnabled(false);
        outOfOrder.setButtonEnabled(true);
        QVERIFY(!(outOfOrder.focusPolicy() & Qt::TabFocus));
    }

    void dragAndDropIsPassedOn()
    {
        Host h;
        h.button->setAcceptDrops(true);
        QMimeData data;
        data.setText(QStringLiteral("Jan"));
        QStringList seen;
        QObject::connect(h.button, &VistaButton::OLEDragOver,
                         [&](const QMimeData* d, qint32&, qint16&, qint16&, float&, float&, qint16& state) {
                             seen << QStringLiteral("over %1 %2").arg(state).arg(d ? d->text() : QString());
                         });
        QObject::connect(h.button, &VistaButton::OLEDragDrop,
                         [&](const QMimeData* d, qint32&, qint16&, qint16&, float& x, float&) {
                             seen << QStringLiteral("drop %1 %2").arg(d->text()).arg(x);
                         });
        QDragEnterEvent enter(QPoint(10, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(h.button, &enter);
        QDropEvent drop(QPointF(12, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(h.button, &drop);
        QCOMPARE(seen, (QStringList{QStringLiteral("over 0 Jan"), QStringLiteral("drop Jan 12")}));
        QVERIFY(drop.isAccepted());
        h.button->setButtonEnabled(false);
        QCoreApplication::sendEvent(h.button, &drop);
        QCOMPARE(seen.size(), 2);
    }

    void focusLostWhileHeld()
    {
        Host h;
        h.button->setFocus();
        QTest::mousePress(h.button, Qt::LeftButton, {}, h.inside());
        h.pointerAway();
        h.edit->setFocus();
        QCOMPARE(h.button->state(), ButtonVisualState::Normal);
    }
};

QTEST_MAIN(TestVistaButton)
#include "tst_vistabutton.moc"
