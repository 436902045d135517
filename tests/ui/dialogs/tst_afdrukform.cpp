#include "PdfText.h"
#include "TabOrder.h"
#include "TestContext.h"
#include "app/Algemeen.h"
#include "data/AddressListModel.h"
#include "data/SettingsFile.h"
#include "print/PdfPrinterDevice.h"
#include "ui/dialogs/AfdrukForm.h"
#include "ui/dialogs/MargeForm.h"
#include "ui/JobRunner.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {

AddressRecord address(int i)
{
    return AddressRecord{{QStringLiteral("Naam%1").arg(i), QStringLiteral("Straat %1").arg(i), QStringLiteral("1234 AB"),
                          QStringLiteral("Zwolle"), QStringLiteral("Nederland")}};
}

struct FormTest {
    TestContext test;
    AddressListModel list;
    std::unique_ptr<AfdrukForm> form;
    QList<AddressRecord> chosen;
    AddressRecord current;

    explicit FormTest(int addresses, const AddressRecord& current = address(99), const QList<int>& chosenRows = {})
    {
        QList<AddressRecord> records;
        for (int i = 1; i <= addresses; ++i)
            records.append(address(i));
        list.replaceAll(records);
        for (const int row : chosenRows)
            chosen.append(records[row]);
        this->current = current;
        reopen();
    }
    // The dialog again, on the list as it is now.
    void reopen()
    {
        form = std::make_unique<AfdrukForm>(test.context, list.records(), chosen, current);
        form->show();
    }
    template <typename T>
    T* find(const QString& name) const { return form->findChild<T*>(name); }
    QRadioButton* option(int i) const { return find<QRadioButton>(QStringLiteral("Option1_%1").arg(i)); }
    void setFontText(const QString& text) const { find<QComboBox>(QStringLiteral("Combo1"))->setEditText(text); }
    void print() const { QTest::mouseClick(find<VistaButton>(QStringLiteral("PrintKnop")), Qt::LeftButton); }
};

}

class TestAfdrukForm : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { verifyEveryQuestionAnswered(); }

    void opensWithTheStoredChoices()
    {
        FormTest t(3);
        QCOMPARE(t.form->windowTitle(), QStringLiteral("Afdrukken (Kantoor)"));
        QCOMPARE(t.option(0)->text(), QStringLiteral("Afdrukken van alle 3 Adressen op Plaklabels"));
        QVERIFY(t.option(0)->isChecked());
        QVERIFY(!t.find<QCheckBox>(QStringLiteral("Check1"))->isChecked());
        QVERIFY(t.find<QWidget>(QStringLiteral("Plaklabel"))->isHidden());
        QCOMPARE(t.find<QComboBox>(QStringLiteral("Combo1"))->currentText(), QStringLiteral("10"));
        QCOMPARE(t.find<QComboBox>(QStringLiteral("Combo2"))->count(), 3);
        QCOMPARE(t.find<QComboBox>(QStringLiteral("Combo2"))->currentText(), QStringLiteral("Kantoor"));
    }

    // The chosen printer's own offsets place the labels, and say how many fit a sheet.
    void choosingAPrinterChangesTheCaptionAndOffsets()
    {
        FormTest t(1);
        t.test.context.values.setMarginsFor(QStringLiteral("Etiketten"), {600, 0, 0, 180});
        auto* combo = t.find<QComboBox>(QStringLiteral("Combo2"));
        auto* startBox = t.find<QSpinBox>(QStringLiteral("BeginEtiket"));
        QCOMPARE(startBox->maximum(), 21);
        combo->setCurrentIndex(1);
        t.form->Combo2_Change();
        QCOMPARE(t.form->windowTitle(), QStringLiteral("Afdrukken (Etiketten)"));
        QCOMPARE(t.test.printer.current, 1);
        QCOMPARE(startBox->maximum(), 18);
        t.test.messages.answers = {Messages::Answer::Ja};
        t.print();
        QCOMPARE((std::tuple{t.test.printer.texts[0].x, t.test.printer.texts[0].y}), (std::tuple{607.f + 600, 1050.f}));
    }

    void labelPictureFollowsOptionAndCountry()
    {
        FormTest t(2);
        auto* label3 = t.find<QLabel>(QStringLiteral("Label3"));
        auto* check = t.find<QCheckBox>(QStringLiteral("Check1"));
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(label3->isHidden());
        QTest::mouseClick(t.option(2), Qt::LeftButton);
        QVERIFY(!label3->isHidden());
        QVERIFY(!t.find<QWidget>(QStringLiteral("Plaklabel"))->isHidden());
        QCOMPARE(label3->text(), QStringLiteral("Naam99\nStraat 99\n1234 AB\nZwolle"));
        QTest::mouseClick(check, Qt::LeftButton);
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(label3->text(), QStringLiteral("Naam99\nStraat 99\n1234 AB\nZwolle\nNederland"));
        QTest::mouseClick(t.option(1), Qt::LeftButton);
        QVERIFY(label3->isHidden());

        // An address is shown as typed, never read as markup.
        FormTest u(2, AddressRecord{{QStringLiteral("<b>Jan</b> & Piet"), QStringLiteral("<br>"), {}, {}, {}}});
        QTest::mouseClick(u.option(2), Qt::LeftButton);
        auto* shown = u.find<QLabel>(QStringLiteral("Label3"));
        QCOMPARE(shown->textFormat(), Qt::PlainText);
        QCOMPARE(shown->text(), QStringLiteral("<b>Jan</b> & Piet\n<br>\n\n"));
    }

    void fontSizeIsReadAndRounded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");
        QTest::newRow("9.5") << QStringLiteral("9.5") << 10;
        QTest::newRow("10.5") << QStringLiteral("10.5") << 10;
        QTest::newRow("11.5") << QStringLiteral("11.5") << 12;
        QTest::newRow("12 pt") << QStringLiteral("12 pt") << 12;
        QTest::newRow("72") << QStringLiteral("72") << 72;
    }
    void fontSizeIsReadAndRounded()
    {
        QFETCH(QString, text);
        QFETCH(int, stored);
        FormTest t(2);
        t.setFontText(text);
        t.test.messages.answers = {Messages::Answer::Nee};
        t.print();
        QCOMPARE(t.test.context.values.FontSize, stored);
        QVERIFY(t.form->isVisible()); // No keeps the dialog open
    }

    void unusableFontSizeIsRefused_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* text : {"0", "-3", "abc", "&HFFFFFF", "1E400", "72.6"})
            QTest::newRow(text) << QString::fromLatin1(text);
    }
    void unusableFontSizeIsRefused()
    {
        QFETCH(QString, text);
        FormTest t(2);
        t.setFontText(text);
        t.print();
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Kies een lettergrootte van 1 tot en met 72."));
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Plaklabels"));
        QCOMPARE(t.test.context.values.FontSize, 10);
        QVERIFY(t.form->isVisible());
        QVERIFY(!t.test.printer.ops.contains(QStringLiteral("SetUnitTwips")));
    }

    void allLabelsAskFirst()
    {
        FormTest t(3);
        t.test.messages.answers = {Messages::Answer::Nee};
        t.print();
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Afdrukken"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je de complete lijst op 3 plaklabels (1 vel) afdrukken?"));
        QVERIFY(!t.test.printer.ops.contains(QStringLiteral("SetUnitTwips")));
        QVERIFY(t.form->isVisible());
        t.test.messages.answers = {Messages::Answer::Ja};
        QTest::mouseClick(t.find<QCheckBox>(QStringLiteral("Check1")), Qt::LeftButton);
        t.print();
        QCOMPARE(t.test.printer.texts.size(), 15);
        QCOMPARE(t.test.printer.documentName, QStringLiteral("Plaklabels"));
        QVERIFY(!t.form->isVisible());
        QCOMPARE(t.form->result(), int(QDialog::Accepted));
    }

    // Chosen rows, a later first label and too-wide lines, as the dialog asks and prints them.
    void mailingChoicesAreAskedAndPrinted_data()
    {
        QTest::addColumn<int>("addresses");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("start");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("printedNames"); // with the first one's position
        QTest::newRow("whole list from label 5")
            << 25 << QList<int>{} << 0 << 5
            << QStringList{QStringLiteral("Wil je de complete lijst op 25 plaklabels (2 vellen) afdrukken, te beginnen bij etiket 5?")}
            << QStringList{QStringLiteral("Naam1 4351,3210"), QStringLiteral("Naam25 4351,5370")};
        QTest::newRow("seven chosen of thirty")
            << 30 << QList<int>{1, 3, 5, 7, 9, 11, 13} << 0 << 1
            << QStringList{QStringLiteral("Wil je de 7 gekozen adressen op 7 plaklabels (1 vel) afdrukken?")}
            << QStringList{QStringLiteral("Naam2 607,1050"), QStringLiteral("Naam14 607,5370")};
        QTest::newRow("seven chosen, in a list")
            << 30 << QList<int>{1, 3, 5, 7, 9, 11, 13} << 1 << 1
            << QStringList{QStringLiteral("Wil je de 7 gekozen adressen in een lijst afdrukken?")}
            << QStringList{QStringLiteral("Naam2 300,1500"), QStringLiteral("Naam14 300,3120")};
        QTest::newRow("one chosen is the whole list")
            << 3 << QList<int>{1} << 0 << 1
            << QStringList{QStringLiteral("Wil je de complete lijst op 3 plaklabels (1 vel) afdrukken?")}
            << QStringList{QStringLiteral("Naam1 607,1050"), QStringLiteral("Naam3 8095,1050")};
        QTest::newRow("counts with the thousands dot")
            << 1500 << QList<int>{} << 0 << 1
            << QStringList{QStringLiteral("Wil je de complete lijst op 1.500 plaklabels (72 vellen) afdrukken?")}
            << QStringList{QStringLiteral("Naam1 607,1050"), QStringLiteral("Naam1500 8095,5370")};
        QTest::newRow("one address on labels 20 and 21") << 3 << QList<int>{} << 2 << 20 << QStringList()
            << QStringList{QStringLiteral("Naam99 4351,14010"), QStringLiteral("Naam99 8095,14010")};
    }
    void mailingChoicesAreAskedAndPrinted()
    {
        QFETCH(int, addresses);
        QFETCH(QList<int>, chosen);
        QFETCH(int, option);
        QFETCH(int, start);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, printedNames);
        FormTest t(addresses, address(99), chosen);
        QVERIFY(t.option(0)->text().contains(addresses == 1500 ? QStringLiteral(" 1.500 ") : QStringLiteral(" Adressen ")));
        auto* startBox = t.find<QSpinBox>(QStringLiteral("BeginEtiket"));
        QCOMPARE(startBox->maximum(), 21);
        QTest::mouseClick(t.option(option), Qt::LeftButton);
        QCOMPARE(startBox->isEnabled(), option != 1);
        startBox->setValue(start);
        t.test.messages.answers = {Messages::Answer::Ja};
        t.print();
        QStringList asked;
        for (const auto& shown : t.test.messages.shown)
            asked.append(shown.text);
        QCOMPARE(asked, questions);
        QStringList names;
        for (const auto& text : t.test.printer.texts)
            if (text.text.startsWith(QStringLiteral("Naam")))
                names.append(QStringLiteral("%1 %2,%3").arg(text.text).arg(text.x).arg(text.y));
        QCOMPARE((QStringList{names.first(), names.last()}), printedNames);
        if (chosen.size() > 1)
            QCOMPARE(names.size(), chosen.size());
    }

    void captionsNameTheChosenAddresses()
    {
        FormTest t(30, address(99), {0, 4, 9});
        QCOMPARE(t.option(0)->text(), QStringLiteral("De 3 gekozen Adressen op Plaklabels"));
        QCOMPARE(t.option(1)->text(), QStringLiteral("De 3 gekozen Adressen in een lijst (A4)"));
        QCOMPARE(t.option(2)->text(), QStringLiteral("Afdrukken van 21 Plaklabels met dezelfde naam"));
        // Every choice before the buttons that act on them.
        t.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.form.get()));
        t.find<QComboBox>(QStringLiteral("Combo2"))->setFocus();
        QCOMPARE(tabVisits(8), (QStringList{QStringLiteral("Combo2"), QStringLiteral("Option1_0"), QStringLiteral("Check1"),
                                            QStringLiteral("Check2"), QStringLiteral("Combo1"), QStringLiteral("BeginEtiket"),
                                            QStringLiteral("PrintKnop"), QStringLiteral("CancelKnop")}));
    }

    // The address check names each address with its reasons, before the
    // job's question: Annuleren prints nothing, "Zonder deze afdrukken" (also
    // Enter) the rest, which the question then counts, and the next free
    // label follows them; "Allemaal afdrukken" all.
    void addressCheckHasThreeAnswers()
    {
        FormTest t(5);
        t.test.printer.twipsPerChar = 100; // 32 characters fit at 10 points
        QList<AddressRecord> list = t.list.records();
        list[1].setField(AddressRecord::Woonplaats, QString());
        list[3].setField(AddressRecord::Naam, QString(50, u'n'));
        t.list.replaceAll(list);
        t.reopen();
        const QString named = QStringLiteral("2 adressen lijken niet in orde:\r\nNaam2: geen woonplaats\r\n")
            + QString(50, u'n') + QStringLiteral(": te lang voor het etiket");
        const QList<std::tuple<Messages::Answer, QString, int>> answers{
            {Messages::Answer::Annuleren, QString(), 0},
            {Messages::Answer::Nee, QStringLiteral("Wil je de 3 adressen op 3 plaklabels (1 vel) afdrukken?"), 3},
            {Messages::Answer::Ja, QStringLiteral("Wil je de complete lijst op 5 plaklabels (1 vel) afdrukken?"), 5}};
        for (const auto& [answer, question, printed] : answers) {
            t.test.messages.shown.clear();
            t.test.printer.texts.clear();
            t.test.messages.answers = {answer, Messages::Answer::Ja};
            if (answer == Messages::Answer::Annuleren)
                t.test.messages.answers.removeLast();
            t.test.context.values.setNextLabel(QStringLiteral("Kantoor"), 1);
            t.find<QSpinBox>(QStringLiteral("BeginEtiket"))->setValue(1);
            t.print();
            QCOMPARE(t.test.messages.shown.first().text, named);
            QCOMPARE(t.test.messages.shown.first().captions,
                     (QStringList{QStringLiteral("Allemaal afdrukken"), QStringLiteral("Zonder deze afdrukken"), QStringLiteral("Annuleren")}));
            QCOMPARE(t.test.messages.shown.first().byDefault, Messages::Answer::Nee);
            QCOMPARE(t.test.messages.shown.value(1).text, question);
            QCOMPARE(t.test.printer.texts.size() > 0, printed > 0);
            if (printed)
                QCOMPARE(t.test.context.values.nextLabelFor(QStringLiteral("Kantoor")), printed + 1);
        }
        // With one label per household the question counts households.
        t.find<QCheckBox>(QStringLiteral("Check2"))->setChecked(true);
        t.test.messages.shown.clear();
        t.test.messages.answers = {Messages::Answer::Nee, Messages::Answer::Ja};
        t.print();
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je de 3 huishoudens op 3 plaklabels (1 vel) afdrukken?"));
    }

    // Enter prints from wherever the focus is, the question first; on Annuleren it cancels.
    void enterPrintsFromEveryBox()
    {
        for (const QString& box : {QStringLiteral("Combo2"), QStringLiteral("Combo1"), QStringLiteral("BeginEtiket"),
                                   QStringLiteral("Option1_0"), QStringLiteral("Check1"), QStringLiteral("PrintKnop")}) {
            FormTest t(3);
            QVERIFY(QTest::qWaitForWindowActive(t.form.get()));
            QWidget* focused = t.find<QWidget>(box);
            focused->setFocus();
            t.test.messages.answers = {Messages::Answer::Nee};
            QTest::keyClick(focused, Qt::Key_Return);
            QVERIFY2(t.test.messages.shown.size() == 1, qPrintable(box)); // the job's question, answered Nee
            QVERIFY2(!t.test.printer.ops.contains(QStringLiteral("SetUnitTwips")), qPrintable(box + t.test.printer.ops.join(QLatin1Char(' '))));
        }
        FormTest t(3);
        QVERIFY(QTest::qWaitForWindowActive(t.form.get()));
        auto* cancel = t.find<VistaButton>(QStringLiteral("CancelKnop"));
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Enter);
        QVERIFY(t.test.messages.shown.isEmpty());
        QCOMPARE(t.form->result(), int(QDialog::Rejected));
        QVERIFY(!t.form->isVisible());
    }

    void listAsksFirst()
    {
        FormTest t(4);
        QTest::mouseClick(t.option(1), Qt::LeftButton);
        t.test.messages.answers = {Messages::Answer::Ja};
        t.print();
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Wil je de complete lijst met 4 adressen afdrukken?"));
        QCOMPARE(t.test.printer.texts[1].text, QStringLiteral("14:05:09 / 07-12-2026"));
        QCOMPARE(t.test.printer.documentName, QStringLiteral("Adressenlijst"));
        QVERIFY(!t.form->isVisible());
    }

    void sameLabelsNeedAnAddress()
    {
        FormTest t(2, AddressRecord{{QStringLiteral("  "), {}, {}, {}, {}}});
        t.setFontText(QStringLiteral("11"));
        QTest::mouseClick(t.option(2), Qt::LeftButton);
        t.print();
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Eerst een adres selecteren uit de lijst..."));
        QCOMPARE(t.test.context.values.FontSize, 11);
        QVERIFY(!t.test.printer.ops.contains(QStringLiteral("SetUnitTwips")));
        QVERIFY(!t.form->isVisible());

        FormTest u(2);
        QTest::mouseClick(u.option(2), Qt::LeftButton);
        u.print();
        QCOMPARE(u.test.messages.shown.size(), 0);
        QCOMPARE(u.test.printer.texts.size(), 21 * 4);

        // Only the space counts as blank: a name of a tab or a no-break space is a name.
        for (const QString& naam : {QStringLiteral("\t"), QStringLiteral("\u00A0")}) {
            FormTest v(2, AddressRecord{{naam, QStringLiteral("Weg 1"), QStringLiteral("1234 AB"), QStringLiteral("Ede"), {}}});
            QTest::mouseClick(v.option(2), Qt::LeftButton);
            v.print();
            QCOMPARE(v.test.messages.shown.size(), 0);
            QCOMPARE(v.test.printer.texts.first().text, naam);
        }
    }

    void failedJobIsTold()
    {
        FormTest t(2);
        t.test.printer.failAt = 8;
        t.test.messages.answers = {Messages::Answer::Ja};
        t.print();
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("Afdrukken is mislukt: printer Kantoor staat uit."));
        QCOMPARE(t.test.messages.shown.last().icon, Messages::Icon::Error);
        QVERIFY(t.test.printer.ops.contains(QStringLiteral("PrintText Error Printer")));
        QVERIFY(!t.form->isVisible());

        // A hand-over the service answered too late is not told as refused: it may print yet.
        const QString late = QStringLiteral("de printservice reageerde te laat; de opdracht voor Kantoor is misschien toch "
                                            "afgedrukt. Kijk eerst in de printerwachtrij voordat je opnieuw afdrukt.");
        finishRun(t.test.messages, nullptr, JobResult{false, late, true, {}});
        QCOMPARE(t.test.messages.lastText(), QLatin1Char('D') + late.mid(1));

        // The PDF a job was kept as is opened once; one that no viewer could
        // open is named, so the user can find it.
        const QString pdf = QStringLiteral("/home/jan/Afdrukken/Plaklabels 2026-12-07 14.05.09.pdf");
        QStringList opened;
        for (const bool viewerOpens : {true, false}) {
            Algemeen::setOpener([&](const QUrl& url) { opened.append(url.toLocalFile()); return viewerOpens; });
            FormTest u(2);
            u.test.printer.kept = pdf;
            u.test.messages.answers = {Messages::Answer::Ja};
            u.print();
            QCOMPARE(u.test.messages.shown.size(), viewerOpens ? 1 : 2);
            QCOMPARE(u.test.messages.lastTitle(), viewerOpens ? QStringLiteral("Afdrukken") : QStringLiteral("Plaklabels"));
            if (!viewerOpens)
                QCOMPARE(u.test.messages.lastText(), QStringLiteral("Het PDF-bestand is opgeslagen als:\r\n") + pdf);
        }
        QCOMPARE(opened, (QStringList{pdf, pdf}));

        // A dialog that printed nothing has no PDF to open or name, whatever an earlier job left.
        FormTest none(2, AddressRecord());
        none.test.printer.kept = pdf;
        none.option(2)->click();
        none.print();
        QCOMPARE(none.test.messages.lastText(), QStringLiteral("Eerst een adres selecteren uit de lijst..."));
        QCOMPARE(none.test.messages.shown.size(), 1);
        QCOMPARE(opened.size(), 2);
        Algemeen::setOpener([](const QUrl&) { return true; });
    }

    void longJobsShowProgress()
    {
        QWidget window;
        {
            ProgressWindow progress(&window);
            progress.pagesDone(1, 5);
            QVERIFY(!window.findChild<QProgressDialog*>());
        }
        ProgressWindow progress(&window);
        progress.pagesDone(2, 6);
        auto* dialog = window.findChild<QProgressDialog*>();
        QVERIFY(dialog);
        QCOMPARE(dialog->maximum(), 6);
        QCOMPARE(dialog->value(), 2);
        QCOMPARE(dialog->labelText(), QStringLiteral("Pagina 2 van 6 afgedrukt"));
        QVERIFY(!dialog->findChild<QPushButton*>()); // no way to break off half a sheet
        // Nor with Escape or by closing: the print dialog would come back while the job still writes.
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog->close());
        QVERIFY(dialog->isVisible());
    }

    void annulerenPrintsNothing()
    {
        FormTest t(2);
        t.setFontText(QStringLiteral("12"));
        QTest::mouseClick(t.find<VistaButton>(QStringLiteral("CancelKnop")), Qt::LeftButton);
        QVERIFY(!t.form->isVisible());
        QCOMPARE(t.test.context.values.FontSize, 10);
        QVERIFY(!t.test.printer.ops.contains(QStringLiteral("SetUnitTwips")));
    }

    // One label per household, its question counting labels; each printer
    // proposes the label after the last one printed, after a restart too,
    // and 21 of one starts the next sheet at 1.
    void mailingAsAClubSendsIt()
    {
        FormTest t(3);
        const auto member = [](const char* naam, const char* adres) {
            return AddressRecord{{QString::fromUtf8(naam), QString::fromUtf8(adres), QStringLiteral("1234 AB"), QStringLiteral("Zwolle"), {}}};
        };
        t.list.replaceAll({member("Jan de Vries", "Straat 1"), member("Kees Bakker", "Straat 2"), member("Els de Vries", "straat  1")});
        t.reopen();
        auto* households = t.find<QCheckBox>(QStringLiteral("Check2"));
        QCOMPARE(households->accessibleName(), QStringLiteral("Eén etiket per huishouden"));
        QVERIFY(!households->isChecked());
        households->setChecked(true);
        QCOMPARE(t.find<QRadioButton>(QStringLiteral("Option1_0"))->text(), QStringLiteral("Alle Adressen op 2 Plaklabels (huishoudens)"));
        t.test.messages.answers = {Messages::Answer::Ja};
        t.print();
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("1 huishouden krijgt één etiket: Fam. de Vries.\r\n"
                                                            "Wil je de complete lijst op 2 plaklabels (1 vel) afdrukken?"));
        QStringList names;
        for (const auto& text : t.test.printer.texts)
            if (text.y == 1050)
                names.append(text.text);
        QCOMPARE(names, (QStringList{QStringLiteral("Fam. de Vries"), QStringLiteral("Kees Bakker")}));
        QVERIFY(t.test.context.values.OneLabelPerHousehold);

        const auto startIn = [&](AfdrukForm& form) { return form.findChild<QSpinBox*>(QStringLiteral("BeginEtiket"))->value(); };
        AfdrukForm second(t.test.context, t.list.records(), {}, AddressRecord());
        QCOMPARE(startIn(second), 3);
        QVERIFY(second.findChild<QCheckBox*>(QStringLiteral("Check2"))->isChecked());
        t.test.messages.answers = {Messages::Answer::Ja};
        second.PrintKnop_Click();
        QCOMPARE(t.test.context.values.nextLabelFor(QStringLiteral("Kantoor")), 5);
        QVERIFY(writeSettings(t.test.folder.path(), t.test.context.values).ok);
        static_cast<SavedSettings&>(t.test.context.values) = loadSettings(t.test.folder.path());
        AfdrukForm restarted(t.test.context, t.list.records(), {}, member("Ans Smit", "Weg 9"));
        QCOMPARE(startIn(restarted), 5);
        restarted.findChild<QComboBox*>(QStringLiteral("Combo2"))->setCurrentIndex(1);
        restarted.Combo2_Change();
        QCOMPARE(startIn(restarted), 1); // another printer, another sheet
        restarted.findChild<QComboBox*>(QStringLiteral("Combo2"))->setCurrentIndex(0);
        restarted.Combo2_Change();
        restarted.Option1_Click(2);
        restarted.findChild<QRadioButton*>(QStringLiteral("Option1_2"))->setChecked(true);
        restarted.PrintKnop_Click();
        QCOMPARE(t.test.context.values.nextLabelFor(QStringLiteral("Kantoor")), 1);
    }


    // One run of the program prints job after job on its own printer, each
    // with texts the earlier ones did not hold: the check beside the window
    // measures with fonts of its own each time.
    void jobAfterJobOnTheProgramsPrinter()
    {
        QTemporaryDir home;
        ScriptedMessages messages;
        PdfPrinterDevice printer(home.path());
        AppContext context{home.path(), {}, messages, printer};
        QStringList opened;
        Algemeen::setOpener([&](const QUrl& url) { opened.append(url.toLocalFile()); return true; });
        const auto member = [](const QString& naam, const QString& adres) {
            return AddressRecord{{naam, adres, QStringLiteral("8011 AB"), QStringLiteral("Zwolle"), QStringLiteral("Nederland")}};
        };
        AddressListModel list;
        list.replaceAll({member(QStringLiteral("Jan de Vries"), QStringLiteral("Kerkstraat 1")),
                         member(QStringLiteral("Els de Vries"), QStringLiteral("Kerkstraat 1")),
                         member(QStringLiteral("Zoë Çelik"), QStringLiteral("Ölweg 7")),
                         member(QStringLiteral("Ådne Ørsted"), QStringLiteral("Quaystraße 12")),
                         member(QStringLiteral("Дмитрий Волков"), QStringLiteral("Weg 3"))});
        const QList<AddressRecord> rows = list.records();
        struct Step {
            QList<AddressRecord> chosen;
            int option;
            bool households;
            QString printed; // a word on the first page
        };
        const QList<Step> steps{{{}, 0, true, QStringLiteral("Fam.")},
                                {{}, 0, false, QStringLiteral("Els")},
                                {{rows[2], rows[3]}, 0, false, QStringLiteral("Ørsted")},
                                {{}, 2, false, QStringLiteral("Quaystraße")},
                                {{}, 1, false, QStringLiteral("Волков")},
                                {{rows[4], rows[0]}, 0, true, QStringLiteral("Волков")}};
        for (const Step& step : steps) {
            AfdrukForm form(context, rows, step.chosen, rows[3]);
            form.findChild<QComboBox*>(QStringLiteral("Combo2"))->setCurrentIndex(int(printer.InstalledPrinters().size() - 1));
            form.Combo2_Change();
            form.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(step.households);
            form.findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(step.option))->setChecked(true);
            messages.answers = {Messages::Answer::Ja};
            form.PrintKnop_Click();
            QCOMPARE(form.result(), int(QDialog::Accepted));
            QVERIFY(!opened.isEmpty());
            QStringList words;
            for (const PdfWord& word : readPdfWords(opened.last()))
                words.append(word.text);
            QVERIFY2(words.contains(step.printed), qPrintable(words.join(QLatin1Char(' '))));
        }
        MargeForm margins(context);
        margins.show();
        QTest::mouseClick(margins.findChild<VistaButton*>(QStringLiteral("ProefvelKnop")), Qt::LeftButton);
        QCOMPARE(opened.size(), steps.size() + 1);
        for (const auto& shown : messages.shown)
            QVERIFY2(shown.question, qPrintable(shown.text)); // nothing failed
        Algemeen::setOpener([](const QUrl&) { return true; });
    }

};

QTEST_MAIN(TestAfdrukForm)
#include "tst_afdrukform.moc"
