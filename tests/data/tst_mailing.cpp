// One label per household and the look at the addresses before a mailing.
#include "data/Mailing.h"

#include <QTest>

namespace {
AddressRecord address(const QString& naam, const QString& adres, const QString& postcode, const QString& plaats,
                      const QString& land = {})
{
    return AddressRecord{{naam, adres, postcode, plaats, land}};
}
}

class TestMailing : public QObject {
    Q_OBJECT
private slots:
    // One label a household, at its first member's place, with a joint name;
    // case and runs of blanks do not count, nor any blank in the postcode.
    void householdsShareALabel()
    {
        const QList<AddressRecord> list{
            address(QStringLiteral("Jan de Vries"), QStringLiteral("Kerkstraat 1"), QStringLiteral("1000 AB"), QStringLiteral("Ede")),
            address(QStringLiteral("Kees Bakker"), QStringLiteral("Laan 2"), QStringLiteral("2000 CD"), QStringLiteral("Ede")),
            address(QStringLiteral("Els  de Vries"), QStringLiteral("kerkstraat  1 "), QStringLiteral("1000ab"), QStringLiteral("EDE")),
            address(QStringLiteral("Anna Smit"), QStringLiteral("LAAN 2"), QStringLiteral("2000CD"), QStringLiteral("Ede")),
            address(QStringLiteral("Piet Jansen"), QStringLiteral("Laan 2"), QStringLiteral("2000 CD"), QStringLiteral("Ede"), QStringLiteral("België")),
            address(QStringLiteral("Ria de Vries"), QStringLiteral("Kerkstraat 1"), QStringLiteral("1000 AB"), QStringLiteral("Ede"))};
        const Households households = householdLabels(list);
        QStringList names;
        for (const AddressRecord& label : households.labels)
            names.append(label.field(AddressRecord::Naam));
        QCOMPARE(names, (QStringList{QStringLiteral("Fam. de Vries"), QStringLiteral("Kees Bakker en Anna Smit"),
                                     QStringLiteral("Piet Jansen")}));
        QCOMPARE(households.labels[0].field(AddressRecord::Adres), QStringLiteral("Kerkstraat 1"));
        QCOMPARE(households.joined, 2);
        QCOMPARE(households.jointNames, (QStringList{QStringLiteral("Fam. de Vries"), QStringLiteral("Kees Bakker en Anna Smit")}));
        QCOMPARE(jointName({QStringLiteral("Ans"), QStringLiteral("Bep"), QStringLiteral("Cor")}), QStringLiteral("Ans, Bep en Cor"));
        QCOMPARE(householdLabels({list[1]}).labels.first().field(AddressRecord::Naam), QStringLiteral("Kees Bakker"));
    }

    // Incomplete, or a postcode that does not fit its country: named before
    // anything prints. Countries the program does not know are not checked.
    void suspectAddressesAreFound_data()
    {
        QTest::addColumn<QString>("postcode");
        QTest::addColumn<QString>("land");
        QTest::addColumn<bool>("suspect");
        QTest::newRow("Dutch") << QStringLiteral("1000 AB") << QString() << false;
        QTest::newRow("Dutch, no blank, small letters") << QStringLiteral("1000ab") << QStringLiteral("NL") << false;
        QTest::newRow("Dutch, starting with 0") << QStringLiteral("0100 AB") << QStringLiteral("Nederland") << true;
        QTest::newRow("Dutch SS") << QStringLiteral("1000 SS") << QString() << true;
        QTest::newRow("Dutch, too short") << QStringLiteral("100 AB") << QString() << true;
        QTest::newRow("Belgian") << QStringLiteral("9000") << QStringLiteral("Belgique") << false;
        QTest::newRow("Belgian with letters") << QStringLiteral("9000 AB") << QStringLiteral("belgie") << true;
        QTest::newRow("German") << QStringLiteral("01067") << QStringLiteral("Deutschland") << false;
        QTest::newRow("German, four digits") << QStringLiteral("1067") << QStringLiteral("DE") << true;
        QTest::newRow("French, not checked") << QStringLiteral("75001 XY") << QStringLiteral("Frankrijk") << false;
        QTest::newRow("no postcode") << QStringLiteral("  ") << QStringLiteral("Frankrijk") << true;
    }
    void suspectAddressesAreFound()
    {
        QFETCH(QString, postcode);
        QFETCH(QString, land);
        QFETCH(bool, suspect);
        const Suspects found = suspectAddresses({address(QStringLiteral("Jan"), QStringLiteral("Weg 1"), postcode, QStringLiteral("Ede"), land)});
        QCOMPARE(found.count, suspect ? 1 : 0);
        QCOMPARE(found.names, suspect ? QStringList{QStringLiteral("Jan")} : QStringList());
        const Suspects noTown = suspectAddresses({address(QStringLiteral("Jan"), QStringLiteral("Weg 1"), QStringLiteral("1000 AB"), QString())});
        QCOMPARE(noTown.count, 1);
    }
};

QTEST_GUILESS_MAIN(TestMailing)
#include "tst_mailing.moc"
