#include "print/ListJob.h"

#include "print/LabelSheet.h"
#include "print/PrinterDevice.h"

#include <array>

namespace {

constexpr QRgb TableColour = qRgb(40, 0, 0);
constexpr int LeftX = 300;
constexpr int TitleY = 300;
constexpr int MomentX = 8400;
constexpr int RuleBelowHeaders = 210;
constexpr int RuleLength = 160; // dashes
constexpr int LineSpacing = 270;
constexpr int PageLimit = 14800;
constexpr int FirstPageHeader = 990;
constexpr int LaterPageHeader = 690;
constexpr int FirstPageLines = 1500;
constexpr int LaterPageLines = 1200;

// The addresses a page holds: lines go on until one lies below the limit.
constexpr int rowsFrom(int firstLineY) { return (PageLimit - firstLineY) / LineSpacing + 1; }
constexpr int FirstPageRows = rowsFrom(FirstPageLines);
constexpr int LaterPageRows = rowsFrom(LaterPageLines);

struct Column {
    int x;
    const char* header;
};
constexpr std::array<Column, 5> Columns{{{LeftX, "Voor en Achternaam"},
                                         {3600, "Straatnaam en Huisnr."},
                                         {6450, "Postcode"},
                                         {7650, "Woonplaats"},
                                         {9750, "Land"}}};

}

QString printMoment(const QDateTime& now)
{
    return now.toString(QStringLiteral("HH:mm:ss / dd-MM-yyyy"));
}

qint64 listPages(qint64 addresses)
{
    // A full page starts the next one, headers and all.
    if (addresses < FirstPageRows)
        return 1;
    return 2 + (addresses - FirstPageRows) / LaterPageRows;
}

bool AfdrukkenKoppen(PrinterDevice& device, int y)
{
    if (!device.SetFontBold(true))
        return false;
    for (const Column& column : Columns)
        if (!printAt(device, column.x, y, QString::fromLatin1(column.header)))
            return false;
    return printAt(device, LeftX, y + RuleBelowHeaders, QString(RuleLength, QLatin1Char('-')));
}

JobResult AfdrukkenLijst(PrinterDevice& device, const QList<AddressRecord>& addresses, qint16 fontSize,
                         const QDateTime& now, JobProgress* progress)
{
    const qsizetype n = addresses.size();
    const qint64 totalPages = listPages(n);
    qint64 pagesDone = 0;
    bool ok = device.SetUnitTwips() && device.SetPortrait() && device.SetFontName(Typeface)
        && device.SetFontBold(true) && device.SetFontSize(14) && device.SetTextColor(LabelSheet::TextColour)
        && printAt(device, LeftX, TitleY, QStringLiteral("Adressenlijst")) && printAt(device, MomentX, TitleY, printMoment(now))
        && device.SetTextColor(TableColour) && device.SetFontSize(fontSize) && AfdrukkenKoppen(device, FirstPageHeader)
        && device.SetFontBold(false);
    int y = FirstPageLines;
    for (qsizetype i = 0; ok && i < n; ++i) {
        const AddressRecord& address = addresses[i];
        for (int c = 0; ok && c < int(Columns.size()); ++c) {
            const QStringView field = address.fieldView(c);
            ok = printAt(device, Columns[size_t(c)].x, y, field.size() > MaxShownLength ? shownStart(field) : passOn(field));
        }
        y += LineSpacing;
        if (ok && y > PageLimit) {
            ok = device.NewPage() && AfdrukkenKoppen(device, LaterPageHeader) && device.SetFontBold(false);
            y = LaterPageLines;
            if (progress)
                progress->pagesDone(++pagesDone, totalPages);
        }
    }
    return finishJob(device, ok);
}
