#include "MainWindowTest.h"
#include "ProcessMemory.h"
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

namespace {
const QByteArray TwoAddresses = "\"Jan\",\"Kerkstraat 1\",\"1234 AB\",\"Zwolle\",\"Nederland\"\r\n"
                                "\"Piet\",\"Dorpsweg 2\",\"5678 CD\",\"Gent\",\"Belgi\xeb\"\r\n";

const QByteArray ThreeAddresses = "\"Cor\",\"Weg 3\",\"3000 CC\",\"Ede\",\"Nederland\"\r\n"
                                  "\"Ans\",\"Weg 1\",\"1000 AA\",\"Ede\",\"Nederland\"\r\n"
                                  "\"Bep\",\"Weg 2\",\"2000 BB\",\"Ede\",\"Nederland\"\r\n";

QList<int> chosenRows(MainWindowTest& t)
{
    QList<int> rows;
    for (const QModelIndex& index : t.find<QTreeView>(QStringLiteral("ListView1"))->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void keys(MainWindowTest& t, QKeyCombination combination)
{
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : t.main.get(), combination.key(),
                    combination.keyboardModifiers());
}

void clickRow(MainWindowTest& t, int row, Qt::KeyboardModifiers modifiers = {})
{
    auto* view = t.find<QTreeView>(QStringLiteral("ListView1"));
    t.main->show();
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rect.center());
}
}

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

        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::mouseClick(t.find(QStringLiteral("A4")), Qt::LeftButton, {}, QPoint(20, 20));
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

    // Addresses from a spreadsheet (Ctrl+V) or from files dropped on the window.
    void pasteAndDropAddAfterOneQuestion()
    {
        MainWindowTest t;
        auto* view = t.find<QTreeView>(QStringLiteral("ListView1"));
        QGuiApplication::clipboard()->setText(QStringLiteral("Anna\tLaan 1\t1111 AA\tAssen\t\n\tzonder naam\t\t\t\n"));
        t.main->pasteAddresses();
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Voor het toevoegen of verwijderen van een adres\r\n"
                                                            "eerst een adressen bestand aanmaken of openen\r\n"
                                                            "met de optie 'File/Nieuw' of met 'File/Open'"));

        t.open(QStringLiteral("leden.lst"), TwoAddresses);
        t.main->show();
        QVERIFY(QTest::qWaitForWindowActive(t.main.get()));
        view->setFocus();
        t.test.messages.answers = {Messages::Answer::Nee};
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Plaklabels"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("1 adressen toevoegen aan de lijst leden.lst?\r\n\r\n"
                                                            "1 regel is overgeslagen:\r\nregel 2: geen naam"));
        QCOMPARE(t.main->model().count(), 2); // Nee adds nothing
        QVERIFY(!t.main->isModified());

        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::keyClick(view, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(t.main->model().count(), 3);
        QCOMPARE(t.main->model().at(2).field(AddressRecord::Land), QStringLiteral("Nederland"));
        QCOMPARE(t.action(QStringLiteral("CountAdressen"))->text(), QStringLiteral("3 Adressen"));
        QVERIFY(t.main->isModified());

        // Two files dropped at once: one question, each reason with its file.
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QStringLiteral(TEST_DATA_DIR "/import/calc-leden.csv")),
                      QUrl::fromLocalFile(QStringLiteral(TEST_DATA_DIR "/import/contacten-40.vcf"))});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(t.main.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        t.test.messages.answers = {Messages::Answer::Ja};
        QApplication::sendEvent(t.main.get(), &drop);
        QCOMPARE(t.test.messages.lastText(),
                 QStringLiteral("5 adressen toevoegen aan de lijst leden.lst?\r\n\r\n2 regels zijn overgeslagen:\r\n"
                                "calc-leden.csv, regel 4: geen naam\r\n"
                                "calc-leden.csv, regel 5: het teken \" kan niet in de lijst worden opgeslagen"));
        QCOMPARE(t.main->model().count(), 8);
        QCOMPARE(t.main->model().at(7).field(AddressRecord::Naam), QStringLiteral("Sanne ; Co"));

        // On closing, the unsaved-changes question follows.
        t.test.messages.answers = {Messages::Answer::Annuleren};
        QVERIFY(!t.main->close());
        QVERIFY(t.test.messages.lastText().contains(QStringLiteral("gewijzigd")));
    }

    void enterAddsAndLongFieldsStayWhole()
    {
        MainWindowTest t;
        const QString street(40000, QLatin1Char('s'));
        t.open(QStringLiteral("a.lst"), "\"Jan\",\"" + street.toLatin1() + "\",\"1\",\"Ede\",\"Nederland\"\r\n");
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

    // Each kind of change is one step back and forth; back at the opened
    // state the list is unmodified; what came back is chosen.
    void undoTakesBackEveryKindOfChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QList<int>>("chosenAfterUndo");
        QTest::addColumn<int>("currentAfterUndo");
        QTest::newRow("add") << QStringLiteral("add") << QList<int>{2} << 2;
        QTest::newRow("delete two") << QStringLiteral("delete") << QList<int>{0, 2} << 0;
        QTest::newRow("delete all") << QStringLiteral("delete all") << QList<int>{0, 1, 2} << 0;
        QTest::newRow("edit a cell") << QStringLiteral("edit") << QList<int>{1} << 1;
        QTest::newRow("paste") << QStringLiteral("paste") << QList<int>{2} << 2;
        QTest::newRow("sort") << QStringLiteral("sort") << QList<int>{1} << 1;
    }
    void undoTakesBackEveryKindOfChange()
    {
        QFETCH(QString, change);
        QFETCH(QList<int>, chosenAfterUndo);
        QFETCH(int, currentAfterUndo);
        MainWindowTest t;
        auto* view = t.openForKeys(QStringLiteral("a.lst"), ThreeAddresses);
        const QList<AddressRecord> opened = t.main->model().records();
        t.test.messages.answers = {Messages::Answer::Ja};
        if (change == QLatin1String("add")) {
            t.click(QStringLiteral("EditKnop"));
            t.type({QStringLiteral("Dirk"), QStringLiteral("Weg 4"), QStringLiteral("4000 DD"), QStringLiteral("Ede")});
            t.click(QStringLiteral("Knop_0"));
        } else if (change == QLatin1String("delete")) {
            clickRow(t, 0);
            clickRow(t, 2, Qt::ControlModifier);
            t.click(QStringLiteral("EditKnop"));
            t.click(QStringLiteral("Knop_1"));
        } else if (change == QLatin1String("delete all")) {
            clickRow(t, 0);
            QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
            t.click(QStringLiteral("EditKnop"));
            t.click(QStringLiteral("Knop_1"));
        } else if (change == QLatin1String("edit")) {
            clickRow(t, 1);
            view->setFocus();
            QTest::keyClick(view, Qt::Key_F2);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Anna"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTRY_COMPARE(t.main->model().at(1).field(0), QStringLiteral("Anna"));
        } else if (change == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(QStringLiteral("Dirk\tWeg 4\t4000 DD\tEde\t\nEef\tWeg 5\t5000 EE\tEde\t\n"));
            clickRow(t, 0);
            QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        } else {
            clickRow(t, 1);
            QTest::keyClick(view, Qt::Key_1, Qt::ControlModifier);
            QCOMPARE(t.main->model().at(0).field(0), QStringLiteral("Ans"));
            QCOMPARE(t.field(0)->text(), QStringLiteral("Ans")); // still the current address
        }
        const QList<AddressRecord> changed = t.main->model().records();
        QVERIFY(changed != opened);
        QVERIFY(t.main->isModified());
        view->setFocus();
        keys(t, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(t.main->model().records(), opened);
        QVERIFY(!t.main->isModified());
        QCOMPARE(chosenRows(t), chosenAfterUndo);
        // One range a run of rows: a range a row made a big undo freeze the window.
        const qsizetype runs = std::count_if(chosenAfterUndo.begin(), chosenAfterUndo.end(),
                                             [&](int row) { return !chosenAfterUndo.contains(row - 1); });
        QCOMPARE(view->selectionModel()->selection().size(), runs);
        QCOMPARE(view->currentIndex().row(), currentAfterUndo);
        QCOMPARE(t.field(0)->text(), opened[currentAfterUndo].field(0));
        keys(t, Qt::CTRL | Qt::Key_Y);
        QCOMPARE(t.main->model().records(), changed);
        QVERIFY(t.main->isModified());
        keys(t, Qt::CTRL | Qt::SHIFT | Qt::Key_Z); // nothing more to redo
        QCOMPARE(t.main->model().records(), changed);
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

        AddressRecord huge = t.main->model().at(0);
        huge.setField(AddressRecord::Naam, QString(MaxEditableLength + 1, QLatin1Char('a')));
        t.main->model().replaceAll({huge});
        view->setCurrentIndex(t.main->model().index(0, 0));
        QTest::keyClick(view, Qt::Key_F2);
        QTRY_COMPARE(t.test.messages.lastText(), QStringLiteral("Dit veld is te lang om hier te bewerken (100.001 tekens)"));
        QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    }

    void savingMakesTheUndoneStateModified()
    {
        MainWindowTest t;
        auto* view = t.openForKeys(QStringLiteral("a.lst"), ThreeAddresses);
        clickRow(t, 0);
        QTest::keyClick(view, Qt::Key_2, Qt::ControlModifier);
        t.click(QStringLiteral("EditKnop"));
        t.click(QStringLiteral("Knop_2"));
        QVERIFY(!t.main->isModified());
        keys(t, Qt::CTRL | Qt::Key_Z);
        QVERIFY(t.main->isModified()); // the saved file has the sorted order
        keys(t, Qt::CTRL | Qt::Key_Y);
        QVERIFY(!t.main->isModified());
    }

    // Ctrl+F finds with case and accents aside, F3 goes on from there and round.
    void findsFromTheDialogAndWithF3()
    {
        MainWindowTest t;
        auto* view = t.openForKeys(QStringLiteral("a.lst"), ThreeAddresses);
        whileModal([&] { keys(t, Qt::CTRL | Qt::Key_F); }, [&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Zoeken"));
            auto* text = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
            QCOMPARE(text->accessibleName(), QStringLiteral("Zoek naar"));
            QTest::keyClicks(text, QStringLiteral("WÉG 2"));
            QTest::keyClick(text, Qt::Key_Return);
            QCOMPARE(view->currentIndex().row(), 2);
            text->setText(QStringLiteral("xyz"));
            QTest::keyClick(text, Qt::Key_Return);
            QCOMPARE(t.test.messages.lastText(), QStringLiteral("Niets gevonden voor \"xyz\"."));
            text->setText(QStringLiteral("weg"));
            QTest::keyClick(text, Qt::Key_Return);
        });
        QCOMPARE(chosenRows(t), QList<int>{0}); // went round past the end
        t.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.main.get()));
        QTest::keyClick(view, Qt::Key_F3);
        QCOMPARE(chosenRows(t), QList<int>{1});
        QCOMPARE(t.field(0)->text(), QStringLiteral("Ans"));
    }

    // Rows copied out and pasted into an empty list save to the same bytes;
    // the same file dropped twice adds nothing the second time.
    void copiedRowsComeBackAndNothingTwice()
    {
        MainWindowTest t;
        auto* view = t.openForKeys(QStringLiteral("a.lst"), ThreeAddresses);
        QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Cor\tWeg 3\t3000 CC\tEde\tNederland\n"
                                                                      "Ans\tWeg 1\t1000 AA\tEde\tNederland\n"
                                                                      "Bep\tWeg 2\t2000 BB\tEde\tNederland\n"));
        t.main->startNewList(QStringLiteral("b.lst"));
        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        t.click(QStringLiteral("EditKnop"));
        t.click(QStringLiteral("Knop_2"));
        QCOMPARE(t.test.readList(QStringLiteral("b.lst")), ThreeAddresses);

        t.main->importFiles({t.test.dataPath(QStringLiteral("a.lst"))});
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Alle 3 adressen staan al in de lijst."));
        QVERIFY(!t.test.messages.shown.last().question);
        QGuiApplication::clipboard()->setText(QStringLiteral("Ans\tWeg 1\t1000 AA\tEde\t\nDirk\tWeg 4\t4000 DD\tEde\t\n"));
        t.test.messages.answers = {Messages::Answer::Nee};
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("1 adressen toevoegen aan de lijst b.lst?\r\n\r\n1 adres staat al in de lijst: Ans"));
    }

    // A field too long to edit in a box shows its start there, read-only;
    // questions show the start as the list does; paper gets it whole.
    void longFieldsAreShownBounded()
    {
        MainWindowTest t;
        const QByteArray naam(200000, 'n');
        t.open(QStringLiteral("a.lst"), "\"" + naam + "\",\"Dorp 1\",\"1\",\"Ede\",\"Nederland\"\r\n\"Jan\",\"a\",\"b\",\"c\",\"d\"\r\n");
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

    // A million addresses and one field of 50 MB: opened, shown, printed as a
    // list and saved in bounded time, in at most six times the file's size.
    void hugeListStaysUsable()
    {
        QTemporaryDir dir;
        const QString listPath = dir.filePath(QStringLiteral("groot.lst"));
        {
            QFile file(listPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("\"Groot\",\"" + QByteArray(50 * 1024 * 1024, 'g') + "\",\"1\",\"Ede\",\"Nederland\"\r\n");
            const QByteArray line = "\"Jan de Vries\",\"Kerkstraat 12\",\"1234 AB\",\"Zwolle\",\"Nederland\"\r\n";
            for (int i = 0; i < 1000000; ++i)
                file.write(line);
        }
        const qint64 fileSize = QFileInfo(listPath).size();
        // In this process, not a child: a forked window would wait for ever on
        // drawing threads that did not come along. The peak is counted from here.
        QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
        QVERIFY(clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1);
        clearRefs.close();
        const double before = memoryMb("VmRSS:");
        QElapsedTimer timer;
        timer.start();
        {
            MainWindowTest t;
            QVERIFY(QFile::rename(listPath, t.test.dataPath(QStringLiteral("groot.lst"))));
            QVERIFY(t.main->openList(QStringLiteral("groot.lst")));
            t.main->enterWorkingState(QStringLiteral("groot.lst"));
            t.main->show();
            QCoreApplication::processEvents();
            t.find<QTreeView>(QStringLiteral("ListView1"))->viewport()->repaint();
            const qint64 shown = timer.elapsed();
            // A printer that keeps nothing, so only the program's own memory counts.
            struct Counting : PrinterDevice {
                QStringList InstalledPrinters() override { return {}; }
                QString CurrentDeviceName() override { return {}; }
                bool SelectPrinter(int) override { return true; }
                bool SetUnitTwips() override { return true; }
                bool SetPortrait() override { return true; }
                bool SetFontName(const QString&) override { return true; }
                bool SetFontSize(float) override { return true; }
                bool SetFontBold(bool) override { return true; }
                bool SetTextColor(QRgb) override { return true; }
                bool SetCurrentX(float) override { return true; }
                bool SetCurrentY(float) override { return true; }
                bool PrintText(const QString&) override { return true; }
                bool DrawLine(float, float, float, float) override { return true; }
                double TextWidth(const QString&, float, bool, const QString&) override { return 0; }
                bool NewPage() override { return true; }
                bool EndDocument() override { return true; }
                QString errorString() const override { return {}; }
                void SetDocumentName(const QString&) override {}
            } device;
            QVERIFY(AfdrukkenLijst(device, t.main->model().records(), 10, QDateTime()).ok);
            t.click(QStringLiteral("EditKnop"));
            t.click(QStringLiteral("Knop_2"));
            QCOMPARE(t.test.messages.shown.size(), 0);
            QCOMPARE(QFileInfo(t.test.dataPath(QStringLiteral("groot.lst"))).size(), fileSize);
            QCOMPARE(t.main->model().count(), 1000001);
            qInfo("shown after %lld ms, done after %lld ms, peak +%.0f MB for a file of %lld MB", shown, timer.elapsed(),
                  memoryMb("VmHWM:") - before, fileSize / 1000000);
            QVERIFY2(shown < 10000, "the list takes too long to show");
        }
        QVERIFY2(timer.elapsed() < 120000, "open, print and save take too long");
        QVERIFY2((memoryMb("VmHWM:") - before) * 1024 * 1024 <= 6.0 * fileSize, "too much memory");
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

    // A list changed elsewhere is never overwritten unseen; a list without
    // changes of its own follows its file quietly when the window comes back.
    void listsChangedElsewhere()
    {
        MainWindowTest t;
        auto* view = t.openForKeys(QStringLiteral("a.lst"), TwoAddresses);
        t.click(QStringLiteral("EditKnop"));
        {
            // A sync tool touched the date alone: no change.
            QFile file(t.test.dataPath(QStringLiteral("a.lst")));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(120), QFileDevice::FileModificationTime));
        }
        t.click(QStringLiteral("Knop_2"));
        QVERIFY(t.test.messages.shown.isEmpty());

        const QByteArray kees = "\"Kees\",\"Laan 3\",\"9999 ZZ\",\"Assen\",\"Nederland\"\r\n";
        t.test.writeList(QStringLiteral("a.lst"), kees);
        t.test.messages.answers = {Messages::Answer::Nee};
        t.click(QStringLiteral("Knop_2"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("De lijst a.lst is buiten Plaklabels gewijzigd sinds je hem opende. "
                                                            "Toch opslaan en die wijzigingen overschrijven?"));
        QCOMPARE(t.test.readList(QStringLiteral("a.lst")), kees);
        t.test.messages.answers = {Messages::Answer::Ja};
        t.click(QStringLiteral("Knop_2"));
        QCOMPARE(t.test.readList(QStringLiteral("a.lst")), TwoAddresses);

        // Back in the window: the rows are what the file holds, Piet still current.
        clickRow(t, 1);
        t.test.writeList(QStringLiteral("a.lst"), kees + TwoAddresses);
        QEvent activated(QEvent::ActivationChange);
        QApplication::sendEvent(t.main.get(), &activated);
        QCOMPARE(t.main->model().count(), 3);
        QCOMPARE(view->currentIndex().row(), 2);
        QCOMPARE(t.field(0)->text(), QStringLiteral("Piet"));
        QVERIFY(!t.main->isModified());
        // With changes of its own, the list is left alone.
        t.type({QStringLiteral("Dirk"), QStringLiteral("Weg 4"), QStringLiteral("4000 DD"), QStringLiteral("Ede")});
        t.click(QStringLiteral("Knop_0"));
        t.test.writeList(QStringLiteral("a.lst"), kees);
        QApplication::sendEvent(t.main.get(), &activated);
        QCOMPARE(t.main->model().count(), 4);
    }

    // Unsaved work has a recovery copy beside Data a moment after each change;
    // saving or undoing back to the saved list removes it; after a crash it is offered.
    void unsavedWorkComesBack()
    {
        MainWindowTest t;
        auto* view = t.openForKeys(QStringLiteral("a.lst"), TwoAddresses);
        t.click(QStringLiteral("EditKnop"));
        const auto addDirk = [&] {
            t.type({QStringLiteral("Dirk"), QStringLiteral("Weg 4"), QStringLiteral("4000 DD"), QStringLiteral("Ede")});
            t.click(QStringLiteral("Knop_0"));
            view->setFocus(); // undo works on the list, not in a box
        };
        const QString copy = t.test.folder.path() + QStringLiteral("/Herstel/a.lst");
        const auto copyHolds = [&](const QByteArray& bytes) {
            QFile file(copy);
            return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
        };
        const QByteArray withDirk = TwoAddresses + "\"Dirk\",\"Weg 4\",\"4000 DD\",\"Ede\",\"Nederland\"\r\n";
        addDirk();
        QTRY_VERIFY_WITH_TIMEOUT(copyHolds(withDirk), 4000);
        keys(t, Qt::CTRL | Qt::Key_Z);
        QTRY_VERIFY(!QFileInfo::exists(copy));
        keys(t, Qt::CTRL | Qt::Key_Y);
        QTRY_VERIFY_WITH_TIMEOUT(copyHolds(withDirk), 4000);
        t.click(QStringLiteral("Knop_2"));
        QTRY_VERIFY(!QFileInfo::exists(copy));

        // The program ends without a word (a crash): the copy stays, and is offered.
        keys(t, Qt::CTRL | Qt::Key_Z);
        QTRY_VERIFY_WITH_TIMEOUT(copyHolds(TwoAddresses), 4000);
        t.main.reset();
        Main again(t.test.context);
        t.test.messages.answers = {Messages::Answer::Ja};
        // The copy outlives the open question: a crash before the answer loses nothing.
        bool keptWhileAsked = false;
        t.test.messages.whileAsking = [&] {
            QTest::qWait(2500);
            keptWhileAsked = copyHolds(TwoAddresses);
        };
        again.offerRecoveries();
        t.test.messages.whileAsking = nullptr;
        QVERIFY(keptWhileAsked);
        QCOMPARE(t.test.messages.lastText(),
                 QStringLiteral("Er zijn niet opgeslagen wijzigingen van %1 aan de lijst a.lst gevonden. Terugzetten?")
                     .arg(QFileInfo(copy).lastModified().toString(QStringLiteral("d-M-yyyy HH:mm"))));
        QCOMPARE(again.currentFile(), QStringLiteral("a.lst"));
        QCOMPARE(again.model().count(), 2);
        QVERIFY(again.isModified());
        QCOMPARE(t.test.readList(QStringLiteral("a.lst")), withDirk); // nothing written until saved

        // Nee drops it; a copy whose list is gone starts that list anew.
        QFile::copy(copy, copy + QStringLiteral(".bewaard"));
        t.test.messages.answers = {Messages::Answer::Nee};
        QVERIFY(again.openList(QStringLiteral("a.lst")));
        QTRY_VERIFY(!QFileInfo::exists(copy));
        QVERIFY(QFile::rename(copy + QStringLiteral(".bewaard"), t.test.folder.path() + QStringLiteral("/Herstel/weg.lst")));
        Main third(t.test.context);
        t.test.messages.answers = {Messages::Answer::Ja};
        third.offerRecoveries();
        QCOMPARE(third.currentFile(), QStringLiteral("weg.lst"));
        QCOMPARE(third.model().count(), 2);
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

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
