#include "print/LabelJobs.h"

#include "data/Countries.h"
#include "data/Mailing.h"
#include "print/LabelSheet.h"
#include "print/PrinterDevice.h"

#include <algorithm>
#include <array>

namespace {

// The smallest size a line too wide for its label shrinks to, and the steps
// on the way; below the readable size the address is named before a job.
// The posts read at most six lines.
constexpr float SmallestSize = 6;
constexpr float ReadableSize = 8;
constexpr float SizeStep = 0.5f;
constexpr int MostLines = 6;

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
    std::array<int, AddressRecord::FieldCount> field{};
    int count = 0;
};

LabelLines labelLines(const AddressRecord& address, bool withCountry)
{
    LabelLines lines;
    lines.field[size_t(lines.count)] = AddressRecord::Naam;
    lines.text[lines.count++] = passOn(address.fieldView(AddressRecord::Naam));
    const Country country = countryOf(address.fieldView(AddressRecord::Land));
    for (int field = AddressRecord::Adres; field <= AddressRecord::Woonplaats; ++field) {
        const QStringView text = address.fieldView(field);
        if (isBlank(text))
            continue;
        lines.field[size_t(lines.count)] = field;
        lines.text[lines.count++] = field == AddressRecord::Postcode ? printedPostcode(text, country) : passOn(text);
    }
    if (withCountry || country != Country::Netherlands) {
        lines.field[size_t(lines.count)] = AddressRecord::Land;
        lines.text[lines.count++] = printedLand(address.fieldView(AddressRecord::Land));
    }
    return lines;
}

double lineWidth(TextWidths& widths, float points, const QString& text)
{
    return widths.width(Typeface, points, true, text);
}

bool fitsAt(TextWidths& widths, float points, const QString& text)
{
    return lineWidth(widths, points, text) <= LabelSheet::MaxLineWidth;
}

// The largest size, in steps of half a point below the chosen one, at which
// the line fits its label; the smallest size when none does.
float fittingSize(TextWidths& widths, float fontSize, const QString& text)
{
    float size = fontSize - SizeStep;
    while (size > SmallestSize && !fitsAt(widths, size, text))
        size -= SizeStep;
    return std::max(size, SmallestSize);
}

// The longest start of the line that ends inside its label in the smallest
// size: what does not fit must not run into the next label.
QString cutAtLabelEdge(TextWidths& widths, const QString& text)
{
    qsizetype fits = 0;
    qsizetype over = text.size();
    while (over - fits > 1) {
        const qsizetype middle = (fits + over) / 2;
        if (lineWidth(widths, SmallestSize, text.left(middle)) <= LabelSheet::TextToRightEdge)
            fits = middle;
        else
            over = middle;
    }
    if (fits > 0 && text[fits - 1].isHighSurrogate())
        --fits;
    return text.left(fits);
}

// The last blank a line may be broken at: in an Adres never inside the
// street's last word, its house number and suffix ("straat 117 bis" stays whole).
qsizetype lastBreak(const QString& text, int field)
{
    const qsizetype number = field == AddressRecord::Adres ? houseNumberAt(text) : -1;
    if (number <= 0)
        return text.size();
    // The blank before the number; the street's last word goes with it.
    const qsizetype word = number >= 2 ? text.lastIndexOf(u' ', number - 2) : -1;
    return word < 0 ? 0 : word;
}

// The start of the line that fits at the size, broken at a blank no later than limit; none: 0.
qsizetype fittingBreak(TextWidths& widths, float size, const QString& text, qsizetype limit)
{
    for (qsizetype blank = text.lastIndexOf(u' ', std::min(limit, text.size() - 1)); blank > 0;
         blank = text.lastIndexOf(u' ', blank - 1))
        if (fitsAt(widths, size, text.left(blank)))
            return blank;
    return 0;
}

struct PrintedLine {
    QString text;
    float size = 0;
};

// A label as printed: a line wider than its label is wrapped at a blank onto
// a line of its own while the label keeps six lines or fewer; what is still
// too wide shrinks, to 8 points and then to 6 (too long: the address is
// named first); a single word too wide even then is cut at the label's edge.
struct LabelLayout {
    std::array<PrintedLine, MostLines> lines;
    int count = 0;
    bool tooLong = false;
};

LabelLayout layoutLabel(TextWidths& widths, const AddressRecord& address, bool withCountry, float fontSize)
{
    const LabelLines lines = labelLines(address, withCountry);
    LabelLayout layout;
    for (int k = 0; k < lines.count && layout.count < MostLines; ++k) {
        QString text = lines.text[size_t(k)];
        const int field = lines.field[size_t(k)];
        const int linesAfter = lines.count - k - 1;
        // Every line of every label is measured: each text once at each size.
        bool fits = fitsAt(widths, fontSize, text);
        while (!fits && layout.count + 1 + linesAfter < MostLines) {
            const qsizetype blank = fittingBreak(widths, fontSize, text, lastBreak(text, field));
            if (blank == 0)
                break;
            layout.lines[size_t(layout.count++)] = {text.left(blank), fontSize};
            text = text.mid(blank + 1).trimmed();
            fits = fitsAt(widths, fontSize, text);
        }
        PrintedLine line{text, fontSize};
        if (!fits) {
            line.size = fittingSize(widths, fontSize, text);
            const bool fitsSmaller = fitsAt(widths, line.size, text);
            layout.tooLong = layout.tooLong || line.size < ReadableSize || !fitsSmaller;
            if (!fitsSmaller)
                line.text = cutAtLabelEdge(widths, text);
        }
        layout.lines[size_t(layout.count++)] = line;
    }
    return layout;
}

// Every line at its own size; the other labels keep the chosen size.
bool printLabel(PrinterDevice& device, TextWidths& widths, qint64 x, qint64 y, const AddressRecord& address,
                bool withCountry, float fontSize)
{
    const LabelLayout layout = layoutLabel(widths, address, withCountry, fontSize);
    for (int k = 0; k < layout.count; ++k) {
        const PrintedLine& line = layout.lines[size_t(k)];
        const qint64 top = y + qint64(LabelSheet::LabelLineSpacing) * k;
        if (line.size == fontSize) {
            if (!printAt(device, x, top, line.text))
                return false;
            continue;
        }
        if (!device.SetFontSize(line.size) || !printAt(device, x, top, line.text) || !device.SetFontSize(fontSize))
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

int clampedStart(int firstPosition, const MarginSettings& margins)
{
    return std::clamp(firstPosition, 1, LabelSheet::labelsOnSheet(margins));
}

}

namespace LabelJobs {

JobResult AfdrukkenAlleLabels(PrinterDevice& device, const QList<AddressRecord>& addresses, const MarginSettings& margins,
                              qint16 fontSize, bool withCountry, int firstPosition, JobProgress* progress)
{
    const qint64 skipped = clampedStart(firstPosition, margins) - 1;
    const qint64 totalPages = LabelSheet::pagesForLabels(addresses.size() + skipped, margins);
    qint64 pagesDone = 0;
    bool ok = setUpDevice(device, fontSize);
    const std::unique_ptr<TextWidths> widths = device.textWidths();
    LabelSheet::LabelCursor cursor(margins);
    cursor.skip(skipped);
    for (qsizetype i = 0; ok && i < addresses.size(); ++i) {
        ok = printLabel(device, *widths, cursor.x(), cursor.y(), addresses[i], withCountry, fontSize);
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
    const std::unique_ptr<TextWidths> widths = device.textWidths();
    LabelSheet::LabelCursor cursor(margins);
    cursor.skip(first - 1);
    for (int i = first; ok && i <= LabelSheet::LabelCount; ++i) {
        ok = printLabel(device, *widths, cursor.x(), cursor.y(), address, withCountry, fontSize);
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
    const bool ok = setUpDevice(device, fontSize)
        && printLabel(device, *device.textWidths(), cursor.x(), cursor.y(), address, false, fontSize);
    return finishJob(device, ok);
}

JobResult AfdrukkenProefvel(PrinterDevice& device, const MarginSettings& margins, qint16 fontSize, const QString& marginsLine)
{
    constexpr QPoint MarginsLineAt(LabelSheet::FirstColumnX, 16300);
    const AddressRecord sample{{QStringLiteral("Naam"), QStringLiteral("Adres"), QStringLiteral("Postcode"),
                                QStringLiteral("Woonplaats"), QStringLiteral("Land")}};
    bool ok = setUpDevice(device, fontSize);
    const std::unique_ptr<TextWidths> widths = device.textWidths();
    LabelSheet::LabelCursor cursor(margins);
    // The labels the address job would put on a sheet at these offsets, and no
    // more: large offsets push the others off the paper.
    for (int i = 1; ok && i <= LabelSheet::labelsOnSheet(margins); ++i) {
        ok = drawLabelOutline(device, cursor.x(), cursor.y())
            && printLabel(device, *widths, cursor.x(), cursor.y(), sample, true, fontSize);
        cursor.advance();
    }
    ok = ok && printAt(device, MarginsLineAt.x(), MarginsLineAt.y(), marginsLine) && drawRuler(device);
    return finishJob(device, ok);
}

}

LabelCheck checkLabels(const PrinterDevice& device, const QList<AddressRecord>& labels, qint16 fontSize, bool withCountry)
{
    LabelCheck found;
    const std::unique_ptr<TextWidths> widths = device.textWidths();
    for (qsizetype i = 0; i < labels.size(); ++i) {
        QStringList problems = addressProblems(labels[i]);
        if (layoutLabel(*widths, labels[i], withCountry, fontSize).tooLong)
            problems.append(QStringLiteral("te lang voor het etiket"));
        if (problems.isEmpty())
            continue;
        found.named.append(i);
        if (found.lines.size() < LabelCheck::ShownLines)
            found.lines.append(shownStart(labels[i].fieldView(AddressRecord::Naam)) + QStringLiteral(": ")
                               + problems.join(QStringLiteral(", ")));
    }
    return found;
}
