#include "TabOrder.h"
#include "MainWindowTest.h"
#include "print/LabelJobs.h"
#include "ui/dialogs/MargeForm.h"
#include "ui/dialogs/NieuwForm.h"
#include "ui/dialogs/OpenForm.h"

#include "ui/QtMessages.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QProcess>
#include <QLabel>
#include <QListWidget>

namespace {
const QByteArray OneAddress = "\"Jan\",\"Kerkstraat 1\",\"1234 AB\",\"Zwolle\",\"Nederland\"\r\n";

QStringList listed(const OpenForm& form)
{
    QStringList names;
    const auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

// Opens a dialog through its menu command and works on it while it is open;
// what the command does with the choice shows once it has returned.
template <typename Form>
void onDialog(MainWindowTest& t, const QString& menuItem, const std::function<void(Form&)>& work)
{
    whileModal([&] { t.action(menuItem)->trigger(); }, [&](QWidget* dialog) {
        auto* form = qobject_cast<Form*>(dialog);
        QVERIFY(form);
        work(*form);
    });
}
void onNieuwForm(MainWindowTest& t, const std::function<void(NieuwForm&)>& work)
{
    onDialog<NieuwForm>(t, QStringLiteral("FileNieuw"), work);
}
void onOpenForm(MainWindowTest& t, const std::function<void(OpenForm&)>& work)
{
    onDialog<OpenForm>(t, QStringLiteral("FileOpen"), work);
}
}

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { verifyEveryQuestionAnswered(); }

    void nieuwChecksTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("blanks") << QStringLiteral("   ") << QStringLiteral("Naam Adressenbestand invoeren a.u.b.");
        QTest::newRow("slash") << QStringLiteral("../weg") << QStringLiteral("Deze naam kan niet als bestandsnaam worden gebruikt.");
        QTest::newRow("colon") << QStringLiteral("a:b") << QStringLiteral("Deze naam kan niet als bestandsnaam worden gebruikt.");
        QTest::newRow("dots") << QStringLiteral("..") << QStringLiteral("Deze naam kan niet als bestandsnaam worden gebruikt.");
        QTest::newRow("hidden") << QStringLiteral(".verborgen") << QStringLiteral("Deze naam kan niet als bestandsnaam worden gebruikt.");
        QTest::newRow("long") << QString(201, QLatin1Char('x')) << QStringLiteral("Deze naam kan niet als bestandsnaam worden gebruikt.");
        QTest::newRow("absolute path") << QStringLiteral("/etc/passwd") << QStringLiteral("Deze naam kan niet als bestandsnaam worden gebruikt.");
        QTest::newRow("control character") << QStringLiteral("a\u0001b") << QStringLiteral("Deze naam kan niet als bestandsnaam worden gebruikt.");
        QTest::newRow("too long in bytes") << QString(126, QChar(0xE9)) << QStringLiteral("Deze naam kan niet als bestandsnaam worden gebruikt.");
    }
    void nieuwChecksTheName()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        MainWindowTest t;
        NieuwForm form(t.test.context, t.main.get());
        form.show();
        form.findChild<QLineEdit*>(QStringLiteral("Text1"))->insert(name);
        QTest::mouseClick(form.findChild<VistaButton*>(QStringLiteral("OkKnop")), Qt::LeftButton);
        QCOMPARE(t.test.messages.lastText(), message);
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Plaklabels"));
        QVERIFY(form.isVisible());
        QCOMPARE(t.main->currentFile(), QString());
        QCOMPARE(t.test.context.values.SelectedFileName, name.trimmed());
    }

    void nieuwStartsAnEmptyList()
    {
        MainWindowTest t;
        t.open(QStringLiteral("oud.lst"), OneAddress);
        onNieuwForm(t, [&](NieuwForm& form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Nieuw bestand aanmaken"));
            QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("  abc  "));
            form.OkKnop_Click();
            QVERIFY(!form.isVisible());
        });
        QCOMPARE(t.action(QStringLiteral("Bestand"))->text(), QStringLiteral("abc.lst"));
        QCOMPARE(t.action(QStringLiteral("CountAdressen"))->text(), QStringLiteral("0 Adressen"));
        QCOMPARE(t.main->model().count(), 0);
        QVERIFY(!QFile::exists(t.test.dataPath(QStringLiteral("abc.lst")))); // made only when saved
        QVERIFY(t.button(QStringLiteral("EditKnop"))->buttonEnabled());
        QVERIFY(t.action(QStringLiteral("HelpUitleg"))->isEnabled());
    }

    void nieuwAsksBeforeReusingAName()
    {
        MainWindowTest t;
        t.test.writeList(QStringLiteral("abc.lst"), OneAddress);
        onNieuwForm(t, [&](NieuwForm& form) {
            form.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("abc"));
            t.test.messages.answers = {Messages::Answer::Nee};
            form.OkKnop_Click();
            QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Error"));
            QCOMPARE(t.test.messages.lastText(), QStringLiteral("Deze naam bestaat reeds, overschrijven?"));
            QVERIFY(form.isVisible());
            QCOMPARE(t.main->currentFile(), QString());
            t.test.messages.answers = {Messages::Answer::Ja};
            form.OkKnop_Click();
        });
        QCOMPARE(t.main->currentFile(), QStringLiteral("abc.lst"));
        QCOMPARE(t.test.readList(QStringLiteral("abc.lst")), OneAddress);
    }

    void replacingAChangedListAsks()
    {
        MainWindowTest t;
        t.open(QStringLiteral("oud.lst"), OneAddress);
        t.type({QStringLiteral("Piet"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        t.click(QStringLiteral("Knop_0"));
        onNieuwForm(t, [&](NieuwForm& form) {
            form.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("nieuw"));
            t.test.messages.answers = {Messages::Answer::Annuleren};
            form.OkKnop_Click();
            QCOMPARE(t.test.messages.lastText(), QStringLiteral("De lijst oud.lst is gewijzigd. Wijzigingen opslaan?"));
            QVERIFY(form.isVisible());
            QCOMPARE(t.main->model().count(), 2);
            QCOMPARE(t.main->currentFile(), QStringLiteral("oud.lst"));
            t.test.messages.answers = {Messages::Answer::Ja};
            form.OkKnop_Click();
        });
        QCOMPARE(t.main->currentFile(), QStringLiteral("nieuw.lst"));
        QCOMPARE(t.test.readList(QStringLiteral("oud.lst")), OneAddress + "\"Piet\",\"a\",\"b\",\"c\",\"Nederland\"\r\n");
    }

    void openListsSortedAndOpens()
    {
        MainWindowTest t;
        t.test.writeList(QStringLiteral("b.lst"), OneAddress);
        t.test.writeList(QStringLiteral("A.lst"), {});
        t.test.writeList(QStringLiteral("klanten.lst"), OneAddress + OneAddress);
        t.test.writeList(QStringLiteral("notes.txt"), {});
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), t.test.dataPath(QStringLiteral("nul.lst"))));
        QProcess::execute(QStringLiteral("mkfifo"), {t.test.dataPath(QStringLiteral("pijp.lst"))});
        onOpenForm(t, [&](OpenForm& form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Open Bestand"));
            QCOMPARE(listed(form), (QStringList{QStringLiteral("A.lst"), QStringLiteral("b.lst"), QStringLiteral("klanten.lst")}));
            QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("3"));

            form.OpenKnop_Click();
            QCOMPARE(t.test.messages.lastText(), QStringLiteral("Selecteer eerst een Adressenbestand!"));
            QVERIFY(form.isVisible());

            auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
            const QRect item = list->visualItemRect(list->item(2));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
            QVERIFY(!form.isVisible());
        });
        QCOMPARE(t.test.context.values.SelectedFileName, QStringLiteral("klanten.lst"));
        QCOMPARE(t.action(QStringLiteral("Bestand"))->text(), QStringLiteral("klanten.lst"));
        QCOMPARE(t.action(QStringLiteral("CountAdressen"))->text(), QStringLiteral("2 Adressen"));
        QVERIFY(!t.find(QStringLiteral("ListView1"))->isHidden());
        QVERIFY(t.find(QStringLiteral("Image1"))->isHidden());
        QVERIFY(t.find(QStringLiteral("A4"))->isEnabled());
        QVERIFY(t.button(QStringLiteral("AfdrukKnop"))->buttonEnabled());
    }

    // Whatever a file in Data is called, opening and saving it stays in Data.
    void openedOddNamesAreSavedInData()
    {
        MainWindowTest t;
        const QString odd = QStringLiteral("leden\t..\u00e9.lst");
        t.test.writeList(odd, OneAddress);
        onOpenForm(t, [&](OpenForm& form) {
            auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
            QCOMPARE(listed(form), QStringList{odd});
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Return);
        });
        QCOMPARE(t.main->currentFile(), odd);
        t.main->show();
        t.click(QStringLiteral("EditKnop"));
        t.type({QStringLiteral("Piet"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        t.click(QStringLiteral("Knop_0"));
        t.click(QStringLiteral("Knop_2"));
        QCOMPARE(t.test.readList(odd), OneAddress + "\"Piet\",\"a\",\"b\",\"c\",\"Nederland\"\r\n");
        QCOMPARE(QDir(t.test.folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("Plaklabels.ini")});
    }

    void openWithoutDataFolderListsNothing()
    {
        MainWindowTest t;
        QDir(t.test.dataPath(QString())).removeRecursively();
        OpenForm form(t.test.context, t.main.get());
        QCOMPARE(listed(form), QStringList());
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("0"));
    }

    void unreadableListKeepsTheWindowAsItWas()
    {
        MainWindowTest t;
        t.open(QStringLiteral("oud.lst"), OneAddress);
        t.test.writeList(QStringLiteral("weg.lst"), OneAddress);
        onOpenForm(t, [&](OpenForm& form) {
            QFile::remove(t.test.dataPath(QStringLiteral("weg.lst"))); // vanished after listing
            form.findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(1);
            form.OpenKnop_Click();
            QVERIFY(form.isVisible());
        });
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("De lijst weg.lst kan niet worden geopend.\r\nHet bestand bestaat niet."));
        QCOMPARE(t.test.messages.shown.last().icon, Messages::Icon::Error);
        QCOMPARE(t.main->currentFile(), QStringLiteral("oud.lst"));
        QCOMPARE(t.main->model().count(), 1);
        QCOMPARE(t.action(QStringLiteral("CountAdressen"))->text(), QStringLiteral("1 Adressen"));

        // A name kept from the new-file dialog is not a pick here.
        t.test.context.values.SelectedFileName = QStringLiteral("abc");
        onOpenForm(t, [&](OpenForm& again) { again.OpenKnop_Click(); });
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Selecteer eerst een Adressenbestand!"));
        QCOMPARE(t.main->currentFile(), QStringLiteral("oud.lst"));
    }

    void annulerenChangesNothing()
    {
        MainWindowTest t;
        t.test.writeList(QStringLiteral("a.lst"), OneAddress);
        onOpenForm(t, [&](OpenForm& form) {
            form.findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(0);
            QTest::mouseClick(form.findChild<VistaButton*>(QStringLiteral("CancelKnop")), Qt::LeftButton);
            QVERIFY(!form.isVisible());
        });
        QCOMPARE(t.test.context.values.SelectedFileName, QStringLiteral("a.lst"));
        QCOMPARE(t.main->currentFile(), QString());
        QVERIFY(t.find(QStringLiteral("ListView1"))->isHidden());
    }

    void margesShowAndStoreSteps()
    {
        MainWindowTest t;
        t.test.printer.current = 2; // "PDF-bestand", whose offsets are the file's line 3
        t.test.context.values.margins = {90, 0, -120, 0};
        MargeForm form(t.test.context);
        auto box = [&](int i) { return form.findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(i)); };
        QCOMPARE(box(0)->currentText(), QStringLiteral("1,5"));
        QCOMPARE(box(2)->currentText(), QStringLiteral("-2"));
        QCOMPARE(box(1)->count(), 21);
        QCOMPARE(box(1)->itemText(0), QStringLiteral("-10"));
        QCOMPARE(box(1)->itemText(20), QStringLiteral("10"));
        box(0)->setCurrentIndex(13); // "3"
        box(1)->setEditText(QStringLiteral("12"));
        box(2)->setEditText(QStringLiteral("abc"));
        box(3)->setEditText(QStringLiteral("3 mm"));
        form.OkKnop_Click();
        QCOMPARE(t.test.context.values.margins, (MarginSettings{180, 720, 0, 180}));
    }

    void margesRefuseWhatDoesNotFit()
    {
        MainWindowTest t;
        MargeForm form(t.test.context);
        form.show();
        form.findChild<QComboBox*>(QStringLiteral("Combo1_0"))->setEditText(QStringLiteral("-2"));
        form.findChild<QComboBox*>(QStringLiteral("Combo1_2"))->setEditText(QStringLiteral("&H7FFFFFFF"));
        form.OkKnop_Click();
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Marges"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Waarde 3 is te groot."));
        QVERIFY(form.isVisible());
        QCOMPARE(t.test.context.values.margins, MarginSettings{});
        form.findChild<QComboBox*>(QStringLiteral("Combo1_2"))->setEditText(QStringLiteral("1E30"));
        form.OkKnop_Click();
        QCOMPARE(t.test.messages.shown.size(), 2);
    }

    void margesResetAndCancel()
    {
        MainWindowTest t;
        t.test.printer.current = 2; // "PDF-bestand", whose offsets are the file's line 3
        t.test.context.values.margins = {60, 120, 180, 240};
        {
            MargeForm form(t.test.context);
            form.findChild<QComboBox*>(QStringLiteral("Combo1_0"))->setEditText(QStringLiteral("5"));
            QTest::mouseClick(form.findChild<VistaButton*>(QStringLiteral("CancelKnop")), Qt::LeftButton);
            QCOMPARE(t.test.context.values.margins, (MarginSettings{60, 120, 180, 240}));
        }
        MargeForm form(t.test.context);
        QTest::mouseClick(form.findChild<VistaButton*>(QStringLiteral("ResetKnop")), Qt::LeftButton);
        QCOMPARE(form.findChild<QComboBox*>(QStringLiteral("Combo1_3"))->currentText(), QStringLiteral("0"));
        QTest::mouseClick(form.findChild<VistaButton*>(QStringLiteral("CancelKnop")), Qt::LeftButton);
        QCOMPARE(t.test.context.values.margins, MarginSettings{});
    }

    // Each printer keeps its own offsets: switching shows them, what was typed
    // for the other is kept until Ok, and Proefvel prints on the printer shown.
    // A decimal comma reads as a point.
    void margesKeepOffsetsPerPrinter()
    {
        MainWindowTest t;
        t.test.context.values.margins = {60, 0, 0, 0};
        MargeForm form(t.test.context);
        form.show();
        const QList<QComboBox*> boxes = form.findChildren<QComboBox*>();
        QCOMPARE(boxes.size(), 5);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(boxes[i]->objectName(), QStringLiteral("Combo1_%1").arg(i));
        QComboBox* printer = boxes[4];
        QCOMPARE(printer->accessibleName(), QStringLiteral("Printer"));
        QCOMPARE(printer->currentText(), QStringLiteral("Kantoor")); // the print dialog's choice
        QCOMPARE(boxes[0]->currentText(), QStringLiteral("0"));
        boxes[0]->setEditText(QStringLiteral("-2,5"));
        printer->setCurrentIndex(2);
        QCOMPARE(boxes[0]->currentText(), QStringLiteral("1"));
        boxes[1]->setEditText(QStringLiteral("1,25"));
        printer->setCurrentIndex(0);
        QCOMPARE(boxes[0]->currentText(), QStringLiteral("-2,5"));
        QTest::mouseClick(form.findChild<VistaButton*>(QStringLiteral("ProefvelKnop")), Qt::LeftButton);
        QCOMPARE(t.test.printer.CurrentDeviceName(), QStringLiteral("Kantoor"));
        QCOMPARE(t.test.printer.lines.first().line.p1(), QPointF(607 - 150 - 198, 1050 - 193));
        QCOMPARE(t.test.context.values.marginsFor(QStringLiteral("Kantoor")), MarginSettings()); // not before Ok
        form.OkKnop_Click();
        QCOMPARE(t.test.context.values.marginsFor(QStringLiteral("Kantoor")), (MarginSettings{-150, 0, 0, 0}));
        QCOMPARE(t.test.context.values.margins, (MarginSettings{60, 75, 0, 0}));
        QCOMPARE(t.test.context.values.marginsFor(QStringLiteral("Etiketten")), MarginSettings());

        MargeForm again(t.test.context);
        again.findChildren<QComboBox*>()[4]->setCurrentIndex(2);
        again.findChild<QComboBox*>(QStringLiteral("Combo1_0"))->setEditText(QStringLiteral("9"));
        QTest::mouseClick(again.findChild<VistaButton*>(QStringLiteral("CancelKnop")), Qt::LeftButton);
        QCOMPARE(t.test.context.values.margins, (MarginSettings{60, 75, 0, 0}));
    }

    // The proof sheet prints the offsets as typed, and stores none of them.
    void proefvelPrintsWhatIsTyped()
    {
        MainWindowTest t;
        t.test.printer.current = 2; // "PDF-bestand", whose offsets are the file's line 3
        t.test.context.values.margins = {60, 0, 0, 0};
        MargeForm form(t.test.context);
        form.show();
        const QStringList typed{QStringLiteral("2"), QStringLiteral("-1"), QStringLiteral("0"), QStringLiteral("1.5")};
        for (int i = 0; i < 4; ++i)
            form.findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(i))->setEditText(typed[i]);
        auto* proof = form.findChild<VistaButton*>(QStringLiteral("ProefvelKnop"));
        QCOMPARE(proof->toolTip(), QStringLiteral(" Proefvel afdrukken "));
        QTest::mouseClick(proof, Qt::LeftButton);
        QCOMPARE(t.test.printer.documentName, QStringLiteral("Proefvel"));
        QCOMPARE(t.test.printer.texts[t.test.printer.texts.size() - 2].text, QStringLiteral("Printer PDF-bestand, marges: 1 = 2, 2 = -1, 3 = 0, 4 = 1,5"));
        QCOMPARE(t.test.printer.lines.first().line.p1(), QPointF(607 + 120 - 198, 1050 - 60 - 193));
        QVERIFY(form.isVisible());
        QTest::mouseClick(form.findChild<VistaButton*>(QStringLiteral("CancelKnop")), Qt::LeftButton);
        QCOMPARE(t.test.context.values.margins, (MarginSettings{60, 0, 0, 0}));
    }

    // Measured on a proof sheet: 2 mm right and 1 mm down at label 1, 2 mm
    // right and 7 mm down at label 21 (a point reads as the comma). The next
    // proof sheet lands on the labels.
    void uitmetenTurnsMeasurementsIntoOffsets()
    {
        MainWindowTest t;
        t.test.printer.current = 2; // "PDF-bestand", whose offsets are the file's line 3
        MargeForm form(t.test.context);
        form.show();
        // From the first offset on; the printer box is heard by its caption, each offset by what it means.
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(tabVisits(11), (QStringList{QStringLiteral("Combo1_0"), QStringLiteral("Combo1_1"), QStringLiteral("Combo1_2"),
                                             QStringLiteral("Combo1_3"), QStringLiteral("ProefvelKnop"), QStringLiteral("UitmetenKnop"),
                                             QStringLiteral("OkKnop"), QStringLiteral("CancelKnop"), QStringLiteral("ResetKnop"),
                                             QStringLiteral("Printer"), QStringLiteral("Combo1_0")}));
        const auto heardAs = [&](const char* box) {
            const auto labels = QAccessible::queryAccessibleInterface(form.findChild<QWidget*>(QString::fromLatin1(box)))
                                    ->relations(QAccessible::Label);
            return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
        };
        QCOMPARE(heardAs("Printer"), QStringLiteral("Printer"));
        QCOMPARE(heardAs("Combo1_0"), QStringLiteral("1: afstand tot de linkerrand (mm)"));
        auto* measure = form.findChild<VistaButton*>(QStringLiteral("UitmetenKnop"));
        QCOMPARE(measure->toolTip(), QStringLiteral(" Marges uitmeten "));
        whileModal([&] { QTest::mouseClick(measure, Qt::LeftButton); }, [&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Uitmeten"));
            // The readings, then Ok: Enter after the last Tab keeps them.
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QTRY_COMPARE(QApplication::focusWidget(), dialog->findChild<QWidget*>(QStringLiteral("Maat_0")));
            QCOMPARE(tabVisits(7), (QStringList{QStringLiteral("Maat_0"), QStringLiteral("Maat_1"), QStringLiteral("Maat_2"),
                                                QStringLiteral("Maat_3"), QStringLiteral("OkKnop"), QStringLiteral("CancelKnop"),
                                                QStringLiteral("Maat_0")}));
            const QStringList typed{QStringLiteral("2.0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("7,0")};
            for (int i = 0; i < 4; ++i) {
                auto* box = dialog->findChild<QDoubleSpinBox*>(QStringLiteral("Maat_%1").arg(i));
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(box, typed[i]);
            }
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            QVERIFY(!dialog->isVisible());
        });
        QStringList shown;
        for (int i = 0; i < 4; ++i)
            shown.append(form.findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(i))->currentText());
        QCOMPARE(shown, (QStringList{QStringLiteral("-1,9"), QStringLiteral("-0,95"), QStringLiteral("0"), QStringLiteral("-0,95")}));
        QCOMPARE(t.test.context.values.margins, MarginSettings()); // nothing stored before Ok
        form.OkKnop_Click();
        QCOMPARE(t.test.context.values.margins, (MarginSettings{-114, -57, 0, -57}));

        RecordingDevice before, after;
        QVERIFY(LabelJobs::AfdrukkenProefvel(before, {}, 10, QString()).ok);
        QVERIFY(LabelJobs::AfdrukkenProefvel(after, t.test.context.values.margins, 10, QString()).ok);
        const auto moved = [&](int label) {
            const QPointF shift = after.lines[label * 6].line.p1() - before.lines[label * 6].line.p1();
            return shift * 25.4 / 1440; // millimetres
        };
        QVERIFY(qAbs(moved(0).x() + 2) < 0.1 && qAbs(moved(0).y() + 1) < 0.1);
        QVERIFY(qAbs(moved(20).x() + 2) < 0.1 && qAbs(moved(20).y() + 7) < 0.1);
    }

    void margeBoxesStoreWhatIsTypedAndStepFromIt()
    {
        MainWindowTest t;
        t.test.printer.current = 2; // "PDF-bestand", whose offsets are the file's line 3
        MargeForm form(t.test.context);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto box = [&](int i) { return form.findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(i)); };
        box(0)->lineEdit()->selectAll();
        QTest::keyClicks(box(0), QStringLiteral("-1"));
        QCOMPARE(box(0)->currentText(), QStringLiteral("-1"));
        box(1)->setFocus();
        QTest::keyClick(box(1), Qt::Key_Down);
        QCOMPARE(box(1)->currentText(), QStringLiteral("1"));
        box(2)->setFocus();
        QTest::keyClick(box(2), Qt::Key_Up);
        QCOMPARE(box(2)->currentText(), QStringLiteral("-1"));
        box(3)->setFocus();
        box(3)->lineEdit()->selectAll();
        QTest::keyClicks(box(3), QStringLiteral("25"));
        QTest::keyClick(box(3), Qt::Key_Return); // Enter works as Ok
        QVERIFY(!form.isVisible());
        QCOMPARE(t.test.context.values.margins, (MarginSettings{-60, 60, -60, 1500}));

        t.test.context.values.margins = {0, 0, 0, 0};
        MargeForm again(t.test.context);
        QTest::mouseClick(again.findChild<VistaButton*>(QStringLiteral("ResetKnop")), Qt::LeftButton);
        auto* first = again.findChild<QComboBox*>(QStringLiteral("Combo1_0"));
        QCOMPARE(first->itemText(first->currentIndex()), QStringLiteral("0"));
    }

    void dialogsAnswerEnterAndEscape()
    {
        MainWindowTest t;
        t.test.writeList(QStringLiteral("a.lst"), OneAddress);
        t.test.writeList(QStringLiteral("b.lst"), OneAddress + OneAddress);
        t.main->show();
        for (const QString& item : {QStringLiteral("FileNieuw"), QStringLiteral("FileOpen"), QStringLiteral("Marges")}) {
            int result = -1;
            whileModal([&] { t.action(item)->trigger(); }, [&](QWidget* dialog) {
                QVERIFY(dialog->focusWidget());
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
                result = static_cast<QDialog*>(dialog)->result();
            });
            QVERIFY2(result == QDialog::Rejected, qPrintable(item));
        }
        QCOMPARE(t.main->currentFile(), QString());

        whileModal([&] { t.action(QStringLiteral("FileOpen"))->trigger(); }, [&](QWidget* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
            QTest::keyClick(list, Qt::Key_Down);
            QCOMPARE(list->selectedItems().first()->text(), QStringLiteral("a.lst"));
            QTest::keyClick(list, Qt::Key_End);
            QTest::keyClick(list, Qt::Key_Return);
        });
        QCOMPARE(t.main->currentFile(), QStringLiteral("b.lst"));

        whileModal([&] { t.action(QStringLiteral("FileNieuw"))->trigger(); }, [&](QWidget* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
            QTest::keyClicks(name, QStringLiteral("leden"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        QCOMPARE(t.main->currentFile(), QStringLiteral("leden.lst"));

        // Enter opens the list with the focus frame, picked or not yet; on Annuleren it cancels.
        QFile::remove(t.test.dataPath(QStringLiteral("a.lst")));
        whileModal([&] { t.action(QStringLiteral("FileOpen"))->trigger(); }, [&](QWidget* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
            QVERIFY(list->selectedItems().isEmpty());
            QTest::keyClick(list, Qt::Key_Return);
        });
        QCOMPARE(t.main->currentFile(), QStringLiteral("b.lst"));
        whileModal([&] { t.action(QStringLiteral("FileNieuw"))->trigger(); }, [&](QWidget* dialog) {
            auto* cancel = dialog->findChild<VistaButton*>(QStringLiteral("CancelKnop"));
            cancel->setFocus();
            QTest::keyClick(cancel, Qt::Key_Return);
            QCOMPARE(static_cast<QDialog*>(dialog)->result(), int(QDialog::Rejected));
        });
        QCOMPARE(t.main->currentFile(), QStringLiteral("b.lst"));
    }

    void messageBoxesShowPlainText()
    {
        QtMessages messages;
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            format = box->textFormat();
            box->buttons().first()->click();
        });
        messages.ask(nullptr, QStringLiteral(" Delete"), QStringLiteral("Wil je (<b>Jan</b> & Piet) verwijderen uit de lijst?"));
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, QStringLiteral("Wil je (<b>Jan</b> & Piet) verwijderen uit de lijst?"));
    }

    void menusOpenTheDialogs()
    {
        MainWindowTest t;
        t.main->show();
        for (const QString& item : {QStringLiteral("FileNieuw"), QStringLiteral("FileOpen"), QStringLiteral("Marges")}) {
            QString title;
            whileModal([&] { t.action(item)->trigger(); }, [&](QWidget* dialog) { title = dialog->windowTitle(); });
            QVERIFY2(!title.isEmpty(), qPrintable(item));
        }
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
