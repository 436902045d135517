#include "ui/JobRunner.h"

#include "app/Algemeen.h"
#include "app/NumberReading.h"
#include "app/ProgramValues.h"
#include "print/PrinterDevice.h"
#include "ui/AppContext.h"

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

bool runPrintJob(AppContext& context, QWidget* parent, const PrintJobSteps& job)
{
    if (!job.question.isEmpty()
        && context.messages.ask(parent, job.questionTitle, job.question) != Messages::Answer::Ja)
        return false;
    context.printer.SetDocumentName(job.documentName);
    JobResult result;
    {
        ProgressWindow progress(parent);
        result = job.print(progress);
    }
    if (result.ok && job.afterSuccess)
        job.afterSuccess();
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
