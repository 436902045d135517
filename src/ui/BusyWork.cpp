#include "ui/BusyWork.h"

#include "ui/AppContext.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <chrono>
#include <future>

void runBusy(QWidget* parent, const QString& text, const std::function<void()>& work, std::atomic_bool* cancelled)
{
    using namespace std::chrono_literals;
    std::future<void> done = std::async(std::launch::async, work);
    if (done.wait_for(300ms) == std::future_status::ready)
        return done.get();
    QProgressDialog dialog(text, cancelled ? QStringLiteral("Annuleren") : QString(), 0, 0, parent);
    dialog.setWindowTitle(ProgramTitle);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    if (cancelled)
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [cancelled, &dialog] {
            cancelled->store(true);
            dialog.setLabelText(QStringLiteral("Bezig met stoppen..."));
        });
    dialog.show();
    // Painting goes on, and so does the Annuleren button; the window waits.
    while (done.wait_for(50ms) != std::future_status::ready)
        QCoreApplication::processEvents(cancelled ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    done.get();
}
