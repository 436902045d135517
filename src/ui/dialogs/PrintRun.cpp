#include "ui/dialogs/PrintRun.h"

#include "ui/AppContext.h"
#include "app/Algemeen.h"
#include "data/Mailing.h"
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

QString namesAfterColon(qsizetype count, const QStringList& names)
{
    return namesAndMore(count, names) + QLatin1Char('.');
}

bool mayPrintSuspects(Messages& messages, QWidget* parent, const QList<AddressRecord>& addresses)
{
    const Suspects found = suspectAddresses(addresses);
    if (found.count == 0)
        return true;
    const QString names = namesAfterColon(found.count, found.names);
    const QString text = found.count == 1
        ? QStringLiteral("1 adres lijkt onvolledig of onjuist: %1 Toch afdrukken?").arg(names)
        : QStringLiteral("%1 adressen lijken onvolledig of onjuist: %2 Toch afdrukken?").arg(found.count).arg(names);
    return messages.ask(parent, QStringLiteral("Afdrukken"), text) == Messages::Answer::Ja;
}

bool mayPrintTooWide(Messages& messages, QWidget* parent, PrinterDevice& printer, const QList<AddressRecord>& addresses,
                     qint16 fontSize, bool withCountry)
{
    const TooWide found = findTooWide(printer, addresses, fontSize, withCountry);
    QStringList lines;
    if (const qsizetype n = found.shrunk.count)
        lines.append((n == 1 ? QStringLiteral("1 adres wordt kleiner afgedrukt om op zijn etiket te passen: ")
                             : QStringLiteral("%1 adressen worden kleiner afgedrukt om op hun etiket te passen: ").arg(n))
                     + namesAfterColon(found.shrunk.count, found.shrunk.names));
    if (const qsizetype n = found.cut.count)
        lines.append((n == 1 ? QStringLiteral("1 adres past ook in de kleinste letter niet op zijn etiket en wordt afgekapt: ")
                             : QStringLiteral("%1 adressen passen ook in de kleinste letter niet op hun etiket en worden afgekapt: ")
                                   .arg(n))
                     + namesAfterColon(found.cut.count, found.cut.names));
    if (lines.isEmpty())
        return true;
    lines.append(found.cut.count ? QStringLiteral("Toch afdrukken?") : QStringLiteral("Afdrukken?"));
    return messages.ask(parent, QStringLiteral("Afdrukken"), lines.join(QStringLiteral("\r\n"))) == Messages::Answer::Ja;
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
