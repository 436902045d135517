#include "ChildProcess.h"
#include "ProcessMemory.h"
#include "data/import/AddressImport.h"
#include "data/import/CellFormat.h"
#include "data/import/Duplicates.h"
#include "data/import/SpreadsheetImport.h"
#include "data/import/VCardImport.h"
#include "data/import/ZipReader.h"

#include <QFile>
#include <QTest>
#include <zip.h>

namespace {

QByteArray testFileBytes(const QString& name)
{
    QFile file(QStringLiteral(TEST_DATA_DIR "/import/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(name));
    return file.readAll();
}

ImportResult importTestFile(const QString& name) { return importFileBytes(name, testFileBytes(name)).result; }

// A zip of these parts, as libzip writes it; with padding, each part's own
// header carries the padding field .NET's packaging adds there alone.
QByteArray zipOf(const QList<std::pair<QString, QByteArray>>& parts, bool padding = false)
{
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, nullptr);
    zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, nullptr);
    for (const auto& [name, bytes] : parts) {
        const zip_int64_t index = zip_file_add(
            archive, name.toUtf8().constData(), zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0),
            ZIP_FL_ENC_UTF_8);
        const zip_uint8_t growthHint[6] = {};
        if (padding)
            zip_file_extra_field_set(archive, zip_uint64_t(index), 0xA220, ZIP_EXTRA_FIELD_NEW, growthHint, 6, ZIP_FL_LOCAL);
    }
    zip_source_keep(memory);
    zip_close(archive);
    zip_source_open(memory);
    QByteArray bytes;
    char buffer[65536];
    for (zip_int64_t n; (n = zip_source_read(memory, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, qsizetype(n));
    zip_source_close(memory);
    zip_source_free(memory);
    return bytes;
}

// The parts of a zip file, each whole.
QList<std::pair<QString, QByteArray>> partsOf(const QByteArray& bytes)
{
    QList<std::pair<QString, QByteArray>> parts;
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, nullptr);
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, nullptr);
    const ZipReader reader(bytes);
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        const QString name = QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0));
        parts.append({name, reader.smallPart(name, 1 << 30)});
    }
    zip_discard(archive);
    return parts;
}

QByteArray odsOf(const QByteArray& table)
{
    return zipOf({{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
                  {QStringLiteral("content.xml"),
                   "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                   "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                   "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
                   "<table:table>" + table + "</table:table></office:spreadsheet></office:body></office:document-content>"}});
}

// An .ods whose content holds styles before a body of tables.
QByteArray odsWith(const QByteArray& styles, const QByteArray& tables)
{
    return zipOf({{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
                  {QStringLiteral("content.xml"),
                   "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                   "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
                   "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                   "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">" + styles + "<office:body><office:spreadsheet>"
                   + tables + "</office:spreadsheet></office:body></office:document-content>"}});
}

QByteArray odsRow(const QByteArray& cells, qsizetype repeat = 1)
{
    return "<table:table-row table:number-rows-repeated=\"" + QByteArray::number(repeat) + "\">" + cells + "</table:table-row>";
}

QByteArray odsCell(const QByteArray& text) { return "<table:table-cell><text:p>" + text + "</text:p></table:table-cell>"; }

// An .xlsx of one sheet, its shared texts and, when given, its cell styles;
// afterSheet follows the sheet's root.
QByteArray xlsxOf(const QByteArray& sheetData, const QByteArray& sharedStrings, const QByteArray& styles = {},
                  const QByteArray& afterSheet = {})
{
    const QByteArray main = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    return zipOf({{QStringLiteral("[Content_Types].xml"), "<Types/>"},
                  {QStringLiteral("_rels/.rels"), "<Relationships><Relationship Id=\"r1\" Type=\"" + rel
                                                      + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
                  {QStringLiteral("xl/workbook.xml"), "<workbook " + main + " xmlns:r=\"" + rel
                                                          + "\"><sheets><sheet name=\"a\" sheetId=\"1\" r:id=\"s\"/></sheets></workbook>"},
                  {QStringLiteral("xl/_rels/workbook.xml.rels"),
                   "<Relationships><Relationship Id=\"s\" Type=\"" + rel + "/worksheet\" Target=\"sheet.xml\"/>"
                   "<Relationship Id=\"t\" Type=\"" + rel + "/sharedStrings\" Target=\"strings.xml\"/>"
                   "<Relationship Id=\"u\" Type=\"" + rel + "/styles\" Target=\"styles.xml\"/></Relationships>"},
                  {QStringLiteral("xl/sheet.xml"), "<worksheet " + main + "><sheetData>" + sheetData + "</sheetData></worksheet>" + afterSheet},
                  {QStringLiteral("xl/strings.xml"), "<sst " + main + ">" + sharedStrings + "</sst>"},
                  {QStringLiteral("xl/styles.xml"), "<styleSheet " + main + ">" + styles + "</styleSheet>"}});
}

// A row of inline texts, and a number in the style given.
QByteArray xlsxRow(const QList<QByteArray>& texts, const QByteArray& number = {}, int style = 1)
{
    QByteArray row = "<row>";
    for (const QByteArray& text : texts)
        row += "<c t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
    if (!number.isEmpty())
        row += "<c s=\"" + QByteArray::number(style) + "\"><v>" + number + "</v></c>";
    return row + "</row>";
}

// Number formats, and as many cell styles using the first of them.
QByteArray xlsxStyles(const QList<QByteArray>& codes, int styles)
{
    QByteArray numFmts = "<numFmts>";
    for (qsizetype i = 0; i < codes.size(); ++i)
        numFmts += "<numFmt numFmtId=\"" + QByteArray::number(164 + i) + "\" formatCode=\"" + codes[i] + "\"/>";
    return numFmts + "</numFmts><cellXfs>" + QByteArray("<xf numFmtId=\"164\"/>").repeated(styles) + "</cellXfs>";
}

// The peak memory in MB that work takes above what the process held before, in a child of its own.
double peakGrowthMb(const std::function<void()>& work)
{
    return runInChild([&] {
               QFile clear(QStringLiteral("/proc/self/clear_refs"));
               if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
                   return QByteArray("<no clear_refs>");
               clear.close();
               const double before = memoryMb("VmHWM:");
               work();
               return QByteArray::number(memoryMb("VmHWM:") - before);
           })
        .toDouble();
}

// The rows a spreadsheet's first sheet hands on, each with its number first.
QList<QStringList> sheetRows(const QString& name, const QByteArray& bytes)
{
    struct Rows : RowSink {
        QList<QStringList> rows;
        bool addRow(const QStringList& cells, qsizetype number, qsizetype) override
        {
            rows.append(QStringList{QString::number(number)} + cells);
            return true;
        }
    } sink;
    const QString failure = readSpreadsheet(name, bytes, sink, NeverCancelled);
    if (!failure.isEmpty())
        qWarning("%s", qPrintable(failure));
    return sink.rows;
}

const QString Kolommen = QStringLiteral("Naam;Straat;Huisnummer;%1;Postcode;Woonplaats\r\n");

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
        // A club's export: a title, a date and a blank row above the names; a suffix of its own.
        for (const char* file : {"calc-titel.ods", "calc-titel.xlsx", "calc-1904.xlsx"})
            QTest::newRow(file) << QString::fromLatin1(file)
                                << QList<Fields>{f("Jan de Vries", "Kanaalweg 80 A", "1234 AB", "Zwolle", "Nederland"),
                                                 f("Piet Bakker", "Kanaalweg 80 B", "1234 AB", "Zwolle", "Nederland"),
                                                 f("Ans Smit", "Dorpsstraat 8-2", "5611 EM", "Eindhoven", "Nederland"),
                                                 f("Kees van Dam", "Lindelaan 9 bis", "2012 AB", "Haarlem", "Nederland")}
                                << QStringList();
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
            << QStringLiteral("Woonplaats\tStraat\tNaam\nEde\tWeg 1\tJan\n")
            << QList<Fields>{f("Jan", "Weg 1", "", "Ede", "Nederland")};
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
        QCOMPARE(addresses(importPastedText(text).result), expected);
    }

    // The header is found below titles and notes; what it names is used,
    // the suffix of the house number under each of its names.
    void headersPlaceTheColumns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Fields>("first");
        QTest::addColumn<QString>("used");
        for (const char* suffix : {"Toevoeging", "Huisnummertoevoeging", "Huisnummer toevoeging", "Toev.", "Huisletter",
                                   "Toevoegsel", "Huisnr toev.", "Zusatz", "Hausnummerzusatz"})
            QTest::newRow(suffix) << Kolommen.arg(QString::fromUtf8(suffix)) + QStringLiteral("Jan;Kanaalweg;80;a;1234 AB;Ede\r\n")
                                  << f("Jan", "Kanaalweg 80 a", "1234 AB", "Ede", "Nederland")
                                  << QStringLiteral("Gebruikt: Naam → Naam, Straat + Huisnummer + %1 → Adres, Postcode → Postcode, "
                                                    "Woonplaats → Woonplaats.").arg(QString::fromUtf8(suffix));
        QTest::newRow("a dash joins, a number cell as shown")
            << Kolommen.arg(QStringLiteral("Toev")) + QStringLiteral("Jan;Laan;008;-2;;Ede\r\n")
            << f("Jan", "Laan 008-2", "", "Ede", "Nederland") << QString();
        QTest::newRow("a title, a date and a blank row above; unknown columns named")
            << QStringLiteral("Ledenlijst;;;\r\nExport 1-1-2021;;;\r\n;;;\r\nLidnummer;Roepnaam;Voornaam;Achternaam;Adres;Plaats;E-mail\r\n"
                              "7;Hans;Johannes;Smit;Weg 1;Ede;h@example.nl\r\n")
            << f("Hans Smit", "Weg 1", "", "Ede", "Nederland")
            << QStringLiteral("Gebruikt: Roepnaam + Voornaam + Achternaam → Naam, Adres → Adres, Plaats → Woonplaats. "
                              "Niet gebruikt: Lidnummer, E-mail.");
        QTest::newRow("initials only without a first name")
            << QStringLiteral("Voorletters,Tussenvoegsel,Achternaam,Straat,Huisnr,Toevoeging,Plz,Ort\r\nJ.,van,Dam,Weg,1,,12345,Köln\r\n")
            << f("J. van Dam", "Weg 1", "12345", "Köln", "Nederland") << QString();
        QTest::newRow("German and English names")
            << QStringLiteral("\uFEFFContact Name,Straße,Hausnummer,PLZ,Ort,Land\r\nA. Berg,Hauptstraße,5,01067,Dresden,Deutschland\r\n")
            << f("A. Berg", "Hauptstraße 5", "01067", "Dresden", "Deutschland") << QString();
        QTest::newRow("address lines")
            << QStringLiteral("Firstname;Surname;Address Line 1;Address Line 2;City\r\nAnn;Lee;Flat 2;High St 1;York\r\n")
            << f("Ann Lee", "Flat 2 High St 1", "", "York", "Nederland") << QString();
    }
    void headersPlaceTheColumns()
    {
        QFETCH(QString, text);
        QFETCH(Fields, first);
        QFETCH(QString, used);
        const ImportOutcome outcome = importFileBytes(QStringLiteral("leden.csv"), text.toUtf8());
        QVERIFY(!outcome.question);
        QCOMPARE(addresses(outcome.result).value(0), first);
        if (!used.isEmpty())
            QCOMPARE(outcome.result.columnNotes, QStringList{used});
    }

    // Member exports and address books as club systems and mail programs
    // write them: names as on an envelope, the home address before the work
    // address, Belgian box numbers, country codes, and no count under the list.
    void clubExportsComeInAsEnvelopes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<Fields>>("expected");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QStringList>("reasons");
        QTest::newRow("federation export: sort name beside the parts")
            << QByteArray("\xEF\xBB\xBF\"Relatiecode\";\"Naam\";\"Roepnaam\";\"Voorletter(s)\";\"Tussenvoegsel(s)\";\"Achternaam\";"
                          "\"Straat\";\"Huisnummer\";\"Postcode\";\"Woonplaats\";\"Landcode\"\r\n"
                          "\"A1\";\"Berg, J.A. (Jan) van den\";\"Jan\";\"J.A.\";\"van den\";\"Berg\";\"Dorpsstraat\";\"1\";\"1234 AB\";\"Ede\";\"NL\"\r\n"
                          "\"A2\";\"Vries, P. de\";\"\";\"P.\";\"de\";\"Vries\";\"Meir\";\"24\";\"2000\";\"Antwerpen\";\"BE\"\r\n"
                          "\"A3\";\"Schmidt, Karl\";\"\";\"\";\"\";\"\";\"Hauptstraße\";\"5\";\"01067\";\"Dresden\";\"DEU\"\r\n")
            << QList<Fields>{f("Jan van den Berg", "Dorpsstraat 1", "1234 AB", "Ede", "Nederland"),
                             f("P. de Vries", "Meir 24", "2000", "Antwerpen", "België"),
                             f("Karl Schmidt", "Hauptstraße 5", "01067", "Dresden", "Duitsland")}
            << QStringList{QStringLiteral("Gebruikt: Naam + Roepnaam + Voorletter(s) + Tussenvoegsel(s) + Achternaam → Naam, "
                                          "Straat + Huisnummer → Adres, Postcode → Postcode, Woonplaats → Woonplaats, "
                                          "Landcode → Land. Niet gebruikt: Relatiecode."),
                           QStringLiteral("Namen omgedraaid: Schmidt, Karl wordt Karl Schmidt.")}
            << QStringList();
        QTest::newRow("Dutch address book: work, then home")
            << QByteArray("Voornaam,Middelste naam,Achternaam,\"Werkadres, straat\",\"Werkadres, postcode\",\"Werkadres, plaats\","
                          "\"Huisadres, straat\",\"Huisadres, postcode\",\"Huisadres, plaats\",Land/regio (thuis)\r\n"
                          "Anke,van,Dijk,Kantoorweg 1,1000 AA,Amsterdam,Lindelaan 4,2012 AB,Haarlem,Nederland\r\n"
                          "Kees,,Bakker,,,,Markt 5,,Delft,\r\n"
                          "Els,,Smit,Stationsplein 2,3511 CE,Utrecht,,,,\r\n"
                          "Piet,,Leeg,,,,,,,\r\n")
            << QList<Fields>{f("Anke van Dijk", "Lindelaan 4", "2012 AB", "Haarlem", "Nederland"),
                             f("Kees Bakker", "Markt 5", "", "Delft", "Nederland"),
                             f("Els Smit", "Stationsplein 2", "3511 CE", "Utrecht", "Nederland")}
            << QStringList{QStringLiteral("Gebruikt: Voornaam + Middelste naam + Achternaam → Naam, Werkadres, straat + "
                                          "Huisadres, straat → Adres, Werkadres, postcode + Huisadres, postcode → Postcode, "
                                          "Werkadres, plaats + Huisadres, plaats → Woonplaats, Land/regio (thuis) → Land."),
                           QStringLiteral("1 rij zonder huisadres kreeg het werkadres.")}
            << QStringList{QStringLiteral("regel 5: geen adres")};
        QTest::newRow("German and English home and business columns")
            << QByteArray("Vorname;Nachname;Straße geschäftlich;Ort geschäftlich;Straße privat;PLZ privat;Ort privat\r\n"
                          "Hans;Müller;Firmenweg 1;Köln;Gartenweg 5;10115;Berlin\r\n")
            << QList<Fields>{f("Hans Müller", "Gartenweg 5", "10115", "Berlin", "Nederland")} << QStringList() << QStringList();
        QTest::newRow("Belgian export: box numbers, municipality, old postcodes")
            << QByteArray("\xEF\xBB\xBFVoornaam (Lid);Achternaam (Lid);Straat;Nr;Bus;Postcode;Gemeente\r\n"
                          "An;Peeters;Meir;24;3;B-2000;Antwerpen\r\n"
                          "Luc;Janssens;Veldstraat;12;bus 1;9000;Gent\r\n"
                          "Uwe;Klein;Hauptstraße;5;;D-01067;Dresden\r\n")
            << QList<Fields>{f("An Peeters", "Meir 24 bus 3", "2000", "Antwerpen", "België"),
                             f("Luc Janssens", "Veldstraat 12 bus 1", "9000", "Gent", "Nederland"),
                             f("Uwe Klein", "Hauptstraße 5", "01067", "Dresden", "Duitsland")}
            << QStringList() << QStringList();
        QTest::newRow("treasurer's sheet: surname first, a count under the list")
            << QByteArray("Naam;Adres;Postcode;Woonplaats\r\n"
                          "Vries, Jan de;\"Zonnehoek\r\nKerkplein 3\";1234 AB;Ede\r\n"
                          "Hek, Willem van 't;Laan 2;1234 AC;Ede\r\n"
                          "Peters-van Dongen, Anneke;Weg 9;1234 AD;Ede\r\n"
                          "Ans Smit;Dijk 1;1234 AE;Ede\r\n"
                          ";;;\r\n"
                          "Aantal leden:;4;;\r\n"
                          "Totaal;;;\r\n")
            << QList<Fields>{f("Jan de Vries", "Zonnehoek Kerkplein 3", "1234 AB", "Ede", "Nederland"),
                             f("Willem van 't Hek", "Laan 2", "1234 AC", "Ede", "Nederland"),
                             f("Anneke Peters-van Dongen", "Weg 9", "1234 AD", "Ede", "Nederland"),
                             f("Ans Smit", "Dijk 1", "1234 AE", "Ede", "Nederland")}
            << QStringList{QStringLiteral("Gebruikt: Naam → Naam, Adres → Adres, Postcode → Postcode, Woonplaats → Woonplaats."),
                           QStringLiteral("Namen omgedraaid: Vries, Jan de wordt Jan de Vries.")}
            << QStringList{QStringLiteral("regel 7: geen adres"), QStringLiteral("regel 8: geen adres")};
        QTest::newRow("control characters leave the cells")
            << QByteArray("Naam;Adres;Woonplaats\r\nJan\x01 de\x1b Vries;Weg\x7f 1;Ede\x1b[0m\r\n")
            << QList<Fields>{f("Jan de Vries", "Weg 1", "", "Ede", "Nederland")} << QStringList() << QStringList();
        QTest::newRow("a name column only partly surname first stays")
            << QByteArray("Naam;Adres;Woonplaats\r\nVries, Jan de;Laan 1;Ede\r\nAns Smit;Dijk 1;Ede\r\nPiet Bos;Weg 2;Ede\r\n")
            << QList<Fields>{f("Vries, Jan de", "Laan 1", "", "Ede", "Nederland"), f("Ans Smit", "Dijk 1", "", "Ede", "Nederland"),
                             f("Piet Bos", "Weg 2", "", "Ede", "Nederland")}
            << QStringList{QStringLiteral("Gebruikt: Naam → Naam, Adres → Adres, Woonplaats → Woonplaats.")} << QStringList();
    }
    void clubExportsComeInAsEnvelopes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<Fields>, expected);
        QFETCH(QStringList, notes);
        QFETCH(QStringList, reasons);
        const ImportOutcome outcome = importFileBytes(QStringLiteral("leden.csv"), bytes);
        QVERIFY(!outcome.question);
        QCOMPARE(addresses(outcome.result), expected);
        if (!notes.isEmpty())
            QCOMPARE(outcome.result.columnNotes, notes);
        QCOMPARE(outcome.result.reasons, reasons);
    }

    // Only the rows that hold a ticked value come in; the question's counts
    // are of every row below the header, a cell with several values counting
    // for each, an empty one as "(leeg)".
    void chosenRowsComeIn_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("column");
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<qsizetype>("rowsTaken");
        QTest::addColumn<QStringList>("names");
        const QByteArray members = "Relatiecode;Naam;Adres;Woonplaats;Lidsoort;Teams\r\n"
                                   "1;Jan;Laan 1;Ede;Senior;Heren 1, Veteranen\r\n"
                                   "2;Piet;Laan 2;Ede;Junior;Heren 1\r\n"
                                   "3;Ans;Laan 3;Ede;Senior;\r\n"
                                   "4;Els;Laan 4;Ede;Senior;Dames 1 | Veteranen;Heren 1\r\n";
        const QStringList teams{QStringLiteral("Dames 1 (1)"), QStringLiteral("Heren 1 (2)"), QStringLiteral("Veteranen (2)"),
                                QStringLiteral("(leeg) (1)")};
        QTest::newRow("one value") << QStringLiteral("leden.csv") << members << qsizetype(4) << QStringList{QStringLiteral("Senior")}
                                   << QStringList{QStringLiteral("Junior (1)"), QStringLiteral("Senior (3)")} << qsizetype(3)
                                   << QStringList{QStringLiteral("Jan"), QStringLiteral("Ans"), QStringLiteral("Els")};
        QTest::newRow("several values a cell, counted once a row")
            << QStringLiteral("leden.csv") << members << qsizetype(5) << QStringList{QStringLiteral("Heren 1"), QStringLiteral("Veteranen")}
            << teams << qsizetype(3) << QStringList{QStringLiteral("Jan"), QStringLiteral("Piet"), QStringLiteral("Els")};
        QTest::newRow("the empty value") << QStringLiteral("leden.csv") << members << qsizetype(5)
                                         << QStringList{QString(), QStringLiteral("Dames 1")} << teams << qsizetype(2)
                                         << QStringList{QStringLiteral("Ans"), QStringLiteral("Els")};
        QTest::newRow("nothing ticked") << QStringLiteral("leden.csv") << members << qsizetype(4) << QStringList()
                                        << QStringList{QStringLiteral("Junior (1)"), QStringLiteral("Senior (3)")} << qsizetype(0)
                                        << QStringList();
        QTest::newRow("repeated rows of a spreadsheet")
            << QStringLiteral("leden.ods")
            << odsOf(odsRow(odsCell("Naam") + odsCell("Adres") + odsCell("Woonplaats") + odsCell("Soort"))
                     + odsRow(odsCell("Jan") + odsCell("Laan 1") + odsCell("Ede") + odsCell("Senior"), 3)
                     + odsRow(odsCell("Piet") + odsCell("Laan 2") + odsCell("Ede") + odsCell("Junior")))
            << qsizetype(3) << QStringList{QStringLiteral("Senior")}
            << QStringList{QStringLiteral("Junior (1)"), QStringLiteral("Senior (3)")} << qsizetype(3)
            << QStringList{QStringLiteral("Jan")};
    }
    void chosenRowsComeIn()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, column);
        QFETCH(QStringList, ticked);
        QFETCH(QStringList, shown);
        QFETCH(qsizetype, rowsTaken);
        QFETCH(QStringList, names);
        ImportInput input;
        input.showColumns = true;
        const std::optional<ColumnQuestion> question = importFileBytes(fileName, bytes, input).question;
        QVERIFY(question);
        const ValueCounts counts = question->valuesBelow(question->proposed.headerRow);
        QStringList counted;
        for (const CountedValue& value : counts.values(column))
            counted.append(QStringLiteral("%1 (%2)").arg(shownValue(value.value)).arg(value.rows));
        QCOMPARE(counted, shown);
        ColumnChoice chosen = question->proposed;
        chosen.filter = {column, QSet<QString>(ticked.begin(), ticked.end())};
        QCOMPARE(counts.rowsTaken(chosen.filter), rowsTaken);

        input.showColumns = false;
        input.answers.insert(fileName, chosen);
        const ImportResult result = importFileBytes(fileName, bytes, input).result;
        QStringList came;
        for (const AddressRecord& address : result.addresses)
            came.append(address.field(AddressRecord::Naam));
        came.removeDuplicates();
        QCOMPARE(came, names);
        QCOMPARE(result.leftOut, 0);
        const QString name = question->namesAt(question->proposed.headerRow).value(column);
        QCOMPARE(result.columnNotes.last(),
                 QStringLiteral("Alleen %1: %2.").arg(name, ticked.isEmpty() ? QStringLiteral("geen waarden") : valuesText({ticked.begin(), ticked.end()})));
    }

    // Excel's escapes in a cell's text: a line break written as _x000D_ and a new line is a blank.
    void excelEscapesAreDecoded()
    {
        const QByteArray sheet = "<row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c><c t=\"s\"><v>2</v></c></row>"
                                 "<row><c t=\"s\"><v>3</v></c><c t=\"s\"><v>4</v></c><c t=\"s\"><v>5</v></c></row>";
        const QByteArray strings = "<si><t>Naam</t></si><si><t>Adres</t></si><si><t>Plaats</t></si>"
                                   "<si><t>Jan_x005F_x0041_ de Vries</t></si><si><t>Zonnehoek_x000D_\nKerkplein 3</t></si>"
                                   "<si><t>Ede_x00e9_</t></si>";
        const ImportOutcome outcome = importFileBytes(QStringLiteral("leden.xlsx"), xlsxOf(sheet, strings));
        QCOMPARE(addresses(outcome.result),
                 (QList<Fields>{f("Jan_x0041_ de Vries", "Zonnehoek Kerkplein 3", "", "Edeé", "Nederland")}));
    }

    // Where Naam, Adres or Woonplaats cannot be placed, nothing comes in
    // before the user placed the columns; the choice is then remembered by
    // the column names.
    void unplacedColumnsAreAskedFirst()
    {
        const QByteArray unknown = testFileBytes(QStringLiteral("onbekende-kolommen.csv"));
        const QList<std::tuple<QString, QByteArray, qsizetype, qsizetype>> cases{
            // file, bytes, proposed header row, columns
            {QStringLiteral("onbekende-kolommen.csv"), unknown, 1, 5},
            {QStringLiteral("zonder-adres.csv"), "Naam;Woonplaats;E-mail\r\nJan;Ede;j@example.nl\r\n", 1, 3},
            {QStringLiteral("zonder-namen.csv"), "Jan;Weg 1;Ede\r\nPiet;Weg 2;Epe\r\n", 0, 3},
            {QStringLiteral("twee-kolommen.csv"), "Titel\r\nname,email\r\n", 2, 2},
            {QStringLiteral("literatuur.csv"), "Author;Title;Year;Journal\r\nKnuth;TAOCP;1968;Addison\r\n", 1, 4}};
        for (const auto& [name, bytes, headerRow, columns] : cases) {
            const ImportOutcome asked = importFileBytes(name, bytes);
            QVERIFY2(asked.question, qPrintable(name));
            QVERIFY(asked.result.addresses.isEmpty());
            QCOMPARE(asked.question->proposed.headerRow, headerRow);
            QCOMPARE(asked.question->columns, columns);
        }
        // Placed by the user: Lid, Straat nr, PC, Gemeente; Opmerking not used.
        const ColumnChoice chosen{1, {{AddressRecord::Naam, AddressRecord::Adres, AddressRecord::Postcode, AddressRecord::Woonplaats,
                                       ColumnUses::Unused}, {}, {}, false}};
        const QList<Fields> expected{f("Jan Visser", "Kerkweg 1", "1234 AB", "Ede", "Nederland")};
        ImportInput input;
        input.answers.insert(QStringLiteral("onbekende-kolommen.csv"), chosen);
        const ImportOutcome answered = importFileBytes(QStringLiteral("onbekende-kolommen.csv"), unknown, input);
        QCOMPARE(addresses(answered.result), expected);
        QCOMPARE(answered.result.columnNotes,
                 QStringList{QStringLiteral("Gebruikt: Lid → Naam, Straat nr → Adres, PC → Postcode, Gemeente → Woonplaats. "
                                            "Niet gebruikt: Opmerking.")});
        // Remembered by the names, through the file that keeps them.
        ColumnChoices remembered;
        remembered.remember(QStringList{QStringLiteral("Lid"), QStringLiteral("Straat nr"), QStringLiteral("PC"),
                                        QStringLiteral("Gemeente"), QStringLiteral("Opmerking")},
                            chosen.uses);
        QCOMPARE(remembered.encoded(), QByteArray("0123-=\tLid\tStraat nr\tPC\tGemeente\tOpmerking\n"));
        ImportInput later;
        later.remembered = ColumnChoices::parse(remembered.encoded());
        QCOMPARE(addresses(importFileBytes(QStringLiteral("export-2.csv"), unknown, later).result), expected);
        // Names written surname first stay as written when the user chose so, are turned when the user chose
        // that, and are turned as most are written when the file that keeps the choice is older than the choice.
        const QByteArray sortNames = "Lid;Straat nr;PC;Gemeente;Opmerking\r\nVries, Jan de;Kerkweg 1;1234 AB;Ede;\r\n"
                                     "Bos, Piet;Kerkweg 2;1234 AB;Ede;\r\n";
        for (const auto& [mark, name] : {std::pair{"=", "Vries, Jan de"}, std::pair{"~", "Jan de Vries"}, std::pair{"", "Jan de Vries"}}) {
            later.remembered = ColumnChoices::parse(QByteArray("0123-") + mark + "\tLid\tStraat nr\tPC\tGemeente\tOpmerking\n");
            QCOMPARE(addresses(importFileBytes(QStringLiteral("export-3.csv"), sortNames, later).result).value(0).value(0), QString::fromUtf8(name));
        }
        // Pasted names nobody knows are asked about too; pasted rows without names are read in the list's order.
        QVERIFY(importPastedText(QStringLiteral("Lid\tStraat nr\tGemeente\nJan\tWeg 1\tEde\n")).question);
    }

    // Cells as the sheet shows them: dates in either day count, numbers with
    // their format's decimals and zeros.
    void cellsAsTheSheetShowsThem()
    {
        const QStringList xlsxJan{QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("Jan"), QStringLiteral("de"),
                                  QStringLiteral("Vries"), QStringLiteral("Kanaalweg"), QStringLiteral("80"), QStringLiteral("A"),
                                  QStringLiteral("1234 AB"), QStringLiteral("Zwolle"), QStringLiteral("NL"),
                                  QStringLiteral("jan@example.nl"), QStringLiteral("01-01-1980"), QStringLiteral("1,50")};
        for (const char* file : {"calc-titel.xlsx", "calc-1904.xlsx"}) {
            const QList<QStringList> rows = sheetRows(QString::fromLatin1(file), testFileBytes(QString::fromLatin1(file)));
            QCOMPARE(rows.value(1), (QStringList{QStringLiteral("2"), QStringLiteral("Export"), QStringLiteral("01-01-2021")}));
            QCOMPARE(rows.value(3), xlsxJan);
            QCOMPARE(rows.value(4).value(13), QStringLiteral("25,00"));
        }
        // Calc writes what it shows in the file itself.
        const QList<QStringList> ods = sheetRows(QStringLiteral("calc-titel.ods"), testFileBytes(QStringLiteral("calc-titel.ods")));
        QCOMPARE(ods.value(3).mid(12), (QStringList{QStringLiteral("01-01-1980"), QStringLiteral("1.50")}));
        // A blank between two styled runs is part of the text.
        const QByteArray runs = "<table:table-cell><text:p><text:span>Jan</text:span> <text:span>Smit</text:span></text:p></table:table-cell>";
        QCOMPARE(sheetRows(QStringLiteral("a.ods"), odsOf(odsRow(runs))).value(0).value(1), QStringLiteral("Jan Smit"));

        const QList<std::tuple<const char*, double, QString>> formats{
            {"00000", 1067, QStringLiteral("01067")},
            {"#,##0.00", 1234.5, QStringLiteral("1.234,50")},
            {"0.0#", 2, QStringLiteral("2,0")},
            {"0%", 0.25, QStringLiteral("25%")},
            {"d mmmm yyyy", 44197, QStringLiteral("1 januari 2021")},
            {"[$-413]dd/mm/yy hh:mm", 44197.75, QStringLiteral("01/01/21 18:00")},
            {"\"€ \"#,##0.00;\"-€ \"#,##0.00", -3, QStringLiteral("-€ 3,00")},
            {"General", 2.5, QStringLiteral("2,5")}};
        for (const auto& [code, value, shown] : formats)
            QCOMPARE(CellFormat(QString::fromUtf8(code)).shown(value, false), shown);
        QCOMPARE(CellFormat::builtIn(14).shown(61, false), QStringLiteral("01-03-1900")); // after the 29th that never was
        QCOMPARE(CellFormat::builtIn(14).shown(0, true), QStringLiteral("01-01-1904"));
    }

    // A sheet far longer than one piece of the reader comes in row by row as
    // written, whatever its XML holds between the cells; broken XML anywhere
    // in it is told as damage.
    void longSheetsAreReadExactly()
    {
        QByteArray rows;
        for (int n = 1; n <= 3000; ++n)
            rows += "<row r=\"" + QByteArray::number(n) + "\" note=\"a>b/>\">\n <c r=\"A" + QByteArray::number(n)
                    + "\" t=\"inlineStr\"><is><t>Jan &amp; Ren&#233;e " + QByteArray::number(n) + "</t></is></c><!-- </row> -->"
                    + "<c t='inlineStr'><is><t><![CDATA[<Weg> 1]]></t></is></c></row>";
        const QByteArray longText = "<row r=\"3001\"><c t=\"inlineStr\"><is><t>" + QByteArray("&amp;").repeated(30000) + "</t></is></c></row>";
        const QList<QStringList> read = sheetRows(QStringLiteral("lang.xlsx"), xlsxOf(rows + longText, ""));
        QCOMPARE(read.size(), 3001);
        QCOMPARE(read[1999], (QStringList{QStringLiteral("2000"), QStringLiteral("Jan & Renée 2000"), QStringLiteral("<Weg> 1")}));
        QCOMPARE(read[3000].value(1), QString(LongestCell + 1, u'&'));

        const QString damaged = QStringLiteral("lang.xlsx is beschadigd: de tabel erin kan niet worden gelezen");
        for (const QByteArray& broken : {QByteArray(rows).replace(rows.indexOf("</c></row>", 200000) + 4, 6, "</rox>"), rows + "<row>", rows + "<!DOCTYPE x>"}) {
            struct : RowSink {
                bool addRow(const QStringList&, qsizetype, qsizetype) override { return true; }
            } none;
            QCOMPARE(readSpreadsheet(QStringLiteral("lang.xlsx"), xlsxOf(broken, ""), none, NeverCancelled), damaged);
        }
    }

    // A member whose name the list cannot spell is kept, and the change told;
    // a row without any stand-in is still left out.
    void unspellableNamesAreKept()
    {
        const ImportResult imported = importPastedText(QStringLiteral("Ayşe Yılmaz\tKerkstraat 1\t1234 AB\tEde\t\n"
                                                                      "Jan\tWeg 2\t\tEde\t\n"
                                                                      "北京 😀\tWeg 3\t\tEde\t\n"
                                                                      "Jose\u0301\tWeg 4\t\tEde\t\n"
                                                                      "\u200B\uFEFF\tWeg 5\t\tEde\t\n")).result;
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
        const ImportResult list = importFileBytes(QStringLiteral("oud.LST"), "\"Jan\",\"a\",\"b\",\"c\",\"\"\r\n"
                                                                      "\"Kees\",\"a\",\"b\",\"c\",Nederland\"\r\n\"Piet\",\"a").result;
        QCOMPARE(addresses(list), QList<Fields>{f("Jan", "a", "b", "c", "")});
        QCOMPARE(list.reasons, (QStringList{QStringLiteral("adres 2: het teken \" kan niet in de lijst worden opgeslagen"),
                                            QStringLiteral("het bestand houdt op midden in een adres")}));
        // Annuleren stops a list and a vCard file as it stops a table.
        const std::atomic_bool stopped{true};
        for (const auto& [name, bytes] : {std::pair{QStringLiteral("oud.lst"), QByteArray("\"Jan\",\"a\",\"b\",\"c\",\"\"\r\n")},
                                          std::pair{QStringLiteral("kaart.vcf"), testFileBytes(QStringLiteral("contacten-40.vcf"))}}) {
            const ImportOutcome outcome = importFileBytes(name, bytes, {}, stopped);
            QVERIFY2(outcome.cancelled && outcome.result.addresses.isEmpty(), qPrintable(name));
        }
        // Told why, in the reason; the format is read from the bytes, not the name.
        const QByteArray xlsx = testFileBytes(QStringLiteral("calc-leden.xlsx"));
        const QByteArray ods = testFileBytes(QStringLiteral("calc-leden.ods"));
        QList<std::pair<QString, QByteArray>> odsParts = partsOf(ods);
        odsParts.removeIf([](const auto& part) { return part.first == u"mimetype"; });
        const QByteArray ole("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
        const QByteArray encryptedName(reinterpret_cast<const char*>(u"EncryptedPackage"), 32);
        const QString damaged = QStringLiteral("%1 is beschadigd: de tabel erin kan niet worden gelezen");
        const QString password = QStringLiteral("%1 is beveiligd met een wachtwoord; bewaar het zonder wachtwoord en probeer het opnieuw");
        const QList<std::tuple<QString, QByteArray, QString, int>> files{
            {QStringLiteral("foto.jpg"), "\xff\xd8", QStringLiteral("%1 is geen CSV-, tekst-, vCard-, Excel-, Calc- of lijstbestand"), 0},
            {QStringLiteral("half.xlsx"), xlsx.first(xlsx.size() / 2), damaged, 0},
            {QStringLiteral("half.ods"), ods.first(ods.size() / 2), damaged, 0},
            {QStringLiteral("gekrast.ods"), QByteArray(ods).replace(ods.indexOf("content.xml") + 200, 64, QByteArray(64, 'x')), damaged, 0},
            {QStringLiteral("calc-wachtwoord.ods"), testFileBytes(QStringLiteral("calc-wachtwoord.ods")), password, 0},
            {QStringLiteral("excel-wachtwoord.xlsx"), (ole + encryptedName).leftJustified(4096, '\0'), password, 0},
            {QStringLiteral("oud.ods"), (ole + QByteArray(reinterpret_cast<const char*>(u"Workbook"), 16)).leftJustified(4096, '\0'),
             QStringLiteral("%1 is een ouder Excel-bestand (.xls); bewaar het in Excel of Calc als .xlsx of .ods"), 0},
            {QStringLiteral("tekst.ods"), "Naam;Adres\r\nJan;Weg 1\r\n", QStringLiteral("%1 is geen Excel- of Calc-bestand"), 0},
            {QStringLiteral("oud.xls"), (ole + QByteArray(reinterpret_cast<const char*>(u"Workbook"), 16)).leftJustified(4096, '\0'),
             QStringLiteral("%1 is een ouder Excel-bestand (.xls); bewaar het in Excel of Calc als .xlsx of .ods"), 0},
            {QStringLiteral("excel.ods"), xlsx, QString(), 5},
            {QStringLiteral("zonder-mimetype.ods"), zipOf(odsParts), QString(), 5},
            {QStringLiteral("dotnet.xlsx"), zipOf(partsOf(xlsx), true), QString(), 5}};
        for (const auto& [name, bytes, reason, count] : files) {
            const ImportResult read = importFileBytes(name, bytes).result;
            QCOMPARE(read.addresses.size(), count);
            if (count == 0)
                QCOMPARE(read.reasons, QStringList{reason.arg(name)});
        }
        // A part stops unpacking at the reader's limit: a few bytes may claim terabytes.
        const ZipReader limited(ods, 1000);
        const std::unique_ptr<ZipPart> content = limited.part(QStringLiteral("content.xml"));
        QVERIFY(content->readAll().size() <= 1000 && content->tooBig());
        // Rows left out by the thousand are counted; only the first reasons are kept.
        const ImportResult nameless = importFileBytes(QStringLiteral("leeg.csv"), "Naam,Adres,Woonplaats\n" + QByteArray(",Weg 1,\n").repeated(10000)).result;
        QCOMPARE(nameless.leftOut, 10000);
        QCOMPARE(nameless.reasons, (QStringList{QStringLiteral("regel 2: geen naam"), QStringLiteral("regel 3: geen naam"),
                                                QStringLiteral("regel 4: geen naam")}));
    }

    // Crafted files of a few kilobytes: read or refused at once, within
    // bounds, never ending the program.
    void craftedFilesStayWithinBounds()
    {
        const QByteArray header = odsRow(odsCell("Naam") + odsCell("Adres") + odsCell("Woonplaats"));
        const QByteArray sheetHeader = xlsxRow({"Naam", "Adres", "Plaats", "Postcode"});
        const QByteArray longName = QByteArray("x").repeated(300);
        const QString tooBig = QStringLiteral("%1 is te groot om in te lezen (meer dan 2 miljoen rijen of 200 MB aan tekst)");
        const QList<std::tuple<QString, QByteArray, qsizetype, QStringList>> files{
            // A long cell in a row repeated a million times: 300 million characters.
            {QStringLiteral("herhaald.ods"), odsOf(header + odsRow(odsCell(longName) + odsCell("Weg 1") + odsCell("Ede"), 1000000)), 0,
             {tooBig.arg(QStringLiteral("herhaald.ods"))}},
            // A row repeated to the sheet's end: one address, the rest doubles of it.
            {QStringLiteral("verdubbeld.ods"), odsOf(header + odsRow(odsCell("Jan") + odsCell("Weg 1") + odsCell("Ede"), 6300000)), 1, {}},
            // A name of twenty million spaces, written as counts.
            {QStringLiteral("spaties.ods"),
             odsOf(header + odsRow("<table:table-cell><text:p>a" + QByteArray("<text:s text:c=\"1000\"/>").repeated(20000)
                                   + "</text:p></table:table-cell>" + odsCell("Weg 1") + odsCell("Ede"))),
             0, {QStringLiteral("regel 2: kolom A heeft meer dan 10.000 tekens")}},
            // One long shared text used by 2.000 rows.
            {QStringLiteral("gedeeld.xlsx"),
             xlsxOf("<row><c t=\"inlineStr\"><is><t>Naam</t></is></c><c t=\"inlineStr\"><is><t>Adres</t></is></c>"
                    "<c t=\"inlineStr\"><is><t>Plaats</t></is></c></row>"
                        + QByteArray("<row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>0</v></c><c t=\"s\"><v>0</v></c></row>").repeated(2000),
                    "<si><t>" + QByteArray("y").repeated(20'000'000) + "</t></si>"),
             0, {QStringLiteral("regel 2: kolom A heeft meer dan 10.000 tekens"), QStringLiteral("regel 3: kolom A heeft meer dan 10.000 tekens"),
                 QStringLiteral("regel 4: kolom A heeft meer dan 10.000 tekens")}},
            // Forty megabytes of blanks packed into a few kilobytes.
            {QStringLiteral("blanco.ods"), odsOf(header + QByteArray(40 * 1024 * 1024, ' ')), 0,
             {tooBig.arg(QStringLiteral("blanco.ods"))}},
            // Eleven million empty shared texts.
            {QStringLiteral("leeg-gedeeld.xlsx"), xlsxOf("", QByteArray("<si/>").repeated(11'000'000)), 0,
             {tooBig.arg(QStringLiteral("leeg-gedeeld.xlsx"))}},
            // One number format of 100.000 characters used by 65.536 cell styles.
            {QStringLiteral("stijlen.xlsx"), xlsxOf(sheetHeader + xlsxRow({"Jan", "Weg 1"}, "1234"), {},
                                                    xlsxStyles({QByteArray(100'000, '0')}, 65536)),
             1, {}},
            // More number formats than Excel allows cell styles.
            {QStringLiteral("formaten.xlsx"), xlsxOf(sheetHeader + xlsxRow({"Jan", "Weg 1"}, "1234"), {},
                                                     xlsxStyles(QList<QByteArray>(70'000, "0"), 1)),
             0, {tooBig.arg(QStringLiteral("formaten.xlsx"))}},
            // More hidden table styles than any sheet has, each hiding a table before the shown one.
            {QStringLiteral("verborgen.ods"),
             odsWith("<office:automatic-styles>"
                         + QByteArray("<style:style style:name=\"v\"><style:table-properties table:display=\"false\"/></style:style>")
                               .repeated(70'000)
                         + "</office:automatic-styles>",
                     QByteArray("<table:table table:style-name=\"v\"/>").repeated(100'000) + "<table:table>" + header
                         + odsRow(odsCell("Jan") + odsCell("Weg 1") + odsCell("Ede")) + "</table:table>"),
             0, {tooBig.arg(QStringLiteral("verborgen.ods"))}},
            // "<!-->" opens a comment that its own "->" does not end: the parser reads it so too.
            {QStringLiteral("commentaar.xlsx"), xlsxOf(sheetHeader + "<!-->" + xlsxRow({"Jan", "Weg 1", "Ede"}), {}), 0,
             {QStringLiteral("commentaar.xlsx is beschadigd: de tabel erin kan niet worden gelezen")}},
            // A short comment at the part's end.
            {QStringLiteral("kort-commentaar.xlsx"), xlsxOf(sheetHeader + xlsxRow({"Jan", "Weg 1", "Ede"}), {}, {}, "<!--x-->"), 1, {}}};
        for (const auto& [name, bytes, count, reasons] : files) {
            const ImportResult read = importFileBytes(name, bytes).result;
            QVERIFY2(bytes.size() < 200 * 1024, qPrintable(name));
            QVERIFY2(read.addresses.size() == count, qPrintable(name));
            QCOMPARE(read.reasons, reasons);
        }
        // A format code longer than Excel keeps is read as General.
        const QByteArray longCode = xlsxOf(sheetHeader + xlsxRow({"Jan", "Weg 1", "Ede"}, "1234"), {}, xlsxStyles({QByteArray(300, '0')}, 2));
        QCOMPARE(addresses(importFileBytes(QStringLiteral("code.xlsx"), longCode).result), QList<Fields>{f("Jan", "Weg 1", "1234", "Ede", "Nederland")});
        // A value or character data far longer than any cell is not kept while it is read.
        const QByteArray huge(60'000'000, 'y');
        for (const auto& [name, bytes] :
             {std::pair{QStringLiteral("cdata.xlsx"), xlsxOf(sheetHeader + xlsxRow({"<![CDATA[" + huge + "]]>", "Weg 1", "Ede"}), {})},
              std::pair{QStringLiteral("waarde.ods"),
                        odsOf(header + odsRow("<table:table-cell office:value-type=\"string\" office:string-value=\"" + huge + "\"/>"
                                              + odsCell("Weg 1") + odsCell("Ede")))}}) {
            ImportResult read;
            const double growth = peakGrowthMb([&] { read = importFileBytes(name, bytes).result; });
            QVERIFY2(growth < 100, qPrintable(QStringLiteral("%1: %2 MB").arg(name).arg(growth)));
        }
        QCOMPARE(importFileBytes(QStringLiteral("cdata.xlsx"), xlsxOf(sheetHeader + xlsxRow({"<![CDATA[" + QByteArray(200'000, 'y') + "]]>", "Weg 1", "Ede"}), {}))
                     .result.reasons,
                 QStringList{QStringLiteral("regel 2: kolom A heeft meer dan 10.000 tekens")});
        // Annuleren stops the reading, and nothing comes in.
        const std::atomic_bool cancelled{true};
        ImportInput input;
        input.pastedText = QStringLiteral("Jan\tWeg 1\t\tEde\n");
        const ImportOutcome stopped = importAddresses(input, {}, cancelled);
        QVERIFY(stopped.cancelled);
        QVERIFY(stopped.result.addresses.isEmpty());
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
        ImportInput input;
        input.pastedText = QStringLiteral("Jan\tKerkstraat 1\t1234 AB\tEde\t\n"
                                          "jan\tKerkstraat 1\t1234 AB\tEde\t\n"
                                          "Piet\tDorp 2\t\tGent\tBelgi\u00eb\n"
                                          "Piet \tDorp 2\t\tGent\tBelgi\u00eb\n");
        const ImportResult imported = importAddresses(input, list, NeverCancelled).result;
        QCOMPARE(addresses(imported), (QList<Fields>{f("jan", "Kerkstraat 1", "1234 AB", "Ede", "Nederland"),
                                                     f("Piet", "Dorp 2", "", "Gent", "België")}));
        QCOMPARE(imported.duplicates, 2);
        QCOMPARE(imported.duplicateNames, (QStringList{QStringLiteral("Jan"), QStringLiteral("Piet")}));
    }

    void encodingsAreRecognised()
    {
        const QByteArray utf8 = "Naam;Adres;Woonplaats\r\nRenée;Weg 1;Liège\r\n";
        for (const QByteArray& bytes : {utf8, "\xEF\xBB\xBF" + utf8, QString::fromUtf8(utf8).toLatin1()})
            QCOMPARE(addresses(importFileBytes(QStringLiteral("a.csv"), bytes).result), QList<Fields>{f("Renée", "Weg 1", "", "Liège", "Nederland")});
    }
};

QTEST_GUILESS_MAIN(TestAddressImport)
#include "tst_addressimport.moc"
