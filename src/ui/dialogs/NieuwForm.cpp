#include "ui/dialogs/NieuwForm.h"

#include "app/Algemeen.h"
#include "data/ListNames.h"
#include "ui/FormStyle.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QLabel>
#include <QLineEdit>

using FormStyle::twipRect;

NieuwForm::NieuwForm(AppContext& context, QWidget* parent) : ListChoiceDialog(context, parent)
{
    setObjectName(QStringLiteral("NieuwForm"));
    FormStyle::setUpDialogWindow(this, QStringLiteral("Nieuw bestand aanmaken"), 5400, 2190, FormStyle::DialogBackground);

    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(twipRect(180, 240, 3300, 330));
    m_text1->setFont(FormStyle::arial(9.75));
    FormStyle::setColours(m_text1, QColor(40, 0, 0), QColor(240, 240, 250));

    const QColor captionColour(64, 64, 64);
    FormStyle::caption(this, QStringLiteral("Label1"), QStringLiteral("Naam nieuw bestand"), 3570, 300, captionColour)
        ->setBuddy(m_text1);
    m_text1->setAccessibleName(QStringLiteral("Naam nieuw bestand"));
    QLabel* label2 = FormStyle::caption(this, QStringLiteral("Label2"),
                                        QStringLiteral("Geef hierboven een willekeurige naam voor het adressenbestand "
                                                       "en klik daarna op de 'Ok' button."),
                                        180, 750, captionColour);
    label2->setWordWrap(true);
    label2->setGeometry(twipRect(180, 750, 2550, 600));
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    VistaButton* cancel = FormStyle::button(this, QStringLiteral("CancelKnop"), QStringLiteral("Annuleren"),
                                            twipRect(3090, 1200, 990, 360));
    VistaButton* ok = FormStyle::button(this, QStringLiteral("OkKnop"), QStringLiteral("Ok"), twipRect(4125, 1200, 990, 360));
    connect(cancel, &VistaButton::Click, this, &QDialog::reject);
    connect(ok, &VistaButton::Click, this, &NieuwForm::OkKnop_Click);
    FormStyle::onEnter(m_text1, [this] { OkKnop_Click(); });
    setTabOrder(m_text1, cancel);
    setTabOrder(cancel, ok);
    m_text1->setFocus();
    FormStyle::centreOnScreen(this);
}

void NieuwForm::OkKnop_Click()
{
    const QString name = m_text1->text().trimmed();
    choose(name);
    if (name.isEmpty()) {
        context().messages.tell(this, ProgramTitle, QStringLiteral("Naam Adressenbestand invoeren a.u.b."));
        return;
    }
    if (!isNewListName(name)) {
        context().messages.tell(this, ProgramTitle, QStringLiteral("Deze naam kan niet als bestandsnaam worden gebruikt."));
        return;
    }
    const QString fileName = name + QStringLiteral(".lst");
    if (Algemeen::FileExists(context().listPath(fileName))
        && context().messages.ask(this, QStringLiteral("Error"), QStringLiteral("Deze naam bestaat reeds, overschrijven?"))
               != Messages::Answer::Ja)
        return;
    acceptFile(fileName);
}
