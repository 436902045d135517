#include "ui/dialogs/PrintRun.h"
#include "app/NumberReading.h"

#include "ui/AppContext.h"
#include "app/Algemeen.h"
#include "data/Mailing.h"
#include "print/LabelJobs.h"
#include "print/PrinterDevice.h"
#include "ui/BusyWork.h"

#include <QCloseEvent>
#include <QDir>
#include <QProgressDialog>

namespace {
constexpr qint64 PagesWithoutProgress = 5;

// A job runs to its end: Escape or closing would hand the print dialog back
// while the job still writes, and a second job would mix into the first.
class JobProgressDialog : public QProgressDialog {
public:
    using QProgressDialog::QProgressDialog;

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};
}

ProgressWindow::~ProgressWindow()
{
    delete m_dialog;
}

void ProgressWindow::pagesDone(qint64 done, qint64 total)
{
    if (total <= PagesWithoutProgress)
        return;
    if (!m_dialog) {
        m_dialog = new JobProgressDialog(QStringLiteral("Bezig met afdrukken..."), QString(), 0, int(total), m_parent);
        m_dialog->setWindowTitle(ProgramTitle);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
    }
    m_dialog->setLabelText(QStringLiteral("Pagina %1 van %2 afgedrukt").arg(dutchNumber(done), dutchNumber(total)));
    m_dialog->setValue(int(done));
}

QString namesAfterColon(qsizetype count, const QStringList& names)
{
    return namesAndMore(count, names) + QLatin1Char('.');
}

namespace {

// Asks about the labels the check named; Zonder deze leaves them out. False: Annuleren.
bool askAboutNamed(Messages& messages, QWidget* parent, const LabelCheck& check, QList<AddressRecord>& labels)
{
    if (check.named.isEmpty())
        return true;
    const qsizetype count = check.named.size();
    QString text = count == 1 ? QStringLiteral("1 adres lijkt niet in orde:")
                              : QStringLiteral("%1 adressen lijken niet in orde:").arg(dutchNumber(count));
    for (const QString& line : check.lines)
        text += QStringLiteral("\r\n") + line;
    if (count > check.lines.size())
        text += QStringLiteral("\r\n") + QChar(0x2026);
    const Messages::Answer answer = messages.ask(
        parent, QStringLiteral("Afdrukken"), text, true, Messages::Answer::Ja,
        {QStringLiteral("Allemaal afdrukken"), QStringLiteral("Zonder deze afdrukken"), QStringLiteral("Annuleren")});
    if (answer == Messages::Answer::Annuleren)
        return false;
    if (answer == Messages::Answer::Nee)
        for (qsizetype i = count - 1; i >= 0; --i)
            labels.removeAt(check.named[i]);
    return true;
}

}

bool runLabelJob(AppContext& context, QWidget* parent, const LabelRun& run)
{
    Households labels;
    LabelCheck check;
    // A million addresses take seconds: beside the window, which stays painted.
    runBusy(parent, QStringLiteral("Bezig met nakijken..."), [&] {
        labels = run.households ? householdLabels(run.addresses) : Households{run.addresses, 0, {}};
        if (run.check)
            check = checkLabels(context.printer, labels.labels, context.values.FontSize, run.withCountry);
    });
    if (!askAboutNamed(context.messages, parent, check, labels.labels))
        return false;
    if (run.check && labels.labels.isEmpty()) {
        context.messages.tell(parent, ProgramTitle, QStringLiteral("Er blijft geen adres over om af te drukken."));
        return false;
    }
    if (run.question
        && context.messages.ask(parent, run.questionTitle, run.question(labels)) != Messages::Answer::Ja)
        return false;
    context.printer.SetDocumentName(run.documentName);
    const JobResult result = run.print(labels.labels);
    if (result.ok && run.printed)
        run.printed(labels.labels.size());
    finishRun(context.messages, parent, result);
    return true;
}

void finishRun(Messages& messages, QWidget* parent, const JobResult& result)
{
    if (!result.ok && result.mayHavePrinted)
        messages.tell(parent, ProgramTitle, asSentence(result.reason), Messages::Icon::Error);
    else if (!result.ok)
        messages.tell(parent, ProgramTitle, QStringLiteral("Afdrukken is mislukt: ") + result.reason, Messages::Icon::Error);
    else if (!result.keptDocument.isEmpty() && !Algemeen::ShellOpen(result.keptDocument))
        messages.tell(parent, ProgramTitle,
                      QStringLiteral("Het PDF-bestand is opgeslagen als:\r\n") + QDir::toNativeSeparators(result.keptDocument));
}
