#include "print/CupsService.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <atomic>
#include <chrono>
#include <cups/cups.h>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace CupsService {

namespace {

using namespace std::chrono_literals;
constexpr auto CheckBudget = 2000ms;

// Runs the work on a thread of its own and waits for it until the budget is
// spent. Late work goes on in the background and its answer is dropped.
template <typename Result, typename Work>
std::optional<Result> withinDeadline(std::chrono::milliseconds budget, Work work)
{
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> future = promise->get_future();
    std::thread([promise, work = std::move(work)]() mutable { promise->set_value(work()); }).detach();
    if (future.wait_for(budget) != std::future_status::ready)
        return std::nullopt;
    return future.get();
}

// A connection whose requests give up after the given time instead of
// libcups' own minute.
http_t* connect(double seconds)
{
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                int(seconds * 1000), nullptr);
    if (http)
        httpSetTimeout(http, seconds, [](http_t*, void*) { return 0; }, nullptr);
    return http;
}

// The queue as the service describes it, handed to the work and freed after
// it; the work is not done when the service or the queue is not there.
template <typename Work>
void withNamedDest(const QByteArray& queue, Work work)
{
    http_t* http = connect(1.5);
    if (!http)
        return;
    if (cups_dest_t* dest = cupsGetNamedDest(http, queue.constData(), nullptr)) {
        work(http, dest);
        cupsFreeDests(1, dest);
    }
    httpClose(http);
}

bool queueState(const QByteArray& queue)
{
    bool takesJobs = false;
    withNamedDest(queue, [&](http_t*, cups_dest_t* dest) {
        const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
        const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
        // A stopped queue would keep the job paused, unseen.
        takesJobs = qstrcmp(accepting, "false") != 0 && qstrcmp(state, "5") != 0;
    });
    return takesJobs;
}

// All destinations the service knows, handed to the work and freed after it.
template <typename Work>
void withDests(Work work)
{
    http_t* http = connect(1.5);
    if (!http)
        return;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(http, &dests);
    work(dests, count);
    cupsFreeDests(count, dests);
    httpClose(http);
}

// A queue's instance ("laser/dubbelzijdig") is a printer of its own.
QString destName(const cups_dest_t& dest)
{
    QString name = QString::fromUtf8(dest.name);
    if (dest.instance)
        name += QLatin1Char('/') + QString::fromUtf8(dest.instance);
    return name;
}

}

namespace {

// A service found frozen is not asked again for a while: its wait is paid once.
class FrozenMemory {
public:
    bool recentlyFrozen() const { return m_frozen && m_since.elapsed() < 10000; }
    void note(bool answered)
    {
        m_frozen = !answered;
        m_since.start();
    }

private:
    QElapsedTimer m_since;
    bool m_frozen = false;
};

FrozenMemory& memory()
{
    static FrozenMemory frozen;
    return frozen;
}

// Set while a question's thread runs. A frozen service keeps it waiting,
// and it is not joined by another: one blocked thread is enough.
std::atomic<bool> asking = false;

// Asks the service unless it was found frozen a moment ago or an earlier
// question still waits for it, within the budget, and remembers whether it answered.
template <typename Result, typename Work>
std::optional<Result> ask(Work work)
{
    if (memory().recentlyFrozen() || asking.exchange(true))
        return std::nullopt;
    std::optional<Result> answer = withinDeadline<Result>(CheckBudget, [work = std::move(work)]() mutable {
        Result result = work();
        asking = false;
        return result;
    });
    memory().note(answer.has_value());
    return answer;
}

// The files of hand-overs whose thread still runs.
std::mutex waitingLock;
QSet<QString> waiting;

void setWaiting(const QString& file, bool isWaiting)
{
    const std::lock_guard<std::mutex> lock(waitingLock);
    if (isWaiting)
        waiting.insert(file);
    else
        waiting.remove(file);
}

}

bool queueTakesJobs(const QString& queue)
{
    // One request with one budget: whether the service answers is part of it.
    const QByteArray name = queue.toUtf8();
    return ask<bool>([name] { return queueState(name); }).value_or(false);
}

std::optional<QStringList> printerNames()
{
    return ask<QStringList>([] {
        QStringList names;
        withDests([&](cups_dest_t* dests, int count) {
            for (int i = 0; i < count; ++i)
                names.append(destName(dests[i]));
        });
        return names;
    });
}

std::optional<QString> defaultPrinter()
{
    return ask<QString>([] {
        QString name;
        withDests([&](cups_dest_t* dests, int count) {
            for (int i = 0; i < count && name.isEmpty(); ++i)
                if (dests[i].is_default)
                    name = destName(dests[i]);
        });
        return name;
    });
}

void removeWaitingFiles()
{
    const std::lock_guard<std::mutex> lock(waitingLock);
    for (const QString& file : std::as_const(waiting))
        QFile::remove(file);
    waiting.clear();
}

HandOver submit(const QString& queue, const QString& pdfPath, const QString& title)
{
    enum : int { Waiting, Done, Abandoned };
    auto state = std::make_shared<std::atomic<int>>(Waiting);
    auto promise = std::make_shared<std::promise<bool>>();
    std::future<bool> taken = promise->get_future();
    setWaiting(pdfPath, true);
    const QByteArray name = queue.toUtf8();
    const QByteArray file = QFile::encodeName(pdfPath);
    const QByteArray jobTitle = title.toUtf8();
    std::thread([=] {
        http_t* http = connect(60);
        int job = 0;
        if (http) {
            job = cupsPrintFile2(http, name.constData(), file.constData(), jobTitle.constData(), 0, nullptr);
            // Too late: the user has been told it may not print, so it should not after all.
            int expected = Waiting;
            if (!state->compare_exchange_strong(expected, Done) && job > 0)
                cupsCancelJob2(http, name.constData(), job, 0);
            httpClose(http);
        }
        QFile::remove(QFile::decodeName(file));
        setWaiting(QFile::decodeName(file), false);
        promise->set_value(job > 0);
    }).detach();
    // Handing over takes a fraction of a second; a big document a little more.
    const auto budget = CheckBudget + std::chrono::milliseconds(QFile(pdfPath).size() / 10000);
    int expected = Waiting;
    if (taken.wait_for(budget) != std::future_status::ready && state->compare_exchange_strong(expected, Abandoned))
        return HandOver::Late;
    return taken.get() ? HandOver::Taken : HandOver::Refused; // in time, or it answered just now
}

}
