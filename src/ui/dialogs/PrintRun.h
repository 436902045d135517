#pragma once

#include "print/PrintJob.h"

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

// Tells the user when a job failed, or where its PDF is when the desktop
// could not open it; a job that went well and was shown says nothing.
void tellOutcome(Messages& messages, QWidget* parent, const PrinterDevice& printer, const JobResult& result);
