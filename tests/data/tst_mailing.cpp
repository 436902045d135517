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

    // A household is a door: flats with another suffix are two, the
    // country's names are one, and an address needs a street to share one.
    void householdsAreDoors_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<bool>("together");
        const auto a = [](const char* adres, const char* postcode, const char* plaats, const char* land) {
            return QStringList{QString::fromUtf8(adres), QString::fromUtf8(postcode), QString::fromUtf8(plaats), QString::fromUtf8(land)};
        };
        QTest::newRow("80 A and 80 B") << a("Kanaalweg 80 A", "1234 AB", "Ede", "") << a("Kanaalweg 80 B", "1234 AB", "Ede", "") << false;
        QTest::newRow("80A, 80 a and 80-A") << a("Kanaalweg 80A", "1234 AB", "Ede", "") << a("kanaalweg 80-a", "1234AB", "Ede", "") << true;
        QTest::newRow("80 and 80 A") << a("Kanaalweg 80", "1234 AB", "Ede", "") << a("Kanaalweg 80 A", "1234 AB", "Ede", "") << false;
        QTest::newRow("8 and 80") << a("Kanaalweg 8", "1234 AB", "Ede", "") << a("Kanaalweg 80", "1234 AB", "Ede", "") << false;
        QTest::newRow("NL and Nederland") << a("Weg 1", "1234 AB", "Ede", "NL") << a("Weg 1", "1234 AB", "Ede", "Nederland") << true;
        QTest::newRow("Holland and empty") << a("Weg 1", "1234 AB", "Ede", "Holland") << a("Weg 1", "1234 AB", "Ede", "") << true;
        QTest::newRow("B and Belgique") << a("Rue 1", "1000", "Brussel", "B") << a("Rue 1", "1000", "Brussel", "Belgique") << true;
        QTest::newRow("D and Niederlande") << a("Weg 1", "1234", "X", "D") << a("Weg 1", "1234", "X", "Niederlande") << false;
        QTest::newRow("no postcode, two towns") << a("Kerkstraat 1", "", "Zwolle", "") << a("Kerkstraat 1", "", "Ede", "") << false;
        QTest::newRow("no postcode, one town") << a("Kerkstraat 1", "", "Zwolle", "") << a("kerkstraat  1", "", "ZWOLLE", "") << true;
        QTest::newRow("no street") << a("", "", "Zwolle", "") << a("", "", "Zwolle", "") << false;
        QTest::newRow("2e Helmersstraat") << a("2e Helmersstraat 12", "1054 DJ", "A", "") << a("2e Helmersstraat 12 hs", "1054 DJ", "A", "") << false;
        // Abroad a postcode covers a town: the street is part of the door.
        QTest::newRow("Gent, two streets") << a("Kerkstraat 12", "9000", "Gent", "België") << a("Veldstraat 12", "9000", "Gent", "BE") << false;
        QTest::newRow("Berlin, two streets") << a("Hauptstraße 5", "10115", "Berlin", "D") << a("Gartenweg 5", "10115", "Berlin", "DEU") << false;
        QTest::newRow("Gent, one door") << a("Kerkstraat 12", "9000", "Gent", "België") << a("kerkstraat 12", "9000", "Gent", "B") << true;
        // A box or flat number is the door's suffix, not its house number.
        QTest::newRow("bus 3 in two streets") << a("Kerkstraat 12 bus 3", "9000", "Gent", "B") << a("Veldstraat 40 bus 3", "9000", "Gent", "B") << false;
        QTest::newRow("app 3 at 12 and 14") << a("Kerkstraat 12 app 3", "1234 AB", "Ede", "") << a("Kerkstraat 14 app 3", "1234 AB", "Ede", "") << false;
        QTest::newRow("bus 1 and bus 2") << a("Meir 24 bus 1", "2000", "Antwerpen", "B") << a("Meir 24 bus 2", "2000", "Antwerpen", "B") << false;
        QTest::newRow("12-3 and 12-4") << a("Weg 12-3", "1234 AB", "Ede", "") << a("Weg 12-4", "1234 AB", "Ede", "") << false;
        QTest::newRow("12 III and 12 II") << a("Weg 12 III", "1234 AB", "Ede", "") << a("Weg 12 II", "1234 AB", "Ede", "") << false;
        QTest::newRow("bus 3 twice") << a("Meir 24 bus 3", "2000", "Antwerpen", "B") << a("Meir 24  Bus 3", "2000", "Antwerpen", "B") << true;
    }
    void householdsAreDoors()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(bool, together);
        const QList<AddressRecord> list{address(QStringLiteral("Jan Visser"), first[0], first[1], first[2], first[3]),
                                        address(QStringLiteral("Els Visser"), second[0], second[1], second[2], second[3])};
        QCOMPARE(householdLabels(list).labels.size(), together ? 1 : 2);
    }

    // Incomplete, or a postcode that does not fit its country (whatever its
    // name): each reason told. Countries the program does not know are not checked.
    void addressProblemsAreNamed_data()
    {
        QTest::addColumn<QString>("adres");
        QTest::addColumn<QString>("postcode");
        QTest::addColumn<QString>("land");
        QTest::addColumn<QStringList>("problems");
        const QString weg = QStringLiteral("Weg 1");
        QTest::newRow("Dutch") << weg << QStringLiteral("1000 AB") << QString() << QStringList();
        QTest::newRow("Dutch, no blank, small letters") << weg << QStringLiteral("1000ab") << QStringLiteral("NL") << QStringList();
        QTest::newRow("Dutch, starting with 0") << weg << QStringLiteral("0100 AB") << QStringLiteral("Holland")
                                                << QStringList{QStringLiteral("postcode 0100 AB past niet bij Nederland")};
        QTest::newRow("Dutch SS") << weg << QStringLiteral("1000 SS") << QString() << QStringList{QStringLiteral("postcode 1000 SS past niet bij Nederland")};
        QTest::newRow("Dutch, too short") << weg << QStringLiteral("9711") << QString() << QStringList{QStringLiteral("postcode 9711 past niet bij Nederland")};
        QTest::newRow("Belgian") << weg << QStringLiteral("9000") << QStringLiteral("B") << QStringList();
        QTest::newRow("Belgian with letters") << weg << QStringLiteral("9000 AB") << QStringLiteral("belgie")
                                              << QStringList{QStringLiteral("postcode 9000 AB past niet bij België")};
        QTest::newRow("German") << weg << QStringLiteral("01067") << QStringLiteral("Deutschland") << QStringList();
        QTest::newRow("German, four digits") << weg << QStringLiteral("1067") << QStringLiteral("D")
                                             << QStringList{QStringLiteral("postcode 1067 past niet bij Duitsland")};
        QTest::newRow("French, not checked") << weg << QStringLiteral("75001 XY") << QStringLiteral("Frankrijk") << QStringList();
        QTest::newRow("nothing but a name") << QString() << QStringLiteral("  ") << QStringLiteral("Frankrijk")
                                            << QStringList{QStringLiteral("geen straat"), QStringLiteral("geen postcode")};
    }
    void addressProblemsAreNamed()
    {
        QFETCH(QString, adres);
        QFETCH(QString, postcode);
        QFETCH(QString, land);
        QFETCH(QStringList, problems);
        QCOMPARE(addressProblems(address(QStringLiteral("Jan"), adres, postcode, QStringLiteral("Ede"), land)), problems);
        QCOMPARE(addressProblems(address(QStringLiteral("Jan"), QStringLiteral("Weg 1"), QStringLiteral("1000 AB"), QString())),
                 QStringList{QStringLiteral("geen woonplaats")});
    }
};

QTEST_GUILESS_MAIN(TestMailing)
#include "tst_mailing.moc"
