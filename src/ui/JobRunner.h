#pragma once

#include "print/PrintJob.h"

#include <QPointer>
#include <QString>
#include <functional>

class Messages;
class QProgressDialog;
class QWidget;
struct AppContext;

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

// A print job as the runner runs it. The labels it prints are decided before.
struct PrintJobSteps {
    QString documentName;
    QString questionTitle = QStringLiteral("Afdrukken");
    QString question; // none when empty
    std::function<JobResult(JobProgress& progress)> print;
    std::function<void()> afterSuccess; // none when empty
};

// Every job of the program runs through here, on the window's thread: the
// document named, the job's question asked, the job printed with a progress
// window, what follows a job that went well, and how it ended told. False
// when the user said no to the question.
bool runPrintJob(AppContext& context, QWidget* parent, const PrintJobSteps& job);

// After a job ran: opens the PDF it was kept as in the desktop's viewer, or
// tells where it is when none could; tells why a job failed. A job that went
// well and was shown says nothing.
void finishRun(Messages& messages, QWidget* parent, const JobResult& result);
