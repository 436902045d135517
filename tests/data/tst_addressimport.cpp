#include "ChildProcess.h"
#include "data/AddressImport.h"
#include "data/Duplicates.h"
#include "data/ZipReader.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray testFileBytes(const QString& name)
{
    QFile file(QStringLiteral(TEST_DATA_DIR "/import/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(name));
    return file.readAll();
}

ImportResult importTestFile(const QString& name) { return importFile(name, testFileBytes(name)); }

using Fields = QStringList;

Fields fieldsOf(const AddressRecord& record)
{
    Fields fields;
    for (int f = 0; f < AddressRecord::FieldCount; ++f)
        fields.append(record.field(f));
    return fields;
}

QList<Fields> addresses(const ImportResult& result)
{
    QList<Fields> all;
    for (const AddressRecord& record : result.addresses)
        all.append(fieldsOf(record));
    return all;
}

Fields f(const char* naam, const char* adres, const char* postcode, const char* woonplaats, const char* land)
{
    return {QString::fromUtf8(naam), QString::fromUtf8(adres), QString::fromUtf8(postcode), QString::fromUtf8(woonplaats),
            QString::fromUtf8(land)};
}

}

Q_DECLARE_METATYPE(QList<Fields>)

class TestAddressImport : public QObject {
    Q_OBJECT
private slots:
    // Files as the common programs write them, each checked field by field.
    void filesOfOtherPrograms_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<Fields>>("expected");
        QTest::addColumn<QStringList>("reasons");
        QTest::newRow("Calc, semicolons, Windows-1252")
            << QStringLiteral("calc-leden.csv")
            << QList<Fields>{f("Renée van der Berg", "Kerkstraat 12", "1234 AB", "Zwolle", "Nederland"),
                             f("Jan Smit", "Dorpsweg; achter 3a", "5611 EM", "Eindhoven", "Nederland"),
                             f("François Peeters", "Grote Markt 1", "2000", "Antwerpen", "België")}
            << QStringList{QStringLiteral("regel 4: geen naam"),
                           QStringLiteral("regel 5: het teken \" kan niet in de lijst worden opgeslagen")};
        QTest::newRow("Excel Unicode text")
            << QStringLiteral("excel-unicode.txt")
            << QList<Fields>{f("Sanne Visser", "Stationsplein 7", "9711 LV", "Groningen", "Nederland"),
                             f("Lukasz Nowak", "Ul. Dluga 1", "00-001", "Warszawa", "Polen"),
                             f("Henk Smit", "Zeedijk 88", "1012 AX", "Amsterdam", "Nederland")}
            << QStringList();
        QTest::newRow("Outlook contacts")
            << QStringLiteral("outlook-contacts.csv")
            << QList<Fields>{f("Marieke Janssen", "Dorpsweg 3a", "5611 EM", "Eindhoven", "Nederland")} << QStringList();
        QTest::newRow("Google contacts")
            << QStringLiteral("google-contacts.csv")
            << QList<Fields>{f("Daan de Vries", "Oude Gracht 210", "3511 NR", "Utrecht", "Nederland")} << QStringList();
        QTest::newRow("Thunderbird address book")
            << QStringLiteral("thunderbird.csv")
            << QList<Fields>{f("Lotte Mulder", "Molenlaan 45", "3011 BD", "Rotterdam", "Nederland")} << QStringList();
        QTest::newRow("vCard 2.1, quoted-printable")
            << QStringLiteral("contacten-21.vcf")
            << QList<Fields>{f("Renée Peeters", "Grote Markt 1 achterhuis", "2000", "Antwerpen", "België")}
            << QStringList{QStringLiteral("regel 10: geen postadres (Alleen Telefoon)")};
        QTest::newRow("vCard 3.0, folding and escapes")
            << QStringLiteral("contacten-30.vcf")
            << QList<Fields>{f("Fleur van den Berg", "Oude Gracht 210, achter Bus 3", "3511 NR", "Utrecht", "Nederland")}
            << QStringList();
        QTest::newRow("vCard 4.0")
            << QStringLiteral("contacten-40.vcf")
            << QList<Fields>{f("Bram Jansen", "Stationsplein 7", "9711 LV", "Groningen", "Nederland"),
                             f("Sanne ; Co", "Laan 1 bis", "9401 AA", "Assen", "Nederland")}
            << QStringList();
        QTest::newRow("vCard 4.0, quoted parameters with : ; ,")
            << QStringLiteral("contacten-40-aanhalingstekens.vcf")
            << QList<Fields>{f("Sherlock Holmes", "Baker Street 221b", "NW1 6XE", "London", "United Kingdom")} << QStringList();
        QTest::newRow("Outlook in Dutch, a row ending early, a row without address")
            << QStringLiteral("outlook-nl.csv")
            << QList<Fields>{f("Anke van Dijk", "Lindelaan 4", "2012 AB", "Haarlem", "Nederland"),
                             f("Kees Bakker", "Markt 5", "", "Delft", "Nederland")}
            << QStringList{QStringLiteral("regel 4: geen adres")};
        // Written by Calc: a number cell, a text cell with a leading zero, a
        // formula, a number formatted 00000, a million empty rows coloured to
        // the end, a second sheet; then the same after a hidden first sheet.
        for (const char* file : {"calc-leden.ods", "calc-leden.xlsx", "calc-verborgen-blad.ods", "calc-verborgen-blad.xlsx"})
            QTest::newRow(file) << QString::fromLatin1(file)
                                << QList<Fields>{f("Jan de Vries", "Dorpsstraat 1", "1000 AB", "Amsterdam", "Nederland"),
                                                 f("Hans Müller", "Hauptstraße 5", "01067", "Dresden", "Duitsland"),
                                                 f("Jean Peeters", "Kerkstraat 10", "2000", "Antwerpen", "België"),
                                                 f("Ayse Yilmaz", "Lange Laan 7", "3511 AB", "Utrecht", "Nederland"),
                                                 f("Karl Schmidt", "Lindenweg 2", "01069", "Dresden", "Deutschland")}
                                << QStringList{QStringLiteral("regel 7: geen adres")};
        QTest::newRow("Outlook in German, semicolons, Windows-1252")
            << QStringLiteral("outlook-de.csv")
            << QList<Fields>{f("Jürgen Müller", "Hauptstraße 1", "52062", "Aachen", "Deutschland")} << QStringList();
        QTest::newRow("Outlook in French")
            << QStringLiteral("outlook-fr.csv")
            << QList<Fields>{f("Amélie Dubois", "Rue de la Paix 3", "4000", "Liège", "Belgique")} << QStringList();
        QTest::newRow("Thunderbird, tabs")
            << QStringLiteral("thunderbird-tab.txt")
            << QList<Fields>{f("Pim de Wit", "Zeeweg 9", "4381 AA", "Vlissingen", "Nederland")}
            << QStringList{QStringLiteral("regel 3: geen adres")};
        QTest::newRow("column names nobody knows")
            << QStringLiteral("onbekende-kolommen.csv")
            << QList<Fields>{f("Jan Visser", "Kerkweg 1", "1234 AB", "Ede", "Nederland")}
            << QStringList{QStringLiteral("regel 1: kolomnamen niet herkend")};
    }
    void filesOfOtherPrograms()
    {
        QFETCH(QString, file);
        QFETCH(QList<Fields>, expected);
        QFETCH(QStringList, reasons);
        const ImportResult result = importTestFile(file);
        QCOMPARE(addresses(result), expected);
        QCOMPARE(result.reasons, reasons);
    }

    void pastedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<Fields>>("expected");
        QTest::newRow("spreadsheet rows, no header")
            << QStringLiteral("Jan\tKerkstraat 1\t1234 AB\tZwolle\t\r\nPiet\t\"a\tb\"\t\t\tBelgië\r\n")
            << QList<Fields>{f("Jan", "Kerkstraat 1", "1234 AB", "Zwolle", "Nederland"), f("Piet", "a\tb", "", "", "België")};
        QTest::newRow("spreadsheet rows with a header")
            << QStringLiteral("Woonplaats\tNaam\nEde\tJan\n")
            << QList<Fields>{f("Jan", "", "", "Ede", "Nederland")};
        QTest::newRow("one line") << QStringLiteral("Jan de Vries, Kerkstraat 1, 1234 AB, Zwolle")
                                  << QList<Fields>{f("Jan de Vries", "Kerkstraat 1", "1234 AB", "Zwolle", "Nederland")};
        QTest::newRow("a field a line, from a mail")
            << QStringLiteral("Jan de Vries\nKerkstraat 1\n1234 AB\nZwolle\nNederland\n\nPiet\nDorp 2\n5678 CD\nGent\n")
            << QList<Fields>{f("Jan de Vries", "Kerkstraat 1", "1234 AB", "Zwolle", "Nederland"),
                             f("Piet", "Dorp 2", "5678 CD", "Gent", "Nederland")};
    }
    void pastedText()
    {
        QFETCH(QString, text);
        QFETCH(QList<Fields>, expected);
        QCOMPARE(addresses(importPastedText(text)), expected);
    }

    // A member whose name the list cannot spell is kept, and the change told;
    // a row without any stand-in is still left out.
    void unspellableNamesAreKept()
    {
        const ImportResult imported = importPastedText(QStringLiteral("Ayşe Yılmaz\tKerkstraat 1\t1234 AB\tEde\t\n"
                                                                      "Jan\tWeg 2\t\tEde\t\n"
                                                                      "北京 😀\tWeg 3\t\tEde\t\n"
                                                                      "Jose\u0301\tWeg 4\t\tEde\t\n"
                                                                      "\u200B\uFEFF\tWeg 5\t\tEde\t\n"));
        QCOMPARE(addresses(imported), (QList<Fields>{f("Ayse Yilmaz", "Kerkstraat 1", "1234 AB", "Ede", "Nederland"),
                                                     f("Jan", "Weg 2", "", "Ede", "Nederland"),
                                                     f("José", "Weg 4", "", "Ede", "Nederland")}));
        QCOMPARE(imported.changes, QStringList{QStringLiteral("regel 1: Ayşe Yılmaz wordt Ayse Yilmaz")});
        QCOMPARE(imported.changed, 1);
        QCOMPARE(imported.reasons, (QStringList{QStringLiteral("regel 3: het teken 北 kan niet in de lijst worden opgeslagen"),
                                                QStringLiteral("regel 5: geen naam")}));
    }

    void otherListsAndUnknownFiles()
    {
        const ImportResult list = importFile(QStringLiteral("oud.LST"), "\"Jan\",\"a\",\"b\",\"c\",\"\"\r\n"
                                                                      "\"Kees\",\"a\",\"b\",\"c\",Nederland\"\r\n\"Piet\",\"a");
        QCOMPARE(addresses(list), QList<Fields>{f("Jan", "a", "b", "c", "")});
        QCOMPARE(list.reasons, (QStringList{QStringLiteral("adres 2: het teken \" kan niet in de lijst worden opgeslagen"),
                                            QStringLiteral("het bestand houdt op midden in een adres")}));
        // Told why, in the reason; the format is read from the bytes, not the name.
        const QByteArray xlsx = testFileBytes(QStringLiteral("calc-leden.xlsx"));
        const QByteArray ods = testFileBytes(QStringLiteral("calc-leden.ods"));
        const QString damaged = QStringLiteral("%1 is beschadigd: de tabel erin kan niet worden gelezen");
        const QString password = QStringLiteral("%1 is beveiligd met een wachtwoord; bewaar het zonder wachtwoord en probeer het opnieuw");
        const QList<std::tuple<QString, QByteArray, QString, int>> files{
            {QStringLiteral("foto.jpg"), "\xff\xd8", QStringLiteral("%1 is geen CSV-, tekst-, vCard-, Excel-, Calc- of lijstbestand"), 0},
            {QStringLiteral("half.xlsx"), xlsx.first(xlsx.size() / 2), damaged, 0},
            {QStringLiteral("half.ods"), ods.first(ods.size() / 2), damaged, 0},
            {QStringLiteral("gekrast.ods"), QByteArray(ods).replace(ods.indexOf("content.xml") + 200, 64, QByteArray(64, 'x')), damaged, 0},
            {QStringLiteral("calc-wachtwoord.ods"), testFileBytes(QStringLiteral("calc-wachtwoord.ods")), password, 0},
            {QStringLiteral("excel-wachtwoord.xlsx"), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1").leftJustified(4096, '\0'), password, 0},
            {QStringLiteral("tekst.ods"), "Naam;Adres\r\nJan;Weg 1\r\n", QStringLiteral("%1 is geen Excel- of Calc-bestand"), 0},
            {QStringLiteral("excel.ods"), xlsx, QString(), 5}};
        for (const auto& [name, bytes, reason, count] : files) {
            const ImportResult read = importFile(name, bytes);
            QCOMPARE(read.addresses.size(), count);
            if (count == 0)
                QCOMPARE(read.reasons, QStringList{reason.arg(name)});
        }
        // A part stops unpacking at the reader's limit: a few bytes may claim terabytes.
        const ZipReader limited(ods, 1000);
        const std::unique_ptr<ZipPart> content = limited.part(QStringLiteral("content.xml"));
        QVERIFY(content->readAll().size() <= 1000 && content->tooBig());
        // Rows left out by the thousand are counted; only the first reasons are kept.
        const ImportResult empty = importFile(QStringLiteral("leeg.csv"), QByteArray(",\n").repeated(10000));
        QCOMPARE(empty.leftOut, 10000);
        QCOMPARE(empty.reasons, (QStringList{QStringLiteral("regel 1: geen naam"), QStringLiteral("regel 2: geen naam"),
                                             QStringLiteral("regel 3: geen naam")}));
    }

    // Folded pieces that each end in "=", on a line without ":": joined in
    // one pass. Quadratic joining would take hours here; the limit ends it.
    void foldedLinesAreJoinedInOnePass()
    {
        const QByteArray answer = runInChild(
            [] {
                const QByteArray card = "BEGIN:VCARD\r\nX=\r\n" + QByteArray(" a=\r\n").repeated(4000000) + "END:VCARD\r\n";
                return QByteArray::number(importVCard(card).leftOut);
            },
            [] {
                const rlimit cpuSeconds{60, 60};
                setrlimit(RLIMIT_CPU, &cpuSeconds);
            });
        QCOMPARE(answer, QByteArray("1"));
    }

    // The same five fields, spaces at the ends aside, case counting: in the list or earlier in the import.
    void duplicatesAreLeftOut()
    {
        const QList<AddressRecord> list{AddressRecord{{QStringLiteral(" Jan "), QStringLiteral("Kerkstraat 1"),
                                                       QStringLiteral("1234 AB"), QStringLiteral("Ede"), QStringLiteral("Nederland")}}};
        ImportResult imported = importPastedText(QStringLiteral("Jan\tKerkstraat 1\t1234 AB\tEde\t\n"
                                                                "jan\tKerkstraat 1\t1234 AB\tEde\t\n"
                                                                "Piet\tDorp 2\t\tGent\tBelgi\u00eb\n"
                                                                "Piet \tDorp 2\t\tGent\tBelgi\u00eb\n"));
        leaveOutDuplicates(imported, list);
        QCOMPARE(addresses(imported), (QList<Fields>{f("jan", "Kerkstraat 1", "1234 AB", "Ede", "Nederland"),
                                                     f("Piet", "Dorp 2", "", "Gent", "België")}));
        QCOMPARE(imported.duplicates, 2);
        QCOMPARE(imported.duplicateNames, (QStringList{QStringLiteral("Jan"), QStringLiteral("Piet")}));
    }

    void encodingsAreRecognised()
    {
        const QByteArray utf8 = "Naam;Woonplaats\r\nRenée;Liège\r\n";
        for (const QByteArray& bytes : {utf8, "\xEF\xBB\xBF" + utf8, QString::fromUtf8(utf8).toLatin1()})
            QCOMPARE(addresses(importFile(QStringLiteral("a.csv"), bytes)), QList<Fields>{f("Renée", "", "", "Liège", "Nederland")});
    }
};

QTEST_GUILESS_MAIN(TestAddressImport)
#include "tst_addressimport.moc"
