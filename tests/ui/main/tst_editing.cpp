// Adding, deleting and editing addresses in the main window.
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

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { verifyEveryQuestionAnswered(); }

    void editButtonSwitchesAreas()
    {
        MainWindowTest t;
        t.main->findChild<VistaButton*>(QStringLiteral("EditKnop"))->setButtonEnabled(true);
        t.click(QStringLiteral("EditKnop"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Voor het toevoegen of verwijderen van een adres\r\n"
                                                            "eerst een adressen bestand aanmaken of openen\r\n"
                                                            "met de optie 'File/Nieuw' of met 'File/Open'"));
        QVERIFY(t.find(QStringLiteral("Frame4"))->isHidden());

        t.open(QStringLiteral("a.lst"));
        t.click(QStringLiteral("EditKnop"));
        QVERIFY(t.find(QStringLiteral("Frame2"))->isHidden());
        QVERIFY(!t.find(QStringLiteral("Frame4"))->isHidden());
        QCOMPARE(t.button(QStringLiteral("EditKnop"))->caption(), QStringLiteral("Layout"));
        QCOMPARE(t.find<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("Show Plaklabelsvel"));
        t.click(QStringLiteral("EditKnop"));
        QVERIFY(!t.find(QStringLiteral("Frame2"))->isHidden());
        QCOMPARE(t.button(QStringLiteral("EditKnop"))->caption(), QStringLiteral("Bewerken"));
        QCOMPARE(t.find<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("Adressen Toevoegen"));
    }

    void addSaveReopen()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"));
        QCOMPARE(t.action(QStringLiteral("CountAdressen"))->text(), QStringLiteral("0 Adressen"));
        t.type({QStringLiteral(" Jan "), QStringLiteral("Kerkstraat 1"), QStringLiteral("1234 AB"), QStringLiteral("Zwolle")});
        t.click(QStringLiteral("Knop_0"));
        QCOMPARE(t.action(QStringLiteral("CountAdressen"))->text(), QStringLiteral("1 Adressen"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(t.field(i)->text(), QString());
        QCOMPARE(t.field(4)->text(), QStringLiteral("Nederland"));
        t.type({QStringLiteral("Renée"), QStringLiteral("Rue 5"), QStringLiteral("1000"), QStringLiteral("Brussel"),
                QStringLiteral("België")});
        t.click(QStringLiteral("Knop_0"));
        t.click(QStringLiteral("Knop_2"));
        QCOMPARE(t.test.messages.shown.size(), 0);
        QCOMPARE(t.test.readList(QStringLiteral("a.lst")),
                 QByteArray("\" Jan \",\"Kerkstraat 1\",\"1234 AB\",\"Zwolle\",\"Nederland\"\r\n"
                            "\"Ren\xe9" "e\",\"Rue 5\",\"1000\",\"Brussel\",\"Belgi\xeb\"\r\n"));
        QVERIFY(t.main->openList(QStringLiteral("a.lst")));
        QCOMPARE(t.main->model().count(), 2);
        QCOMPARE(t.main->model().at(1).field(AddressRecord::Land), QStringLiteral("België"));

        // Lists that cannot be opened are told, and the open list stays.
        QFile huge(t.test.dataPath(QStringLiteral("groot.lst")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize((qint64(1) << 30) + 1)); // sparse: takes no disk
        QVERIFY(!t.main->openList(QStringLiteral("groot.lst")));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("De lijst groot.lst is te groot om te openen (1.025 MB)."));
        QVERIFY(!t.main->openList(QStringLiteral("weg.lst")));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("De lijst weg.lst kan niet worden geopend.\r\nHet bestand bestaat niet."));
        QCOMPARE(t.main->model().count(), 2);
    }

    void addRefusesIncompleteOrUnstorable()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"));
        t.main->show();
        t.click(QStringLiteral("EditKnop"));
        t.type({QStringLiteral("Jan"), QStringLiteral("   "), QStringLiteral("1"), QStringLiteral("Ede")});
        t.click(QStringLiteral("Knop_0"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Alle velden invullen a.u.b."));
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Plaklabels"));
        QCOMPARE(t.main->focusWidget(), t.field(0));

        t.type({QStringLiteral("Jan"), QStringLiteral("Ul. Długa 1"), QStringLiteral("1"), QStringLiteral("Ede")});
        t.click(QStringLiteral("Knop_0"));
        QCOMPARE(t.test.messages.lastText(),
                 QStringLiteral("Het teken ł in Straatnaam en Huisnummer kan niet worden opgeslagen; bijvoorbeeld: Ul. Dluga 1"));
        QCOMPARE(t.main->focusWidget(), t.field(1));
        t.type({QStringLiteral("Jan \"de\" Vries"), QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("Ede")});
        t.click(QStringLiteral("Knop_0"));
        QVERIFY(t.test.messages.lastText().startsWith(QStringLiteral("Het teken \" in Voor en Achternaam")));
        QCOMPARE(t.main->model().count(), 0);
        QCOMPARE(t.field(1)->text(), QStringLiteral("a")); // nothing typed is lost
    }

    void pastedLineBreaksBecomeSpaces()
    {
        MainWindowTest t;
        t.field(1)->insert(QStringLiteral("Kerkstraat\r\n12\nachter"));
        QCOMPARE(t.field(1)->text(), QStringLiteral("Kerkstraat 12 achter"));
    }

    void rowClickFillsFieldsAndDeleteAsks()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), TwoAddresses);
        t.click(QStringLiteral("Knop_1")); // rows but none selected: nothing
        QCOMPARE(t.test.messages.shown.size(), 0);
        clickRow(t, 1);
        QCOMPARE(t.field(0)->text(), QStringLiteral("Piet"));
        QCOMPARE(t.field(3)->text(), QStringLiteral("Gent"));
        QCOMPARE(t.field(4)->text(), QStringLiteral("België"));

        t.test.messages.answers = {Messages::Answer::Nee};
        t.click(QStringLiteral("Knop_1"));
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral(" Delete"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je (Piet) verwijderen uit de lijst?"));
        QCOMPARE(t.main->model().count(), 2);
        t.test.messages.answers = {Messages::Answer::Ja};
        t.click(QStringLiteral("Knop_1"));
        QCOMPARE(t.main->model().count(), 1);
        QCOMPARE(t.main->model().at(0).field(0), QStringLiteral("Jan"));
        QCOMPARE(t.action(QStringLiteral("CountAdressen"))->text(), QStringLiteral("1 Adressen"));
        // The address now current fills the fields, not the one deleted.
        QCOMPARE(t.field(0)->text(), QStringLiteral("Jan"));
        QCOMPARE(chosenRows(t), QList<int>{0});
    }

    // What the user highlights, by any key, is the address that gets printed.
    void keyboardChoosesTheAddress()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), TwoAddresses + "\"Klaas\",\"Laan 3\",\"9999 ZZ\",\"Assen\",\"Nederland\"\r\n");
        auto* view = t.find<QTreeView>(QStringLiteral("ListView1"));
        t.main->show();
        QVERIFY(QTest::qWaitForWindowActive(t.main.get()));
        view->setFocus();
        QTest::keyClick(view, Qt::Key_End);
        QCOMPARE(t.field(0)->text(), QStringLiteral("Klaas"));
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(t.field(0)->text(), QStringLiteral("Piet"));
        QTest::keyClick(view, Qt::Key_Home);
        QCOMPARE(t.field(3)->text(), QStringLiteral("Zwolle"));
        QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(t.field(0)->text(), QStringLiteral("Klaas"));
        QTest::keyClicks(view, QStringLiteral("p"));
        QCOMPARE(t.field(0)->text(), QStringLiteral("Piet"));

        // Piet's Belgian postcode has letters: asked about first, then the label.
        t.test.messages.answers = {Messages::Answer::Ja, Messages::Answer::Ja};
        QTest::mouseClick(t.find(QStringLiteral("A4")), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(t.test.messages.shown.first().text, QStringLiteral("1 adres lijkt niet in orde:\r\nPiet: postcode 5678 CD past niet bij België"));
        QCOMPARE(t.test.printer.texts.first().text, QStringLiteral("Piet"));
    }

    // A typo is mended where it stands: F2 or a double-click, typing, Enter.
    void cellsAreEditedInPlace()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), TwoAddresses);
        auto* view = t.find<QTreeView>(QStringLiteral("ListView1"));
        t.main->show();
        QVERIFY(QTest::qWaitForWindowActive(t.main.get()));
        view->setFocus();
        QTest::keyClick(view, Qt::Key_End);
        QTest::keyClick(view, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("Piet"));
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Pieter"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(t.main->model().at(1).field(AddressRecord::Naam), QStringLiteral("Pieter"));
        QCOMPARE(t.field(0)->text(), QStringLiteral("Pieter")); // the highlighted address follows
        QVERIFY(t.main->isModified());

        // Escape leaves the old value.
        QTest::keyClick(view, Qt::Key_F2);
        editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QTest::keyClicks(editor, QStringLiteral("xyz"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QCOMPARE(t.main->model().at(1).field(AddressRecord::Naam), QStringLiteral("Pieter"));

        // A double-click edits the cell clicked: here the first postcode.
        const QRect cell = view->visualRect(t.main->model().index(0, AddressRecord::Postcode));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        editor->insert(QStringLiteral("1234\nXY"));
        QCOMPARE(editor->text(), QStringLiteral("1234 XY")); // a pasted line break becomes a space
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(t.field(2)->text(), QStringLiteral("1234 XY"));

        // Refusals keep the old value and say why. Left twice: from Postcode back to Naam.
        QTest::keyClick(view, Qt::Key_Left);
        QTest::keyClick(view, Qt::Key_Left);
        for (const auto& [typed, message] :
             {std::pair{QStringLiteral("   "), QStringLiteral("Alle velden invullen a.u.b.")},
              std::pair{QStringLiteral("Łódź"),
                        QStringLiteral("Het teken Ł in Voor en Achternaam kan niet worden opgeslagen; bijvoorbeeld: Lódz")}}) {
            QTest::keyClick(view, Qt::Key_F2);
            editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            editor->selectAll();
            editor->insert(typed);
            QTest::keyClick(editor, Qt::Key_Return);
            QTRY_COMPARE(t.test.messages.lastText(), message);
            QCOMPARE(t.main->model().at(0).field(AddressRecord::Naam), QStringLiteral("Jan"));
        }

        t.click(QStringLiteral("EditKnop"));
        t.click(QStringLiteral("Knop_2"));
        QCOMPARE(t.test.readList(QStringLiteral("a.lst")),
                 QByteArray("\"Jan\",\"Kerkstraat 1\",\"1234 XY\",\"Zwolle\",\"Nederland\"\r\n"
                            "\"Pieter\",\"Dorpsweg 2\",\"5678 CD\",\"Gent\",\"Belgi\xeb\"\r\n"));
        QVERIFY(!t.main->isModified());
    }

    void enterAddsAndLongFieldsStayWhole()
    {
        MainWindowTest t;
        const QString street(40000, QLatin1Char('s'));
        t.open(QStringLiteral("a.lst"), "\"Jan\",\"" + street.toLatin1() + "\",\"1234 AB\",\"Ede\",\"Nederland\"\r\n");
        t.main->show();
        QVERIFY(QTest::qWaitForWindowActive(t.main.get()));
        clickRow(t, 0);
        QCOMPARE(t.field(1)->text(), street);
        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::mouseClick(t.find(QStringLiteral("A4")), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(t.test.printer.texts[1].text, street);

        t.click(QStringLiteral("EditKnop"));
        t.type({QStringLiteral("Piet"), QStringLiteral("Dorp 2"), QStringLiteral("2"), QStringLiteral("Gent")});
        t.field(2)->setFocus();
        QTest::keyClick(t.field(2), Qt::Key_Return);
        QCOMPARE(t.main->model().count(), 2);
        QCOMPARE(t.main->model().at(1).field(AddressRecord::Adres), QStringLiteral("Dorp 2"));
        QCOMPARE(t.main->focusWidget(), t.field(0));
    }

    // Several rows chosen with Ctrl and Shift: the last one clicked fills the
    // fields, one question deletes them all, and the print dialog prints only them.
    void chosenRowsArePrintedAndDeletedTogether()
    {
        MainWindowTest t;
        QByteArray list;
        for (int i = 1; i <= 6; ++i)
            list += "\"Naam" + QByteArray::number(i) + "\",\"a\",\"b\",\"c\",\"d\"\r\n";
        t.open(QStringLiteral("a.lst"), list);
        clickRow(t, 4);
        clickRow(t, 1, Qt::ControlModifier);
        clickRow(t, 3, Qt::ShiftModifier); // 1..3 and 4
        QCOMPARE(t.field(0)->text(), QStringLiteral("Naam4"));
        QString firstOption;
        whileModal([&] { t.click(QStringLiteral("AfdrukKnop")); }, [&](QWidget* dialog) {
            firstOption = dialog->findChild<QRadioButton*>(QStringLiteral("Option1_0"))->text();
        });
        QCOMPARE(firstOption, QStringLiteral("De 4 gekozen Adressen op Plaklabels"));
        t.test.messages.answers = {Messages::Answer::Ja};
        t.click(QStringLiteral("EditKnop"));
        t.click(QStringLiteral("Knop_1"));
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral(" Delete"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je de 4 gekozen adressen verwijderen?"));
        QCOMPARE(t.main->model().count(), 2);
        QCOMPARE(t.main->model().at(1).field(0), QStringLiteral("Naam6"));
        QCOMPARE(t.action(QStringLiteral("CountAdressen"))->text(), QStringLiteral("2 Adressen"));
    }

    // An editor never works against a worker, never freezes on a huge field,
    // and changes nothing when nothing was typed.
    void cellEditorEdges()
    {
        MainWindowTest t;
        const QByteArray lines = "\"Jan\r\nJansen\",\"Weg 1\",\"1000 AA\",\"Ede\",\"Nederland\"\r\n"
                                 "\"Bep\",\"Weg 2\",\"2000 BB\",\"Ede\",\"Nederland\"\r\n";
        auto* view = t.openForKeys(QStringLiteral("a.lst"), lines);
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QCOMPARE(t.main->model().at(0).field(AddressRecord::Naam), QStringLiteral("Jan\r\nJansen"));
        QVERIFY(!t.main->isModified());

        // Ctrl+1 with an editor open: the typed name is stored first, then sorted.
        QTest::keyClick(view, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->setText(QStringLiteral("Zus"));
        keys(t, Qt::CTRL | Qt::Key_1);
        QVERIFY(!view->indexWidget(view->currentIndex()));
        QCOMPARE(t.main->model().at(1).field(AddressRecord::Naam), QStringLiteral("Zus"));
        // So does a dropped file, whose reading runs beside the window too.
        QTest::keyClick(view, Qt::Key_F2);
        QVERIFY(view->indexWidget(view->currentIndex()));
        t.test.writeList(QStringLiteral("ander.lst"), "\"Dirk\",\"Weg 4\",\"4000 DD\",\"Ede\",\"Nederland\"\r\n");
        t.test.messages.answers = {Messages::Answer::Nee}; // add Dirk? not now
        t.main->importFiles({t.test.dataPath(QStringLiteral("ander.lst"))});
        QVERIFY(!view->indexWidget(view->currentIndex()));

        t.open(QStringLiteral("groot.lst"), '"' + QByteArray(MaxEditableLength + 1, 'a') + "\",\"Weg 1\",\"\",\"Ede\",\"Nederland\"\r\n");
        view->setFocus();
        view->setCurrentIndex(t.main->model().index(0, 0));
        QTest::keyClick(view, Qt::Key_F2);
        QTRY_COMPARE(t.test.messages.lastText(), QStringLiteral("Dit veld is te lang om hier te bewerken (100.001 tekens)"));
        QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    }

    // A field too long to edit in a box shows its start there, read-only;
    // questions show the start as the list does; paper gets it whole.
    void longFieldsAreShownBounded()
    {
        MainWindowTest t;
        const QByteArray naam(200000, 'n');
        t.open(QStringLiteral("a.lst"), "\"" + naam + "\",\"Dorp 1\",\"1234 AB\",\"Ede\",\"Nederland\"\r\n\"Jan\",\"a\",\"b\",\"c\",\"d\"\r\n");
        clickRow(t, 0);
        QCOMPARE(t.field(0)->text(), QString(1000, QLatin1Char('n')) + QChar(0x2026));
        QVERIFY(t.field(0)->isReadOnly());
        QCOMPARE(t.field(0)->toolTip(), QStringLiteral("Dit veld is te lang om hier te bewerken (200.000 tekens)"));
        QVERIFY(!t.field(1)->isReadOnly());
        t.test.messages.answers = {Messages::Answer::Nee, Messages::Answer::Ja};
        t.click(QStringLiteral("Knop_1"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je (%1) verwijderen uit de lijst?").arg(t.field(0)->text()));
        QTest::mouseClick(t.find(QStringLiteral("A4")), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(t.test.printer.texts.value(0).text, QString::fromLatin1(naam));
        clickRow(t, 1);
        QVERIFY(!t.field(0)->isReadOnly());
        QCOMPARE(t.field(0)->toolTip(), QString());
    }

    void failedSaveIsTold()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), TwoAddresses);
        QDir(t.test.folder.path()).rename(QStringLiteral("Data"), QStringLiteral("Oud"));
        QFile blocker(t.test.folder.path() + QStringLiteral("/Data"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        t.test.messages.answers = {Messages::Answer::Ja}; // its file is gone: save all the same
        t.click(QStringLiteral("Knop_2"));
        QVERIFY(t.test.messages.lastText().startsWith(QStringLiteral("De lijst kon niet worden opgeslagen:\r\nde map ")));
        QCOMPARE(t.test.messages.shown.last().icon, Messages::Icon::Error);
    }

    // The keys a person presses first: Enter on a focused button, the Delete
    // key, Ctrl+S; the fields follow the current address; the focus is never
    // left on Stoppen; the in-place editor says what it edits.
    void keysPeoplePress()
    {
        MainWindowTest t;
        auto* view = t.openForKeys(QStringLiteral("a.lst"), TwoAddresses);
        QTest::keyClick(view, Qt::Key_Delete); // nothing chosen yet: nothing happens
        QVERIFY(t.test.messages.shown.isEmpty());
        QTest::keyClick(view, Qt::Key_Down);
        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je (Jan) verwijderen uit de lijst?"));
        QCOMPARE(t.main->model().count(), 1);
        QCOMPARE(t.field(0)->text(), QStringLiteral("Piet"));
        keys(t, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(t.main->model().count(), 2);

        // Ctrl+S saves in the preview mode too, where Opslaan is out of sight.
        QTest::keyClick(view, Qt::Key_Down);
        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::keyClick(view, Qt::Key_Delete);
        keys(t, Qt::CTRL | Qt::Key_S);
        QCOMPARE(t.test.readList(QStringLiteral("a.lst")), QByteArray("\"Jan\",\"Kerkstraat 1\",\"1234 AB\",\"Zwolle\",\"Nederland\"\r\n"));
        QVERIFY(!t.main->isModified());

        // Enter on a focused button presses it.
        VistaButton* bewerken = t.button(QStringLiteral("EditKnop"));
        bewerken->setFocus();
        QTest::keyClick(bewerken, Qt::Key_Return);
        QVERIFY(!t.find(QStringLiteral("Frame4"))->isHidden());

        // The in-place editor is an editable text named after its column.
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_F2);
        QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        QCOMPARE(editor->role(), QAccessible::EditableText);
        QCOMPARE(editor->text(QAccessible::Name), QStringLiteral("Adres"));
        // Walked from the window as a screen reader follows the focus.
        QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(t.main.get());
        while (focused->focusChild() && focused->focusChild() != focused)
            focused = focused->focusChild();
        QCOMPARE(std::pair(focused->role(), focused->text(QAccessible::Name)), std::pair(QAccessible::EditableText, QStringLiteral("Adres")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

        // The help takes the keyboard while it shows, and gives it back to the list.
        t.action(QStringLiteral("HelpUitleg"))->trigger();
        QCOMPARE(QApplication::focusWidget(), t.find(QStringLiteral("HelpPic")));
        t.action(QStringLiteral("HelpUitleg"))->trigger();
        QCOMPARE(QApplication::focusWidget(), view);

        // Enter on a focused Stoppen ends the program as a click does.
        VistaButton* stoppen = t.button(QStringLiteral("CancelKnop"));
        stoppen->setFocus();
        QTest::keyClick(stoppen, Qt::Key_Enter);
        QVERIFY(!t.main->isVisible());
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
