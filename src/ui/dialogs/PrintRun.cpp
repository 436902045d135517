#include "ui/dialogs/PrintRun.h"

#include "app/AppContext.h"
#include "app/Algemeen.h"
#include "print/LabelJobs.h"

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
    m_dialog->setLabelText(QStringLiteral("Pagina %1 van %2 afgedrukt").arg(done).arg(total));
    m_dialog->setValue(int(done));
}

bool mayPrintTooWide(Messages& messages, QWidget* parent, PrinterDevice& printer, const QList<AddressRecord>& addresses,
                     qint16 fontSize, bool withCountry)
{
    const TooWide found = findTooWide(printer, addresses, fontSize, withCountry);
    if (found.count == 0)
        return true;
    QString text = found.count == 1 ? QStringLiteral("1 adres is te breed voor zijn etiket:")
                                    : QStringLiteral("%1 adressen zijn te breed voor hun etiket:").arg(found.count);
    for (const QString& name : found.names)
        text += QStringLiteral("\r\n") + name;
    if (found.count > found.names.size())
        text += QStringLiteral("\r\n") + QChar(0x2026);
    text += found.evenSmallest
        ? QStringLiteral("\r\nDie regels passen niet, ook niet in de kleinste letter. Toch afdrukken?")
        : QStringLiteral("\r\nDie regels worden kleiner afgedrukt, zodat ze op hun etiket passen. Afdrukken?");
    return messages.ask(parent, QStringLiteral("Afdrukken"), text) == Messages::Answer::Ja;
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
