#include "RecordingDevice.h"
#include "data/AddressListModel.h"
#include "print/ListJob.h"

#include <QTest>

namespace {

const QDateTime Moment(QDate(2026, 12, 6), QTime(14, 5, 9));

void fill(AddressListModel& list, int n)
{
    QList<AddressRecord> records;
    for (int i = 1; i <= n; ++i)
        records.append(AddressRecord{{QStringLiteral("Naam %1").arg(i), QStringLiteral("Straat"), QStringLiteral("1234"),
                                      QStringLiteral("Stad"), i == 1 ? QString() : QStringLiteral("Land")}});
    list.replaceAll(records);
}

QList<int> nameLinesOf(const RecordingDevice& device, int page)
{
    QList<int> ys;
    for (const auto& t : device.page(page))
        if (t.text.startsWith(QStringLiteral("Naam ")))
            ys.append(int(t.y));
    return ys;
}

}

class TestListJob : public QObject {
    Q_OBJECT
private slots:
    void firstPageLayout()
    {
        AddressListModel list;
        fill(list, 1);
        RecordingDevice device;
        QVERIFY(AfdrukkenLijst(device, list.records(), 9, Moment).ok);
        QCOMPARE(device.pages, 1);
        const auto texts = device.texts;
        QCOMPARE(texts[0].text, QStringLiteral("Adressenlijst"));
        QCOMPARE((std::tuple{texts[0].x, texts[0].y, texts[0].size, texts[0].bold}), (std::tuple{300.f, 300.f, 14.f, true}));
        QCOMPARE(texts[1].text, QStringLiteral("14:05:09 / 06-12-2026"));
        QCOMPARE((std::tuple{texts[1].x, texts[1].y, texts[1].colour}), (std::tuple{8400.f, 300.f, qRgb(0, 0, 90)}));
        const QStringList headers = {QStringLiteral("Voor en Achternaam"), QStringLiteral("Straatnaam en Huisnr."),
                                     QStringLiteral("Postcode"), QStringLiteral("Woonplaats"), QStringLiteral("Land")};
        const QList<float> xs = {300, 3600, 6450, 7650, 9750};
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(texts[2 + c].text, headers[c]);
            QCOMPARE((std::tuple{texts[2 + c].x, texts[2 + c].y, texts[2 + c].size, texts[2 + c].bold}),
                     (std::tuple{xs[c], 990.f, 9.f, true}));
            QCOMPARE(texts[2 + c].colour, qRgb(40, 0, 0));
        }
        QCOMPARE(texts[7].text, QString(160, QLatin1Char('-')));
        QCOMPARE((std::tuple{texts[7].x, texts[7].y}), (std::tuple{300.f, 1200.f}));
        for (int c = 0; c < 5; ++c) {
            QCOMPARE((std::tuple{texts[8 + c].x, texts[8 + c].y, texts[8 + c].bold}), (std::tuple{xs[c], 1500.f, false}));
        }
        QCOMPARE(texts[12].text, QString()); // an empty Land keeps its column
        QCOMPARE(texts.size(), 13);

        // A field of megabytes prints its start: the table has no room for more.
        AddressRecord big = list.at(0);
        big.setField(AddressRecord::Adres, QString(1001, QLatin1Char('a')));
        list.replaceAll({big});
        RecordingDevice bigDevice;
        QVERIFY(AfdrukkenLijst(bigDevice, list.records(), 9, Moment).ok);
        QCOMPARE(bigDevice.texts[9].text, QString(1000, QLatin1Char('a')) + QChar(0x2026));
    }

    void pagesAndCapacities_data()
    {
        QTest::addColumn<int>("addresses");
        QTest::addColumn<QList<int>>("linesPerPage");
        QTest::newRow("49") << 49 << QList<int>{49};
        QTest::newRow("50") << 50 << QList<int>{50, 0};
        QTest::newRow("51") << 51 << QList<int>{50, 1};
        QTest::newRow("101") << 101 << QList<int>{50, 51, 0};
    }
    void pagesAndCapacities()
    {
        QFETCH(int, addresses);
        QFETCH(QList<int>, linesPerPage);
        AddressListModel list;
        fill(list, addresses);
        RecordingDevice device;
        QVERIFY(AfdrukkenLijst(device, list.records(), 10, Moment).ok);
        QCOMPARE(device.pages, int(linesPerPage.size()));
        QCOMPARE(listPages(addresses), linesPerPage.size());
        for (int p = 1; p <= linesPerPage.size(); ++p) {
            const QList<int> ys = nameLinesOf(device, p);
            QCOMPARE(ys.size(), linesPerPage[p - 1]);
            if (!ys.isEmpty()) {
                QCOMPARE(ys.first(), p == 1 ? 1500 : 1200);
                QCOMPARE(ys.last(), ys.first() + 270 * (int(ys.size()) - 1));
            }
            if (p > 1) {
                const auto texts = device.page(p);
                QCOMPARE(texts[0].text, QStringLiteral("Voor en Achternaam"));
                QCOMPARE(texts[0].y, 690);
                QCOMPARE(texts[5].y, 900);
                QVERIFY(texts[5].bold);
                if (texts.size() > 6)
                    QVERIFY(!texts[6].bold);
            }
        }
    }

    void failureEndsTheDocument()
    {
        AddressListModel list;
        fill(list, 3);
        RecordingDevice device;
        device.failAt = 20;
        const JobResult result = AfdrukkenLijst(device, list.records(), 10, Moment);
        QVERIFY(!result.ok);
        QCOMPARE(device.ops.last(), QStringLiteral("EndDocument"));
        QCOMPARE(device.ops.size(), 22);
    }
};

QTEST_GUILESS_MAIN(TestListJob)
#include "tst_listjob.moc"
