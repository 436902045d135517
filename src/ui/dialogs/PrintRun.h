#pragma once

#include "print/PrintJob.h"

#include <QPointer>

class Messages;
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

// After a job ran: opens the PDF it was kept as in the desktop's viewer, or
// tells where it is when none could; tells why a job failed. A job that went
// well and was shown says nothing.
void finishRun(Messages& messages, QWidget* parent, const JobResult& result);
