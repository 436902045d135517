#include "ui/BusyWork.h"

#include "ui/AppContext.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <chrono>
#include <future>

void runBusy(QWidget* parent, const QString& text, const std::function<void()>& work)
{
    using namespace std::chrono_literals;
    std::future<void> done = std::async(std::launch::async, work);
    if (done.wait_for(300ms) == std::future_status::ready)
        return done.get();
    QProgressDialog dialog(text, QString(), 0, 0, parent);
    dialog.setWindowTitle(ProgramTitle);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.show();
    // Painting goes on; clicks and keys wait, as the window is busy.
    while (done.wait_for(50ms) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    done.get();
}
