// Prints through a real print service: a PDF queue that cups-queue.sh sets up.
#include "PdfText.h"
#include "data/AddressListModel.h"
#include "print/LabelJobs.h"
#include "print/CupsService.h"
#include "print/PdfPrinterDevice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double MmPerTwip = 25.4 / 1440;

QString cupsFolder() { return qEnvironmentVariable("PLAKLABELS_CUPS_DIR"); }

// The queue whose driver declares the whole sheet printable ("queue"), or
// the one that declares margins ("queue2").
QString queueName(const QString& which = QStringLiteral("queue"))
{
    QFile file(cupsFolder() + QLatin1Char('/') + which);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

// Waits until the queue is empty and its PDF is written whole.
QString waitForPdf(const QString& queue, const QString& outFolder = QStringLiteral("out"))
{
    QElapsedTimer timer;
    timer.start();
    const QDir out(cupsFolder() + QLatin1Char('/') + outFolder);
    while (timer.elapsed() < 30000) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
        lpstat.waitForFinished();
        const QStringList pdfs = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        if (lpstat.readAllStandardOutput().trimmed().isEmpty() && !pdfs.isEmpty()
            && QFileInfo(out.filePath(pdfs.first())).size() > 0)
            return out.filePath(pdfs.first());
        QTest::qWait(100);
    }
    return {};
}

// The print service this test run started, if it started one.
QString servicePid()
{
    QFile pidFile(cupsFolder() + QStringLiteral("/cupsd.pid"));
    return pidFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(pidFile.readAll()).trimmed() : QString();
}

qsizetype threadCount()
{
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

int indexOf(PdfPrinterDevice& printer, const QString& name)
{
    return int(printer.InstalledPrinters().indexOf(name));
}

}

class TestCupsQueue : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    QString m_queue;

private slots:
    void initTestCase()
    {
        m_queue = queueName();
        if (m_queue.isEmpty())
            QSKIP("no print service could be started here");
    }

    // Two queues whose drivers differ only in the printable area (none, and
    // 12 points left and 18 top): both print every text where "PDF-bestand"
    // puts it, counted from the paper's corner.
    void everyQueueLandsAlike_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("outFolder");
        QTest::newRow("whole sheet printable") << QStringLiteral("queue") << QStringLiteral("out");
        QTest::newRow("margins 12 and 18 points") << QStringLiteral("queue2") << QStringLiteral("out2");
    }
    void everyQueueLandsAlike()
    {
        QFETCH(QString, which);
        QFETCH(QString, outFolder);
        const QString queue = queueName(which);
        QVERIFY2(!queue.isEmpty(), "the queue was not set up");
        const AddressRecord address{{QStringLiteral("Bravo"), QStringLiteral("Kerkstraat"), QStringLiteral("1234AB"),
                                     QStringLiteral("Zwolle"), QStringLiteral("Nederland")}};
        PdfPrinterDevice pdf(m_folder.path());
        QVERIFY(pdf.SelectPrinter(indexOf(pdf, PdfPrinterName)));
        const JobResult reference = LabelJobs::AfdrukkenEnkelLabel(pdf, address, 5, 10);
        QVERIFY(reference.ok);
        PdfPrinterDevice printer(m_folder.path());
        QVERIFY(printer.SelectPrinter(indexOf(printer, queue)));
        QCOMPARE(printer.CurrentDeviceName(), queue);
        QVERIFY(LabelJobs::AfdrukkenEnkelLabel(printer, address, 5, 10).ok);

        const QString printed = waitForPdf(queue, outFolder);
        QVERIFY2(!printed.isEmpty(), "the print service wrote no PDF");
        QCOMPARE(pdfPageCount(printed), 1);
        // The ink as rendered: the print service's renderer gives its words other boxes.
        const QRectF expected = inkBoxMm(reference.keptDocument);
        const QRectF inked = inkBoxMm(printed);
        QVERIFY(!expected.isEmpty() && !inked.isEmpty());
        const QPointF shift = inked.topLeft() - expected.topLeft();
        QVERIFY2(qAbs(shift.x()) < 0.2 && qAbs(shift.y()) < 0.2,
                 qPrintable(QStringLiteral("moved %1, %2 mm").arg(shift.x()).arg(shift.y())));
        QVERIFY2(qAbs(inked.width() - expected.width()) < 0.2 && qAbs(inked.height() - expected.height()) < 0.2,
                 "printed at actual size");
    }

    void refusingQueueIsNotReportedAsPrinted()
    {
        PdfPrinterDevice printer(m_folder.path());
        QVERIFY(printer.SelectPrinter(indexOf(printer, m_queue)));
        QCOMPARE(QProcess::execute(QStringLiteral("cupsreject"), {m_queue}), 0);
        const AddressRecord address{{QStringLiteral("Bravo"), {}, {}, {}, {}}};
        const JobResult result = LabelJobs::AfdrukkenEnkelLabel(printer, address, 1, 10);
        QProcess::execute(QStringLiteral("cupsaccept"), {m_queue});
        QVERIFY(!result.ok);
        QCOMPARE(result.reason, QStringLiteral("printer %1 is niet beschikbaar.").arg(m_queue));
    }

    void vanishedPrinterIsNotReportedAsPrinted()
    {
        // A queue of its own, so the shared one stays for the other cases.
        const QString gone = QStringLiteral("PlaklabelsWeg");
        QCOMPARE(QProcess::execute(QStringLiteral("lpadmin"),
                                   {QStringLiteral("-p"), gone, QStringLiteral("-v"), QStringLiteral("file:/dev/null"),
                                    QStringLiteral("-E")}),
                 0);
        PdfPrinterDevice printer(m_folder.path());
        const bool selected = printer.SelectPrinter(indexOf(printer, gone));
        QProcess::execute(QStringLiteral("lpadmin"), {QStringLiteral("-x"), gone});
        QVERIFY(selected);
        const AddressRecord address{{QStringLiteral("Bravo"), {}, {}, {}, {}}};
        const JobResult result = LabelJobs::AfdrukkenEnkelLabel(printer, address, 1, 10);
        QVERIFY(!result.ok);
        QCOMPARE(result.reason, QStringLiteral("printer %1 is niet beschikbaar.").arg(gone));
    }

    // The job was drawn while the service answered; then it froze, or was
    // killed, before the hand-over. Told, and within about two seconds.
    // A frozen service may still take the job when it wakes, so the user is
    // not told it was refused; the file with every address goes when the program ends.
    void serviceGoneMidJobIsToldInTime_data()
    {
        QTest::addColumn<QString>("signal");
        QTest::addColumn<QString>("told");
        QTest::newRow("frozen") << QStringLiteral("-STOP")
                                << QStringLiteral("de printservice reageerde te laat; de opdracht voor %1 is misschien toch afgedrukt. "
                                                  "Kijk eerst in de printerwachtrij voordat je opnieuw afdrukt.");
        QTest::newRow("killed") << QStringLiteral("-KILL") << QStringLiteral("de printservice heeft de opdracht voor %1 niet aangenomen.");
    }
    void serviceGoneMidJobIsToldInTime()
    {
        QFETCH(QString, signal);
        QFETCH(QString, told);
        const QString pid = servicePid();
        if (pid.isEmpty())
            QSKIP("the print service was not started by this test run");
        auto printer = std::make_unique<PdfPrinterDevice>(m_folder.path());
        QVERIFY(printer->SelectPrinter(indexOf(*printer, m_queue)));
        QVERIFY(printer->SetUnitTwips() && printer->PrintText(QStringLiteral("Bravo")));
        QCOMPARE(QProcess::execute(QStringLiteral("kill"), {signal, pid}), 0);
        QTest::qWait(200);
        QElapsedTimer timer;
        timer.start();
        const bool ended = printer->EndDocument();
        const qint64 waited = timer.elapsed();
        const QString error = printer->errorString();
        const bool mayHavePrinted = printer->mayHavePrinted();
        printer.reset();
        const QStringList spools = QDir::temp().entryList({QStringLiteral("plaklabels-%1-*").arg(QCoreApplication::applicationPid())});
        if (signal == QLatin1String("-STOP"))
            QProcess::execute(QStringLiteral("kill"), {QStringLiteral("-CONT"), pid});
        else // started again for the last case
            QProcess::execute(qEnvironmentVariable("PLAKLABELS_CUPS_SCRIPT"), {QStringLiteral("start"), cupsFolder()});
        QVERIFY(!ended);
        QCOMPARE(error, told.arg(m_queue));
        QCOMPARE(mayHavePrinted, signal == QLatin1String("-STOP"));
        QVERIFY2(waited < 3000, qPrintable(QString::number(waited)));
        QCOMPARE(spools, QStringList());
        QCOMPARE(queueName(), m_queue);
    }

    // Frozen right after the queue was found available: asking again whether
    // it takes jobs, or for the printers, waits no longer than the first check did.
    void everyQuestionToAFrozenServiceHasItsLimit()
    {
        const QString pid = servicePid();
        if (pid.isEmpty())
            QSKIP("the print service was not started by this test run");
        QVERIFY(CupsService::queueTakesJobs(m_queue));
        QCOMPARE(QProcess::execute(QStringLiteral("kill"), {QStringLiteral("-STOP"), pid}), 0);
        QElapsedTimer timer;
        timer.start();
        const bool takes = CupsService::queueTakesJobs(m_queue);
        const qint64 waited = timer.elapsed();
        const bool namesGiven = CupsService::printerNames().has_value() || CupsService::defaultPrinter().has_value();
        const qint64 waitedInAll = timer.elapsed();
        // Still frozen after the pause: the question still waiting is not joined by another.
        QTest::qWait(10100);
        const qsizetype threads = threadCount();
        timer.restart();
        const bool namesLater = CupsService::printerNames().has_value();
        const qint64 waitedLater = timer.elapsed();
        const qsizetype threadsLater = threadCount();
        QProcess::execute(QStringLiteral("kill"), {QStringLiteral("-CONT"), pid});
        QVERIFY(!takes);
        QVERIFY(!namesGiven);
        QVERIFY2(waited < 2500 && waitedInAll < 2500, qPrintable(QString::number(waitedInAll)));
        QVERIFY(!namesLater);
        QVERIFY2(waitedLater < 100, qPrintable(QString::number(waitedLater)));
        QCOMPARE(threadsLater, threads);
        // Awake again: asked again at once, not after the pause for a frozen service.
        QTRY_VERIFY_WITH_TIMEOUT(CupsService::queueTakesJobs(m_queue), 5000);
    }

    // A spool file left by a program that ended during a hand-over goes at the next start.
    void leftOverSpoolsAreRemoved()
    {
        const QDir temp = QDir::temp();
        const QString ended = temp.filePath(QStringLiteral("plaklabels-999999999-abcdef.pdf"));
        const QString running = temp.filePath(QStringLiteral("plaklabels-%1-abcdef.pdf").arg(QCoreApplication::applicationPid()));
        for (const QString& path : {ended, running}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        PdfPrinterDevice::removeLeftOverSpools();
        const bool endedGone = !QFile::exists(ended);
        const bool runningKept = QFile::remove(running);
        QVERIFY(endedGone);
        QVERIFY(runningKept);
    }

    // Last: afterwards the program leaves the print service alone for a while.
    void frozenPrintServiceDoesNotHoldTheProgram()
    {
        const QString pid = servicePid();
        if (pid.isEmpty())
            QSKIP("the print service was not started by this test run");
        PdfPrinterDevice queue(m_folder.path());
        QVERIFY(queue.SelectPrinter(indexOf(queue, m_queue)));
        QCOMPARE(QProcess::execute(QStringLiteral("kill"), {QStringLiteral("-STOP"), pid}), 0);
        const AddressRecord address{{QStringLiteral("Bravo"), {}, {}, {}, {}}};
        QElapsedTimer timer;
        timer.start();
        const JobResult toQueue = LabelJobs::AfdrukkenEnkelLabel(queue, address, 1, 10);
        const qint64 waited = timer.elapsed();
        // The printer that was chosen is no longer offered: "PDF-bestand" takes its place.
        queue.InstalledPrinters();
        const QString chosenNow = queue.CurrentDeviceName();
        PdfPrinterDevice pdf(m_folder.path());
        const QStringList printers = pdf.InstalledPrinters();
        const QString current = pdf.CurrentDeviceName();
        const JobResult toPdf = LabelJobs::AfdrukkenEnkelLabel(pdf, address, 1, 10);
        QProcess::execute(QStringLiteral("kill"), {QStringLiteral("-CONT"), pid});
        QVERIFY(!toQueue.ok);
        QCOMPARE(toQueue.reason, QStringLiteral("printer %1 is niet beschikbaar.").arg(m_queue));
        QCOMPARE(printers, QStringList{PdfPrinterName});
        QCOMPARE(current, PdfPrinterName);
        QVERIFY(toPdf.ok); // printing to a file goes on without the print service
        QVERIFY2(waited < 2500, qPrintable(QString::number(waited)));
        QCOMPARE(chosenNow, PdfPrinterName);
    }

};

QTEST_MAIN(TestCupsQueue)
#include "tst_cupsqueue.moc"
