#include "ui/BusyWork.h"

#include "ui/AppContext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <chrono>
#include <future>
#include <memory>

namespace {

using namespace std::chrono_literals;

// Work done sooner than this shows no notice.
constexpr auto NoticeAfter = 300ms;
// How long the window thread waits at a time before it paints again.
constexpr auto Beat = 20ms;

std::unique_ptr<QProgressDialog> busyNotice(QWidget* parent, const QString& text, std::atomic_bool* cancelled)
{
    auto dialog = std::make_unique<QProgressDialog>(text, cancelled ? QStringLiteral("Annuleren") : QString(), 0, 0, parent);
    dialog->setWindowTitle(ProgramTitle);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    if (cancelled)
        QObject::connect(dialog.get(), &QProgressDialog::canceled, dialog.get(), [cancelled, notice = dialog.get()] {
            cancelled->store(true);
            notice->setLabelText(QStringLiteral("Bezig met stoppen..."));
        });
    dialog->show();
    return dialog;
}

}

void runBusy(QWidget* parent, const QString& text, const std::function<void()>& work, std::atomic_bool* cancelled)
{
    std::future<void> done = std::async(std::launch::async, work);
    QElapsedTimer waited;
    waited.start();
    std::unique_ptr<QProgressDialog> notice;
    // The window keeps painting from the start; the notice, and its Annuleren, come after a moment.
    while (done.wait_for(Beat) != std::future_status::ready) {
        if (!notice && std::chrono::milliseconds(waited.elapsed()) >= NoticeAfter)
            notice = busyNotice(parent, text, cancelled);
        QCoreApplication::processEvents(notice && cancelled ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }
    done.get();
}
