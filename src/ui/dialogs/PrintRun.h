#pragma once

#include "data/AddressRecord.h"
#include "print/PrintJob.h"

#include <QList>

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

// Before a label job: when a line is wider than its label, asks once whether
// to print all the same. True when nothing is too wide or the answer is Ja.
bool mayPrintTooWide(Messages& messages, QWidget* parent, PrinterDevice& printer, const QList<AddressRecord>& addresses,
                     qint16 fontSize, bool withCountry);

// Before a label job: when addresses look incomplete or wrong, asks once
// whether to print all the same. True when none do or the answer is Ja.
bool mayPrintSuspects(Messages& messages, QWidget* parent, const QList<AddressRecord>& addresses);

// "Naam, Naam, …." after a sentence's colon: the first names, a mark for the rest.
QString namesAfterColon(qsizetype count, const QStringList& names);

// After a job ran: opens the PDF it was kept as in the desktop's viewer, or
// tells where it is when none could; tells why a job failed. A job that went
// well and was shown says nothing.
void finishRun(Messages& messages, QWidget* parent, const JobResult& result);
