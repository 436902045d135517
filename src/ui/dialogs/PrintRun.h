#pragma once

#include "data/AddressRecord.h"
#include "data/Mailing.h"
#include "print/PrintJob.h"

#include <QList>
#include <functional>

#include <QPointer>

class Messages;
class PrinterDevice;
class QProgressDialog;
class QWidget;

// Shows how far a long job has come, so the window never looks hung.
// Jobs of more than five pages get a progress window; shorter ones none.
class ProgressWindow : public JobProgress {
public:
    explicit ProgressWindow(QWidget* parent) : m_parent(parent) {}
    ~ProgressWindow() override;
    void pagesDone(qint64 done, qint64 total) override;

private:
    QWidget* m_parent;
    QPointer<QProgressDialog> m_dialog;
};

struct AppContext;

// One label job from its checks to its end, the same for every label job:
// the households made and every label checked beside the window; the labels
// that look wrong or do not fit asked about ("Allemaal afdrukken", "Zonder
// deze afdrukken", "Annuleren"); the job's own question; the document named
// and printed; what follows a job that went well; the finish. False when the
// user stopped it before it printed.
struct LabelRun {
    QList<AddressRecord> addresses;
    bool households = false;
    bool check = true; // the proof sheet prints no addresses
    bool withCountry = false;
    QString documentName;
    // The job's question about the labels that will print, or none; its window title.
    std::function<QString(const Households& labels)> question;
    QString questionTitle = QStringLiteral("Afdrukken");
    std::function<JobResult(const QList<AddressRecord>& labels)> print;
    std::function<void(qsizetype labelsPrinted)> printed;
};
bool runLabelJob(AppContext& context, QWidget* parent, const LabelRun& run);

// "Naam, Naam, …." after a sentence's colon: the first names, a mark for the rest.
QString namesAfterColon(qsizetype count, const QStringList& names);

// After a job ran: opens the PDF it was kept as in the desktop's viewer, or
// tells where it is when none could; tells why a job failed. A job that went
// well and was shown says nothing.
void finishRun(Messages& messages, QWidget* parent, const JobResult& result);
