// The open list without a window: its file's stamp, what changed on disk,
// and the recovery copy of unsaved work.
#include "app/HomeFolder.h"
#include "data/OpenList.h"

#include <QDir>
#include <functional>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray TwoAddresses = "\"Jan\",\"Weg 1\",\"1000 AA\",\"Ede\",\"Nederland\"\r\n"
                                "\"Piet\",\"Weg 2\",\"2000 BB\",\"Ede\",\"Nederland\"\r\n";
const QByteArray JanAlone = "\"Jan\",\"Weg 1\",\"1000 AA\",\"Ede\",\"Nederland\"\r\n";

struct Folder {
    QTemporaryDir dir;
    Folder() { QDir(dir.path()).mkpath(QStringLiteral("Data")); }
    QString list(const QString& name = QStringLiteral("a.lst")) const { return Home::dataFolder(dir.path()) + QLatin1Char('/') + name; }
    QString copy(const QString& name = QStringLiteral("a.lst")) const
    {
        return Home::recoveryFolder(dir.path()) + QLatin1Char('/') + name;
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    static void setDate(const QString& path, const QDateTime& date)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(date, QFileDevice::FileModificationTime));
    }
    // A file past the size the program reads, without taking the disk.
    static void writeHuge(const QString& path)
    {
        QFile::remove(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize((qint64(1) << 31) + 1));
    }
};

}

class TestOpenList : public QObject {
    Q_OBJECT
private slots:
    // The list's verbs, each a step: taken, undone and redone in turn; back
    // at the opened rows the list is unmodified again.
    void verbsAreStepsThatCanBeUndone()
    {
        Folder folder;
        Folder::write(folder.list(), TwoAddresses);
        OpenList list(folder.dir.path());
        QVERIFY(list.open(QStringLiteral("a.lst")).ok);
        const auto names = [&] {
            QStringList shown;
            for (const AddressRecord& row : list.model().records())
                shown.append(row.field(AddressRecord::Naam));
            return shown.join(u' ');
        };
        const AddressRecord kees{{QStringLiteral("Kees"), QStringLiteral("Weg 3"), {}, QStringLiteral("Ede"), {}}};
        const QList<std::pair<std::function<void()>, QString>> steps{
            {[&] { list.add(kees); }, QStringLiteral("Jan Piet Kees")},
            {[&] { list.setField(0, AddressRecord::Naam, QStringLiteral("Johan")); }, QStringLiteral("Johan Piet Kees")},
            {[&] { list.remove({1}); }, QStringLiteral("Johan Kees")},
            {[&] { list.append({kees, kees}); }, QStringLiteral("Johan Kees Kees Kees")},
            {[&] { list.reorder({3, 2, 1, 0}); }, QStringLiteral("Kees Kees Kees Johan")}};
        QStringList before{names()};
        for (const auto& [take, after] : steps) {
            take();
            QCOMPARE(names(), after);
            QVERIFY(list.isModified());
            before.append(after);
        }
        for (qsizetype i = before.size() - 2; i >= 0; --i) {
            QVERIFY(list.undo());
            QCOMPARE(names(), before[i]);
        }
        QVERIFY(!list.isModified());
        QVERIFY(!list.undo());
        QVERIFY(list.redo());
        QCOMPARE(names(), before[1]);
    }

    // Changes are judged by the bytes: a new date alone is none, the same size
    // and date with other bytes is one, a deleted file is one.
    void outsideChangesAreSeenByTheirBytes()
    {
        Folder f;
        Folder::write(f.list(), TwoAddresses);
        OpenList list(f.dir.path());
        QVERIFY(list.open(QStringLiteral("a.lst")).ok);
        QCOMPARE(list.onDisk(), OpenList::OnDisk::Unchanged);
        const QDateTime date = QFileInfo(f.list()).lastModified();
        Folder::setDate(f.list(), date.addSecs(60));
        QCOMPARE(list.onDisk(), OpenList::OnDisk::Unchanged);
        QByteArray other = TwoAddresses;
        other.replace("Piet", "Paul");
        Folder::write(f.list(), other);
        Folder::setDate(f.list(), date);
        QCOMPARE(list.onDisk(), OpenList::OnDisk::Changed);
        QFile::remove(f.list());
        QCOMPARE(list.onDisk(), OpenList::OnDisk::Gone);
    }

    // An unchanged list follows its file; one that cannot be read is told
    // once for that change, keeps its rows, and the next save sees the change.
    void unreadableReplacementIsToldOnce()
    {
        Folder f;
        Folder::write(f.list(), TwoAddresses);
        OpenList list(f.dir.path());
        QVERIFY(list.open(QStringLiteral("a.lst")).ok);
        Folder::write(f.list(), JanAlone);
        std::optional<FileResult> read = list.take(list.reread());
        QVERIFY(read && read->ok);
        QCOMPARE(list.model().count(), 1);

        Folder::writeHuge(f.list());
        read = list.take(list.reread());
        QVERIFY(read && !read->ok);
        QCOMPARE(read->notice, QStringLiteral("De lijst a.lst is te groot om te openen (2.049 MB)."));
        QVERIFY(!list.take(list.reread()));
        QCOMPARE(list.model().count(), 1);
        QVERIFY(!list.isModified());
        QCOMPARE(list.onDisk(), OpenList::OnDisk::Changed);
        Folder::write(f.list(), TwoAddresses);
        QCOMPARE(list.take(list.reread())->ok, true);
        QCOMPARE(list.model().count(), 2);
    }

    // The copy is written a moment after a change and kept while the list has
    // unsaved changes; after a crash it is offered when its rows are not the
    // file's, whatever the dates say, and stays until they are saved.
    void recoveryCopyIsJudgedByItsRows()
    {
        Folder f;
        Folder::write(f.list(), TwoAddresses);
        {
            OpenList list(f.dir.path());
            QVERIFY(list.open(QStringLiteral("a.lst")).ok);
            list.remove({1});
            QTRY_COMPARE_WITH_TIMEOUT(Folder::read(f.copy()), JanAlone, 4000);
        } // the program ends without saving
        // A sync tool writes the same bytes again through a new file.
        Folder::write(f.list() + QStringLiteral(".tmp"), TwoAddresses);
        QFile::remove(f.list());
        QVERIFY(QFile::rename(f.list() + QStringLiteral(".tmp"), f.list()));
        Folder::setDate(f.list(), QDateTime::currentDateTime().addSecs(120));

        OpenList again(f.dir.path());
        QCOMPARE(again.recoveryNames(), QStringList{QStringLiteral("a.lst")});
        QVERIFY(again.open(QStringLiteral("a.lst")).ok);
        QTest::qWait(2500); // what a question's own event loop would run meanwhile
        const std::optional<OpenList::Recovery> found = again.recovery(QStringLiteral("a.lst"));
        QVERIFY(found);
        QCOMPARE(found->rows.size(), 1);
        QVERIFY(found->listWrittenSince);
        QCOMPARE(Folder::read(f.copy()), JanAlone);
        again.restore(*found);
        QVERIFY(again.isModified());
        QTest::qWait(2500);
        QCOMPARE(Folder::read(f.copy()), JanAlone);
        QSignalSpy saved(&again, &OpenList::saved);
        QVERIFY(again.save().ok);
        QCOMPARE(saved.size(), 1);
        QTRY_VERIFY(!QFile::exists(f.copy()));

        // A copy of the rows as saved holds no work: it goes without a question.
        Folder::write(f.copy(), JanAlone);
        QVERIFY(!again.recovery(QStringLiteral("a.lst")));
        QTRY_VERIFY(!QFile::exists(f.copy()));
    }

    // A copy is read as an opened list is read: what it lacks is said.
    void damagedCopiesAreTold_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("notice");
        QTest::newRow("torn in its last address")
            << QByteArray(JanAlone + "\"Piet\",\"We") << 1
            << QStringLiteral("De lijst a.lst (herstelkopie) eindigt midden in een adres; dat laatste adres kon niet worden gelezen.");
        QTest::newRow("random bytes") << QByteArray("\x01\x02\xff\xfe", 4) << 0
                                      << QStringLiteral("In de lijst a.lst (herstelkopie) zijn geen adressen gevonden.");
        QTest::newRow("empty") << QByteArray() << 0 << QStringLiteral("De herstelkopie van de lijst a.lst is leeg.");
        QTest::newRow("a quote in an unquoted field")
            << QByteArray("\"Jan\",Weg \"1\",\"1000 AA\",\"Ede\",\"Nederland\"\r\n") << 1
            << QStringLiteral("In de lijst a.lst (herstelkopie) heeft adres 1 (Jan) een aanhalingsteken (\") dat niet kan "
                              "worden opgeslagen. Verander dat adres voordat je de lijst opslaat.");
    }
    void damagedCopiesAreTold()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rows);
        QFETCH(QString, notice);
        Folder f;
        Folder::write(f.list(), TwoAddresses);
        Folder::write(f.copy(), bytes);
        OpenList list(f.dir.path());
        const std::optional<OpenList::Recovery> found = list.recovery(QStringLiteral("a.lst"));
        QVERIFY(found && found->readable);
        QCOMPARE(found->rows.size(), rows);
        QCOMPARE(found->notice, notice);
        QVERIFY(QFile::exists(f.copy()));

        Folder::writeHuge(f.copy());
        const std::optional<OpenList::Recovery> huge = list.recovery(QStringLiteral("a.lst"));
        QVERIFY(huge && !huge->readable);
        QCOMPARE(huge->notice, QStringLiteral("De lijst a.lst (herstelkopie) is te groot om te openen (2.049 MB)."));
    }

    // Where no copy can be written, that is said once a list.
    void unwritableRecoveryFolderIsToldOnce()
    {
        Folder f;
        Folder::write(f.list(), TwoAddresses);
        Folder::write(Home::recoveryFolder(f.dir.path()), "a file where the folder belongs");
        OpenList list(f.dir.path());
        QSignalSpy failed(&list, &OpenList::recoveryFailed);
        QVERIFY(list.open(QStringLiteral("a.lst")).ok);
        list.remove({0});
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 4000);
        list.remove({0});
        QTest::qWait(2500);
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed.first().first().toString().startsWith(QStringLiteral("de map ")));
    }
};

QTEST_GUILESS_MAIN(TestOpenList)
#include "tst_openlist.moc"
