#include "data/AddressListFile.h"
#include "data/AddressListModel.h"
#include "data/ListHistory.h"
#include "data/ListSearch.h"
#include "data/ListStorage.h"
#include "data/SettingsFile.h"
#include "ChildProcess.h"
#include "SmallDisk.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

AddressRecord rec(const QString& naam)
{
    return AddressRecord{{naam, QStringLiteral("Dorpsstraat 1"), QStringLiteral("1234 AB"), QStringLiteral("Ede"),
                          QStringLiteral("Nederland")}};
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Root may write anywhere, so read-only folders only hold for other users;
// an immutable folder holds for everyone.
bool makeImmutable(const QString& path, bool on)
{
    return QProcess::execute(QStringLiteral("chattr"), {on ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
}

}

class TestListStorage : public QObject {
    Q_OBJECT
private slots:
    void modelKeepsOrderAndHistoryTheModifiedState()
    {
        AddressListModel model;
        ListHistory history(model);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(!history.isModified());
        history.add(rec(QStringLiteral("Zoë")));
        history.add(rec(QStringLiteral("Anna")));
        QVERIFY(history.isModified());
        history.markSaved();
        history.add(rec(QStringLiteral("Piet")));
        QVERIFY(history.isModified());
        QCOMPARE(history.undo()->current, 1);
        QVERIFY(!history.isModified());
        QCOMPARE(history.reorder({1, 0}).order, (QList<int>{1, 0}));
        QCOMPARE(history.undo()->order, (QList<int>{1, 0}));
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Zoë"));
        QCOMPARE(model.data(model.index(1, 3)).toString(), QStringLiteral("Ede"));
        QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Woonplaats"));
        model.removeRows({0});
        QCOMPARE(model.count(), 1);
        QCOMPARE(model.at(0).field(0), QStringLiteral("Anna"));
        history.clear();
        model.clear();
        QVERIFY(!history.isModified());
        QCOMPARE(model.count(), 0);

        // A huge field shows its start; the record keeps it whole.
        AddressRecord big = rec(QStringLiteral("Groot"));
        big.setField(AddressRecord::Adres, QString(5000, QLatin1Char('a')));
        model.appendAll({big});
        QCOMPARE(model.data(model.index(0, 1)).toString(), QString(1000, QLatin1Char('a')) + QChar(0x2026));
        QCOMPARE(model.at(0).fieldView(1).size(), 5000);
    }

    // Case and accents do not count, a match stays within one field, the search goes round.
    void findsTheNextAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("found");
        QTest::newRow("accent in the list") << QStringLiteral("zoe") << -1 << 1;
        QTest::newRow("accent in the text") << QStringLiteral("ZOË") << -1 << 1;
        QTest::newRow("goes round past the end") << QStringLiteral("dorp") << 2 << 0;
        QTest::newRow("next after the current") << QStringLiteral("dorp") << 0 << 1;
        QTest::newRow("not across two fields") << QStringLiteral("abede") << -1 << -1;
        QTest::newRow("nowhere") << QStringLiteral("xyz") << 0 << -1;
    }
    void findsTheNextAddress()
    {
        QFETCH(QString, text);
        QFETCH(int, after);
        QFETCH(int, found);
        const QList<AddressRecord> list{rec(QStringLiteral("Jan")), rec(QStringLiteral("Zoë Ölçü")), rec(QStringLiteral("Piet"))};
        QCOMPARE(findAddress(list, text, after), found);
    }

    // Umlauts and ß as German writes them without: both directions.
    void findsGermanTranscriptions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("found");
        QTest::newRow("ue finds ü") << QStringLiteral("Mueller") << -1 << 0;
        QTest::newRow("u still finds ü") << QStringLiteral("muller") << -1 << 0;
        QTest::newRow("ö finds oe") << QStringLiteral("Göthe") << -1 << 1;
        QTest::newRow("ß finds ss") << QStringLiteral("straße") << -1 << 2;
        QTest::newRow("ss finds ß") << QStringLiteral("STRASSE") << 2 << 3;
        QTest::newRow("no near miss") << QStringLiteral("Mueler") << -1 << -1;
        QTest::newRow("not across two fields") << QStringLiteral("ssedorp") << -1 << -1;
    }
    void findsGermanTranscriptions()
    {
        QFETCH(QString, text);
        QFETCH(int, after);
        QFETCH(int, found);
        const QList<AddressRecord> list{rec(QStringLiteral("Hans Müller")), rec(QStringLiteral("Anna Goethe")),
                                        rec(QStringLiteral("Petra Strasse")), rec(QStringLiteral("Jan Straße"))};
        QCOMPARE(findAddress(list, text, after), found);
    }

    // A long field is searched in steps that grow with its length alone, not
    // with its length times the text's: this once took minutes.
    void findsInLongFieldsInTime()
    {
        AddressRecord longOne = rec(QStringLiteral("Lang"));
        longOne.setField(AddressRecord::Adres, QString(500000, QLatin1Char('a')) + QStringLiteral("b,"));
        const QList<AddressRecord> list{rec(QStringLiteral("Jan")), longOne};
        QCOMPARE(findAddress(list, QString(999, QLatin1Char('A')) + QStringLiteral("B"), -1), 1);
        QCOMPARE(findAddress(list, QString(1000, QLatin1Char('a')) + QStringLiteral("c"), -1), -1);
        QCOMPARE(findAddress(list, QStringLiteral("b,1234"), -1), -1); // not across two fields
    }

    // Dutch order: numbers as numbers, case and accents aside, equal rows keep their order.
    void sortsTheDutchWay()
    {
        QList<AddressRecord> list;
        for (const QString& street : {QStringLiteral("Straat 10"), QStringLiteral("straat 9"), QStringLiteral("Éikenlaan"),
                                      QStringLiteral("Straat 9"), QStringLiteral("eikenlaan")})
            list.append(AddressRecord{{street, street, {}, {}, {}}});
        QCOMPARE(sortedRows(list, AddressRecord::Adres, Qt::AscendingOrder), (QList<int>{2, 4, 1, 3, 0}));
        QCOMPARE(sortedRows(list, AddressRecord::Adres, Qt::DescendingOrder), (QList<int>{0, 1, 3, 2, 4}));
    }

    void savesAndLoadsThroughData()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + QStringLiteral("/Data"); // missing: saving makes it
        AddressListModel model;
        model.appendAll({rec(QStringLiteral("Jan"))});
        model.appendAll({rec(QStringLiteral("Piet"))});
        QVERIFY(SaveAdressen(model, data, QStringLiteral("klanten.lst")).ok);
        const QByteArray line = "\",\"Dorpsstraat 1\",\"1234 AB\",\"Ede\",\"Nederland\"\r\n";
        QCOMPARE(read(data + QStringLiteral("/klanten.lst")), "\"Jan" + line + "\"Piet" + line);

        AddressListModel loaded;
        loaded.appendAll({rec(QStringLiteral("oud"))});
        QVERIFY(LaadAdressen(loaded, data, QStringLiteral("klanten.lst")).ok);
        QCOMPARE(loaded.records(), model.records());

        loaded.clear();
        QVERIFY(SaveAdressen(loaded, data, QStringLiteral("klanten.lst")).ok);
        QCOMPARE(read(data + QStringLiteral("/klanten.lst")), QByteArray());
    }

    void failedLoadKeepsTheList()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("map.lst"));
        AddressListModel model;
        model.appendAll({rec(QStringLiteral("Jan"))});
        FileResult result = LaadAdressen(model, dir.path(), QStringLiteral("weg.lst"));
        QVERIFY(!result.ok);
        QCOMPARE(result.reason, QStringLiteral("het bestand bestaat niet."));
        result = LaadAdressen(model, dir.path(), QStringLiteral("map.lst"));
        QCOMPARE(result.reason, QStringLiteral("dit is een map, geen bestand."));
        result = LaadAdressen(model, dir.path(), QStringLiteral("../buiten.lst"));
        QCOMPARE(result.reason, QStringLiteral("dit is geen geldige bestandsnaam."));
        // Larger than memory could hold: refused before a byte is read (a sparse file takes no disk).
        QFile huge(dir.filePath(QStringLiteral("groot.lst")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(64) << 30));
        result = LaadAdressen(model, dir.path(), QStringLiteral("groot.lst"));
        QVERIFY(!result.ok);
        QCOMPARE(result.notice, QStringLiteral("De lijst groot.lst is te groot om te openen (65.536 MB)."));
        QByteArray bytes;
        QCOMPARE(readWholeFile(huge.fileName(), bytes).reason, QStringLiteral("het bestand is te groot om te openen (65.536 MB)."));
        QCOMPARE(model.count(), 1);
        // Nor is a list saved that could not be opened again.
        QCOMPARE(tooBigToReopen(MaxReadableBytes), std::nullopt);
        QCOMPARE(tooBigToReopen(MaxReadableBytes + 1),
                 QStringLiteral("de lijst zou te groot worden om later weer te openen (1.025 MB, hoogstens 1.024 MB)."));
    }

    // What the reader had to leave out is told once, when the list opens.
    void tellsWhatCouldNotBeRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("notice");
        const QByteArray whole = "\"Jan\",\"a\",\"b\",\"c\",\"d\"\r\n";
        const QString torn = QStringLiteral("De lijst x.lst eindigt midden in een adres; dat laatste adres kon niet worden gelezen.");
        const QString none = QStringLiteral("In de lijst x.lst zijn geen adressen gevonden.");
        QTest::newRow("whole") << whole << 1 << QString();
        QTest::newRow("empty file") << QByteArray() << 0 << QString();
        QTest::newRow("torn last address") << whole + "\"Piet\",\"a" << 1 << torn;
        QTest::newRow("only blank names") << QByteArray("\" \",\"a\",\"b\",\"c\",\"d\"\r\n") << 0 << none;
        QTest::newRow("no address at all") << QByteArray("\x01\x02 foto") << 0 << none;
        QTest::newRow("a quote it cannot save") << whole + "\"Kees\",\"a\",\"b\",\"c\",Nederland\"\r\n" << 2
                                                << QStringLiteral("In de lijst x.lst heeft adres 2 (Kees) een aanhalingsteken (\") dat niet "
                                                                  "kan worden opgeslagen. Verander dat adres voordat je de lijst opslaat.");
    }
    void tellsWhatCouldNotBeRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(QString, notice);
        QTemporaryDir dir;
        write(dir.filePath(QStringLiteral("x.lst")), bytes);
        AddressListModel model;
        const FileResult result = LaadAdressen(model, dir.path(), QStringLiteral("x.lst"));
        QVERIFY(result.ok);
        QCOMPARE(model.count(), count);
        QCOMPARE(result.notice, notice);
    }

    void refusedSaveLeavesOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/lijst.lst");
        write(path, "oud\r\n");
        AddressListModel model;
        AddressRecord bad = rec(QStringLiteral("Jan"));
        bad.setField(AddressRecord::Woonplaats, QStringLiteral("Łódź"));
        model.appendAll({bad});
        const FileResult result = SaveAdressen(model, dir.path(), QStringLiteral("lijst.lst"));
        QVERIFY(!result.ok);
        QVERIFY(result.reason.contains(QStringLiteral("Ł")));
        QCOMPARE(read(path), QByteArray("oud\r\n"));
    }

    void failedWriteLeavesOldFile()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + QStringLiteral("/Data");
        QDir().mkpath(data);
        write(data + QStringLiteral("/lijst.lst"), "oud\r\n");
        QFile(data).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const bool blocked = QFileInfo(data).isWritable() ? makeImmutable(data, true) : true;
        if (!blocked)
            QSKIP("cannot make a folder unwritable here");
        AddressListModel model;
        model.appendAll({rec(QStringLiteral("Jan"))});
        const FileResult result = SaveAdressen(model, data, QStringLiteral("lijst.lst"));
        makeImmutable(data, false);
        QFile(data).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!result.ok);
        QCOMPARE(result.reason, QStringLiteral("geen toestemming om te schrijven in de map %1.").arg(data));
        QCOMPARE(read(data + QStringLiteral("/lijst.lst")), QByteArray("oud\r\n"));
    }

    // A write that fails part-way (a full disk, a file-size limit) must be
    // seen before the new file replaces the old one.
    void fullDiskKeepsOldFileAndSaysSo_data()
    {
        QTest::addColumn<int>("addresses");
        QTest::addColumn<int>("limit");
        QTest::newRow("small list, buffered") << 4 << 100;
        QTest::newRow("large list, written through") << 50000 << 1000000;
    }
    void fullDiskKeepsOldFileAndSaysSo()
    {
        QFETCH(int, addresses);
        QFETCH(int, limit);
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/k.lst");
        const QByteArray old = "\"Jan\",\"A 1\",\"1234\",\"Ede\",\"Nederland\"\r\n";
        write(path, old);
        const QByteArray answer = runWithFileSizeLimit(rlim_t(limit), [&] {
            AddressListModel model;
            for (int i = 0; i < addresses; ++i)
                model.appendAll({rec(QStringLiteral("Adres %1").arg(i))});
            const FileResult result = SaveAdressen(model, dir.path(), QStringLiteral("k.lst"));
            return QByteArray(result.ok ? "ok " : "mislukt ") + result.reason.toUtf8();
        });
        QCOMPARE(answer, QByteArray("mislukt het schrijven is mislukt (is de schijf vol?)."));
        QCOMPARE(read(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("k.lst")});
    }

    void fullDiskOnARealFileSystem()
    {
        SmallDisk disk(256);
        if (!disk.mounted)
            QSKIP("mounting a small file system is not allowed here (needs root)");
        const QString data = disk.filePath(QStringLiteral("Data"));
        QDir().mkpath(data);
        const QByteArray old = "\"Jan\",\"A 1\",\"1234\",\"Ede\",\"Nederland\"\r\n";
        write(data + QStringLiteral("/k.lst"), old);
        QVERIFY(writeSettings(disk.path(), {}).ok);
        const QByteArray oldSettings = read(settingsPath(disk.path()));
        disk.fill();

        AddressListModel model;
        for (const QString& naam : {QStringLiteral("Jan"), QStringLiteral("Piet"), QStringLiteral("Klaas"), QStringLiteral("Anna")})
            model.appendAll({rec(naam)});
        const FileResult saved = SaveAdressen(model, data, QStringLiteral("k.lst"));
        QCOMPARE(saved.reason, QStringLiteral("het schrijven is mislukt (is de schijf vol?)."));
        QCOMPARE(read(data + QStringLiteral("/k.lst")), old);
        QCOMPARE(disk.files(QStringLiteral("Data")), QStringList{QStringLiteral("k.lst")});

        QCOMPARE(writeSettings(disk.path(), SavedSettings{{60, 0, 0, 0}, 12, {}, false}).reason,
                 QStringLiteral("het schrijven is mislukt (is de schijf vol?)."));
        QCOMPARE(read(settingsPath(disk.path())), oldSettings);
        QCOMPARE(disk.files(), (QStringList{QStringLiteral("Plaklabels.ini"), QStringLiteral("vulsel")}));
    }

    // Killed at any moment, a save leaves the old file or the whole new one.
    void killedMidSaveLeavesOldOrNew()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("groot.lst"));
        const QByteArray old = "\"Oud\",\"a\",\"b\",\"c\",\"d\"\r\n";
        AddressListModel model;
        QList<AddressRecord> records;
        for (int i = 0; i < 1000000; ++i)
            records.append(rec(QStringLiteral("Adres %1").arg(i)));
        model.replaceAll(records);
        const QByteArray complete = *encodeAddressList(records);
        for (const int afterMs : {0, 50, 150, 400, 1000}) {
            write(path, old);
            const pid_t child = fork();
            if (child == 0)
                _exit(SaveAdressen(model, dir.path(), QStringLiteral("groot.lst")).ok ? 0 : 1);
            QTest::qSleep(afterMs);
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            const QByteArray now = read(path);
            QVERIFY2(now == old || now == complete, qPrintable(QStringLiteral("killed after %1 ms: %2 bytes").arg(afterMs).arg(now.size())));
        }
    }

    void readOnlyFileIsToldAsPermission()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/lijst.lst");
        write(path, "oud\r\n");
        QFile(path).setPermissions(QFile::ReadOwner);
        const bool blocked = QFileInfo(path).isWritable() ? makeImmutable(path, true) : true;
        if (!blocked)
            QSKIP("cannot make a file unwritable here");
        AddressListModel model;
        model.appendAll({rec(QStringLiteral("Jan"))});
        const FileResult result = SaveAdressen(model, dir.path(), QStringLiteral("lijst.lst"));
        makeImmutable(path, false);
        QCOMPARE(result.reason, QStringLiteral("geen toestemming om te schrijven in het bestand %1.").arg(path));
        QCOMPARE(read(path), QByteArray("oud\r\n"));
    }

    // A pipe would block the window for ever and a device read until memory runs out.
    void onlyRegularFilesAreRead()
    {
        QTemporaryDir dir;
        QVERIFY(QProcess::execute(QStringLiteral("mkfifo"), {dir.filePath(QStringLiteral("pijp.lst"))}) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("nul.lst"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("pijp.lst")), dir.filePath(QStringLiteral("Plaklabels.ini"))));
        AddressListModel model;
        for (const QString& name : {QStringLiteral("pijp.lst"), QStringLiteral("nul.lst")})
            QCOMPARE(LaadAdressen(model, dir.path(), name).reason, QStringLiteral("dit is geen gewoon bestand."));
        QCOMPARE(loadSettings(dir.path()), SavedSettings());
    }

    void writesStayInTheirFolder()
    {
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        const QString data = dir.filePath(QStringLiteral("Data"));
        QDir().mkpath(data);
        const QString outside = elsewhere.filePath(QStringLiteral("doel.txt"));
        write(outside, "niet aanraken");
        QVERIFY(QFile::link(outside, data + QStringLiteral("/buiten.lst")));
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("nieuw.lst")), data + QStringLiteral("/los.lst")));
        // A chain of links whose end does not exist yet: only its end tells where a save would go.
        QVERIFY(QFile::link(QStringLiteral("tussen.lst"), data + QStringLiteral("/keten.lst")));
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("keten.lst")), data + QStringLiteral("/tussen.lst")));
        QVERIFY(QFile::link(QStringLiteral("tussen.ini"), dir.filePath(QStringLiteral("Plaklabels.ini"))));
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("nieuw.ini")), dir.filePath(QStringLiteral("tussen.ini"))));
        AddressListModel model;
        model.appendAll({rec(QStringLiteral("Jan"))});
        const QString refused = QStringLiteral("het bestand is een koppeling naar een plek buiten de map %1.").arg(data);
        QCOMPARE(SaveAdressen(model, data, QStringLiteral("buiten.lst")).reason, refused);
        QCOMPARE(SaveAdressen(model, data, QStringLiteral("los.lst")).reason, refused);
        QCOMPARE(SaveAdressen(model, data, QStringLiteral("keten.lst")).reason, refused);
        // Through a folder link and "..": the file system takes the link first, so this ends outside.
        QVERIFY(QDir(elsewhere.path()).mkdir(QStringLiteral("binnen")));
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("binnen")), data + QStringLiteral("/sub")));
        QVERIFY(QFile::link(QStringLiteral("sub/../elders.lst"), data + QStringLiteral("/omweg.lst")));
        QCOMPARE(SaveAdressen(model, data, QStringLiteral("omweg.lst")).reason, refused);
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/elders.lst")));
        QCOMPARE(loadSettings(dir.path()), SavedSettings());
        QVERIFY(!writeSettings(dir.path(), {}).ok);
        QCOMPARE(read(outside), QByteArray("niet aanraken"));
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{QStringLiteral("doel.txt")});

        // Reading through a link stays allowed, and a link within the folder is written through.
        write(outside, "\"Piet\",\"a\",\"b\",\"c\",\"d\"\r\n");
        QVERIFY(LaadAdressen(model, data, QStringLiteral("buiten.lst")).ok);
        QCOMPARE(model.at(0).field(0), QStringLiteral("Piet"));
        write(data + QStringLiteral("/echt.lst"), "");
        QVERIFY(QFile::link(data + QStringLiteral("/echt.lst"), data + QStringLiteral("/ook.lst")));
        QVERIFY(SaveAdressen(model, data, QStringLiteral("ook.lst")).ok);
        QCOMPARE(read(data + QStringLiteral("/echt.lst")), QByteArray("\"Piet\",\"a\",\"b\",\"c\",\"d\"\r\n"));
    }

    void missingDataFolderThatCannotBeMade()
    {
        QTemporaryDir dir;
        write(dir.path() + QStringLiteral("/Data"), "een bestand, geen map");
        AddressListModel model;
        const FileResult result = SaveAdressen(model, dir.path() + QStringLiteral("/Data"), QStringLiteral("a.lst"));
        QVERIFY(!result.ok);
        QVERIFY(result.reason.startsWith(QStringLiteral("de map ")));
    }
};

QTEST_GUILESS_MAIN(TestListStorage)
#include "tst_liststorage.moc"
