#include "ui/dialogs/NieuwForm.h"

#include "app/Algemeen.h"
#include "data/ListNames.h"
#include "ui/EnterKeys.h"
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
    FormStyle::makeDarkBox(m_text1);

    FormStyle::caption(this, QStringLiteral("Label1"), QStringLiteral("Naam nieuw bestand"), 3570, 300, FormStyle::CaptionGrey)
        ->setBuddy(m_text1);
    m_text1->setAccessibleName(QStringLiteral("Naam nieuw bestand"));
    QLabel* label2 = FormStyle::caption(this, QStringLiteral("Label2"),
                                        QStringLiteral("Geef hierboven een willekeurige naam voor het adressenbestand "
                                                       "en klik daarna op de 'Ok' button."),
                                        180, 750, FormStyle::CaptionGrey);
    label2->setWordWrap(true);
    label2->setGeometry(twipRect(180, 750, 2550, 600));
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const FormStyle::ButtonPair buttons =
        FormStyle::cancelAndConfirm(this, QStringLiteral("OkKnop"), QStringLiteral("Ok"), 3090, 1200, [this] { OkKnop_Click(); });
    EnterKeys::onEnter(m_text1, [this] { OkKnop_Click(); });
    setTabOrder(m_text1, buttons.cancel);
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
