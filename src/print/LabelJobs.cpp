#include "print/LabelJobs.h"

#include "data/Countries.h"
#include "print/LabelSheet.h"
#include "print/PrinterDevice.h"

#include <algorithm>
#include <array>

namespace {

// The smallest size a line too wide for its label shrinks to, and the steps on the way.
constexpr float SmallestSize = 6;
constexpr float SizeStep = 0.5f;

bool setUpDevice(PrinterDevice& device, qint16 fontSize)
{
    return device.SetUnitTwips() && device.SetPortrait() && device.SetFontName(Typeface) && device.SetFontBold(true)
        && device.SetFontSize(fontSize) && device.SetTextColor(LabelSheet::TextColour);
}

// The lines of a label as they are printed, one under the other: the name,
// then Adres, Postcode and Woonplaats without a gap where one is empty, and
// the country where the post asks for it: on every address abroad, and at
// home only when wanted. A Dutch postcode as PostNL writes it.
struct LabelLines {
    std::array<QString, AddressRecord::FieldCount> text;
    int count = 0;
};

LabelLines labelLines(const AddressRecord& address, bool withCountry)
{
    LabelLines lines;
    lines.text[lines.count++] = passOn(address.fieldView(AddressRecord::Naam));
    const Country country = countryOf(address.fieldView(AddressRecord::Land));
    for (int field = AddressRecord::Adres; field <= AddressRecord::Woonplaats; ++field) {
        const QStringView text = address.fieldView(field);
        if (isBlank(text))
            continue;
        lines.text[lines.count++] = field == AddressRecord::Postcode ? printedPostcode(text, country) : passOn(text);
    }
    if (withCountry || country != Country::Netherlands)
        lines.text[lines.count++] = passOn(address.fieldView(AddressRecord::Land));
    return lines;
}

double lineWidth(PrinterDevice& device, float points, const QString& text)
{
    return device.TextWidth(Typeface, points, true, text);
}

bool fitsAt(PrinterDevice& device, float points, const QString& text)
{
    return lineWidth(device, points, text) <= LabelSheet::MaxLineWidth;
}

// The largest size, in steps of half a point below the chosen one, at which
// the line fits its label; the smallest size when none does.
float fittingSize(PrinterDevice& device, float fontSize, const QString& text)
{
    float size = fontSize - SizeStep;
    while (size > SmallestSize && !fitsAt(device, size, text))
        size -= SizeStep;
    return std::max(size, SmallestSize);
}

// The longest start of the line that ends inside its label in the smallest
// size: what does not fit must not run into the next label.
QString cutAtLabelEdge(PrinterDevice& device, const QString& text)
{
    qsizetype fits = 0;
    qsizetype over = text.size();
    while (over - fits > 1) {
        const qsizetype middle = (fits + over) / 2;
        if (lineWidth(device, SmallestSize, text.left(middle)) <= LabelSheet::TextToRightEdge)
            fits = middle;
        else
            over = middle;
    }
    if (fits > 0 && text[fits - 1].isHighSurrogate())
        --fits;
    return text.left(fits);
}

// A line too wide for its label is printed in a smaller size, cut at the
// label's edge when even the smallest is too wide; the other lines, and
// every other label, keep the chosen size.
bool printLabel(PrinterDevice& device, qint64 x, qint64 y, const AddressRecord& address, bool withCountry, float fontSize)
{
    const LabelLines lines = labelLines(address, withCountry);
    for (int k = 0; k < lines.count; ++k) {
        const QString& text = lines.text[size_t(k)];
        const qint64 top = y + qint64(LabelSheet::LabelLineSpacing) * k;
        if (fitsAt(device, fontSize, text)) {
            if (!printAt(device, x, top, text))
                return false;
            continue;
        }
        const float size = fittingSize(device, fontSize, text);
        const QString shown = fitsAt(device, size, text) ? text : cutAtLabelEdge(device, text);
        if (!device.SetFontSize(size) || !printAt(device, x, top, shown) || !device.SetFontSize(fontSize))
            return false;
    }
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
        ok = printLabel(device, cursor.x(), cursor.y(), addresses[i], withCountry, fontSize);
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
        ok = printLabel(device, cursor.x(), cursor.y(), address, withCountry, fontSize);
        cursor.advance();
    }
    return finishJob(device, ok);
}

JobResult AfdrukkenEnkelLabel(PrinterDevice& device, const AddressRecord& address, int position, qint16 fontSize,
                              const MarginSettings& margins)
{
    // The offsets bring the text onto the labels of this printer, for one label as for a sheet.
    LabelSheet::LabelCursor cursor(margins);
    cursor.skip(std::clamp(position, 1, LabelSheet::LabelCount) - 1);
    const bool ok = setUpDevice(device, fontSize) && printLabel(device, cursor.x(), cursor.y(), address, false, fontSize);
    return finishJob(device, ok);
}

// A line of 100 mm in the sheet's top margin with a tick every 10 mm: a
// viewer that printed the sheet scaled ("aanpassen aan pagina") shows at once.
bool drawRuler(PrinterDevice& device)
{
    using LabelSheet::TwipsPerMm;
    constexpr double Left = LabelSheet::FirstColumnX;
    constexpr double Right = Left + 100 * TwipsPerMm;
    constexpr double Y = 400;
    constexpr double Tick = 90;
    bool ok = device.DrawLine(float(Left), float(Y), float(Right), float(Y));
    for (int mm = 0; ok && mm <= 100; mm += 10)
        ok = device.DrawLine(float(Left + mm * TwipsPerMm), float(Y - Tick), float(Left + mm * TwipsPerMm), float(Y));
    return ok && printAt(device, qint64(Right) + 120, qint64(Y) - 120, QStringLiteral("Deze lijn hoort 100 mm lang te zijn"));
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
        ok = drawLabelOutline(device, cursor.x(), cursor.y())
            && printLabel(device, cursor.x(), cursor.y(), sample, true, fontSize);
        cursor.advance();
    }
    ok = ok && printAt(device, MarginsLineAt.x(), MarginsLineAt.y(), marginsLine) && drawRuler(device);
    return finishJob(device, ok);
}

TooWide findTooWide(PrinterDevice& device, const QList<AddressRecord>& addresses, qint16 fontSize, bool withCountry)
{
    TooWide found;
    for (const AddressRecord& address : addresses) {
        bool tooWide = false;
        bool cut = false;
        const LabelLines lines = labelLines(address, withCountry);
        for (int k = 0; k < lines.count; ++k) {
            const QString& text = lines.text[size_t(k)];
            if (fitsAt(device, fontSize, text))
                continue;
            tooWide = true;
            cut = cut || !fitsAt(device, SmallestSize, text);
        }
        if (!tooWide)
            continue;
        TooWide::Addresses& kind = cut ? found.cut : found.shrunk;
        if (kind.names.size() < TooWide::ShownNames)
            kind.names.append(shownStart(address.fieldView(AddressRecord::Naam)));
        ++kind.count;
    }
    return found;
}
