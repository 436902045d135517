#include "ui/dialogs/MargeForm.h"

#include "app/NumberReading.h"
#include "print/LabelJobs.h"
#include "print/PrinterDevice.h"
#include "ui/JobRunner.h"
#include "ui/dialogs/UitmetenForm.h"
#include "ui/EnterKeys.h"
#include "ui/FormStyle.h"
#include "resources/MarginDiagram.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <limits>

using FormStyle::twipRect;

namespace {
constexpr int TwipsPerStep = 60;
// What each box means, as the picture's numbered arrows show it.
const QStringList BoxNames = {QStringLiteral("1: afstand tot de linkerrand (mm)"),
                              QStringLiteral("2: afstand tot de bovenrand (mm)"),
                              QStringLiteral("3: ruimte tussen de kolommen (mm)"),
                              QStringLiteral("4: ruimte tussen de rijen (mm)")};
}

MargeForm::MargeForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("MargeForm"));
    FormStyle::setUpDialogWindow(this, QStringLiteral("Marges"), 6600, 3900, FormStyle::DialogBackground);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(QPixmap::fromImage(drawMarginDiagram(devicePixelRatioF())));
    image1->setGeometry(twipRect(150, 180, 4455, 2550));
    image1->setAccessibleName(QStringLiteral("Marges op het vel"));
    image1->setAccessibleDescription(QStringLiteral(
        "De hoek van een A4-vel met etiketten. Pijl 1: afstand van de linkerrand tot de eerste kolom. "
        "Pijl 2: afstand van de bovenrand tot de eerste rij. Pijl 3: ruimte tussen twee etiketten naast elkaar. "
        "Pijl 4: ruimte tussen twee etiketten onder elkaar."));

    QStringList steps;
    for (int step = -10; step <= 10; ++step)
        steps.append(QString::number(step));
    for (int i = 0; i < 4; ++i) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // Completing "-1" to "-10" would store a value nobody typed.
        box->setCompleter(nullptr);
        box->setGeometry(twipRect(4950, 600 + 360 * i, 900, 315));
        box->setFont(FormStyle::arial(9.75, true));
        FormStyle::setColours(box, QColor(30, 0, 0), QColor(240, 240, 230));
        FormStyle::showFocusOnDark(box);
        box->addItems(steps);
        FormStyle::nameComboBox(box, BoxNames[i]);
        connect(box, &QComboBox::editTextChanged, box, [box](const QString& text) { followText(box, text); });
        EnterKeys::onEnter(box, [this] { OkKnop_Click(); });
        m_combo1[size_t(i)] = box;
        QLabel* number = FormStyle::caption(this, QStringLiteral("Label2_%1").arg(i), QString::number(i + 1), 5970,
                                            630 + 360 * i, QColor(255, 0, 0));
        number->setFont(FormStyle::arial(12, true));
        number->adjustSize();
        // Heard as what the number stands for on the diagram.
        number->setAccessibleName(BoxNames[i]);
        number->setBuddy(box);
    }

    buildPrinterBox();

    VistaButton* reset = FormStyle::button(this, QStringLiteral("ResetKnop"), QStringLiteral("Reset"),
                                           twipRect(150, 2910, 990, 360));
    FormStyle::caption(this, QStringLiteral("Label1"), QStringLiteral("Reset naar beginwaarden"), 1200, 2985,
                       FormStyle::CaptionGrey);
    const auto [cancel, ok] =
        FormStyle::cancelAndConfirm(this, QStringLiteral("OkKnop"), QStringLiteral("Ok"), 4275, 2910, [this] { OkKnop_Click(); });
    ok->setToolTip(QStringLiteral(" Wijzigingen Opslaan en Afsluiten "));
    connect(reset, &VistaButton::Click, this, &MargeForm::ResetKnop_Click);
    VistaButton* proof = FormStyle::button(this, QStringLiteral("ProefvelKnop"), QStringLiteral("Proefvel"),
                                           twipRect(5310, 2430, 990, 360));
    proof->setToolTip(QStringLiteral(" Proefvel afdrukken "));
    connect(proof, &VistaButton::Click, this, &MargeForm::ProefvelKnop_Click);
    VistaButton* measure = FormStyle::button(this, QStringLiteral("UitmetenKnop"), QStringLiteral("Uitmeten"),
                                             twipRect(3180, 2910, 990, 360));
    measure->setToolTip(QStringLiteral(" Marges uitmeten "));
    connect(measure, &VistaButton::Click, this, &MargeForm::UitmetenKnop_Click);

    setTabOrder(m_printer, m_combo1[0]);
    for (int i = 0; i < 3; ++i)
        setTabOrder(m_combo1[size_t(i)], m_combo1[size_t(i + 1)]);
    setTabOrder(m_combo1[3], proof);
    setTabOrder(proof, measure);
    setTabOrder(measure, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, reset);
    m_combo1[0]->setFocus();
    FormStyle::centreOnScreen(this);
}

// Each printer has offsets of its own; the box opens on the printer the print
// dialog chose last (or the default one).
void MargeForm::buildPrinterBox()
{
    m_printer = new QComboBox(this);
    m_printer->setObjectName(QStringLiteral("Printer"));
    m_printer->setGeometry(twipRect(5250, 180, 1080, 315));
    m_printer->view()->setMinimumWidth(FormStyle::px(2400)); // the whole name in the list
    FormStyle::caption(this, QStringLiteral("PrinterLabel"), QStringLiteral("Printer"), 4680, 225, FormStyle::CaptionGrey)
        ->setBuddy(m_printer);
    m_printer->setToolTip(QStringLiteral(" Printer "));
    FormStyle::makeDarkBox(m_printer);
    FormStyle::nameComboBox(m_printer, QStringLiteral("Printer"));
    m_printer->addItems(m_context.printer.InstalledPrinters());
    m_shown = m_context.printer.CurrentDeviceName();
    m_printer->setCurrentIndex(m_printer->findText(m_shown));
    showValues(m_context.values.marginsFor(m_shown));
    connect(m_printer, &QComboBox::currentIndexChanged, this, &MargeForm::Printer_Change);
}

void MargeForm::Printer_Change()
{
    const QString chosen = m_printer->currentText();
    if (chosen == m_shown)
        return;
    if (!keepTyped()) {
        // The box that does not read stays in view to be mended.
        const QSignalBlocker blocker(m_printer);
        m_printer->setCurrentIndex(m_printer->findText(m_shown));
        return;
    }
    m_shown = chosen;
    showValues(m_typed.contains(chosen) ? m_typed.value(chosen) : m_context.values.marginsFor(chosen));
}

bool MargeForm::keepTyped()
{
    const std::optional<MarginSettings> typed = typedValues();
    if (typed)
        m_typed.insert(m_shown, *typed);
    return typed.has_value();
}

QString MargeForm::stepsText(qint32 twips)
{
    if (twips % TwipsPerStep == 0)
        return QString::number(twips / TwipsPerStep);
    return QString::number(double(twips) / TwipsPerStep, 'g', 10).replace(QLatin1Char('.'), QLatin1Char(','));
}

void MargeForm::followText(QComboBox* box, const QString& text)
{
    // The list's entry follows the shown text, so Down from "0" gives "1"
    // and the wheel steps from what is shown.
    const int index = box->findText(text);
    if (index < 0 || index == box->currentIndex())
        return;
    const int cursor = box->lineEdit()->cursorPosition();
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(index);
    box->lineEdit()->setCursorPosition(cursor);
}

std::optional<MarginSettings> MargeForm::typedValues()
{
    std::array<qint32, 4> twips{};
    for (int i = 0; i < 4; ++i) {
        const double value = roundHalfEven(readDecimal(m_combo1[size_t(i)]->currentText()) * TwipsPerStep);
        if (!(value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max())) {
            m_context.messages.tell(this, QStringLiteral("Marges"), QStringLiteral("Waarde %1 is te groot.").arg(i + 1));
            return std::nullopt;
        }
        twips[size_t(i)] = qint32(value);
    }
    return MarginSettings{twips[0], twips[1], twips[2], twips[3]};
}

void MargeForm::OkKnop_Click()
{
    // All four are checked first, so a refused box stores nothing.
    if (!keepTyped())
        return;
    for (auto typed = m_typed.cbegin(); typed != m_typed.cend(); ++typed)
        m_context.values.setMarginsFor(typed.key(), typed.value());
    accept();
}

// Prints the offsets as typed, stored or not, for trying them on plain paper,
// on the printer they are for.
void MargeForm::ProefvelKnop_Click()
{
    const std::optional<MarginSettings> typed = typedValues();
    if (!typed)
        return;
    if (m_printer->currentIndex() >= 0)
        m_context.printer.SelectPrinter(m_printer->currentIndex());
    // Named, so two printers' proofs are told apart.
    const QString line = QStringLiteral("Printer %5, marges: 1 = %1, 2 = %2, 3 = %3, 4 = %4")
                             .arg(stepsText(typed->LeftOffset), stepsText(typed->TopOffset),
                                  stepsText(typed->ColumnPitchOffset), stepsText(typed->RowPitchOffset),
                                  m_context.printer.CurrentDeviceName());
    PrintJobSteps job;
    job.documentName = QStringLiteral("Proefvel");
    job.print = [&](JobProgress&) { return LabelJobs::AfdrukkenProefvel(m_context.printer, *typed, m_context.values.FontSize, line); };
    runPrintJob(m_context, this, job);
}

void MargeForm::UitmetenKnop_Click()
{
    const std::optional<MarginSettings> typed = typedValues();
    if (!typed)
        return;
    UitmetenForm dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Shown, not stored: Ok stores them as it stores typed values.
    showValues(LabelSheet::calibrated(*typed, dialog.measured()));
}

void MargeForm::showValues(const MarginSettings& margins)
{
    const std::array<qint32, 4> values = {margins.LeftOffset, margins.TopOffset, margins.ColumnPitchOffset,
                                          margins.RowPitchOffset};
    for (int i = 0; i < 4; ++i)
        m_combo1[size_t(i)]->setEditText(stepsText(values[size_t(i)]));
}

// Reset takes effect at once, before Ok, for the printer shown, and Annuleren
// does not bring the old offsets back: a user who resets wants to start from nothing.
void MargeForm::ResetKnop_Click()
{
    m_context.values.setMarginsFor(m_shown, {});
    m_typed.remove(m_shown);
    showValues({});
}
