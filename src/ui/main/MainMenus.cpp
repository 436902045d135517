// The menu commands, the short help, the print button and the sheet preview's click.
#include "ui/dialogs/AfdrukForm.h"
#include "print/LabelJobs.h"
#include "ui/JobRunner.h"
#include "ui/LabelChoice.h"
#include "print/PrinterDevice.h"
#include "ui/dialogs/MargeForm.h"
#include "ui/dialogs/NieuwForm.h"
#include "ui/dialogs/OpenForm.h"
#include "ui/main/HelpText.h"
#include "ui/main/Main.h"
#include "ui/main/SheetPreview.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>

void Main::FileNieuw_Click()
{
    NieuwForm dialog(m_context, this);
    dialog.setCheck([this](const QString&) { return maySetAsideList(); });
    if (dialog.exec() == QDialog::Accepted)
        startNewList(dialog.chosenFileName());
    focusList();
}

void Main::FileOpen_Click()
{
    OpenForm dialog(m_context, this);
    dialog.setCheck([this](const QString& name) { return maySetAsideList() && openList(name); });
    if (dialog.exec() == QDialog::Accepted)
        enterWorkingState(dialog.chosenFileName());
    focusList();
}

void Main::Marges_Click()
{
    MargeForm dialog(m_context, this);
    runSettingsDialog(dialog);
}

void Main::focusList()
{
    // Never left on Stoppen, where a Space would end the program. The window
    // is asked back too: without a window manager nobody else gives it the
    // keyboard again once a dialog has closed.
    if (!currentFile().isEmpty() && !m_listView->isHidden()) {
        activateWindow();
        m_listView->setFocus();
    }
}

void Main::HelpUitleg_Click()
{
    setHelpShown(m_helpPic->isHidden());
}

void Main::setHelpShown(bool shown)
{
    if (shown && m_helpPic->pixmap().isNull())
        m_helpPic->setPixmap(QPixmap::fromImage(drawHelpText(m_helpPic->size(), devicePixelRatioF())));
    // Before a list is open the help lies over the printer picture.
    const bool listOpen = !currentFile().isEmpty();
    m_listView->setHidden(shown || !listOpen);
    m_image->setVisible(!shown && !listOpen);
    m_helpPic->setVisible(shown);
    m_editKnop->setButtonEnabled(!shown && listOpen);
    m_afdrukKnop->setButtonEnabled(!shown && listOpen);
    m_a4->setEnabled(!shown);
    m_helpUitleg->setChecked(shown);
    // The keyboard goes where there is something to read or to choose.
    if (shown)
        m_helpPic->setFocus();
    else
        focusList();
}

void Main::AfdrukKnop_Click()
{
    if (m_list.model().count() == 0) {
        m_context.messages.tell(this, ProgramTitle, QStringLiteral("Je kunt niets afdrukken zonder adressen...."));
        return;
    }
    AfdrukForm dialog(m_context, m_list.model().records(), chosenAddresses(), currentAddress(), this);
    runSettingsDialog(dialog);
}

void Main::A4_MouseDown(Qt::MouseButton button, QPointF position)
{
    if (isBlank(m_text1[AddressRecord::Naam]->text())) {
        m_context.messages.tell(this, QStringLiteral("Error"), QStringLiteral("Eerst een adres selecteren uit de lijst!"),
                                Messages::Icon::Error);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    const int position1to21 = SheetPreview::labelAt(position);
    if (position1to21 == 0)
        return;
    m_a4->markClicked(position1to21);
    AfdrukkenEnkelLabel(position1to21);
}

void Main::AfdrukkenEnkelLabel(int position)
{
    const AddressRecord address = currentAddress();
    const std::optional<ChosenLabels> chosen = chooseLabels(m_context, this, {address}, false, false);
    if (!chosen)
        return;
    PrintJobSteps job;
    job.documentName = ProgramTitle;
    job.questionTitle = QStringLiteral(" Print");
    job.question = QStringLiteral("Wil je Plaklabel nummer %1 afdrukken met de naam van...\r\n%2?")
                       .arg(position)
                       .arg(shownStart(address.fieldView(AddressRecord::Naam)));
    job.print = [&](JobProgress&) {
        return LabelJobs::AfdrukkenEnkelLabel(m_context.printer, address, position, m_context.values.FontSize,
                                              m_context.values.marginsFor(m_context.printer.CurrentDeviceName()));
    };
    runPrintJob(m_context, this, job);
}
