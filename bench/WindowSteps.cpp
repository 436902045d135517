// The window's own steps on a big list, as the keys and buttons take them:
// Ctrl+A, Delete (Ja), Ctrl+Z, Ctrl+C; and a find step through long fields.
#include "WindowSteps.h"

#include "ui/AppContext.h"
#include "data/ListSearch.h"
#include "data/ListStorage.h"
#include "print/PdfPrinterDevice.h"
#include "ui/LabelChoice.h"
#include "ui/main/Main.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

QList<AddressRecord> madeUpAddresses(int n);

namespace {

// Answers Ja, and keeps when the last question came: how long a key waits for its question.
class AnswerJa : public Messages {
public:
    QElapsedTimer clock;
    double askedAtMs = 0;
    void tell(QWidget*, const QString&, const QString&, Icon) override {}
    Answer ask(QWidget*, const QString&, const QString&, bool, Answer, const QStringList&) override
    {
        askedAtMs = double(clock.nsecsElapsed()) / 1e6;
        return Answer::Ja;
    }
};

// One step with the painting it causes, in milliseconds.
template <typename Step>
double stepMs(QTreeView* view, Step step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    QApplication::processEvents();
    view->viewport()->repaint();
    return double(timer.nsecsElapsed()) / 1e6;
}

}

void benchWindowSteps(int n)
{
    QTemporaryDir folder;
    AnswerJa messages;
    PdfPrinterDevice printer(folder.path());
    AppContext context{folder.path(), {}, messages, printer};
    {
        AddressListModel list;
        list.replaceAll(madeUpAddresses(n));
        SaveAdressen(list, context.dataFolder(), QStringLiteral("groot.lst"));
    }
    Main main(context);
    main.showList(QStringLiteral("groot.lst"));
    main.show();
    if (!QTest::qWaitForWindowActive(&main))
        std::printf("the window did not become active\n");
    auto* view = main.findChild<QTreeView*>(QStringLiteral("ListView1"));
    view->setFocus();
    main.findChild<VistaButton*>(QStringLiteral("EditKnop"))->click();
    const double all = stepMs(view, [&] { QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier); });
    messages.clock.start();
    const double remove = stepMs(view, [&] { QTest::keyClick(view, Qt::Key_Delete); });
    const double undo = stepMs(view, [&] { QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier); });
    const double copy = stepMs(view, [&] { QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier); });
    std::printf("%d addresses in the window: Ctrl+A %.0f ms, Delete %.0f ms (its question after %.0f ms), Ctrl+Z %.0f ms "
                "(%d back), Ctrl+C %.0f ms\n",
                n, all, remove, messages.askedAtMs, undo, main.model().count(), copy);

    // One address added with the recovery copy on: at rest, and while the
    // copy of the change before is being written beside the window.
    const auto add = [&](const QString& name) {
        const QStringList fields{name, QStringLiteral("Weg 1"), QStringLiteral("1234 AB"), QStringLiteral("Ede")};
        for (int i = 0; i < fields.size(); ++i)
            main.findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(i))->setText(fields[i]);
        return stepMs(view, [&] { QTest::mouseClick(main.findChild<VistaButton*>(QStringLiteral("Knop_0")), Qt::LeftButton); });
    };
    const double atRest = add(QStringLiteral("Eerste"));
    QTest::qWait(2050); // the copy's write has just begun
    const double duringWrite = add(QStringLiteral("Tweede"));
    // What the copy itself costs the window thread: handing the rows over, and
    // the one copy of them a change makes while a write still holds them.
    QList<AddressRecord> rows = madeUpAddresses(n);
    QElapsedTimer timer;
    timer.start();
    QList<AddressRecord> held = rows;
    const double handOver = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    rows.append(rows.first());
    const double detach = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%d addresses, a change on the window thread (view included) with the recovery copy on: %.0f ms, %.0f ms while "
                "it is written; the copy's own part: hand-over %.3f ms, the rows copied once during a write %.1f ms\n",
                n, atRest, duringWrite, handOver, detach);
}

namespace {

// Answers the address check with "Zonder deze afdrukken", and keeps how many it named.
class LeaveNamedOut : public Messages {
public:
    void tell(QWidget*, const QString&, const QString&, Icon) override {}
    Answer ask(QWidget*, const QString&, const QString& text, bool, Answer, const QStringList&) override
    {
        named = text.section(QLatin1Char(' '), 0, 0);
        return Answer::Nee;
    }
    QString named;
};

// The longest the window thread went without answering a timer of 5 ms.
class Ping {
public:
    Ping()
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_worst = std::max(m_worst, m_clock.nsecsElapsed());
            m_clock.restart();
        });
        m_timer.start(5);
    }
    double worstMs() const { return double(m_worst) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_worst = 0;
};

}

void benchMailing(int n)
{
    QTemporaryDir folder;
    LeaveNamedOut messages;
    PdfPrinterDevice printer(folder.path());
    AppContext context{folder.path(), {}, messages, printer};
    context.values.FontSize = 10;
    QList<AddressRecord> addresses = madeUpAddresses(n);
    // One address in ten does not fit its label.
    for (qsizetype i = 0; i < addresses.size(); i += 10)
        addresses[i].setField(AddressRecord::Adres, QStringLiteral("Burgemeester Schimmelpenninck van der Oyestraat-Noordzijde 117 bis ").repeated(4));
    QWidget window;
    window.show();
    QElapsedTimer timer;
    timer.start();
    std::optional<ChosenLabels> chosen;
    double worst = 0;
    {
        Ping ping;
        chosen = chooseLabels(context, &window, addresses, true, false);
        worst = ping.worstMs();
    }
    const double all = double(timer.nsecsElapsed()) / 1e9;
    const QList<int> named = [&] {
        QList<int> rows;
        for (int i = 0; i < n; i += 10)
            rows.append(i);
        return rows;
    }();
    timer.restart();
    const QList<AddressRecord> kept = withoutRows(addresses, named);
    std::printf("mailing of %d addresses, households, %s named and left out: %.2f s up to the job, worst window-thread "
                "stall %.0f ms; leaving %d out alone %.0f ms (%d labels)\n",
                n, qPrintable(messages.named), all, worst, int(named.size()), double(timer.nsecsElapsed()) / 1e6,
                chosen ? int(chosen->households.labels.size()) : 0);
}

void benchLongFind()
{
    QList<AddressRecord> list = madeUpAddresses(4);
    for (AddressRecord& address : list)
        address.setField(AddressRecord::Adres, QString(50 * 1000 * 1000, QLatin1Char('a')));
    const QString needle = QString(999, QLatin1Char('a')) + QLatin1Char('b');
    QElapsedTimer timer;
    timer.start();
    findAddress(list, needle, 0);
    std::printf("find 1.000 characters in four fields of 50 MB: %.2f s\n", double(timer.nsecsElapsed()) / 1e9);
}
