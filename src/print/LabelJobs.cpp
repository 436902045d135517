#include "print/LabelJobs.h"

#include "print/LabelSheet.h"
#include "print/PrinterDevice.h"

#include <algorithm>

namespace {

bool setUpDevice(PrinterDevice& device, qint16 fontSize)
{
    return device.SetUnitTwips() && device.SetPortrait() && device.SetFontName(Typeface) && device.SetFontBold(true)
        && device.SetFontSize(fontSize) && device.SetTextColor(LabelSheet::TextColour);
}

bool printLine(PrinterDevice& device, qint64 x, qint64 y, const QString& text)
{
    return device.SetCurrentX(float(x)) && device.SetCurrentY(float(y)) && device.PrintText(text);
}

// The top of line k of a label, the country always on the fifth line.
qint64 lineOffset(int k)
{
    return k < LabelSheet::AddressLines ? qint64(LabelSheet::LabelLineSpacing) * k : LabelSheet::CountryLineOffset;
}

int printedLines(bool withCountry)
{
    return withCountry ? AddressRecord::FieldCount : LabelSheet::AddressLines;
}

bool printLabel(PrinterDevice& device, qint64 x, qint64 y, const AddressRecord& address, bool withCountry)
{
    for (int k = 0; k < printedLines(withCountry); ++k)
        if (!printLine(device, x, y + lineOffset(k), passOn(address.fieldView(k))))
            return false;
    return true;
}

bool drawLine(PrinterDevice& device, qint64 x1, qint64 y1, qint64 x2, qint64 y2)
{
    return device.DrawLine(float(x1), float(y1), float(x2), float(y2));
}

// The outline of the label whose text starts at (x, y), and a cross there.
bool drawLabelOutline(PrinterDevice& device, qint64 x, qint64 y)
{
    constexpr int Arm = 90;
    const qint64 left = x - LabelSheet::LabelEdgeLeftOfText;
    const qint64 top = y - LabelSheet::LabelEdgeAboveText;
    const qint64 right = left + LabelSheet::LabelWidth;
    const qint64 bottom = top + LabelSheet::LabelHeight;
    return drawLine(device, left, top, right, top) && drawLine(device, right, top, right, bottom)
        && drawLine(device, right, bottom, left, bottom) && drawLine(device, left, bottom, left, top)
        && drawLine(device, x - Arm, y, x + Arm, y) && drawLine(device, x, y - Arm, x, y + Arm);
}

int clampedStart(int firstPosition, const MarginSettings& margins)
{
    return std::clamp(firstPosition, 1, LabelSheet::labelsOnSheet(margins));
}

}

JobResult AfdrukkenAlleLabels(PrinterDevice& device, const QList<AddressRecord>& addresses, const MarginSettings& margins,
                              qint16 fontSize, bool withCountry, int firstPosition, JobProgress* progress)
{
    const qint64 skipped = clampedStart(firstPosition, margins) - 1;
    const qint64 totalPages = LabelSheet::pagesForLabels(addresses.size() + skipped, margins);
    qint64 pagesDone = 0;
    bool ok = setUpDevice(device, fontSize);
    LabelSheet::LabelCursor cursor(margins);
    cursor.skip(skipped);
    for (qsizetype i = 0; ok && i < addresses.size(); ++i) {
        ok = printLabel(device, cursor.x(), cursor.y(), addresses[i], withCountry);
        cursor.advance();
        if (ok && cursor.beyondPage()) {
            ok = device.NewPage();
            cursor.restartPage();
            if (progress)
                progress->pagesDone(++pagesDone, totalPages);
        }
    }
    return finishJob(device, ok);
}

JobResult AfdrukkenZelfdeLabels(PrinterDevice& device, const AddressRecord& address, const MarginSettings& margins,
                                qint16 fontSize, bool withCountry, int firstPosition)
{
    const int first = clampedStart(firstPosition, margins);
    bool ok = setUpDevice(device, fontSize);
    LabelSheet::LabelCursor cursor(margins);
    cursor.skip(first - 1);
    for (int i = first; ok && i <= LabelSheet::LabelCount; ++i) {
        ok = printLabel(device, cursor.x(), cursor.y(), address, withCountry);
        cursor.advance();
    }
    return finishJob(device, ok);
}

JobResult AfdrukkenEnkelLabel(PrinterDevice& device, const AddressRecord& address, int position, qint16 fontSize)
{
    const QPoint origin = LabelSheet::singleLabelOrigin(position);
    const bool ok = setUpDevice(device, fontSize) && printLabel(device, origin.x(), origin.y(), address, false);
    return finishJob(device, ok);
}

JobResult AfdrukkenProefvel(PrinterDevice& device, const MarginSettings& margins, qint16 fontSize, const QString& marginsLine)
{
    constexpr QPoint MarginsLineAt(LabelSheet::FirstColumnX, 16300);
    const AddressRecord sample{{QStringLiteral("Naam"), QStringLiteral("Adres"), QStringLiteral("Postcode"),
                                QStringLiteral("Woonplaats"), QStringLiteral("Land")}};
    bool ok = setUpDevice(device, fontSize);
    LabelSheet::LabelCursor cursor(margins);
    // The labels the address job would put on a sheet at these offsets, and no
    // more: large offsets push the others off the paper.
    for (int i = 1; ok && i <= LabelSheet::labelsOnSheet(margins); ++i) {
        ok = drawLabelOutline(device, cursor.x(), cursor.y()) && printLabel(device, cursor.x(), cursor.y(), sample, true);
        cursor.advance();
    }
    ok = ok && printLine(device, MarginsLineAt.x(), MarginsLineAt.y(), marginsLine);
    return finishJob(device, ok);
}

TooWide findTooWide(PrinterDevice& device, const QList<AddressRecord>& addresses, qint16 fontSize, bool withCountry)
{
    TooWide found;
    for (const AddressRecord& address : addresses) {
        bool tooWide = false;
        for (int k = 0; k < printedLines(withCountry) && !tooWide; ++k)
            tooWide = device.TextWidth(Typeface, fontSize, true, passOn(address.fieldView(k))) > LabelSheet::MaxLineWidth;
        if (!tooWide)
            continue;
        if (found.names.size() < TooWide::ShownNames)
            found.names.append(shownStart(address.fieldView(AddressRecord::Naam)));
        ++found.count;
    }
    return found;
}
