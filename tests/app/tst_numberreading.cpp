#include "app/NumberReading.h"

#include <QTest>
#include <cmath>

class TestNumberReading : public QObject {
    Q_OBJECT
private slots:
    void readsLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << QStringLiteral("12") << 12.0;
        QTest::newRow("with unit") << QStringLiteral("3 mm") << 3.0;
        QTest::newRow("letters after") << QStringLiteral("3abc") << 3.0;
        QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("fraction") << QStringLiteral("1.5") << 1.5;
        QTest::newRow("comma stops") << QStringLiteral("1,5") << 1.0;
        QTest::newRow("negative") << QStringLiteral("-2") << -2.0;
        QTest::newRow("blanks inside") << QStringLiteral(" 1 2\t.\n5") << 12.5;
        QTest::newRow("exponent") << QStringLiteral("1.5E2") << 150.0;
        QTest::newRow("D exponent") << QStringLiteral("2d-1") << 0.2;
        QTest::newRow("bare exponent") << QStringLiteral("7E") << 7.0;
        QTest::newRow("hex") << QStringLiteral("&HFF") << 255.0;
        QTest::newRow("hex big") << QStringLiteral("&H7FFFFFFF") << 2147483647.0;
        QTest::newRow("octal") << QStringLiteral("&o17") << 15.0;
        QTest::newRow("only dot") << QStringLiteral(".") << 0.0;
        QTest::newRow("leading dot") << QStringLiteral(".25") << 0.25;
    }
    void readsLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(readNumber(text), value);
    }

    void hugeExponentIsInfinite()
    {
        QVERIFY(std::isinf(readNumber(QStringLiteral("1E400"))));
        QVERIFY(std::isinf(readNumber(QStringLiteral("1E99999999999999"))));
        QCOMPARE(readNumber(QStringLiteral("1E-400")), 0.0);
    }

    void roundsHalfToEven()
    {
        QCOMPARE(roundHalfEven(9.5), 10.0);
        QCOMPARE(roundHalfEven(10.5), 10.0);
        QCOMPARE(roundHalfEven(11.5), 12.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        QCOMPARE(roundHalfEven(2.6), 3.0);
    }
};

QTEST_GUILESS_MAIN(TestNumberReading)
#include "tst_numberreading.moc"
