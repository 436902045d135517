#include "data/SettingsFile.h"
#include "ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(SavedSettings)

namespace {
QByteArray fileBytes(const QString& folder)
{
    QFile file(settingsPath(folder));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
void writeBytes(const QString& folder, const QByteArray& bytes)
{
    QFile file(settingsPath(folder));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
const QByteArray Defaults = "\"Plaklabels\"\r\n\"----------------------------\"\r\n0,0,0,0\r\n10\r\n";
}

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void firstRunWritesDefaults()
    {
        QTemporaryDir dir;
        QCOMPARE(loadSettings(dir.path()), SavedSettings());
        QCOMPARE(fileBytes(dir.path()), Defaults);
    }

    void readsAndWritesAllValues()
    {
        QTemporaryDir dir;
        const SavedSettings settings{{-60, 120, 600, -600}, 12, {}, false};
        QVERIFY(writeSettings(dir.path(), settings).ok);
        QCOMPARE(fileBytes(dir.path()),
                 QByteArray("\"Plaklabels\"\r\n\"----------------------------\"\r\n-60,120,600,-600\r\n12\r\n"));
        QCOMPARE(loadSettings(dir.path()), settings);
    }

    // Each printer keeps its offsets, and the label its next sheet starts at,
    // on a line of its own after the four; "PDF-bestand" keeps line 3. One
    // label per household is a line too. A later program's extra fields are passed over.
    void everyPrinterKeepsItsOwn()
    {
        QTemporaryDir dir;
        SavedSettings settings{{-60, 120, 600, -600}, 12, {}, true};
        settings.setMarginsFor(QStringLiteral("Laser"), {-114, -57, 0, -57});
        settings.setMarginsFor(QStringLiteral("kantoor/dubbel"), {60, 0, 0, 0});
        settings.setMarginsFor(QStringLiteral("Thuis"), {});
        settings.setNextLabel(QStringLiteral("Thuis"), 8);
        settings.setNextLabel(PdfPrinterName, 4);
        settings.setNextLabel(QStringLiteral("Laser"), 1);
        // Names Windows-1252 cannot spell, and quotes, commas and percent signs, as UTF-8 bytes in %XX.
        settings.setMarginsFor(QStringLiteral("naam \"met\" quotes, 100%"), {6, 6, 6, 6});
        settings.setMarginsFor(QStringLiteral("Принтер"), {1, 2, 3, 4});
        settings.setNextLabel(QStringLiteral("Drukker-日本"), 5);
        settings.setMarginsFor(QStringLiteral("Café"), {7, 7, 7, 7});
        QVERIFY(writeSettings(dir.path(), settings).ok);
        const QByteArray bytes = "\"Plaklabels\"\r\n\"----------------------------\"\r\n-60,120,600,-600\r\n12\r\n"
                                 "\"Caf\xE9\",7,7,7,7\r\n\"Drukker-%E6%97%A5%E6%9C%AC\",0,0,0,0,5\r\n"
                                 "\"Laser\",-114,-57,0,-57\r\n\"PDF-bestand\",-60,120,600,-600,4\r\n\"Thuis\",0,0,0,0,8\r\n"
                                 "\"kantoor/dubbel\",60,0,0,0\r\n\"naam %22met%22 quotes%2C 100%25\",6,6,6,6\r\n"
                                 "\"%D0%9F%D1%80%D0%B8%D0%BD%D1%82%D0%B5%D1%80\",1,2,3,4\r\n\"Huishoudens\",1\r\n";
        QCOMPARE(fileBytes(dir.path()), bytes);
        QCOMPARE(loadSettings(dir.path()), settings);
        QCOMPARE(settings.marginsFor(PdfPrinterName), (MarginSettings{-60, 120, 600, -600}));
        QCOMPARE(settings.marginsFor(QStringLiteral("Thuis")), MarginSettings());
        QCOMPARE(settings.nextLabelFor(QStringLiteral("Laser")), 1);

        writeBytes(dir.path(), Defaults + "\"Laser\",1,2,3,4,7,x\r\n\"PDF-bestand\",9,9,9,9\r\nLaser,x\r\n\"Oud\",5,5\r\n\"Nieuw\",0,0,0,0,99\r\n"
                                          "Na\"am,1,2,3,4\r\n");
        SavedSettings expected;
        expected.setMarginsFor(QStringLiteral("Laser"), {1, 2, 3, 4});
        expected.setNextLabel(QStringLiteral("Laser"), 7);
        expected.setMarginsFor(QStringLiteral("Na\"am"), {1, 2, 3, 4});
        QCOMPARE(loadSettings(dir.path()), expected);
    }

    void ignoresBannerAndWhatFollows()
    {
        QTemporaryDir dir;
        const QByteArray bytes = "anything at all\r\n\"- -\"\r\n1,2,3,4\r\n9\r\nextra,lines\r\n";
        writeBytes(dir.path(), bytes);
        QCOMPARE(loadSettings(dir.path()), (SavedSettings{{1, 2, 3, 4}, 9, {}, false}));
        QCOMPARE(fileBytes(dir.path()), bytes); // a complete file is left alone
    }

    void shortFileKeepsWhatWasReadAndIsRewritten()
    {
        QTemporaryDir dir;
        writeBytes(dir.path(), "\"x\"\r\n\"y\"\r\n60,-120,0,180\r\n");
        QCOMPARE(loadSettings(dir.path()), (SavedSettings{{60, -120, 0, 180}, 10, {}, false}));
        QCOMPARE(fileBytes(dir.path()),
                 QByteArray("\"Plaklabels\"\r\n\"----------------------------\"\r\n60,-120,0,180\r\n10\r\n"));
    }

    void notANumberIsAReadFailure_data()
    {
        QTest::addColumn<QByteArray>("line3and4");
        QTest::addColumn<SavedSettings>("expected");
        QTest::newRow("text") << QByteArray("60,abc,0,0\r\n12\r\n") << SavedSettings{{60, 0, 0, 0}, 12, {}, false};
        QTest::newRow("the others kept") << QByteArray("12,13,abc,15\r\n9\r\n") << SavedSettings{{12, 13, 0, 15}, 9, {}, false};
        QTest::newRow("fraction") << QByteArray("60,1.5,0,0\r\n12\r\n") << SavedSettings{{60, 0, 0, 0}, 12, {}, false};
        QTest::newRow("beyond 32 bits") << QByteArray("60,120,3000000000,0\r\n12\r\n") << SavedSettings{{60, 120, 0, 0}, 12, {}, false};
        QTest::newRow("beyond 16 bits") << QByteArray("1,2,3,4\r\n40000\r\n") << SavedSettings{{1, 2, 3, 4}, 10, {}, false};
        QTest::newRow("empty") << QByteArray("1,,3,4\r\n12\r\n") << SavedSettings{{1, 0, 3, 4}, 12, {}, false};
        QTest::newRow("font size 0") << QByteArray("1,2,3,4\r\n0\r\n") << SavedSettings{{1, 2, 3, 4}, 10, {}, false};
        QTest::newRow("font size -5") << QByteArray("1,2,3,4\r\n-5\r\n") << SavedSettings{{1, 2, 3, 4}, 10, {}, false};
        QTest::newRow("font size 32767") << QByteArray("1,2,3,4\r\n32767\r\n") << SavedSettings{{1, 2, 3, 4}, 10, {}, false};
    }
    void notANumberIsAReadFailure()
    {
        QFETCH(QByteArray, line3and4);
        QFETCH(SavedSettings, expected);
        QTemporaryDir dir;
        writeBytes(dir.path(), "\"Plaklabels\"\r\n\"---\"\r\n" + line3and4);
        QCOMPARE(loadSettings(dir.path()), expected);
        QCOMPARE(parseSettings(fileBytes(dir.path())).values, expected);
    }

    void garbageFileGivesDefaults()
    {
        QTemporaryDir dir;
        writeBytes(dir.path(), QByteArray("\x00\xff\x81\"\r\n\x01", 7));
        QCOMPARE(loadSettings(dir.path()), SavedSettings());
        QCOMPARE(fileBytes(dir.path()), Defaults);
    }
    void fullDiskAtCloseKeepsOldFile()
    {
        QTemporaryDir dir;
        writeBytes(dir.path(), Defaults);
        const QByteArray answer = runWithFileSizeLimit(20, [&] {
            return writeSettings(dir.path(), SavedSettings{{-60, 120, 600, -600}, 12, {}, false}).reason.toUtf8();
        });
        QCOMPARE(answer, QByteArray("het schrijven is mislukt (is de schijf vol?)."));
        QCOMPARE(fileBytes(dir.path()), Defaults);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Plaklabels.ini")});
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
