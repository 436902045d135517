#include "RecordingDevice.h"
#include "data/AddressListModel.h"
#include "print/LabelJobs.h"
#include "print/LabelSheet.h"

#include <QTest>
#include <limits>

Q_DECLARE_METATYPE(MarginSettings)

namespace {

AddressRecord address(int n)
{
    return AddressRecord{{QStringLiteral("Naam %1").arg(n), QStringLiteral("Straat %1").arg(n), QStringLiteral("1234 AB"),
                          QStringLiteral("Stad %1").arg(n), QStringLiteral("Nederland")}};
}

// Where the text of label p (1..21) starts without offsets.
QPoint plainOrigin(int p)
{
    return {607 + (p - 1) % 3 * 3744, 1050 + (p - 1) / 3 * 2160};
}

void fill(AddressListModel& list, int n)
{
    QList<AddressRecord> records;
    for (int i = 1; i <= n; ++i)
        records.append(address(i));
    list.replaceAll(records);
}

// Where the name lines landed: (page, x, y) for every text starting with "Naam".
QList<std::tuple<int, int, int>> namePositions(const RecordingDevice& device)
{
    QList<std::tuple<int, int, int>> result;
    for (const auto& t : device.texts)
        if (t.text.startsWith(QStringLiteral("Naam")))
            result.append({t.page, int(t.x), int(t.y)});
    return result;
}

// A label's page and text origin.
using Place = std::tuple<int, int, int>;

const QStringList SetUp = {QStringLiteral("SetUnitTwips"), QStringLiteral("SetPortrait"), QStringLiteral("SetFontName Arial"),
                           QStringLiteral("SetFontBold 1"), QStringLiteral("SetFontSize 10"),
                           QStringLiteral("SetTextColor 0,0,90")};

}

class TestLabelJobs : public QObject {
    Q_OBJECT
private slots:
    // Every label's corner where the published J8160 sheet has it: 7,21 mm
    // from the left, 15,15 mm from the top, 66,04 mm across and 38,10 mm down.
    void sheetGeometry()
    {
        LabelSheet::LabelCursor plain(MarginSettings{});
        for (int p = 0; p < LabelSheet::LabelCount; ++p, plain.advance()) {
            const double left = (plain.x() - LabelSheet::LabelEdgeLeftOfText) / LabelSheet::TwipsPerMm;
            const double top = (plain.y() - LabelSheet::LabelEdgeAboveText) / LabelSheet::TwipsPerMm;
            QVERIFY2(qAbs(left - (7.21 + p % 3 * 66.04)) < 0.02 && qAbs(top - (15.15 + p / 3 * 38.1)) < 0.05,
                     qPrintable(QStringLiteral("label %1 at %2, %3 mm").arg(p + 1).arg(left).arg(top)));
        }

        LabelSheet::LabelCursor cursor(MarginSettings{120, 0, -60, 0});
        QList<qint64> xs;
        for (int i = 0; i < 4; ++i, cursor.advance())
            xs.append(cursor.x());
        QCOMPARE(xs, (QList<qint64>{727, 4411, 8095, 727}));
        QCOMPARE(cursor.y(), 1050 + 2160);
    }

    void oneLabelPrintsFourLinesInOrder()
    {
        AddressListModel list;
        fill(list, 1);
        RecordingDevice device;
        QVERIFY(LabelJobs::AfdrukkenAlleLabels(device, list.records(), {}, 10, false).ok);
        QStringList expected = SetUp;
        for (int k = 0; k < 4; ++k)
            expected << QStringLiteral("SetCurrentX 607") << QStringLiteral("SetCurrentY %1").arg(1050 + 270 * k)
                     << QStringLiteral("PrintText ") + address(1).field(k);
        expected << QStringLiteral("EndDocument");
        QCOMPARE(device.ops, expected);
    }

    void twentyTwoAddressesGiveTwoPages()
    {
        AddressListModel list;
        fill(list, 22);
        RecordingDevice device;
        QVERIFY(LabelJobs::AfdrukkenAlleLabels(device, list.records(), {}, 10, false).ok);
        const auto names = namePositions(device);
        QCOMPARE(names.size(), 22);
        for (int p = 1; p <= 21; ++p) {
            const QPoint origin = plainOrigin(p);
            QCOMPARE(names[p - 1], std::make_tuple(1, origin.x(), origin.y()));
        }
        QCOMPARE(names[21], std::make_tuple(2, 607, 1050));
        QCOMPARE(device.pages, 2);
    }

    void exactlyTwentyOneGiveOnePage()
    {
        AddressListModel list;
        fill(list, 21);
        RecordingDevice device;
        QVERIFY(LabelJobs::AfdrukkenAlleLabels(device, list.records(), {}, 10, false).ok);
        QCOMPARE(device.ops.mid(device.ops.size() - 2), (QStringList{QStringLiteral("NewPage"), QStringLiteral("EndDocument")}));
        QCOMPARE(device.pages, 1);
    }

    void offsetsChangeLabelsPerPage_data()
    {
        QTest::addColumn<MarginSettings>("margins");
        QTest::addColumn<int>("perPage");
        QTest::newRow("none") << MarginSettings{} << 21;
        QTest::newRow("row pitch 180") << MarginSettings{0, 0, 0, 180} << 18;
        QTest::newRow("top and row pitch 600") << MarginSettings{0, 600, 0, 600} << 15;
        QTest::newRow("row pitch -600") << MarginSettings{0, 0, 0, -600} << 27;
        QTest::newRow("top -600") << MarginSettings{0, -600, 0, 0} << 21;
    }
    void offsetsChangeLabelsPerPage()
    {
        QFETCH(MarginSettings, margins);
        QFETCH(int, perPage);
        AddressListModel list;
        fill(list, perPage + 1);
        RecordingDevice device;
        QVERIFY(LabelJobs::AfdrukkenAlleLabels(device, list.records(), margins, 10, false).ok);
        const auto names = namePositions(device);
        QCOMPARE(std::get<0>(names[perPage - 1]), 1);
        QCOMPARE(names[perPage], std::make_tuple(2, 607 + margins.LeftOffset, 1050 + margins.TopOffset));
        QCOMPARE(LabelSheet::pagesForLabels(perPage + 1, margins), 2);
        QCOMPARE(LabelSheet::labelsOnSheet(margins), std::min(perPage, 21)); // the last start to offer
    }

    // A sheet whose first labels are used: the job goes on as if they had
    // been printed, and the next sheet starts at position 1.
    void startsLaterOnTheSheet_data()
    {
        QTest::addColumn<MarginSettings>("margins");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("addresses"); // 0: one address on the labels of one sheet
        QTest::addColumn<QList<int>>("which");
        QTest::addColumn<QList<Place>>("at");
        QTest::addColumn<int>("pages");
        QTest::newRow("25 from label 5") << MarginSettings{} << 5 << 25 << QList<int>{0, 16, 17, 24}
                                         << QList<Place>{{1, 4351, 3210}, {1, 8095, 14010}, {2, 607, 1050}, {2, 4351, 5370}} << 2;
        QTest::newRow("offsets, 18 to a sheet") << MarginSettings{120, -60, 60, 180} << 5 << 20 << QList<int>{0, 13, 14, 19}
                                                << QList<Place>{{1, 4531, 3330}, {1, 8335, 12690}, {2, 727, 990}, {2, 8335, 3330}} << 2;
        QTest::newRow("beyond the sheet: its last label") << MarginSettings{0, 0, 0, 180} << 21 << 2 << QList<int>{0, 1}
                                                          << QList<Place>{{1, 8095, 12750}, {2, 607, 1050}} << 2;
        QTest::newRow("one address from 19") << MarginSettings{60, 0, 0, 0} << 19 << 0 << QList<int>{0, 1, 2}
                                             << QList<Place>{{1, 667, 14010}, {1, 4411, 14010}, {1, 8155, 14010}} << 1;
    }
    void startsLaterOnTheSheet()
    {
        QFETCH(MarginSettings, margins);
        QFETCH(int, start);
        QFETCH(int, addresses);
        QFETCH(QList<int>, which);
        QFETCH(QList<Place>, at);
        QFETCH(int, pages);
        RecordingDevice device;
        struct LastTotal : JobProgress {
            qint64 total = 1;
            void pagesDone(qint64, qint64 t) override { total = t; }
        } progress;
        AddressListModel list;
        fill(list, addresses);
        const JobResult result = addresses ? LabelJobs::AfdrukkenAlleLabels(device, list.records(), margins, 10, false, start, &progress)
                                           : LabelJobs::AfdrukkenZelfdeLabels(device, address(1), margins, 10, false, start);
        QVERIFY(result.ok);
        const auto names = namePositions(device);
        QCOMPARE(names.size(), addresses ? addresses : 22 - start);
        for (qsizetype i = 0; i < which.size(); ++i)
            QCOMPARE(names[which[i]], at[i]);
        QCOMPARE(device.pages, pages);
        QCOMPARE(progress.total, qint64(pages));
    }

    // The progress window's "van N" is the prediction: it must be the pages the job prints.
    void predictedPagesArePrintedPages_data()
    {
        QTest::addColumn<MarginSettings>("margins");
        QTest::addColumn<int>("pages");
        constexpr qint32 Lowest = std::numeric_limits<qint32>::min();
        constexpr qint32 Highest = std::numeric_limits<qint32>::max();
        QTest::newRow("none") << MarginSettings{} << 2;
        QTest::newRow("first row below the limit: a page a label") << MarginSettings{0, 14000, 0, 0} << 31;
        QTest::newRow("first row on the limit: a row a page") << MarginSettings{0, 13950, 0, 0} << 11;
        QTest::newRow("rows climb") << MarginSettings{0, 0, 0, -2160} << 1;
        QTest::newRow("rows climb from below the limit") << MarginSettings{0, 14000, 0, -5000} << 3;
        QTest::newRow("rows climb, but not enough") << MarginSettings{0, 14000, 0, -2200} << 31;
        QTest::newRow("lowest top, smallest step") << MarginSettings{0, Lowest, 0, -2159} << 1;
        QTest::newRow("highest top and step") << MarginSettings{Highest, Highest, Highest, Highest} << 31;
        QTest::newRow("lowest everything") << MarginSettings{Lowest, Lowest, Lowest, Lowest} << 1;
    }
    void predictedPagesArePrintedPages()
    {
        QFETCH(MarginSettings, margins);
        QFETCH(int, pages);
        struct LastTotal : JobProgress {
            qint64 total = -1;
            void pagesDone(qint64, qint64 t) override { total = t; }
        } progress;
        AddressListModel list;
        fill(list, 31);
        RecordingDevice device;
        QVERIFY(LabelJobs::AfdrukkenAlleLabels(device, list.records(), margins, 10, false, 1, &progress).ok);
        QCOMPARE(device.pages, pages);
        QCOMPARE(LabelSheet::pagesForLabels(31, margins), pages);
        if (pages > 1) // a job of one page has no page to report
            QCOMPARE(progress.total, qint64(pages));
    }

    void predictionHoldsAcrossOffsets()
    {
        for (const qint32 top : {-20000, -600, 0, 12000, 13950, 13951, 14000, 20000})
            for (const qint32 rowPitch : {-20000, -5000, -2200, -2160, -2159, -1000, 0, 180, 600, 20000})
                for (const int labels : {1, 2, 3, 4, 6, 7, 22, 31}) {
                    const MarginSettings margins{0, top, 0, rowPitch};
                    AddressListModel list;
                    fill(list, labels);
                    RecordingDevice device;
                    QVERIFY(LabelJobs::AfdrukkenAlleLabels(device, list.records(), margins, 10, false).ok);
                    QVERIFY2(LabelSheet::pagesForLabels(labels, margins) == device.pages,
                             qPrintable(QStringLiteral("top %1, row pitch %2, %3 labels").arg(top).arg(rowPitch).arg(labels)));
                }
    }

    // A line may be 3203 twips wide; the device measures it (here 100 twips a
    // character at 10 points). Too wide, it wraps at a blank while the label
    // keeps six lines, never between the street's last word and its number;
    // then it shrinks, and below 8 points or cut the address is named.
    void longLinesWrapShrinkOrAreNamed_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("land");
        QTest::addColumn<QStringList>("printed"); // "text@size"
        QTest::addColumn<bool>("named");
        const auto at = [](const char* text, const char* size) { return QString::fromUtf8(text) + u'@' + QLatin1String(size); };
        QTest::newRow("exactly at the limit") << int(AddressRecord::Adres) << QString(32, u's') + QStringLiteral(" 1").left(0)
                                              << QString() << QStringList{at("Naam 1", "10"), QString(32, u's') + QStringLiteral("@10"),
                                                                          at("1234 AB", "10"), at("Stad 1", "10")}
                                              << false;
        QTest::newRow("a street wrapped before its last word")
            << int(AddressRecord::Adres) << QStringLiteral("Burgemeester Schimmelpenninckstraat 117 bis") << QString()
            << QStringList{at("Naam 1", "10"), at("Burgemeester", "10"), at("Schimmelpenninckstraat 117 bis", "10"),
                           at("1234 AB", "10"), at("Stad 1", "10")}
            << false;
        QTest::newRow("no blank to wrap at: shrunk") << int(AddressRecord::Adres) << QStringLiteral("Schimmelpenninckstraatweggetje 117")
                                                     << QString()
                                                     << QStringList{at("Naam 1", "10"), at("Schimmelpenninckstraatweggetje 117", "9"),
                                                                    at("1234 AB", "10"), at("Stad 1", "10")}
                                                     << false;
        QTest::newRow("six lines abroad: wrapped once, then shrunk")
            << int(AddressRecord::Adres) << QStringLiteral("Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Dddddddddd Eeeeeeeeee Ffff 12")
            << QStringLiteral("België")
            << QStringList{at("Naam 1", "10"), at("Aaaaaaaaaa Bbbbbbbbbb Cccccccccc", "10"),
                           at("Dddddddddd Eeeeeeeeee Ffff 12", "10"), at("1234 AB", "10"), at("Stad 1", "10"), at("België", "10")}
            << true; // 1234 AB is no Belgian postcode
        QTest::newRow("below 8 points: named") << int(AddressRecord::Adres) << QString(43, u'x') + QStringLiteral(" 1") << QString()
                                               << QStringList{at("Naam 1", "10"), QString(43, u'x') + QStringLiteral(" 1@7"),
                                                              at("1234 AB", "10"), at("Stad 1", "10")}
                                               << true;
        QTest::newRow("one word too wide even at 6 points: cut at the label's edge")
            << int(AddressRecord::Woonplaats) << QString(60, u'w') << QString()
            << QStringList{at("Naam 1", "10"), at("Straat 1", "10"), at("1234 AB", "10"), QString(56, u'w') + QStringLiteral("@6")}
            << true;
    }
    void longLinesWrapShrinkOrAreNamed()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, land);
        QFETCH(QStringList, printed);
        QFETCH(bool, named);
        AddressRecord member = address(1);
        member.setField(field, text);
        member.setField(AddressRecord::Land, land);
        RecordingDevice device;
        device.twipsPerChar = 100;
        const LabelCheck check = checkLabels(device, {member}, 10, false);
        QVERIFY(device.ops.isEmpty()); // measuring prints nothing
        QCOMPARE(check.named, named ? QList<qsizetype>{0} : QList<qsizetype>());
        QVERIFY(LabelJobs::AfdrukkenEnkelLabel(device, member, 1, 10).ok);
        QStringList lines;
        for (const auto& line : device.texts)
            lines.append(line.text + u'@' + QString::number(line.size));
        QCOMPARE(lines, printed);
        // One line below the other, as the lines of every label.
        for (qsizetype i = 1; i < device.texts.size(); ++i)
            QCOMPARE(device.texts[i].y - device.texts[i - 1].y, 270);
    }

    // Outlines where the labels lie around their text, a cross at the text
    // start, sample lines where the jobs put them, and the offsets below.
    void proofSheetShowsWhereLabelsGo()
    {
        RecordingDevice device;
        const MarginSettings margins{120, -60, 60, 0};
        QVERIFY(LabelJobs::AfdrukkenProefvel(device, margins, 11, QStringLiteral("Marges: 1 = 2, 2 = -1, 3 = 1, 4 = 0")).ok);
        QCOMPARE(device.pages, 1);
        constexpr int RulerLines = 1 + 11;
        QCOMPARE(device.lines.size(), 21 * 6 + RulerLines);
        // The ruler: 100 mm from the first column, ticks every 10 mm, its caption after it.
        QCOMPARE(device.lines[21 * 6].line.p1(), QPointF(607, 400));
        QCOMPARE(qRound(device.lines[21 * 6].line.length() * 254 / 1440), 1000); // tenths of a millimetre
        QCOMPARE(device.lines.last().line, QLineF(device.lines[21 * 6].line.p2() - QPointF(0, 90), device.lines[21 * 6].line.p2()));
        QCOMPARE(device.texts.last().text, QStringLiteral("Deze lijn hoort 100 mm lang te zijn"));
        // Label 5: text at (727 + 3804, 990 + 2160).
        const QList<QLineF> label5 = {QLineF(4333, 2957, 7933, 2957), QLineF(7933, 2957, 7933, 5117),
                                      QLineF(7933, 5117, 4333, 5117), QLineF(4333, 5117, 4333, 2957),
                                      QLineF(4441, 3150, 4621, 3150), QLineF(4531, 3060, 4531, 3240)};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(device.lines[4 * 6 + i].line, label5[i]);
        const auto at = [&](int i) { return std::tuple{device.texts[i].text, int(device.texts[i].x), int(device.texts[i].y)}; };
        QCOMPARE(at(4 * 5), std::tuple(QStringLiteral("Naam"), 4531, 3150));
        QCOMPARE(at(4 * 5 + 4), std::tuple(QStringLiteral("Land"), 4531, 3150 + 1080));
        QCOMPARE(at(21 * 5), std::tuple(QStringLiteral("Marges: 1 = 2, 2 = -1, 3 = 1, 4 = 0"), 607, 16300));
        QCOMPARE(device.texts[0].size, 11);

        // At +10 steps the address job puts 15 labels on a sheet; the proof sheet draws those alone.
        RecordingDevice far;
        QVERIFY(LabelJobs::AfdrukkenProefvel(far, {600, 600, 600, 600}, 11, QString()).ok);
        QCOMPARE(far.lines.size(), LabelSheet::labelsOnSheet({600, 600, 600, 600}) * 6 + RulerLines);
        QCOMPARE(far.lines.size(), 15 * 6 + RulerLines);
    }

    // An empty Adres, Postcode or Woonplaats leaves no gap: the lines below
    // move up, the country's included, a country code as its name. A Dutch postcode prints as PostNL
    // writes it; the list keeps what was typed.
    void linesMoveUpOverEmptyFields_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("printed"); // one a line, 270 twips apart
        QTest::newRow("no town") << QStringList{QStringLiteral("Jan"), QStringLiteral("Weg 1"), QStringLiteral("1000 AB"), QString(), QStringLiteral("Nederland")}
                                 << QStringList{QStringLiteral("Jan"), QStringLiteral("Weg 1"), QStringLiteral("1000 AB"), QStringLiteral("Nederland")};
        QTest::newRow("no street, blank postcode") << QStringList{QStringLiteral("Jan"), QString(), QStringLiteral("  "), QStringLiteral("Ede"), QStringLiteral("NL")}
                                                   << QStringList{QStringLiteral("Jan"), QStringLiteral("Ede"), QStringLiteral("Nederland")};
        // A country kept as its code prints as its name.
        QTest::newRow("a country code") << QStringList{QStringLiteral("Ann"), QStringLiteral("Rue 2"), QStringLiteral("75001"), QStringLiteral("Parijs"), QStringLiteral("fra")}
                                        << QStringList{QStringLiteral("Ann"), QStringLiteral("Rue 2"), QStringLiteral("75001"), QStringLiteral("Parijs"), QStringLiteral("Frankrijk")};
        QTest::newRow("Dutch postcode as PostNL writes it") << QStringList{QStringLiteral("Jan"), QStringLiteral("Weg 1"), QStringLiteral("1000ab"), QStringLiteral("Ede"), QString()}
                                                            << QStringList{QStringLiteral("Jan"), QStringLiteral("Weg 1"), QStringLiteral("1000 AB"), QStringLiteral("Ede"), QString()};
        QTest::newRow("a Belgian one as typed") << QStringList{QStringLiteral("Piet"), QStringLiteral("Rue 2"), QStringLiteral("1000ab"), QStringLiteral("Brussel"), QStringLiteral("België")}
                                                << QStringList{QStringLiteral("Piet"), QStringLiteral("Rue 2"), QStringLiteral("1000ab"), QStringLiteral("Brussel"), QStringLiteral("België")};
    }
    void linesMoveUpOverEmptyFields()
    {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, printed);
        const AddressRecord record{{fields[0], fields[1], fields[2], fields[3], fields[4]}};
        RecordingDevice device;
        QVERIFY(LabelJobs::AfdrukkenAlleLabels(device, {record}, {}, 12, true).ok);
        QStringList texts;
        for (int k = 0; k < device.texts.size(); ++k) {
            texts.append(device.texts[k].text);
            QCOMPARE(device.texts[k].y, 1050 + 270 * k);
            QCOMPARE(device.texts[k].size, 12);
        }
        QCOMPARE(texts, printed);
        QVERIFY(device.texts.last().bold);
        QCOMPARE(device.texts.last().colour, qRgb(0, 0, 90));
    }

    void sameAddressOnAllLabelsWithoutPageBreak()
    {
        RecordingDevice device;
        QVERIFY(LabelJobs::AfdrukkenZelfdeLabels(device, address(7), MarginSettings{60, 0, 0, 600}, 10, true).ok);
        QCOMPARE(device.texts.size(), 21 * 5);
        QVERIFY(!device.ops.contains(QStringLiteral("NewPage")));
        const auto names = namePositions(device);
        QCOMPARE(names.first(), std::make_tuple(1, 667, 1050));
        QCOMPARE(names.last(), std::make_tuple(1, 667 + 2 * 3744, 1050 + 6 * 2760));
    }

    // A picked label lands where the sheet jobs put that label, offsets and all.
    void singleLabelFollowsTheOffsets_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<MarginSettings>("margins");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("no offsets") << 20 << MarginSettings{} << QPoint(4351, 14010);
        QTest::newRow("first label") << 1 << MarginSettings{120, -60, 60, 60} << QPoint(727, 990);
        QTest::newRow("label 9, +2 / -1 steps") << 9 << MarginSettings{120, -60, 0, 0} << QPoint(8215, 5310);
        QTest::newRow("label 21, pitches too") << 21 << MarginSettings{120, -60, 60, -30} << QPoint(8335, 13770);
    }
    void singleLabelFollowsTheOffsets()
    {
        QFETCH(int, position);
        QFETCH(MarginSettings, margins);
        QFETCH(QPoint, origin);
        RecordingDevice device;
        QVERIFY(LabelJobs::AfdrukkenEnkelLabel(device, address(3), position, 11, margins).ok);
        QCOMPARE(device.texts.size(), 4);
        QCOMPARE(QPoint(int(device.texts[0].x), int(device.texts[0].y)), origin);
        QCOMPARE(device.ops.mid(0, 6), QStringList(SetUp).replaceInStrings(QStringLiteral("Size 10"), QStringLiteral("Size 11")));
    }

    // PostNL's rule: the country on every address abroad, on none at home
    // unless the box is ticked; in all three label jobs.
    void countryLineForAddressesAbroad_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("land");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("printed");
        for (const QString& job : {QStringLiteral("all"), QStringLiteral("same"), QStringLiteral("single")}) {
            const auto row = [&](const QString& land, bool ticked, bool printed) {
                QTest::addRow("%s, '%s'%s", qPrintable(job), qPrintable(land), ticked ? ", ticked" : "")
                    << job << land << ticked << printed;
            };
            row(QStringLiteral("Nederland"), false, false);
            row(QStringLiteral(" nl "), false, false);
            row(QStringLiteral("Nederlân"), false, false);
            row(QStringLiteral("PAYS-BAS"), false, false);
            row(QString(), false, false);
            row(QStringLiteral("België"), false, true);
            row(QStringLiteral("Deutschland"), false, true);
            if (job != QLatin1String("single")) {
                row(QStringLiteral("Nederland"), true, true);
                row(QStringLiteral("België"), true, true);
            }
        }
    }
    void countryLineForAddressesAbroad()
    {
        QFETCH(QString, job);
        QFETCH(QString, land);
        QFETCH(bool, ticked);
        QFETCH(bool, printed);
        AddressRecord to = address(1);
        to.setField(AddressRecord::Land, land);
        RecordingDevice device;
        const JobResult result = job == QLatin1String("all")  ? LabelJobs::AfdrukkenAlleLabels(device, {to}, {}, 10, ticked)
                               : job == QLatin1String("same") ? LabelJobs::AfdrukkenZelfdeLabels(device, to, {}, 10, ticked, 21)
                                                              : LabelJobs::AfdrukkenEnkelLabel(device, to, 21, 10);
        QVERIFY(result.ok);
        QCOMPARE(device.texts.size(), printed ? 5 : 4);
        if (printed)
            QCOMPARE(std::tuple(device.texts[4].text, int(device.texts[4].x), int(device.texts[4].y)),
                     std::tuple(land, job == QLatin1String("all") ? 607 : 8095, job == QLatin1String("all") ? 2130 : 15090));
    }

    void failureEndsWithErrorPrinter_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::newRow("set-up") << 1;
        QTest::newRow("font") << 3;
        QTest::newRow("position") << 7;
        QTest::newRow("text") << 9;
        QTest::newRow("new page") << 6 + 21 * 12 + 1;
        QTest::newRow("end") << 6 + 22 * 12 + 2;
    }
    void failureEndsWithErrorPrinter()
    {
        QFETCH(int, failAt);
        AddressListModel list;
        fill(list, 22);
        RecordingDevice device;
        device.failAt = failAt;
        const JobResult result = LabelJobs::AfdrukkenAlleLabels(device, list.records(), {}, 10, false);
        QVERIFY(!result.ok);
        QCOMPARE(result.reason, QStringLiteral("printer Kantoor staat uit."));
        QCOMPARE(device.ops.size(), failAt + 2);
        QCOMPARE(device.ops.mid(failAt), (QStringList{QStringLiteral("PrintText Error Printer"), QStringLiteral("EndDocument")}));
    }

    void failureOfEverythingStillReturns()
    {
        RecordingDevice device;
        device.failAt = 1;
        device.failOnwards = true;
        QVERIFY(!LabelJobs::AfdrukkenEnkelLabel(device, address(1), 1, 10).ok);
        QCOMPARE(device.ops.size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestLabelJobs)
#include "tst_labeljobs.moc"
