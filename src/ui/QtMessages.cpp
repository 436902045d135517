#include "ui/QtMessages.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
// Texts keep their CR LF line ends; the box shows them as plain line breaks.
// Names and file names go into these texts, so they are never read as markup.
QString shown(const QString& text)
{
    QString result = text;
    return result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// The keyboard goes back to the window the box stood over: without a window
// manager nobody else would give it back.
void giveBackKeyboard(QWidget* parent)
{
    if (parent)
        parent->window()->activateWindow();
}
}

void QtMessages::tell(QWidget* parent, const QString& title, const QString& text, Icon icon)
{
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::NoIcon, title, shown(text),
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    giveBackKeyboard(parent);
}

Messages::Answer QtMessages::ask(QWidget* parent, const QString& title, const QString& text, bool withCancel,
                                 Answer byDefault, const QStringList& captions)
{
    QMessageBox box(QMessageBox::NoIcon, title, shown(text), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* ja = box.addButton(captions.value(0, QStringLiteral("Ja")), QMessageBox::YesRole);
    QPushButton* nee = box.addButton(captions.value(1, QStringLiteral("Nee")), QMessageBox::NoRole);
    QPushButton* annuleren =
        withCancel ? box.addButton(captions.value(2, QStringLiteral("Annuleren")), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(byDefault == Answer::Nee ? nee : ja);
    box.setEscapeButton(annuleren ? annuleren : nee);
    box.exec();
    giveBackKeyboard(parent);
    if (box.clickedButton() == ja)
        return Answer::Ja;
    if (box.clickedButton() == nee || !annuleren)
        return Answer::Nee;
    return Answer::Annuleren;
}
