#include "SmallDisk.h"
#include "app/CommandLine.h"
#include "app/HomeFolder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <QTest>

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QByteArray Example = "\"Jan de Vries\",\"Kerkstraat 12\",\"1234 AB\",\"Amsterdam\",\"Nederland\"\r\n";

}

class TestHomeFolder : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_share;
    QString example() const { return m_share.filePath(QStringLiteral("voorbeeld.lst")); }

private slots:
    void initTestCase() { write(example(), Example); }

    void writableProgramFolderKeepsEverythingBesideIt()
    {
        QTemporaryDir program, user;
        const HomeFolder home = chooseHomeFolder(program.path(), user.filePath(QStringLiteral("Plaklabels")), example(),
                                                 QStringLiteral("/usr/bin"));
        QCOMPARE(home.path, program.path());
        QCOMPARE(home.problem, QString());
        QVERIFY(!QFileInfo::exists(user.filePath(QStringLiteral("Plaklabels"))));
    }

    // Installed: a read-only folder for everyone, root included, or the folder it is installed in.
    void installedProgramUsesThePerUserHome()
    {
        SmallDisk readOnly(64, true);
        if (!readOnly.mounted)
            QSKIP("mounting a read-only file system is not allowed here (needs root)");
        QTemporaryDir user, other;
        const QString perUser = user.filePath(QStringLiteral("Plaklabels"));
        HomeFolder home = chooseHomeFolder(readOnly.path(), perUser, example(), QStringLiteral("/usr/bin"));
        QCOMPARE(home.path, perUser);
        QCOMPARE(home.problem, QString());
        QCOMPARE(read(perUser + QStringLiteral("/Data/voorbeeld.lst")), Example);

        // Later starts never overwrite it, nor bring it back once the user removed it.
        write(perUser + QStringLiteral("/Data/voorbeeld.lst"), "eigen");
        chooseHomeFolder(readOnly.path(), perUser, example(), QStringLiteral("/usr/bin"));
        QCOMPARE(read(perUser + QStringLiteral("/Data/voorbeeld.lst")), QByteArray("eigen"));
        QFile::remove(perUser + QStringLiteral("/Data/voorbeeld.lst"));
        chooseHomeFolder(readOnly.path(), perUser, example(), QStringLiteral("/usr/bin"));
        QVERIFY(!QFileInfo::exists(perUser + QStringLiteral("/Data/voorbeeld.lst")));

        home = chooseHomeFolder(other.path(), perUser, example(), other.path());
        QCOMPARE(home.path, perUser);
    }

    void perUserHomeThatCannotBeMadeIsTold()
    {
        QTemporaryDir program, user;
        write(user.filePath(QStringLiteral("Plaklabels")), "een bestand, geen map");
        const HomeFolder home = chooseHomeFolder(program.path(), user.filePath(QStringLiteral("Plaklabels")), example(),
                                                 program.path());
        QVERIFY2(home.problem.startsWith(QStringLiteral("De map ")), qPrintable(home.problem));
        QVERIFY(home.problem.contains(QStringLiteral("Plaklabels werkt verder")));

        SmallDisk full(64);
        if (!full.mounted)
            QSKIP("mounting a small file system is not allowed here (needs root)");
        write(m_share.filePath(QStringLiteral("groot.lst")), QByteArray(128 * 1024, 'x'));
        const HomeFolder onFullDisk = chooseHomeFolder(program.path(), full.filePath(QStringLiteral("Plaklabels")),
                                                       m_share.filePath(QStringLiteral("groot.lst")), program.path());
        QVERIFY2(onFullDisk.problem.contains(QStringLiteral("is de schijf vol?")), qPrintable(onFullDisk.problem));
        QVERIFY(!QFileInfo::exists(full.filePath(QStringLiteral("Plaklabels/Data/voorbeeld.lst"))));
    }

    // --help and --version answer without a window; an unknown option of ours
    // is refused with the usage; Qt's own options pass.
    void commandLineIsRead_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::newRow("none") << QStringList() << int(CommandLineAction::Start);
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << int(CommandLineAction::Help);
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << int(CommandLineAction::Version);
        QTest::newRow("Qt's options") << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"),
                                                     QStringLiteral("--style=fusion"), QStringLiteral("-reverse")}
                                      << int(CommandLineAction::Start);
        QTest::newRow("unknown") << QStringList{QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("--lijst")}
                                 << int(CommandLineAction::Refuse);
        QTest::newRow("not an option") << QStringList{QStringLiteral("leden.lst")} << int(CommandLineAction::Start);
    }
    void commandLineIsRead()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QCOMPARE(int(readCommandLine(arguments)), action);
    }

    void unknownOptionEndsWithTheUsage()
    {
        QProcess run;
        run.start(QStringLiteral(PLAKLABELS_PROGRAM), {QStringLiteral("--onbekend")});
        QVERIFY(run.waitForFinished(10000));
        QCOMPARE(run.exitCode(), 2);
        QVERIFY(QString::fromLocal8Bit(run.readAllStandardError()).startsWith(QStringLiteral("Gebruik: plaklabels")));
    }

    // One program per program folder: a second start asks the first to come
    // forward and ends with 0; a lock left by a killed program stops nothing;
    // another folder runs beside it.
    void oneProgramPerFolder()
    {
        QTemporaryDir program, other;
        const QString copy = program.filePath(QStringLiteral("plaklabels"));
        const QString otherCopy = other.filePath(QStringLiteral("plaklabels"));
        QVERIFY(QFile::copy(QStringLiteral(PLAKLABELS_PROGRAM), copy) && QFile::copy(QStringLiteral(PLAKLABELS_PROGRAM), otherCopy));
        const QStringList offscreen{QStringLiteral("-platform"), QStringLiteral("offscreen")};
        QProcess first;
        first.start(copy, offscreen);
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(program.filePath(QStringLiteral("Plaklabels.lock"))), 10000);
        QTest::qWait(500); // its window and its server up

        QProcess second;
        second.start(copy, offscreen);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess beside;
        beside.start(otherCopy, offscreen);
        QVERIFY(!beside.waitForFinished(2000));
        beside.kill();
        beside.waitForFinished();

        first.kill(); // SIGKILL: the lock stays behind
        first.waitForFinished();
        QVERIFY(QFileInfo::exists(program.filePath(QStringLiteral("Plaklabels.lock"))));
        QProcess third;
        third.start(copy, offscreen);
        QVERIFY(!third.waitForFinished(3000));
        // It holds the folder: a fourth start hands over to it.
        QProcess fourth;
        fourth.start(copy, offscreen);
        QVERIFY(fourth.waitForFinished(10000));
        QCOMPARE(fourth.exitCode(), 0);
        QCOMPARE(third.state(), QProcess::Running);
        third.kill();
        third.waitForFinished();
    }

    // One program even where no lock can be written (the first runs past a
    // file-size limit, as on a full disk), and when two start at one moment.
    void oneProgramWithoutALockOrAtOnce()
    {
        const QStringList offscreen{QStringLiteral("-platform"), QStringLiteral("offscreen")};
        for (const bool lockable : {false, true}) {
            QTemporaryDir program;
            const QString copy = program.filePath(QStringLiteral("plaklabels"));
            QVERIFY(QFile::copy(QStringLiteral(PLAKLABELS_PROGRAM), copy));
            QProcess a, b;
            if (!lockable)
                a.setChildProcessModifier([] {
                    const rlimit limit{40, 40};
                    setrlimit(RLIMIT_FSIZE, &limit);
                });
            a.start(copy, offscreen);
            if (!lockable)
                QTest::qWait(1500); // its window and its server up
            b.start(copy, offscreen);
            QTRY_VERIFY_WITH_TIMEOUT(a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning, 10000);
            QProcess& ended = a.state() == QProcess::NotRunning ? a : b;
            QProcess& running = &ended == &a ? b : a;
            QCOMPARE(ended.exitCode(), 0);
            QCOMPARE(QFileInfo::exists(program.filePath(QStringLiteral("Plaklabels.lock"))), lockable);
            QVERIFY(!running.waitForFinished(1000));
            running.kill();
            running.waitForFinished();
        }
    }

    // A write past the file-size limit fails like a write to a full disk, in
    // the program as a user starts it: it is not ended by the signal (the
    // first thing it writes, with no settings file yet, is the settings).
    void realProgramOutlivesAFileSizeLimit()
    {
        QTemporaryDir program;
        const QString copy = program.filePath(QStringLiteral("plaklabels"));
        QVERIFY(QFile::copy(QStringLiteral(PLAKLABELS_PROGRAM), copy));
        QProcess run;
        run.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        run.setChildProcessModifier([] {
            signal(SIGXFSZ, SIG_DFL); // as a user starts it, whatever this process inherited
            const rlimit limit{40, 40};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        run.start(copy, {QStringLiteral("-platform"), QStringLiteral("offscreen")});
        QVERIFY(run.waitForStarted());
        const bool ended = run.waitForFinished(4000);
        run.kill();
        run.waitForFinished();
        QVERIFY2(!ended, qPrintable(QStringLiteral("ended with %1").arg(run.exitCode())));
        QVERIFY(!QFile::exists(program.filePath(QStringLiteral("Plaklabels.ini"))));
    }
};

QTEST_GUILESS_MAIN(TestHomeFolder)
#include "tst_homefolder.moc"
