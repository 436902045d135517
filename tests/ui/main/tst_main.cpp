#include "MainWindowTest.h"
#include "data/SettingsFile.h"
#include "ui/BusyWork.h"
#include "ui/SingleInstance.h"

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <thread>

namespace {

// The controls a screen reader would announce by kind alone ("edit text",
// "list", "image") when they have no name, with where they sit in the tree.
void findUnnamed(QAccessibleInterface* node, const QString& path, QStringList& unnamed)
{
    static const QList<QAccessible::Role> mustBeNamed = {
        QAccessible::EditableText, QAccessible::List, QAccessible::ComboBox, QAccessible::Graphic,
        QAccessible::Tree, QAccessible::Table, QAccessible::SpinBox, QAccessible::Grouping, QAccessible::Button};
    const bool customLeaf = node->role() == QAccessible::Client && node->childCount() == 0;
    if ((mustBeNamed.contains(node->role()) || customLeaf) && node->text(QAccessible::Name).trimmed().isEmpty())
        unnamed.append(path + QStringLiteral(" (role %1)").arg(int(node->role())));
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        const QString name = child->object() ? child->object()->objectName() : QString::number(i);
        // The rows of a list name themselves by their text; an empty cell is not a control.
        if (child->role() != QAccessible::Cell && child->role() != QAccessible::ListItem
            && child->role() != QAccessible::Row && child->role() != QAccessible::ColumnHeader)
            findUnnamed(child, path + QLatin1Char('/') + name, unnamed);
    }
}

QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    findUnnamed(QAccessible::queryAccessibleInterface(window), window->objectName(), unnamed);
    return unnamed;
}

}

class TestMain : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { verifyEveryQuestionAnswered(); }

    // Every window, walked as a screen reader walks it.
    void everyControlHasAName()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), "\"Jan\",\"Kerkstraat 1\",\"1234 AB\",\"Zwolle\",\"Nederland\"\r\n");
        t.main->show();
        const QStringList unnamedInMain = unnamedControls(t.main.get());
        QVERIFY2(unnamedInMain.isEmpty(), qPrintable(unnamedInMain.join(QStringLiteral("; "))));
        QCOMPARE(t.field(1)->accessibleName(), QStringLiteral("Adres"));
        // The help is text, read line by line, not a picture.
        QAccessibleInterface* help = QAccessible::queryAccessibleInterface(t.find(QStringLiteral("HelpPic")));
        QCOMPARE(help->role(), QAccessible::StaticText);
        QCOMPARE(help->text(QAccessible::Name), QStringLiteral("Korte uitleg"));
        QVERIFY(help->textInterface());
        int start = 0, end = 0;
        QCOMPARE(help->textInterface()->textAtOffset(0, QAccessible::LineBoundary, &start, &end).trimmed(),
                 QStringLiteral("Korte uitleg programma"));
        QCOMPARE(help->textInterface()->textAtOffset(end + 1, QAccessible::LineBoundary, &start, &end).trimmed(),
                 QStringLiteral("----------------------------"));
        for (const QString& item : {QStringLiteral("FileNieuw"), QStringLiteral("FileOpen"), QStringLiteral("Marges"),
                                    QStringLiteral("Zoeken")}) {
            QStringList unnamed{item};
            whileModal([&] { t.action(item)->trigger(); }, [&](QWidget* dialog) { unnamed += unnamedControls(dialog); });
            QVERIFY2(unnamed == QStringList{item}, qPrintable(unnamed.join(QStringLiteral("; "))));
        }
        QStringList unnamed;
        whileModal([&] { t.click(QStringLiteral("AfdrukKnop")); }, [&](QWidget* dialog) {
            dialog->findChild<QAbstractButton*>(QStringLiteral("Option1_2"))->click();
            unnamed = unnamedControls(dialog);
        });
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));
        // The cell editor says which field it edits.
        auto* view = t.find<QTreeView>(QStringLiteral("ListView1"));
        const QModelIndex postcode = t.main->model().index(0, AddressRecord::Postcode);
        view->edit(postcode);
        QVERIFY(view->indexWidget(postcode));
        QCOMPARE(view->indexWidget(postcode)->accessibleName(), QStringLiteral("Postcode"));
    }

    void startUpState()
    {
        {
            // The keyboard never starts on Stoppen, where a stray Space or Enter would end the program.
            MainWindowTest shown;
            shown.main->show();
            QVERIFY(QTest::qWaitForWindowActive(shown.main.get()));
            QVERIFY(QApplication::focusWidget() != shown.find(QStringLiteral("CancelKnop")));
        }
        MainWindowTest t;
        QCOMPARE(t.main->windowTitle(), QStringLiteral("Plaklabels"));
        QCOMPARE(t.action(QStringLiteral("Bestand"))->text(), QStringLiteral("Bestand"));
        QCOMPARE(t.action(QStringLiteral("CountAdressen"))->text(), QStringLiteral("Aantal"));
        QVERIFY(!t.action(QStringLiteral("Bestand"))->isEnabled());
        QVERIFY(t.action(QStringLiteral("HelpUitleg"))->isEnabled()); // help is there before any list
        QVERIFY(!t.action(QStringLiteral("HelpUitleg"))->isChecked());
        QVERIFY(t.action(QStringLiteral("Marges"))->isEnabled());
        QVERIFY(t.find(QStringLiteral("ListView1"))->isHidden());
        QVERIFY(!t.find(QStringLiteral("Image1"))->isHidden());
        QVERIFY(t.find(QStringLiteral("HelpPic"))->isHidden());
        QVERIFY(!t.find(QStringLiteral("Frame2"))->isHidden());
        QVERIFY(t.find(QStringLiteral("Frame4"))->isHidden());
        QVERIFY(!t.find(QStringLiteral("A4"))->isEnabled());
        QCOMPARE(t.button(QStringLiteral("EditKnop"))->caption(), QStringLiteral("Bewerken"));
        QVERIFY(!t.button(QStringLiteral("EditKnop"))->buttonEnabled());
        QVERIFY(!t.button(QStringLiteral("AfdrukKnop"))->buttonEnabled());
        QVERIFY(t.button(QStringLiteral("CancelKnop"))->buttonEnabled());
        QCOMPARE(t.button(QStringLiteral("AfdrukKnop"))->toolTip(), QStringLiteral(" Complete lijst afdrukken "));
        QCOMPARE(t.field(4)->text(), QStringLiteral("Nederland"));
        QCOMPARE(t.field(0)->text(), QString());
        QCOMPARE(t.find<QLabel>(QStringLiteral("Label2_1"))->text(), QStringLiteral("Straatnaam en Huisnummer"));
        QCOMPARE(t.find<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("Adressen Toevoegen"));
    }

    void layoutInPixels()
    {
        MainWindowTest t;
        QCOMPARE(t.find(QStringLiteral("Frame1"))->geometry(), QRect(10, 4, 422, 290));
        QCOMPARE(t.find(QStringLiteral("ListView1"))->geometry(), QRect(9, 16, 403, 264));
        QCOMPARE(t.find(QStringLiteral("A4"))->geometry(), QRect(9, 15, 187, 266));
        QCOMPARE(t.find(QStringLiteral("Frame3"))->geometry(), QRect(10, 294, 636, 50));
        QCOMPARE(t.button(QStringLiteral("CancelKnop"))->geometry(), QRect(560, 16, 66, 24));
        QCOMPARE(t.button(QStringLiteral("Knop_2"))->geometry(), QRect(137, 255, 60, 24));
        QCOMPARE(t.field(3)->geometry(), QRect(9, 155, 187, 19));
        const QHeaderView* header = t.find<QTreeView>(QStringLiteral("ListView1"))->header();
        QCOMPARE(header->sectionSize(0), 110);
        QCOMPARE(header->sectionSize(1), 125);
        QCOMPARE(header->sectionSize(4), 80);
        QCOMPARE(header->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Adres"));
    }

    // Drawn when first asked for, and only then.
    void helpTextIsDrawnOnce()
    {
        MainWindowTest t;
        auto* surface = t.find<QLabel>(QStringLiteral("HelpPic"));
        QVERIFY(surface->pixmap().isNull());
        // Before a list is open it lies over the printer picture, and goes back to it.
        t.action(QStringLiteral("HelpUitleg"))->trigger();
        QVERIFY(!surface->isHidden() && t.find(QStringLiteral("Image1"))->isHidden());
        t.action(QStringLiteral("HelpUitleg"))->trigger();
        QVERIFY(surface->isHidden() && !t.find(QStringLiteral("Image1"))->isHidden());
        QVERIFY(t.find(QStringLiteral("ListView1"))->isHidden());
        QVERIFY(!t.button(QStringLiteral("AfdrukKnop"))->buttonEnabled());
        t.open(QStringLiteral("a.lst"));
        t.action(QStringLiteral("HelpUitleg"))->trigger();
        const qint64 drawn = surface->pixmap().cacheKey();
        t.action(QStringLiteral("HelpUitleg"))->trigger();
        t.action(QStringLiteral("HelpUitleg"))->trigger();
        QCOMPARE(surface->pixmap().cacheKey(), drawn);
        const QImage help = surface->pixmap().toImage();
        QCOMPARE(help.size(), QSize(403, 264));
        QCOMPARE(help.pixelColor(2, 2), QColor(20, 20, 60));
        int light = 0;
        for (int y = 10; y < 22; ++y)
            for (int x = 10; x < 140; ++x)
                light += help.pixelColor(x, y).red() > 150;
        QVERIFY(light > 50); // the first line's letters
        QCOMPARE(help.pixelColor(400, 120), QColor(20, 20, 60)); // right of every line
    }

    // Work beside the window: the window thread answers from the start, not
    // only once the busy notice has come.
    void busyWorkKeepsTheWindowAnswering()
    {
        QWidget window;
        window.show();
        std::atomic_bool answered{false};
        QTimer::singleShot(0, &window, [&] { answered = true; });
        bool seenBeside = false;
        runBusy(&window, QStringLiteral("Bezig met inlezen..."), [&] {
            QElapsedTimer waited;
            waited.start();
            while (!answered && waited.elapsed() < 280)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            seenBeside = answered;
        });
        QVERIFY(seenBeside);
    }

    void settingsAreReadAtStartAndWrittenAtClose()
    {
        TestContext test;
        QVERIFY(writeSettings(test.folder.path(), SavedSettings{{60, -120, 0, 180}, 12, {{QStringLiteral("Kantoor"), {{-57, 0, 0, 3}, 7}}}, true}).ok);
        Main main(test.context);
        QCOMPARE(test.context.values.margins.TopOffset, -120);
        QCOMPARE(test.context.values.FontSize, 12);
        test.context.values.margins.LeftOffset = -600;
        test.context.values.FontSize = 9;
        main.show();
        QVERIFY(main.close());
        QCOMPARE(test.messages.shown.size(), 0);
        QCOMPARE(loadSettings(test.folder.path()), (SavedSettings{{-600, -120, 0, 180}, 9, {{QStringLiteral("Kantoor"), {{-57, 0, 0, 3}, 7}}}, true}));
    }

    // Written the moment Marges closes with Ok, for the printer it shows: a
    // crash after a calibration keeps it.
    void settingsAreWrittenWhenTheyChange()
    {
        MainWindowTest t;
        t.main->show();
        whileModal([&] { t.action(QStringLiteral("Marges"))->trigger(); }, [&](QWidget* dialog) {
            dialog->findChild<QComboBox*>(QStringLiteral("Combo1_0"))->setEditText(QStringLiteral("2"));
            QTest::mouseClick(dialog->findChild<VistaButton*>(QStringLiteral("OkKnop")), Qt::LeftButton);
        });
        QCOMPARE(loadSettings(t.test.folder.path()).marginsFor(QStringLiteral("Kantoor")).LeftOffset, 120);
    }

    void unwritableSettingsAreToldAtClose()
    {
        MainWindowTest t;
        QFile::remove(settingsPath(t.test.folder.path()));
        QDir(t.test.folder.path()).mkdir(QStringLiteral("Plaklabels.ini"));
        t.main->show();
        QVERIFY(t.main->close());
        QCOMPARE(t.test.messages.lastText(),
                 QStringLiteral("De instellingen konden niet worden opgeslagen:\r\ner staat een map met deze naam."));
    }

    void stoppenClosesWithoutAskingWhenUnchanged()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), "\"Jan\",\"a\",\"b\",\"c\",\"d\"\r\n");
        t.main->show();
        t.click(QStringLiteral("CancelKnop"));
        QVERIFY(!t.main->isVisible());
        QCOMPARE(t.test.messages.shown.size(), 0);
        QVERIFY(QFile::exists(settingsPath(t.test.folder.path())));
    }

    void closingWithChangesAsks_data()
    {
        QTest::addColumn<Messages::Answer>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QByteArray>("onDisk");
        const QByteArray before = "\"Jan\",\"a\",\"b\",\"c\",\"d\"\r\n";
        QTest::newRow("Ja") << Messages::Answer::Ja << true
                            << before + "\"Piet\",\"Lange Laan 2\",\"9999 ZZ\",\"Ede\",\"Nederland\"\r\n";
        QTest::newRow("Nee") << Messages::Answer::Nee << true << before;
        QTest::newRow("Annuleren") << Messages::Answer::Annuleren << false << before;
    }
    void closingWithChangesAsks()
    {
        QFETCH(Messages::Answer, answer);
        QFETCH(bool, closed);
        QFETCH(QByteArray, onDisk);
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"), "\"Jan\",\"a\",\"b\",\"c\",\"d\"\r\n");
        t.type({QStringLiteral("Piet"), QStringLiteral("Lange Laan 2"), QStringLiteral("9999 ZZ"), QStringLiteral("Ede")});
        t.click(QStringLiteral("Knop_0"));
        t.main->show();
        t.test.messages.answers = {answer};
        t.click(QStringLiteral("CancelKnop"));
        QCOMPARE(t.test.messages.lastTitle(), QStringLiteral("Plaklabels"));
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("De lijst a.lst is gewijzigd. Wijzigingen opslaan?"));
        QVERIFY(t.test.messages.shown.last().withCancel);
        QCOMPARE(!t.main->isVisible(), closed);
        QCOMPARE(t.test.readList(QStringLiteral("a.lst")), onDisk);
        QCOMPARE(QFile::exists(settingsPath(t.test.folder.path())), true);
    }

    void failedSaveAtCloseKeepsWindowOpen()
    {
        MainWindowTest t;
        t.open(QStringLiteral("a.lst"));
        t.type({QStringLiteral("Piet"), QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
        t.click(QStringLiteral("Knop_0"));
        QFile::remove(t.test.dataPath(QStringLiteral("a.lst")));
        QDir(t.test.folder.path()).mkpath(QStringLiteral("Data/a.lst")); // a folder now stands in its place
        t.main->show();
        // Save the changes? Ja. Its file is gone: save all the same? Ja.
        t.test.messages.answers = {Messages::Answer::Ja, Messages::Answer::Ja};
        QVERIFY(!t.main->close());
        QVERIFY(t.main->isVisible());
        QCOMPARE(t.test.messages.shown[1].text, QStringLiteral("De lijst a.lst is buiten Plaklabels verwijderd sinds je hem opende. Toch opslaan?"));
        QCOMPARE(t.test.messages.shown[1].byDefault, Messages::Answer::Nee);
        QCOMPARE(t.test.messages.lastText(), QStringLiteral("De lijst kon niet worden opgeslagen:\r\ner staat een map met deze naam."));
        QCOMPARE(t.test.messages.shown.last().icon, Messages::Icon::Error);
    }

    // A lock that names another computer is asked about, and can be taken
    // over; a program of this computer that holds the folder but does not
    // answer is told as hung, after the time a starting one gets.
    void singleInstanceAsksAboutOtherComputers()
    {
        QTemporaryDir folder;
        {
            QFile lock(folder.filePath(QStringLiteral("Plaklabels.lock")));
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write("4711\nplaklabels\nandere-pc\n");
        }
        const QString since =
            QFileInfo(folder.filePath(QStringLiteral("Plaklabels.lock"))).lastModified().toString(QStringLiteral("d-M-yyyy HH:mm"));
        SingleInstance stick(folder.path());
        QCOMPARE(stick.claim(), SingleInstance::Claim::OtherComputer);
        QCOMPARE(stick.otherComputerQuestion(),
                 QStringLiteral("Plaklabels lijkt al gestart voor deze map op de computer andere-pc (sinds %1). Als dat niet zo is, "
                                "kan Plaklabels hier toch starten. Toch starten?").arg(since));
        QVERIFY(stick.takeOver());

        QWidget window;
        QVERIFY(stick.serve(&window));
        SingleInstance second(folder.path());
        QElapsedTimer waited;
        waited.start();
        // The first answers only from its event loop, which this test holds: as if hung.
        QCOMPARE(second.claim(), SingleInstance::Claim::OtherHung);
        QVERIFY2(waited.elapsed() >= 1900 && waited.elapsed() < 4500, qPrintable(QString::number(waited.elapsed())));
    }

    // A socket that cannot be made is told, not passed over: a runtime folder
    // so deep that its path does not fit a socket's address.
    void unservableSocketIsTold()
    {
        QTemporaryDir home;
        QTemporaryDir runtime;
        const QString deep = runtime.path() + QLatin1Char('/') + QString(120, QLatin1Char('d'));
        QVERIFY(QDir().mkpath(deep));
        QFile::setPermissions(deep, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QByteArray kept = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", deep.toUtf8());
        SingleInstance start(home.path());
        qputenv("XDG_RUNTIME_DIR", kept);
        QCOMPARE(start.claim(), SingleInstance::Claim::First);
        QWidget window;
        QVERIFY(!start.serve(&window));
        QVERIFY(!start.serveError().isEmpty());
    }

    // Only this user's program is believed: a fallback folder another user
    // made first is not used, and another user's server at the socket's
    // place is told and passed over.
    void anotherUserCannotAnswerForTheProgram()
    {
        if (geteuid() != 0)
            QSKIP("needs root to act as another user");
        QTemporaryDir temp, home;
        QVERIFY(QFile::setPermissions(temp.path(), QFile::Permissions(0x7777)));
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray tmp = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        const QByteArray theirs = QFile::encodeName(temp.path() + QStringLiteral("/plaklabels-0"));
        const QByteArray listening = QFile::encodeName(temp.path() + QStringLiteral("/s"));
        int ready[2];
        QVERIFY(pipe(ready) == 0);
        const pid_t other = fork();
        if (other == 0) {
            // Another user: makes the fallback folder first, and answers on a socket of its own.
            signal(SIGPIPE, SIG_IGN); // a start that does not believe it hangs up unread
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(1);
            mkdir(theirs.constData(), 0777);
            const int server = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, listening.constData(), sizeof address.sun_path - 1);
            if (bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(server, 4) != 0)
                _exit(1);
            (void)!write(ready[1], "r", 1);
            for (;;) {
                const int client = accept(server, nullptr, nullptr);
                char request[16];
                (void)!read(client, request, sizeof request);
                (void)!write(client, "ok\n", 3);
                close(client);
            }
        }
        char byte = 0;
        QCOMPARE(read(ready[0], &byte, 1), 1);
        SingleInstance start(home.path());
        QVERIFY2(start.serverName().startsWith(home.path() + QStringLiteral("/.socket/")), qPrintable(start.serverName()));
        // Its server moved to where this program's socket lives.
        QVERIFY(std::rename(listening.constData(), QFile::encodeName(start.serverName()).constData()) == 0);
        QCOMPARE(start.claim(), SingleInstance::Claim::First);
        QVERIFY(start.otherUserListens());
        kill(other, SIGKILL);
        waitpid(other, nullptr, 0);
        close(ready[0]);
        close(ready[1]);
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("TMPDIR", tmp);
        if (tmp.isEmpty())
            qunsetenv("TMPDIR");
        if (runtime.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
    }

    // An empty or damaged lock names nobody: with no program answering for
    // the folder it is taken over at once, without a question.
    void unreadableLockIsStale()
    {
        for (const QByteArray& bytes : {QByteArray(), QByteArray("\x01\xff garbage without lines")}) {
            QTemporaryDir folder;
            QFile lock(folder.filePath(QStringLiteral("Plaklabels.lock")));
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write(bytes);
            lock.close();
            SingleInstance start(folder.path());
            QElapsedTimer waited;
            waited.start();
            QCOMPARE(start.claim(), SingleInstance::Claim::First);
            QVERIFY2(waited.elapsed() < 1500, qPrintable(QString::number(waited.elapsed())));
            QVERIFY(lock.open(QIODevice::ReadOnly));
            QVERIFY(lock.readAll().startsWith(QByteArray::number(QCoreApplication::applicationPid())));
        }
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
