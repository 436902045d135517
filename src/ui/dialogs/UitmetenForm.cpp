#include "ui/dialogs/UitmetenForm.h"

#include "ui/EnterKeys.h"
#include "ui/FormStyle.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QDoubleSpinBox>
#include <QLabel>

using FormStyle::twipRect;

namespace {

// Millimetres as a Dutch reader writes them, with a decimal comma; a point
// typed instead means the same, not a thousands separator ("2.5" is not 25).
class MillimetreBox : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;

    QValidator::State validate(QString& text, int& position) const override
    {
        text.replace(QLatin1Char('.'), QLatin1Char(','));
        return QDoubleSpinBox::validate(text, position);
    }
    double valueFromText(const QString& text) const override
    {
        return QDoubleSpinBox::valueFromText(QString(text).replace(QLatin1Char('.'), QLatin1Char(',')));
    }
};

}

UitmetenForm::UitmetenForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UitmetenForm"));
    FormStyle::setUpDialogWindow(this, QStringLiteral("Uitmeten"), 9600, 3600, FormStyle::DialogBackground);

    QLabel* explanation = FormStyle::caption(
        this, QStringLiteral("Label1"),
        QStringLiteral("Houd het afgedrukte proefvel tegen het licht over een vel etiketten.\n"
                       "Meet bij etiket 1 en 21 hoeveel mm de omlijning rechts van en onder het echte etiket ligt "
                       "(links of erboven: negatief).\n"
                       "Metingen van 0 of ±0,5 mm bij beide etiketten zijn zo goed als het kan."),
        180, 150, FormStyle::CaptionGrey);
    explanation->setWordWrap(true);
    explanation->setGeometry(twipRect(180, 150, 9150, 840));
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const QStringList names = {QStringLiteral("Etiket 1 naar rechts (mm)"), QStringLiteral("Etiket 1 naar beneden (mm)"),
                               QStringLiteral("Etiket 21 naar rechts (mm)"), QStringLiteral("Etiket 21 naar beneden (mm)")};
    for (int i = 0; i < 4; ++i) {
        auto* box = new MillimetreBox(this);
        box->setObjectName(QStringLiteral("Maat_%1").arg(i));
        box->setAccessibleName(names[i]);
        box->setLocale(QLocale(QLocale::Dutch, QLocale::Netherlands));
        box->setRange(-30, 30);
        box->setSingleStep(0.5);
        box->setDecimals(1);
        box->setGeometry(twipRect(3600, 1020 + 390 * i, 900, 315));
        box->setFont(FormStyle::arial(9.75, true));
        FormStyle::makeDarkBox(box);
        EnterKeys::onEnter(box, [this] { accept(); });
        FormStyle::caption(this, QStringLiteral("Label2_%1").arg(i), names[i], 180, 1080 + 390 * i, FormStyle::CaptionGrey)
            ->setBuddy(box);
        m_boxes[size_t(i)] = box;
    }
    const FormStyle::ButtonPair buttons =
        FormStyle::cancelAndConfirm(this, QStringLiteral("OkKnop"), QStringLiteral("Ok"), 7110, 2700, [this] { accept(); });
    // After the readings, Ok: Enter on the last Tab must not throw them away.
    for (int i = 0; i < 3; ++i)
        setTabOrder(m_boxes[size_t(i)], m_boxes[size_t(i + 1)]);
    setTabOrder(m_boxes[3], buttons.confirm);
    setTabOrder(buttons.confirm, buttons.cancel);
    m_boxes[0]->setFocus();
    FormStyle::centreOnScreen(this);
}

LabelSheet::Measured UitmetenForm::measured() const
{
    return {m_boxes[0]->value(), m_boxes[1]->value(), m_boxes[2]->value(), m_boxes[3]->value()};
}
