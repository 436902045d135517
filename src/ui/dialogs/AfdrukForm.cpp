#include "ui/dialogs/AfdrukForm.h"

#include "app/NumberReading.h"
#include "print/LabelJobs.h"
#include "print/LabelSheet.h"
#include "print/ListJob.h"
#include "print/PrinterDevice.h"
#include "ui/EnterKeys.h"
#include "ui/BusyWork.h"
#include "ui/FormStyle.h"
#include "ui/JobRunner.h"
#include "ui/LabelChoice.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>

using FormStyle::twipRect;

namespace {

const QColor LabelColour(240, 240, 210);

// A picture of one label: a filled rounded rectangle.
class LabelShape : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::black);
        p.setBrush(LabelColour);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
};

}

AfdrukForm::AfdrukForm(AppContext& context, const QList<AddressRecord>& rows, const QList<AddressRecord>& chosen,
                       const AddressRecord& current, QWidget* parent)
    : QDialog(parent), m_context(context), m_rows(rows), m_chosen(chosen.size() >= 2 ? chosen : QList<AddressRecord>()),
      m_current(current)
{
    setObjectName(QStringLiteral("AfdrukForm"));
    FormStyle::setUpDialogWindow(this, QString(), 6600, 3300, FormStyle::DialogBackground);
    buildBoxes();
    buildOptions();
    buildLabelPicture();
    buildButtons();
    buildStartBox();
    setTabOrders();
    // Enter prints from wherever the focus is, but on Annuleren; the job's question still comes first.
    EnterKeys::enterPressesButtons(this, [this] { PrintKnop_Click(); });

    m_combo2->addItems(m_context.printer.InstalledPrinters());
    m_combo2->setCurrentIndex(m_combo2->findText(m_context.printer.CurrentDeviceName()));
    Combo2_Change();
    connect(m_combo2, &QComboBox::activated, this, &AfdrukForm::Combo2_Change);
    m_combo1->addItems({QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"),
                        QStringLiteral("12")});
    m_combo1->setEditText(QString::number(m_context.values.FontSize));
    FormStyle::centreOnScreen(this);
}

void AfdrukForm::buildBoxes()
{
    m_combo2 = new QComboBox(this);
    m_combo2->setObjectName(QStringLiteral("Combo2"));
    m_combo2->setGeometry(twipRect(180, 210, 2700, 315));
    FormStyle::makeDarkBox(m_combo2);
    FormStyle::caption(this, QStringLiteral("Label1"), QStringLiteral("Printer Keuze"), 2940, 270, FormStyle::CaptionGrey)
        ->setBuddy(m_combo2);
    FormStyle::nameComboBox(m_combo2, QStringLiteral("Printer Keuze"));

    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setEditable(true);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    m_combo1->setGeometry(twipRect(4500, 210, 750, 315));
    FormStyle::makeDarkBox(m_combo1);
    FormStyle::caption(this, QStringLiteral("Label4"), QStringLiteral("Lettergrootte"), 5310, 270, FormStyle::CaptionGrey)
        ->setBuddy(m_combo1);
    FormStyle::nameComboBox(m_combo1, QStringLiteral("Lettergrootte"));
}

void AfdrukForm::buildOptions()
{
    auto* frame1 = new QFrame(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setFrameShape(QFrame::Box);
    frame1->setFrameShadow(QFrame::Sunken);
    frame1->setGeometry(twipRect(180, 570, 3930, 1080));
    frame1->setAccessibleName(QStringLiteral("Wat afdrukken"));

    const qsizetype chosen = m_chosen.size();
    const QStringList options = {
        QString(), // follows the households box
        chosen ? QStringLiteral("De %1 gekozen Adressen in een lijst (A4)").arg(dutchNumber(chosen))
               : QStringLiteral("Afdrukken van alle Adressen in een lijst (A4)"),
        QStringLiteral("Afdrukken van 21 Plaklabels met dezelfde naam")};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(options[i], this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        // Reaches to the frame's edge: Qt's option mark takes more room than the classic one.
        option->setGeometry(twipRect(300, 750 + 270 * i, 3780, 285));
        option->setStyleSheet(QStringLiteral("QRadioButton { spacing: 3px; }"));
        FormStyle::setColours(option, FormStyle::DialogBackground, QColor(64, 64, 0));
        group->addButton(option, i);
        m_option1[size_t(i)] = option;
    }
    m_option1[0]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, &AfdrukForm::Option1_Click);

    m_check1 = new QCheckBox(QStringLiteral("Inclusief Land afdrukken (5e veld)"), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setGeometry(twipRect(315, 1800, 3000, 285));
    FormStyle::setColours(m_check1, FormStyle::DialogBackground, FormStyle::CaptionGrey);
    connect(m_check1, &QCheckBox::clicked, this, &AfdrukForm::Check1_Click);

    // A household (one street address) gets one label with a joint name.
    m_households = new QCheckBox(QStringLiteral("Eén etiket per huishouden"), this);
    m_households->setObjectName(QStringLiteral("Check2"));
    m_households->setAccessibleName(m_households->text());
    m_households->setGeometry(twipRect(315, 2040, 3000, 240));
    FormStyle::setColours(m_households, FormStyle::DialogBackground, FormStyle::CaptionGrey);
    m_households->setChecked(m_context.values.OneLabelPerHousehold);
    connect(m_households, &QCheckBox::toggled, this, &AfdrukForm::showLabelsCaption);
    showLabelsCaption();
}

// With one label per household the option counts labels, not addresses.
void AfdrukForm::showLabelsCaption()
{
    const qsizetype chosen = m_chosen.size();
    if (!m_households->isChecked()) {
        m_option1[0]->setText(chosen ? QStringLiteral("De %1 gekozen Adressen op Plaklabels").arg(dutchNumber(chosen))
                                     : QStringLiteral("Afdrukken van alle %1 Adressen op Plaklabels").arg(dutchNumber(m_rows.size())));
        return;
    }
    qsizetype households = 0;
    runBusy(this, QStringLiteral("Bezig met tellen..."), [&] { households = householdCount(addresses()); });
    m_option1[0]->setText(chosen ? QStringLiteral("De gekozen Adressen op %1 Plaklabels").arg(dutchNumber(households))
                                 : QStringLiteral("Alle Adressen op %1 Plaklabels (huishoudens)").arg(dutchNumber(households)));
}

void AfdrukForm::buildLabelPicture()
{
    m_plaklabel = new LabelShape(this);
    m_plaklabel->setObjectName(QStringLiteral("Plaklabel"));
    m_plaklabel->setAccessibleName(QStringLiteral("Voorbeeld van het etiket"));
    m_plaklabel->setGeometry(twipRect(4350, 675, 1950, 960));
    m_plaklabel->hide();
    m_label3 = new QLabel(this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setGeometry(twipRect(4470, 780, 1740, 780));
    m_label3->setFont(FormStyle::arial(6));
    m_label3->setTextFormat(Qt::PlainText); // an address is never markup
    m_label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FormStyle::setBackground(m_label3, LabelColour);
    m_label3->hide();
}

void AfdrukForm::buildButtons()
{
    QLabel* label2 = FormStyle::caption(
        this, QStringLiteral("Label2"),
        QStringLiteral("Selecteer hierboven welke optie je wilt gebruiken.\nKlik daarna op de knop 'Afdrukken'."), 180,
        2280, QColor(128, 128, 128));
    label2->setGeometry(twipRect(180, 2280, 3900, 750));
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const FormStyle::ButtonPair buttons = FormStyle::cancelAndConfirm(
        this, QStringLiteral("PrintKnop"), QStringLiteral("Afdrukken"), 4275, 2310, [this] { PrintKnop_Click(); });
    m_cancelKnop = buttons.cancel;
    m_printKnop = buttons.confirm;
}

// A sheet whose first labels are used already: the label jobs start further on.
void AfdrukForm::buildStartBox()
{
    m_startBox = new QSpinBox(this);
    m_startBox->setObjectName(QStringLiteral("BeginEtiket"));
    m_startBox->setAccessibleName(QStringLiteral("Begin bij etiket"));
    m_startBox->setGeometry(twipRect(5550, 1770, 750, 315));
    FormStyle::makeDarkBox(m_startBox);
    m_startCaption = FormStyle::caption(this, QStringLiteral("Label5"), QStringLiteral("&Begin bij etiket"), 4350, 1830,
                                        FormStyle::CaptionGrey);
    m_startCaption->setBuddy(m_startBox);
}

void AfdrukForm::setTabOrders()
{
    // Every choice first, then the buttons that act on them.
    setTabOrder(m_combo2, m_option1[0]);
    setTabOrder(m_option1[0], m_option1[1]);
    setTabOrder(m_option1[1], m_option1[2]);
    setTabOrder(m_option1[2], m_check1);
    setTabOrder(m_check1, m_households);
    setTabOrder(m_households, m_combo1);
    setTabOrder(m_combo1, m_startBox);
    setTabOrder(m_startBox, m_printKnop);
    setTabOrder(m_printKnop, m_cancelKnop);
}

void AfdrukForm::Combo2_Change()
{
    const int index = m_combo2->currentIndex();
    if (index >= 0)
        m_context.printer.SelectPrinter(index);
    setWindowTitle(QStringLiteral("Afdrukken (") + m_context.printer.CurrentDeviceName() + QLatin1Char(')'));
    // Each printer has its own offsets, and with them its own labels to a
    // sheet; a sheet half used goes on where its last job stopped.
    m_startBox->setRange(1, LabelSheet::labelsOnSheet(margins()));
    m_startBox->setValue(m_context.values.nextLabelFor(m_context.printer.CurrentDeviceName()));
}

MarginSettings AfdrukForm::margins() const
{
    return m_context.values.marginsFor(m_context.printer.CurrentDeviceName());
}

QString AfdrukForm::labelPictureText(bool withCountry) const
{
    QStringList lines;
    // The picture shows what fits on a label; a huge field only its start.
    for (int i = 0; i < LabelSheet::AddressLines; ++i)
        lines.append(shownStart(m_current.fieldView(i)));
    if (withCountry)
        lines.append(shownStart(m_current.fieldView(AddressRecord::Land)));
    return lines.join(QLatin1Char('\n'));
}

void AfdrukForm::showLabelPicture(bool withCountry)
{
    const QString text = labelPictureText(withCountry);
    m_label3->setText(text);
    // A screen reader reads the picture's text with it.
    m_plaklabel->setAccessibleDescription(text);
}

void AfdrukForm::Option1_Click(int index)
{
    const Job job = Job(index);
    // A table on plain A4 has no labels to start at.
    m_startBox->setEnabled(job != Job::ListOnA4);
    m_startCaption->setEnabled(job != Job::ListOnA4);
    m_plaklabel->hide();
    m_label3->hide();
    if (job != Job::TwentyOneOfOne)
        return;
    m_plaklabel->show();
    // The country shows only once the box is clicked, even when it is ticked already.
    showLabelPicture(false);
    m_label3->show();
    m_label3->raise();
}

void AfdrukForm::Check1_Click()
{
    showLabelPicture(m_check1->isChecked());
}

AfdrukForm::Job AfdrukForm::chosenJob() const
{
    for (int i = 0; i < 3; ++i)
        if (m_option1[size_t(i)]->isChecked())
            return Job(i);
    return Job::AllOnLabels;
}

bool AfdrukForm::storeFontSize()
{
    const double size = roundHalfEven(readNumber(m_combo1->currentText()));
    if (!isUsableFontSize(size)) {
        m_context.messages.tell(this, ProgramTitle, QStringLiteral("Kies een lettergrootte van 1 tot en met 72."));
        return false;
    }
    m_context.values.FontSize = qint16(size);
    return true;
}

const QList<AddressRecord>& AfdrukForm::addresses() const
{
    return m_chosen.isEmpty() ? m_rows : m_chosen;
}

QString AfdrukForm::labelsQuestion(const ChosenLabels& chosen) const
{
    const int start = m_startBox->value();
    const QString from = start > 1 ? QStringLiteral(", te beginnen bij etiket %1").arg(start) : QString();
    const Households& households = chosen.households;
    const qsizetype labels = households.labels.size();
    const qint64 sheets = LabelSheet::sheetsForJob(start, labels, margins());
    const QString onLabels = QStringLiteral("%1 plaklabels (%2)")
                                 .arg(dutchNumber(labels),
                                      sheets == 1 ? QStringLiteral("1 vel") : QStringLiteral("%1 vellen").arg(dutchNumber(sheets)));
    // With some left out, the question counts what will print.
    const QString what = chosen.leftOut > 0 ? (m_households->isChecked() ? QStringLiteral("de %1 huishoudens")
                                                                          : QStringLiteral("de %1 adressen"))
                                                  .arg(dutchNumber(labels))
        : m_chosen.isEmpty() ? QStringLiteral("de complete lijst")
                             : QStringLiteral("de %1 gekozen adressen").arg(dutchNumber(m_chosen.size()));
    const QString question = QStringLiteral("Wil je %1 op %2 afdrukken%3?").arg(what, onLabels, from);
    if (households.joined == 0)
        return question;
    const QString names = namesAfterColon(households.joined, households.jointNames);
    return (households.joined == 1
                ? QStringLiteral("1 huishouden krijgt één etiket: %1").arg(names)
                : QStringLiteral("%1 huishoudens krijgen één etiket: %2").arg(dutchNumber(households.joined), names))
        + QStringLiteral("\r\n") + question;
}

bool AfdrukForm::printAllOnLabels()
{
    const bool withCountry = m_check1->isChecked();
    const std::optional<ChosenLabels> chosen =
        chooseLabels(m_context, this, addresses(), m_households->isChecked(), withCountry);
    if (!chosen)
        return false;
    const QList<AddressRecord>& labels = chosen->households.labels;
    PrintJobSteps job;
    job.documentName = ProgramTitle;
    job.question = labelsQuestion(*chosen);
    job.print = [&](JobProgress& progress) {
        return LabelJobs::AfdrukkenAlleLabels(m_context.printer, labels, margins(), m_context.values.FontSize, withCountry,
                                              m_startBox->value(), &progress);
    };
    job.afterSuccess = [&] { rememberNextLabel(labels.size()); };
    return runPrintJob(m_context, this, job);
}

bool AfdrukForm::printTwentyOneOfOne()
{
    if (isBlank(m_current.fieldView(AddressRecord::Naam))) {
        m_context.messages.tell(this, ProgramTitle, QStringLiteral("Eerst een adres selecteren uit de lijst..."));
        return true;
    }
    const bool withCountry = m_check1->isChecked();
    const std::optional<ChosenLabels> chosen = chooseLabels(m_context, this, {m_current}, false, withCountry);
    if (!chosen)
        return false;
    PrintJobSteps job;
    job.documentName = ProgramTitle;
    job.print = [&](JobProgress&) {
        return LabelJobs::AfdrukkenZelfdeLabels(m_context.printer, chosen->households.labels.first(), margins(),
                                                m_context.values.FontSize, withCountry, m_startBox->value());
    };
    // The rest of the sheet, to its last label.
    job.afterSuccess = [&] { rememberNextLabel(LabelSheet::LabelCount - m_startBox->value() + 1); };
    return runPrintJob(m_context, this, job);
}

bool AfdrukForm::printList()
{
    PrintJobSteps job;
    job.documentName = QStringLiteral("Adressenlijst");
    job.question = listQuestion();
    job.print = [&](JobProgress& progress) {
        return AfdrukkenLijst(m_context.printer, addresses(), m_context.values.FontSize, m_context.clock(), &progress);
    };
    return runPrintJob(m_context, this, job);
}

void AfdrukForm::rememberNextLabel(qsizetype labelsPrinted)
{
    m_context.values.setNextLabel(m_context.printer.CurrentDeviceName(),
                                  LabelSheet::nextFreeLabel(m_startBox->value(), labelsPrinted, margins()));
}

QString AfdrukForm::listQuestion() const
{
    if (m_chosen.isEmpty())
        return QStringLiteral("Wil je de complete lijst met %1 adressen afdrukken?").arg(dutchNumber(m_rows.size()));
    return QStringLiteral("Wil je de %1 gekozen adressen in een lijst afdrukken?").arg(dutchNumber(m_chosen.size()));
}

void AfdrukForm::PrintKnop_Click()
{
    if (!storeFontSize())
        return;
    m_context.values.OneLabelPerHousehold = m_households->isChecked();
    // An empty list prints nothing and closes the dialog; a job the user stopped keeps it open.
    if (m_rows.size() > 0) {
        const Job job = chosenJob();
        const bool ran = job == Job::AllOnLabels ? printAllOnLabels() : job == Job::ListOnA4 ? printList() : printTwentyOneOfOne();
        if (!ran)
            return;
    }
    accept();
}
