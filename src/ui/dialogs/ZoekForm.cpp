#include "ui/dialogs/ZoekForm.h"

#include "ui/EnterKeys.h"
#include "ui/FormStyle.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QLabel>
#include <QLineEdit>

using FormStyle::twipRect;

ZoekForm::ZoekForm(const QString& lastText, FindNext findNext, QWidget* parent)
    : QDialog(parent), m_findNext(std::move(findNext))
{
    setObjectName(QStringLiteral("ZoekForm"));
    FormStyle::setUpDialogWindow(this, QStringLiteral("Zoeken"), 4800, 1500, FormStyle::DialogBackground);

    QLabel* caption = FormStyle::caption(this, QStringLiteral("Label1"), QStringLiteral("&Zoek naar"), 180, 270,
                                         FormStyle::CaptionGrey);
    m_text = new QLineEdit(lastText, this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setAccessibleName(QStringLiteral("Zoek naar"));
    m_text->setGeometry(twipRect(1200, 210, 3300, 330));
    m_text->setFont(FormStyle::arial(9.75));
    FormStyle::makeDarkBox(m_text);
    m_text->selectAll();
    caption->setBuddy(m_text);

    VistaButton* close = FormStyle::button(this, QStringLiteral("SluitenKnop"), QStringLiteral("Sluiten"),
                                           twipRect(2475, 720, 990, 360));
    VistaButton* next = FormStyle::button(this, QStringLiteral("VolgendeKnop"), QStringLiteral("Volgende"),
                                          twipRect(3510, 720, 990, 360));
    connect(close, &VistaButton::Click, this, &QDialog::accept);
    connect(next, &VistaButton::Click, this, &ZoekForm::VolgendeKnop_Click);
    EnterKeys::onEnter(m_text, [this] { VolgendeKnop_Click(); });
    setTabOrder(m_text, next);
    setTabOrder(next, close);
    m_text->setFocus();
    FormStyle::centreOnScreen(this);
}

void ZoekForm::VolgendeKnop_Click()
{
    if (!m_text->text().isEmpty())
        m_findNext(m_text->text());
}
