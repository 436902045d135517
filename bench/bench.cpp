// Measures what users notice with big lists: loading and saving 100.000
// addresses (warm, and the first load in a fresh process), the memory they
// take, importing a spreadsheet's CSV, printing them to PDF, and painting a button.
// Run: build/release/bench/plaklabels_bench
#include "data/import/AddressImport.h"
#include "data/AddressListFile.h"
#include "data/AddressListModel.h"
#include "data/import/Duplicates.h"
#include "data/ListSearch.h"
#include "data/ListStorage.h"
#include "print/LabelJobs.h"
#include "print/ListJob.h"
#include "print/PdfPrinterDevice.h"
#include "widgets/vistabutton/VistaButtonLook.h"
#include "Floors.h"
#include "ProcessMemory.h"
#include "WindowSteps.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <QWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

QList<AddressRecord> madeUpAddresses(int n)
{
    static const char* first[] = {"Jan", "Piet", "Marieke", "Sanne", "Henk", "Fleur", "Renée", "Bram", "Lotte", "Daan"};
    static const char* last[] = {"de Vries", "Jansen", "Bakker", "Visser", "Smit", "van den Berg", "Peeters", "Mulder"};
    static const char* street[] = {"Kerkstraat", "Dorpsweg", "Molenlaan", "Stationsplein", "Zeedijk", "Oude Gracht"};
    static const char* town[] = {"Amsterdam", "Rotterdam", "Utrecht", "Groningen", "Eindhoven", "Zwolle", "Antwerpen"};
    QRandomGenerator random(7);
    QList<AddressRecord> records;
    records.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QString postcode = QStringLiteral("%1 %2%3")
                                     .arg(random.bounded(1000, 9999))
                                     .arg(QChar(u'A' + random.bounded(26)))
                                     .arg(QChar(u'A' + random.bounded(26)));
        records.append(AddressRecord{
            {QString::fromUtf8(first[random.bounded(10)]) + QLatin1Char(' ') + QString::fromUtf8(last[random.bounded(8)]),
             QString::fromUtf8(street[random.bounded(6)]) + QLatin1Char(' ') + QString::number(random.bounded(1, 300)),
             postcode, QString::fromUtf8(town[random.bounded(7)]), QStringLiteral("Nederland")}});
    }
    return records;
}

namespace {

template <typename F>
double seconds(F&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// The best of a few runs, so a busy moment of the machine does not count.
template <typename F>
double bestOf(int runs, F&& work)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, seconds(work));
    return best;
}

// Loads a list once in this fresh process and says how long it took and the peak it needed.
int firstLoad(const QString& data, const QString& name)
{
    const double before = memoryMb("VmRSS:");
    AddressListModel model;
    const double time = seconds([&] { LaadAdressen(model, data, name); });
    std::printf("%.3f %.0f\n", time, memoryMb("VmHWM:") - before);
    return 0;
}

// The same load in a fresh process of its own, as the user's first open is.
QStringList freshLoad(const QString& data, const QString& name)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first-load"), data, name});
    child.waitForFinished(-1);
    return QString::fromLatin1(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
}

void benchList(const QString& data, int n)
{
    AddressListModel model;
    model.replaceAll(madeUpAddresses(n));
    const QString name = QStringLiteral("bench%1.lst").arg(n);
    const double save = bestOf(3, [&] { SaveAdressen(model, data, name); });
    AddressListModel loaded;
    const double load = bestOf(3, [&] { LaadAdressen(loaded, data, name); });
    const QStringList first = freshLoad(data, name);
    std::printf("%8d addresses: file %5.1f MB, save %.3f s, load %.3f s (first in a fresh process %s s, peak +%s MB)\n",
                n, double(QFileInfo(data + QLatin1Char('/') + name).size()) / 1e6, save, load,
                qPrintable(first.value(0)), qPrintable(first.value(1)));
}

// A club's member export: 100.000 rows of semicolon CSV in Windows-1252.
void benchImport()
{
    QByteArray csv = "Naam;Adres;Postcode;Woonplaats;Land\r\n";
    for (const AddressRecord& a : madeUpAddresses(100000))
        // The made-up names hold only Latin-1 letters, which Windows-1252 spells alike.
        csv += QStringList{a.field(0), a.field(1), a.field(2), a.field(3), a.field(4)}.join(QLatin1Char(';')).toLatin1()
            + "\r\n";
    ImportResult result;
    const double read = bestOf(3, [&] { result = importFileBytes(QStringLiteral("leden.csv"), csv).result; });
    AddressListModel model;
    const double append = seconds([&] { model.appendAll(result.addresses); });
    std::printf("import %d rows of CSV (%.1f MB): %.3f s up to the question, %.3f s after Ja\n",
                int(result.addresses.size()), double(csv.size()) / 1e6, read, append);
}

// A member export of 100.000 rows with a member kind and teams, several to a
// cell: "Kolommen kiezen" counts the values of every column before it opens.
void benchCountValues()
{
    QString csv = QStringLiteral("Relatiecode;Naam;Adres;Postcode;Woonplaats;Lidsoort;Teams\r\n");
    const QStringList kinds{QStringLiteral("Senior"), QStringLiteral("Junior"), QStringLiteral("Jeugd"), QStringLiteral("Donateur")};
    const QStringList teams{QStringLiteral("Heren 1"), QStringLiteral("Heren 1, Veteranen"), QStringLiteral("Dames 1 | Veteranen"),
                            QString()};
    int i = 0;
    for (const AddressRecord& a : madeUpAddresses(100000)) {
        csv += QStringList{QString::number(++i), a.field(0), a.field(1), a.field(2), a.field(3), kinds[i % 4], teams[i % 7 % 4]}
                   .join(QLatin1Char(';'))
            + QStringLiteral("\r\n");
    }
    const QByteArray bytes = csv.toUtf8();
    ImportInput asked;
    asked.showColumns = true;
    std::optional<ColumnQuestion> question;
    const double plain = bestOf(3, [&] { importFileBytes(QStringLiteral("leden.csv"), bytes); });
    const double counted = bestOf(3, [&] { question = importFileBytes(QStringLiteral("leden.csv"), bytes, asked).question; });
    qsizetype shown = 0;
    const double listed = bestOf(3, [&] { shown = question->valuesBelow(1).values(6).size(); });
    std::printf("count the values of 100.000 rows: %.3f s up to \"Kolommen kiezen\" (%.3f s up to the question without it), "
                "%.4f s to list the %d teams\n",
                counted, plain, listed, int(shown));
}

// Keeping a list for years, a million addresses: one find step through the
// whole list (nothing found), a sort by Woonplaats, and 100.000 pasted rows
// checked for duplicates up to the question.
void benchKeeping()
{
    const QList<AddressRecord> list = madeUpAddresses(1000000);
    const double find = bestOf(3, [&] { findAddress(list, QStringLiteral("zzz"), 0); });
    QList<int> order;
    const double sort = bestOf(3, [&] { order = sortedRows(list, AddressRecord::Woonplaats, Qt::AscendingOrder); });
    QString pasted;
    for (const AddressRecord& a : madeUpAddresses(100000))
        pasted += QStringList{a.field(0) + QStringLiteral(" 2"), a.field(1), a.field(2), a.field(3), a.field(4)}
                      .join(QLatin1Char('\t'))
            + QLatin1Char('\n');
    ImportResult imported;
    ImportInput input;
    input.pastedText = pasted;
    const double paste = bestOf(3, [&] { imported = importAddresses(input, list, NeverCancelled).result; });
    std::printf("1.000.000 addresses: find step %.0f ms, sort %.2f s; paste 100.000 with the duplicate check %.2f s "
                "(%d new)\n",
                find * 1000, sort, paste, int(imported.addresses.size()));
}

void benchPdf(const QString& folder, const char* what, int n, bool labels)
{
    AddressListModel model;
    model.replaceAll(madeUpAddresses(n));
    PdfPrinterDevice printer(folder);
    printer.SelectPrinter(int(printer.InstalledPrinters().size() - 1));
    printer.SetDocumentName(QString::fromLatin1(what));
    const double before = memoryMb("VmRSS:");
    const double time = seconds([&] {
        if (labels)
            LabelJobs::AfdrukkenAlleLabels(printer, model.records(), {}, 10, true); // five lines, as a real label has
        else
            AfdrukkenLijst(printer, model.records(), 10, QDateTime::currentDateTime());
    });
    std::printf("%-13s %6d addresses: %.2f s, PDF %.2f MB, memory +%.0f MB\n", what, n, time,
                double(QFileInfo(printer.keptDocument()).size()) / 1e6, memoryMb("VmRSS:") - before);
}

void benchButton()
{
    ButtonLook look;
    look.caption = QStringLiteral("Afdrukken");
    look.font = QFont(QStringLiteral("Arial"));
    look.font.setPointSizeF(8.25);
    QImage surface(90, 25, QImage::Format_RGB32);
    const int runs = 2000;
    const double time = seconds([&] {
        for (int i = 0; i < runs; ++i)
            redrawButton(surface, look, ButtonVisualState(i % 5));
    });
    std::printf("button redraw 90 x 25: %.1f microseconds\n", time / runs * 1e6);
}

}

int main(int argc, char* argv[])
{
    // The bare window shows on the display, as the program does; the rest runs offscreen.
    const bool bareWindow = argc == 2 && qstrcmp(argv[1], "--bare-window") == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !bareWindow)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--first-load") == 0)
        return firstLoad(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (const int done = runOneJob(argc, argv); done >= 0)
        return done;
    // The floor of start-up: a bare window under the program's name (bench/startup.sh).
    if (bareWindow) {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Plaklabels"));
        window.resize(652, 370);
        window.show();
        return app.exec();
    }
    if (argc == 2 && qstrcmp(argv[1], "--window") == 0) {
        benchWindowSteps(1000000);
        benchMailing(1000000);
        benchLongFind();
        return 0;
    }
    if (argc == 2 && qstrcmp(argv[1], "--import-only") == 0) {
        benchImport();
        benchCountValues();
        return 0;
    }
    QTemporaryDir folder;
    const QString data = folder.path() + QStringLiteral("/Data");

    // Memory: one list of 100.000 addresses loaded, against the program before it.
    {
        AddressListModel model;
        model.replaceAll(madeUpAddresses(100000));
        SaveAdressen(model, data, QStringLiteral("memory.lst"));
    }
    const double empty = memoryMb("VmRSS:");
    AddressListModel model;
    LaadAdressen(model, data, QStringLiteral("memory.lst"));
    std::printf("memory with 100.000 addresses loaded: +%.1f MB\n", memoryMb("VmRSS:") - empty);
    model.clear();

    benchList(data, 100000);
    benchList(data, 1000000);
    benchImport();
    benchCountValues();
    benchKeeping();
    benchWindowSteps(1000000);
    benchMailing(1000000);
    benchLongFind();
    benchPdf(folder.path(), "Plaklabels", 10000, true);
    benchPdf(folder.path(), "Plaklabels", 100000, true);
    benchPdf(folder.path(), "Adressenlijst", 10000, false);
    benchButton();
    return 0;
}
