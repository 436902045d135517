// Keeping a list: undo, finding, copying, importing, big lists, changes made
// elsewhere and unsaved work after a crash.
#include "ListWindowTest.h"
#include "ProcessMemory.h"
#include "print/ListJob.h"
#include "app/Algemeen.h"
#include "ui/main/CellEditing.h"
#include "ui/main/SheetPreview.h"

#include <QAccessible>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>
#include <QTimer>
#include <QDialog>
#include <QMimeData>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTreeView>

class TestListKeeping : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { verifyEveryQuestionAnswered(); }

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

        // Files dropped at once: one question, each reason with its file, named once.
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QStringLiteral(TEST_DATA_DIR "/import/calc-leden.csv")),
                      QUrl::fromLocalFile(QStringLiteral(TEST_DATA_DIR "/import/contacten-40.vcf")),
                      QUrl::fromLocalFile(QStringLiteral(TEST_DATA_DIR "/import/calc-wachtwoord.ods"))});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(t.main.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        t.test.messages.answers = {Messages::Answer::Ja};
        QApplication::sendEvent(t.main.get(), &drop);
        QCOMPARE(t.test.messages.lastText(),
                 QStringLiteral("5 adressen toevoegen aan de lijst leden.lst?\r\n\r\n"
                                "calc-leden.csv: Gebruikt: Voornaam + Tussenvoegsel + Achternaam → Naam, Straat + Huisnummer → Adres, "
                                "Postcode → Postcode, Woonplaats → Woonplaats, Land → Land.\r\n\r\n3 regels zijn overgeslagen:\r\n"
                                "calc-leden.csv, regel 4: geen naam\r\n"
                                "calc-leden.csv, regel 5: het teken \" kan niet in de lijst worden opgeslagen\r\n"
                                "calc-wachtwoord.ods is beveiligd met een wachtwoord; bewaar het zonder wachtwoord en probeer het opnieuw"));
        QCOMPARE(t.main->model().count(), 8);
        QCOMPARE(t.main->model().at(7).field(AddressRecord::Naam), QStringLiteral("Sanne ; Co"));
        // A spreadsheet copied in the file manager and pasted: read as the file, not its name.
        // As GNOME's file manager copies it too.
        for (const bool gnome : {false, true}) {
            auto* copied = new QMimeData;
            const QUrl file = QUrl::fromLocalFile(QStringLiteral(TEST_DATA_DIR "/import/calc-leden.xlsx"));
            if (gnome)
                copied->setData(QStringLiteral("x-special/gnome-copied-files"), "copy\n" + file.toEncoded());
            else
                copied->setUrls({file});
            QGuiApplication::clipboard()->setMimeData(copied);
            t.test.messages.answers = {Messages::Answer::Annuleren}; // "Nee" beside "Kolommen kiezen"
            QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(t.test.messages.lastText().contains(QStringLiteral("Woonplaats → Woonplaats, Land → Land.\r\n\r\n"
                                                                       "1 regel is overgeslagen:\r\nregel 7: geen adres")));
        }

        // Column names nobody knows: the user places them, by the keyboard
        // alone, before anything is added; Annuleren adds nothing.
        const QString unknown = QStringLiteral(TEST_DATA_DIR "/import/onbekende-kolommen.csv");
        whileModal([&] { t.main->importFiles({unknown}); },
                   [&](QWidget* dialog) {
                       QCOMPARE(dialog->windowTitle(), QStringLiteral("Kolommen kiezen"));
                       QCOMPARE(t.main->model().count(), 8);
                       QTest::keyClick(dialog, Qt::Key_Escape);
                   });
        QCOMPARE(t.main->model().count(), 8);
        t.test.messages.answers = {Messages::Answer::Ja};
        whileModal([&] { t.main->importFiles({unknown}); },
                   [&](QWidget* dialog) {
                       QList<QComboBox*> boxes = dialog->findChildren<QComboBox*>();
                       auto* rowsWith = dialog->findChild<QComboBox*>(QStringLiteral("AlleenRijenMet"));
                       boxes.removeOne(rowsWith);
                       QCOMPARE(boxes.size(), 5);
                       QCOMPARE(boxes[0]->currentText(), QStringLiteral("Niet gebruiken"));
                       // Heard as the column it places.
                       QCOMPARE(QAccessible::queryAccessibleInterface(boxes[1])
                                    ->relations(QAccessible::Label).value(0).first->text(QAccessible::Name),
                                QStringLiteral("Straat nr"));
                       QVERIFY(QTest::qWaitForWindowActive(dialog));
                       QCOMPARE(QApplication::focusWidget(), boxes[0]);
                       for (const auto key : {Qt::Key_Home, Qt::Key_Tab, Qt::Key_A, Qt::Key_Tab, Qt::Key_P, Qt::Key_Tab, Qt::Key_W})
                           QTest::keyClick(QApplication::focusWidget(), key);
                       const auto* preview = dialog->findChild<QTableWidget*>(QStringLiteral("Voorbeeld"));
                       QCOMPARE(preview->item(0, 1)->text(), QStringLiteral("Kerkweg 1"));
                       // Which rows come in: a column, then a value ticked with Space; heard by their captions.
                       for (const auto key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_G})
                           QTest::keyClick(QApplication::focusWidget(), key);
                       QCOMPARE(QApplication::focusWidget(), rowsWith);
                       QCOMPARE(rowsWith->currentText(), QStringLiteral("Gemeente"));
                       auto* values = dialog->findChild<QListWidget*>(QStringLiteral("Waarden"));
                       QCOMPARE(QAccessible::queryAccessibleInterface(rowsWith)->relations(QAccessible::Label).value(0).first->text(QAccessible::Name),
                                QStringLiteral("Alleen rijen met"));
                       QCOMPARE(QAccessible::queryAccessibleInterface(values)->text(QAccessible::Name), QStringLiteral("Waarden"));
                       const auto* count = dialog->findChild<QLabel*>(QStringLiteral("RijenGekozen"));
                       QCOMPARE(count->text(), QStringLiteral("0 van 1 rij"));
                       QVERIFY(!preview->item(0, 1));
                       QTest::keyClick(rowsWith, Qt::Key_Tab);
                       QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                       QCOMPARE(values->item(0)->text(), QStringLiteral("Ede (1)"));
                       QCOMPARE(values->item(0)->checkState(), Qt::Checked);
                       QCOMPARE(count->text(), QStringLiteral("1 van 1 rij"));
                       QCOMPARE(preview->item(0, 1)->text(), QStringLiteral("Kerkweg 1"));
                       QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                   });
        QVERIFY(t.test.messages.lastText().contains(
            QStringLiteral("Gebruikt: Lid → Naam, Straat nr → Adres, PC → Postcode, Gemeente → Woonplaats. Niet gebruikt: Opmerking."
                           "\r\n\r\nAlleen Gemeente: Ede.")));
        QCOMPARE(t.main->model().count(), 9);
        // The next export with the same names needs no question about its columns.
        bool askedAgain = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                askedAgain = true;
                dialog->close();
            }
        });
        guard.start(2000);
        t.test.messages.answers = {Messages::Answer::Nee};
        t.main->importFiles({unknown});
        QVERIFY(!askedAgain);
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Het adres staat al in de lijst."));

        // On closing, the unsaved-changes question follows.
        t.test.messages.answers = {Messages::Answer::Annuleren};
        QVERIFY(!t.main->close());
        QVERIFY(t.test.messages.lastText().contains(QStringLiteral("gewijzigd")));
    }

    // A guess that came out wrong is put right: "Kolommen kiezen" on the
    // question opens the columns as they were read, and the question comes
    // again with the new count and the new "Gebruikt" line.
    void wrongGuessIsPutRight()
    {
        MainWindowTest t;
        t.open(QStringLiteral("leden.lst"), TwoAddresses);
        const QString path = t.test.folder.path() + QStringLiteral("/penningmeester.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Naam;Adres;Postcode;Woonplaats;Opmerking\r\nVries, Jan de;Laan 1;1234 AB;Ede;x\r\n"
                   "Bos, Piet;Weg 2;1234 AC;Ede;y\r\n");
        file.close();
        t.test.messages.answers = {Messages::Answer::Nee, Messages::Answer::Ja};
        whileModal([&] { t.main->importFiles({path}); },
                   [&](QWidget* dialog) {
                       QCOMPARE(dialog->windowTitle(), QStringLiteral("Kolommen kiezen"));
                       auto* turn = dialog->findChild<QCheckBox*>(QStringLiteral("NamenOmdraaien"));
                       QVERIFY(turn->isChecked());
                       QCOMPARE(QAccessible::queryAccessibleInterface(turn)->text(QAccessible::Name), QStringLiteral("Namen omdraaien"));
                       const auto* preview = dialog->findChild<QTableWidget*>(QStringLiteral("Voorbeeld"));
                       QCOMPARE(preview->item(0, 0)->text(), QStringLiteral("Jan de Vries"));
                       turn->setChecked(false);
                       QCOMPARE(preview->item(0, 0)->text(), QStringLiteral("Vries, Jan de"));
                       QTest::keyClick(dialog, Qt::Key_Return);
                   });
        QCOMPARE(t.test.messages.shown.first().captions,
                 (QStringList{QStringLiteral("Ja"), QStringLiteral("Kolommen kiezen"), QStringLiteral("Nee")}));
        QVERIFY(t.test.messages.shown.first().text.contains(QStringLiteral("Namen omgedraaid: Vries, Jan de wordt Jan de Vries.")));
        QVERIFY(!t.test.messages.lastText().contains(QStringLiteral("omgedraaid")));
        QCOMPARE(t.main->model().count(), 4);
        QCOMPARE(t.main->model().at(2).field(AddressRecord::Naam), QStringLiteral("Vries, Jan de"));
        // The next export with these names keeps them as the user chose.
        t.test.messages.answers = {Messages::Answer::Ja};
        t.main->importFiles({path});
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Alle 2 adressen staan al in de lijst."));
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

    // A million addresses and one field of 50 MB: opened, shown, printed as a
    // list and saved, in at most six times the file's size. How long it takes
    // is the benchmark's to tell.
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
        {
            MainWindowTest t;
            QVERIFY(QFile::rename(listPath, t.test.dataPath(QStringLiteral("groot.lst"))));
            QVERIFY(t.main->showList(QStringLiteral("groot.lst")));
            t.main->show();
            QCoreApplication::processEvents();
            t.find<QTreeView>(QStringLiteral("ListView1"))->viewport()->repaint();
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
                std::unique_ptr<TextWidths> textWidths() const override { return nullptr; }
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
        }
        QVERIFY2((memoryMb("VmHWM:") - before) * 1024 * 1024 <= 6.0 * fileSize, "too much memory");
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
                 QStringLiteral("Er zijn niet opgeslagen wijzigingen van %1 aan de lijst a.lst gevonden. "
                                "Terugzetten? Nee bewaart de kopie in Herstel/Oud.")
                     .arg(QFileInfo(copy).lastModified().toString(QStringLiteral("d-M-yyyy HH:mm"))));
        QCOMPARE(again.currentFile(), QStringLiteral("a.lst"));
        QCOMPARE(again.model().count(), 2);
        QVERIFY(again.isModified());
        QCOMPARE(t.test.readList(QStringLiteral("a.lst")), withDirk); // nothing written until saved

        // Nee sets it aside, never deletes it: it may be another computer's live copy.
        // Set-aside copies go after 30 days. A copy whose list is gone starts that list anew.
        QFile::copy(copy, copy + QStringLiteral(".bewaard"));
        // Written long ago and set aside today: kept for 30 days from today.
        QFile aged(copy);
        QVERIFY(aged.open(QIODevice::ReadOnly));
        QVERIFY(aged.setFileTime(QDateTime::currentDateTime().addDays(-40), QFileDevice::FileModificationTime));
        aged.close();
        const QString aside = t.test.folder.path() + QStringLiteral("/Herstel/Oud/");
        QDir().mkpath(aside);
        QFile old(aside + QStringLiteral("b 2026-01-01 10.00.00.lst"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.setFileTime(QDateTime::currentDateTime().addDays(-31), QFileDevice::FileModificationTime);
        old.close();
        const QString setAside = aside + QStringLiteral("a ") + QFileInfo(copy).lastModified().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"))
            + QStringLiteral(".lst");
        t.test.messages.answers = {Messages::Answer::Nee};
        QVERIFY(again.openList(QStringLiteral("a.lst")));
        QVERIFY(!QFileInfo::exists(copy));
        QFile kept(setAside);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), TwoAddresses);
        QVERIFY(!QFileInfo::exists(old.fileName()));
        QVERIFY(QFile::rename(copy + QStringLiteral(".bewaard"), t.test.folder.path() + QStringLiteral("/Herstel/weg.lst")));
        Main third(t.test.context);
        t.test.messages.answers = {Messages::Answer::Ja};
        third.offerRecoveries();
        QCOMPARE(third.currentFile(), QStringLiteral("weg.lst"));
        QCOMPARE(third.model().count(), 2);
    }
};

QTEST_MAIN(TestListKeeping)
#include "tst_listkeeping.moc"
