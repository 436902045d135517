#include "data/AddressListFile.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
AddressRecord rec(const QString& a, const QString& b, const QString& c, const QString& d, const QString& e)
{
    return AddressRecord{{a, b, c, d, e}};
}
}

class TestAddressListFile : public QObject {
    Q_OBJECT
private slots:
    void writesExactBytes()
    {
        const QList<AddressRecord> list = {
            rec(QStringLiteral("Jan, de Vries"), QStringLiteral(" Kerkstraat 1 "), QString(), QStringLiteral("Zwolle"),
                QStringLiteral("Nederland")),
            rec(QStringLiteral("Renée"), QStringLiteral("€ 5"), QStringLiteral("1000"), QStringLiteral("Brussel"),
                QStringLiteral("België"))};
        QCOMPARE(*encodeAddressList(list),
                 QByteArray("\"Jan, de Vries\",\" Kerkstraat 1 \",\"\",\"Zwolle\",\"Nederland\"\r\n"
                            "\"Ren\xe9" "e\",\"\x80 5\",\"1000\",\"Brussel\",\"Belgi\xeb\"\r\n"));
        QCOMPARE(*encodeAddressList({}), QByteArray());
    }

    void readsWhatItWrites()
    {
        const QList<AddressRecord> list = {
            rec(QStringLiteral(" Piet "), QStringLiteral("a,b"), QStringLiteral("  "), QStringLiteral("x\r\ny"),
                QStringLiteral("Ærø ©")),
            rec(QStringLiteral("Œuvre"), QString(), QString(), QString(), QString())};
        const QByteArray bytes = *encodeAddressList(list);
        const ParsedList parsed = parseAddressList(bytes);
        QVERIFY(parsed.complete);
        QCOMPARE(parsed.records, list);
        QCOMPARE(*encodeAddressList(parsed.records), bytes);

        // Every byte but the quote comes back as it was, the five that
        // Windows-1252 leaves undefined included.
        QByteArray everyByte;
        for (int b = 0; b < 256; ++b)
            if (b != '"')
                everyByte.append(char(b));
        const QByteArray line = "\"x" + everyByte + "\",\"" + everyByte + "\",\"\",\"\",\"\"\r\n";
        const ParsedList all = parseAddressList(line);
        QCOMPARE(all.records.size(), 1);
        QCOMPARE(all.records[0].field(AddressRecord::Adres).at(0x81 - 1), QChar(0x81));
        QCOMPARE(all.records[0].field(AddressRecord::Adres).at(0x80 - 1), QChar(0x20AC));
        QVERIFY(encodeAddressList(all.records));
        QCOMPARE(*encodeAddressList(all.records), line);
        QCOMPARE(encodeAddressList({rec(QStringLiteral("Łódź"), {}, {}, {}, {})}), std::nullopt);
        QCOMPARE(encodeAddressList({rec(QStringLiteral("a\"b"), {}, {}, {}, {})}), std::nullopt);
    }

    void readsLeniently_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::newRow("unquoted") << QByteArray("Jan,Kerkstraat 1,1234 AB,Zwolle,Nederland\r\n") << 1;
        QTest::newRow("spaces around") << QByteArray("  Jan  ,  \"Kerkstraat 1\"  ,1234 AB ,Zwolle,Nederland\r\n") << 1;
        QTest::newRow("lone LF") << QByteArray("Jan,Kerkstraat 1,1234 AB,Zwolle,Nederland\nPiet,a,b,c,d\n") << 2;
        QTest::newRow("lone CR") << QByteArray("Jan,Kerkstraat 1,1234 AB,Zwolle,Nederland\rPiet,a,b,c,d\r") << 2;
        QTest::newRow("across lines") << QByteArray("Jan,Kerkstraat 1\r\n1234 AB\r\nZwolle,Nederland\r\n") << 1;
        QTest::newRow("no final line end") << QByteArray("Jan,Kerkstraat 1,1234 AB,Zwolle,Nederland") << 1;
        QTest::newRow("junk after quote") << QByteArray("\"Jan\"x,\"Kerkstraat 1\" y,1234 AB,Zwolle,Nederland\r\n") << 1;
    }
    void readsLeniently()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        const ParsedList parsed = parseAddressList(bytes);
        QVERIFY(parsed.complete);
        QCOMPARE(parsed.records.size(), records);
        QCOMPARE(parsed.records.first(), rec(QStringLiteral("Jan"), QStringLiteral("Kerkstraat 1"),
                                             QStringLiteral("1234 AB"), QStringLiteral("Zwolle"),
                                             QStringLiteral("Nederland")));
    }

    void dropsBlankNamesAndKeepsSpaces()
    {
        const ParsedList parsed = parseAddressList(
            "\"\",\"a\",\"b\",\"c\",\"d\"\r\n\"   \",\"a\",\"b\",\"c\",\"d\"\r\n\" Ans \",\"a\",\"b\",\"c\",\"d\"\r\n");
        QCOMPARE(parsed.records.size(), 1);
        QCOMPARE(parsed.records[0].field(AddressRecord::Naam), QStringLiteral(" Ans "));

        // Only spaces make a name blank: a tab or a no-break space stays, and saves back unchanged.
        const QByteArray kept("\"\t\",\"a\",\"b\",\"c\",\"d\"\r\n\"\xa0\",\"a\",\"b\",\"c\",\"d\"\r\n");
        QCOMPARE(parseAddressList(kept).records.size(), 2);
        QCOMPARE(*encodeAddressList(parseAddressList(kept).records), kept);
    }

    void keepsCompleteRecordsOfTruncatedFile()
    {
        ParsedList parsed = parseAddressList("\"Jan\",\"a\",\"b\",\"c\",\"d\"\r\n\"Piet\",\"a\",\"b\"");
        QVERIFY(!parsed.complete);
        QCOMPARE(parsed.records.size(), 1);
        parsed = parseAddressList("\"Jan\",\"a\",\"b\",\"c\",\"d\"\r\n\"Piet\",\"a\",\"b\",\"c\",\"d");
        QVERIFY(!parsed.complete);
        QCOMPARE(parsed.records.size(), 1);
        QCOMPARE(parseAddressList(QByteArray()).records.size(), 0);
    }

    void survivesBadInput()
    {
        QByteArray noise(200000, 0);
        QRandomGenerator random(42);
        for (char& c : noise)
            c = char(random.bounded(256));
        parseAddressList(noise);
        const QByteArray bigField = "\"" + QByteArray(1 << 20, 'x') + "\",a,b,c,d\r\n";
        const ParsedList parsed = parseAddressList(bigField);
        QCOMPARE(parsed.records.size(), 1);
        QCOMPARE(parsed.records[0].field(0).size(), 1 << 20);
    }

    void findsWhatCannotBeStored()
    {
        QVERIFY(!findUnstorableChar(QStringLiteral("Œuvre € ß ÿ ,\r\n")));
        QCOMPARE(findUnstorableChar(QStringLiteral("Łódź"))->character, QStringLiteral("Ł"));
        QCOMPARE(findUnstorableChar(QStringLiteral("ab\"c"))->position, 2);
        QCOMPARE(findUnstorableChar(QStringLiteral("hi 😀"))->character, QStringLiteral("😀"));
        const QList<AddressRecord> list = {rec(QStringLiteral("Jan"), QStringLiteral("a"), QStringLiteral("b"),
                                               QStringLiteral("Kraków"), QStringLiteral("d")),
                                           rec(QStringLiteral("Ola"), QStringLiteral("a"), QStringLiteral("b"),
                                               QStringLiteral("Łódź"), QStringLiteral("d"))};
        QCOMPARE(*unstorableReason(list),
                 QStringLiteral("het teken Ł in Woonplaats van adres 2 (Ola) kan niet in het bestand worden opgeslagen."));
    }

    // The nearest letter the list can spell: an accent dropped or the one it
    // has, a small table, plain typographic marks; nothing for what has none.
    void standInsForWhatCannotBeStored_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("standIn");
        QTest::newRow("Turkish") << QStringLiteral("Ayşe Yılmaz, Erdoğan") << QStringLiteral("Ayse Yilmaz, Erdogan");
        QTest::newRow("Polish") << QStringLiteral("Łódź, Gdańsk, Żywiec, Pięć") << QStringLiteral("Lódz, Gdansk, Zywiec, Piec");
        QTest::newRow("Czech") << QStringLiteral("Dvořák, Čapek") << QStringLiteral("Dvorák, Capek");
        QTest::newRow("Hungarian: the accent it has") << QStringLiteral("Erdős, Győr, Műegyetem") << QStringLiteral("Erdös, Györ, Müegyetem");
        QTest::newRow("Romanian") << QStringLiteral("Ștefan Țară, Brașov") << QStringLiteral("Stefan Tara, Brasov");
        QTest::newRow("table") << QStringLiteral("ı ł Ł đ Đ ħ") << QStringLiteral("i l L d D h");
        QTest::newRow("typographic marks") << QStringLiteral("Jan\u2011Piet 3\u2009a") << QStringLiteral("Jan-Piet 3 a");
        QTest::newRow("already storable") << QStringLiteral("Renée Œuvre € \"x\"") << QStringLiteral("Renée Œuvre € \"x\"");
        QTest::newRow("no stand-in") << QStringLiteral("北京 😀") << QStringLiteral("北京 😀");
        QTest::newRow("accent typed apart") << QStringLiteral("Jose\u0301 Zoe\u0308") << QStringLiteral("José Zoë");
        QTest::newRow("ligature, wide and styled letters") << QStringLiteral("\uFB01ets \uFF2A\uFF41\uFF4E \U0001D400")
                                                           << QStringLiteral("fiets Jan A");
        QTest::newRow("zero-width marks") << QStringLiteral("Jan\u200B\u200D\uFEFF Piet") << QStringLiteral("Jan Piet");
    }
    void standInsForWhatCannotBeStored()
    {
        QFETCH(QString, text);
        QFETCH(QString, standIn);
        QCOMPARE(withStandIns(text), standIn);
    }
};

QTEST_GUILESS_MAIN(TestAddressListFile)
#include "tst_addresslistfile.moc"
