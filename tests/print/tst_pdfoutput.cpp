#include "ChildProcess.h"
#include "PdfText.h"
#include "SmallDisk.h"
#include "data/AddressListModel.h"
#include "print/LabelJobs.h"
#include "print/ListJob.h"
#include "print/PdfPreferences.h"
#include "print/PdfPrinterDevice.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <future>

namespace {

constexpr double MmPerTwip = 25.4 / 1440;
const QDateTime Moment(QDate(2026, 12, 7), QTime(14, 5, 9));

const QStringList Names = {QStringLiteral("Alfa"), QStringLiteral("Bravo"), QStringLiteral("Charlie"), QStringLiteral("Delta")};

AddressRecord address(int i)
{
    return AddressRecord{{Names[i % Names.size()] + QString::number(i), QStringLiteral("Straat%1").arg(i),
                          QStringLiteral("P%1").arg(i), QStringLiteral("Stad%1").arg(i), QStringLiteral("Land%1").arg(i)}};
}

void fill(AddressListModel& list, int n)
{
    QList<AddressRecord> records;
    for (int i = 1; i <= n; ++i)
        records.append(address(i));
    list.replaceAll(records);
}

// A device printing to "PDF-bestand" in the folder, at a fixed moment.
std::unique_ptr<PdfPrinterDevice> pdfPrinter(const QString& folder, const QString& documentName = QStringLiteral("Plaklabels"))
{
    auto printer = std::make_unique<PdfPrinterDevice>(folder, [] { return Moment; });
    printer->SelectPrinter(int(printer->InstalledPrinters().indexOf(PdfPrinterName)));
    printer->SetDocumentName(documentName);
    return printer;
}

const PdfWord* find(const QList<PdfWord>& words, const QString& text)
{
    for (const PdfWord& word : words)
        if (word.text == text)
            return &word;
    return nullptr;
}

// The word's box must start at the twip position within half a millimetre.
void verifyAt(const QList<PdfWord>& words, const QString& text, int page, int xTwips, int yTwips)
{
    const PdfWord* word = find(words, text);
    QVERIFY2(word, qPrintable(text));
    QCOMPARE(word->page, page);
    QVERIFY2(qAbs(word->xMm - xTwips * MmPerTwip) < 0.5, qPrintable(QStringLiteral("%1 x %2").arg(text).arg(word->xMm)));
    QVERIFY2(qAbs(word->topMm - yTwips * MmPerTwip) < 0.5, qPrintable(QStringLiteral("%1 y %2").arg(text).arg(word->topMm)));
}

}

class TestPdfOutput : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    QStringList m_kept; // the PDFs the jobs were kept as, in order

    JobResult keep(const JobResult& result)
    {
        if (!result.keptDocument.isEmpty())
            m_kept.append(result.keptDocument);
        return result;
    }


private slots:
    void init()
    {
        QDir(m_folder.path() + QStringLiteral("/Afdrukken")).removeRecursively();
        m_kept.clear();
    }

    void pdfPrinterIsAlwaysThere()
    {
        PdfPrinterDevice printer(m_folder.path());
        QCOMPARE(printer.InstalledPrinters().last(), QStringLiteral("PDF-bestand"));
    }

    void labelsLandOnTheirLabels()
    {
        AddressListModel list;
        fill(list, 22);
        const auto printer = pdfPrinter(m_folder.path());
        QVERIFY(keep(LabelJobs::AfdrukkenAlleLabels(*printer, list.records(), {}, 10, true)).ok);

        const QString path = m_folder.path() + QStringLiteral("/Afdrukken/Plaklabels 2026-12-07 14.05.09.pdf");
        QCOMPARE(m_kept, QStringList{path});
        QCOMPARE(pdfPageCount(path), 2);
        const QList<PdfWord> words = readPdfWords(path);
        verifyAt(words, QStringLiteral("Bravo1"), 1, 607, 1050);
        verifyAt(words, QStringLiteral("Straat1"), 1, 607, 1050 + 270);
        verifyAt(words, QStringLiteral("Land1"), 1, 607, 1050 + 1080);
        verifyAt(words, QStringLiteral("Charlie2"), 1, 4351, 1050);
        verifyAt(words, QStringLiteral("Bravo21"), 1, 8095, 14010);
        verifyAt(words, QStringLiteral("Land21"), 1, 8095, 15090);
        verifyAt(words, QStringLiteral("Charlie22"), 2, 607, 1050);
        // Viewers are asked to print at actual size, in a file that stays valid.
        const auto [valid, objects] = qpdfCheckAndObjects(path);
        QVERIFY(valid);
        QVERIFY(objects.contains("\"/PrintScaling\": \"/None\""));
    }

    void fullSheetGivesNoBlankPageAndNamesDoNotCollide()
    {
        AddressListModel list;
        fill(list, 21);
        const auto printer = pdfPrinter(m_folder.path());
        QVERIFY(keep(LabelJobs::AfdrukkenAlleLabels(*printer, list.records(), {}, 10, false)).ok);
        QVERIFY(keep(LabelJobs::AfdrukkenEnkelLabel(*printer, address(5), 5, 10)).ok);
        QCOMPARE(m_kept.size(), 2);
        QCOMPARE(pdfPageCount(m_kept[0]), 1);
        QVERIFY(m_kept[1].endsWith(QStringLiteral("14.05.09 (2).pdf")));
        verifyAt(readPdfWords(m_kept[1]), QStringLiteral("Bravo5"), 1, 4351, 3210);
    }

    // A street too long for its label wraps before its last word, house
    // number and suffix, which end inside it; nothing shrinks or is cut. A
    // picked label follows the offsets.
    void longLinesEndInsideTheirLabel()
    {
        AddressRecord member = address(1);
        member.setField(AddressRecord::Adres, QStringLiteral("Burgemeester Schimmelpenninckstraat 117 bis"));
        const auto printer = pdfPrinter(m_folder.path());
        QVERIFY(keep(LabelJobs::AfdrukkenAlleLabels(*printer, {member, address(2)}, {}, 10, false)).ok);
        const QList<PdfWord> words = readPdfWords(m_kept.last());
        verifyAt(words, QStringLiteral("Burgemeester"), 1, 607, 1050 + 270);
        verifyAt(words, QStringLiteral("Schimmelpenninckstraat"), 1, 607, 1050 + 2 * 270);
        verifyAt(words, QStringLiteral("P1"), 1, 607, 1050 + 3 * 270);
        const PdfWord* last = find(words, QStringLiteral("bis"));
        QVERIFY(last);
        QVERIFY2(last->rightMm <= (607 + 3203) * MmPerTwip + 0.2, qPrintable(QString::number(last->rightMm)));
        const auto height = [&](const QString& text) { return find(words, text)->bottomMm - find(words, text)->topMm; };
        QVERIFY(qAbs(height(QStringLiteral("Schimmelpenninckstraat")) - height(QStringLiteral("Bravo1"))) < 0.05);
        QVERIFY(qAbs(height(QStringLiteral("Charlie2")) - height(QStringLiteral("Bravo1"))) < 0.05);

        QVERIFY(keep(LabelJobs::AfdrukkenEnkelLabel(*printer, address(9), 9, 10, {120, -60, 0, 0})).ok);
        verifyAt(readPdfWords(m_kept.last()), QStringLiteral("Bravo9"), 1, 607 + 120 + 2 * 3744, 1050 - 60 + 2 * 2160);
    }

    // The check runs beside the window, on a new thread each job: each
    // measures with fonts of its own, the same widths as the window's.
    void checksOnThreadsThatEndMeasureAlike()
    {
        const auto printer = pdfPrinter(m_folder.path());
        const auto street = [](const QString& adres) {
            AddressRecord member = address(1);
            member.setField(AddressRecord::Adres, adres);
            return member;
        };
        const QList<QList<AddressRecord>> jobs{
            {street(QStringLiteral("Kerkstraat 1")), street(QString(60, u'W')), address(2)},
            {street(QStringLiteral("Ølweg 7")), street(QStringLiteral("Quaystraße ") + QString(50, u'ß')),
             street(QStringLiteral("Волков проспект 12"))}};
        for (const QList<AddressRecord>& labels : jobs) {
            const LabelCheck beside = std::async(std::launch::async, [&] { return checkLabels(*printer, labels, 10, false); }).get();
            QCOMPARE(beside.named, (QList<qsizetype>{1}));
            QCOMPARE(beside.lines, checkLabels(*printer, labels, 10, false).lines);
            QVERIFY(keep(LabelJobs::AfdrukkenAlleLabels(*printer, labels, {}, 10, false)).ok);
        }
        QVERIFY(find(readPdfWords(m_kept.last()), QStringLiteral("проспект")));
    }

    void listJobLayout()
    {
        AddressListModel list;
        fill(list, 51);
        const auto printer = pdfPrinter(m_folder.path(), QStringLiteral("Adressenlijst"));
        QVERIFY(keep(AfdrukkenLijst(*printer, list.records(), 10, Moment)).ok);
        const QString path = m_folder.path() + QStringLiteral("/Afdrukken/Adressenlijst 2026-12-07 14.05.09.pdf");
        QCOMPARE(pdfPageCount(path), 2);
        const QList<PdfWord> words = readPdfWords(path);
        verifyAt(words, QStringLiteral("Adressenlijst"), 1, 300, 300);
        verifyAt(words, QStringLiteral("14:05:09"), 1, 8400, 300);
        verifyAt(words, QStringLiteral("Straatnaam"), 1, 3600, 990);
        verifyAt(words, QStringLiteral("Bravo1"), 1, 300, 1500);
        verifyAt(words, QStringLiteral("Stad1"), 1, 7650, 1500);
        verifyAt(words, QStringLiteral("Charlie50"), 1, 300, 1500 + 49 * 270);
        verifyAt(words, QStringLiteral("Delta51"), 2, 300, 1200);
        verifyAt(words, QStringLiteral("Land51"), 2, 9750, 1200);
    }

    void unwritableFolderFailsWithReason()
    {
        QTemporaryDir other;
        QFile blocker(other.path() + QStringLiteral("/Afdrukken"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        const JobResult result = keep(LabelJobs::AfdrukkenEnkelLabel(*pdfPrinter(other.path()), address(1), 1, 10));
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.startsWith(QStringLiteral("de map ")), qPrintable(result.reason));
        QVERIFY(m_kept.isEmpty());
    }
    // QPdfWriter never reports a failed write: the device must see it itself.
    void cutOffPdfFailsTheJobAndIsRemoved_data()
    {
        QTest::addColumn<int>("labels");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray told = " het PDF-bestand kon niet helemaal worden geschreven (is de schijf vol?). bewaard: 0";
        QTest::newRow("one label, at the end") << 1 << QByteArray("mislukt" + told);
        QTest::newRow("many pages, at a new page") << 2000 << QByteArray("mislukt" + told);
    }
    void cutOffPdfFailsTheJobAndIsRemoved()
    {
        QFETCH(int, labels);
        QFETCH(QByteArray, expected);
        AddressListModel list;
        fill(list, labels);
        const QByteArray answer = runWithFileSizeLimit(3000, [&] {
            const auto printer = pdfPrinter(m_folder.path());
            const JobResult result = keep(LabelJobs::AfdrukkenAlleLabels(*printer, list.records(), {}, 10, false));
            return QByteArray(result.ok ? "gelukt " : "mislukt ") + result.reason.toUtf8()
                + " bewaard: " + QByteArray::number(m_kept.size());
        });
        QCOMPARE(answer, expected);
        QCOMPARE(QDir(m_folder.path() + QStringLiteral("/Afdrukken")).entryList(QDir::Files), QStringList());
    }

    // Texts are drawn as glyph runs shaped once: the PDF must read exactly as
    // Qt's own text drawing would write it, words at the same places, searchable.
    void glyphRunsPrintWhatDrawTextPrints()
    {
        const AddressRecord address{{QStringLiteral("Jan van der Berg-Wouters"), QStringLiteral("AVENUE Wagram 12a"),
                                     QStringLiteral("1234 AB"), QStringLiteral("'s-Hertogenbosch"), QString()}};
        QVERIFY(keep(LabelJobs::AfdrukkenEnkelLabel(*pdfPrinter(m_folder.path()), address, 1, 10)).ok);

        const QString reference = m_folder.path() + QStringLiteral("/drawtext.pdf");
        {
            QPdfWriter writer(reference);
            writer.setResolution(1440);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            QFont font(QStringLiteral("Arial"));
            font.setHintingPreference(QFont::PreferFullHinting);
            font.setBold(true);
            font.setPointSizeF(10);
            painter.setFont(font);
            const double ascent = QFontMetricsF(font, &writer).ascent();
            for (int k = 0; k < 4; ++k)
                painter.drawText(QPointF(607, 1050 + 270 * k + ascent), address.field(k));
        }
        const QList<PdfWord> drawn = readPdfWords(m_kept.last());
        const QList<PdfWord> expected = readPdfWords(reference);
        QCOMPARE(drawn.size(), expected.size());
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            QCOMPARE(drawn[i].text, expected[i].text);
            QVERIFY2(qAbs(drawn[i].xMm - expected[i].xMm) < 0.1 && qAbs(drawn[i].topMm - expected[i].topMm) < 0.1,
                     qPrintable(drawn[i].text));
        }

        // A character the font lacks goes through Qt's fallback, and the rest still prints.
        const AddressRecord odd{{QStringLiteral("Piet\u0081"), QStringLiteral("Dorp"), {}, {}, {}}};
        QVERIFY(keep(LabelJobs::AfdrukkenEnkelLabel(*pdfPrinter(m_folder.path()), odd, 1, 10)).ok);
        QVERIFY(find(readPdfWords(m_kept.last()), QStringLiteral("Dorp")));
    }

    void fullDiskLeavesNoPdf()
    {
        SmallDisk disk(256);
        if (!disk.mounted)
            QSKIP("mounting a small file system is not allowed here (needs root)");
        QDir().mkpath(disk.filePath(QStringLiteral("Afdrukken")));
        disk.fill();
        AddressListModel list;
        fill(list, 100);
        const JobResult result = keep(LabelJobs::AfdrukkenAlleLabels(*pdfPrinter(disk.path()), list.records(), {}, 10, true));
        QVERIFY(!result.ok);
        QCOMPARE(result.reason, QStringLiteral("het PDF-bestand kon niet helemaal worden geschreven (is de schijf vol?)."));
        QCOMPARE(disk.files(QStringLiteral("Afdrukken")), QStringList());
        QVERIFY(m_kept.isEmpty());
    }

    void eachJobNamesTheFileItWasKeptAs()
    {
        const auto printer = pdfPrinter(m_folder.path());
        const JobResult result = LabelJobs::AfdrukkenEnkelLabel(*printer, address(1), 1, 10);
        QCOMPARE(result.keptDocument, m_folder.path() + QStringLiteral("/Afdrukken/Plaklabels 2026-12-07 14.05.09.pdf"));
        QVERIFY(QFile::exists(result.keptDocument));
        // A job that printed nothing kept nothing.
        QVERIFY(LabelJobs::AfdrukkenAlleLabels(*printer, {}, {}, 10, true).ok);
        QCOMPARE(printer->keptDocument(), QString());
    }

    // The hint is added only to a file laid out as the PDF writer lays it
    // out; any other file is left as it is and still prints.
    void actualSizeNeedsAFileItKnows_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<bool>("updated");
        QTest::newRow("as written") << QByteArray() << QByteArray() << true;
        QTest::newRow("no trailer") << QByteArray("trailer") << QByteArray("trailor") << false;
        QTest::newRow("no catalogue named") << QByteArray("/Root 1 0 R") << QByteArray("/Info 1 0 R") << false;
        QTest::newRow("catalogue missing") << QByteArray("1 0 obj") << QByteArray("3 0 obj") << false;
        QTest::newRow("catalogue not a dictionary") << QByteArray("<< /Type /Catalog /Pages 2 0 R >>") << QByteArray("[ 1 2 ]") << false;
        QTest::newRow("preferences already there") << QByteArray("/Pages 2 0 R") << QByteArray("/Pages 2 0 R /ViewerPreferences << >>") << false;
        QTest::newRow("no offset after startxref") << QByteArray("startxref\n9") << QByteArray("startxref\nx") << false;
    }
    void actualSizeNeedsAFileItKnows()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(bool, updated);
        QByteArray pdf = "%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\nxref\n0 2\n"
                         "trailer\n<< /Size 3 /Root 1 0 R >>\nstartxref\n9\n%%EOF\n";
        if (!from.isEmpty())
            pdf.replace(from, to);
        const std::optional<QByteArray> update = actualSizeUpdate(pdf);
        QCOMPARE(update.has_value(), updated);
        if (updated) {
            QVERIFY(update->startsWith("1 0 obj\n<< /Type /Catalog /Pages 2 0 R /ViewerPreferences << /PrintScaling /None >>\n>>"));
            QVERIFY(update->contains("/Prev 9\n"));
        }
    }
};

QTEST_MAIN(TestPdfOutput)
#include "tst_pdfoutput.moc"
