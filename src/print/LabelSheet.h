#pragma once

#include "app/ProgramValues.h"

#include <QPoint>
#include <QRgb>

// An upright A4 sheet of 21 labels, 3 across and 7 down, as the J8160 sheet
// lays them out: the first label's corner 7,21 mm from the left and 15,15 mm
// from the top edge, 66,04 mm from column to column. Positions are numbered
// 1..21 row by row from the top left. Coordinates are twips from the paper's
// top-left corner.
namespace LabelSheet {

constexpr int Columns = 3;
constexpr int LabelCount = 21;
constexpr int FirstColumnX = 607;
constexpr int FirstRowY = 1050;
constexpr int ColumnPitch = 3744;
constexpr int RowPitch = 2160;
constexpr int LabelLineSpacing = 270;
// Naam, Adres, Postcode and Woonplaats; the country, when printed, below them.
constexpr int AddressLines = 4;
// The labels' dark blue, which the list's title shares.
constexpr QRgb TextColour = qRgb(0, 0, 90);
constexpr int PageBreakLimit = 15000;
constexpr double TwipsPerMm = 1440 / 25.4;

// Walks the label origins the way the sheet jobs do: three labels to a row,
// moved by the user's offsets. Exact integer arithmetic; 64 bits so that
// extreme offsets over many labels cannot overflow.
class LabelCursor {
public:
    explicit LabelCursor(const MarginSettings& margins);

    qint64 x() const { return m_x; }
    qint64 y() const { return m_y; }

    // Steps past the label just printed.
    void advance();
    // Steps past labels already used on the sheet, as if they had been printed.
    void skip(qint64 labels);
    // True when the row to print next starts below the page limit.
    bool beyondPage() const { return m_y > PageBreakLimit; }
    // Back to the first label of a page (the label count goes on).
    void restartPage();

private:
    MarginSettings m_margins;
    qint64 m_x = 0;
    qint64 m_y = 0;
    qint64 m_count = 0;
};

// Pages the all-addresses job fills with this many labels.
qint64 pagesForLabels(qint64 labels, const MarginSettings& margins);

// The labels one sheet holds under these offsets, at most the 21 there are:
// the last position a job may start at.
int labelsOnSheet(const MarginSettings& margins);

// The sheets a job of this many labels takes when it starts at label start.
qint64 sheetsForJob(int start, qint64 labels, const MarginSettings& margins);

// The label the next job starts at on the sheet this one leaves (1: a fresh sheet).
int nextFreeLabel(int start, qint64 labelsPrinted, const MarginSettings& margins);

// How far the printed outlines of a proof sheet lay from the real labels,
// in millimetres to the right and downwards, at label 1 and at label 21.
struct Measured {
    double right1 = 0;
    double down1 = 0;
    double right21 = 0;
    double down21 = 0;
};
// The offsets that bring those outlines onto the labels: label 1 moves by
// its own distance, the pitches take up the difference that grows over two
// columns and six rows. Each rounded to 3 twips, a twentieth of a step.
MarginSettings calibrated(const MarginSettings& current, const Measured& measured);

// Where a label's edges lie around its text: the text starts 3,5 mm inside
// the label's left edge and 3,4 mm below its top edge; 63,5 x 38,1 mm.
constexpr double LabelWidthMm = 63.5;
constexpr double TextInsetMm = 3.5;
constexpr int LabelEdgeLeftOfText = 198;
constexpr int LabelEdgeAboveText = 193;
constexpr int LabelWidth = 3600;

// The widest a text line may be: the label's width less the inset of the
// text, kept free on the right as well (3203 twips).
constexpr int MaxLineWidth = int((LabelWidthMm - 2 * TextInsetMm) * TwipsPerMm);
constexpr int LabelHeight = RowPitch;
// From the text's start to the label's right edge, where a line that does
// not fit even in the smallest size is cut.
constexpr int TextToRightEdge = LabelWidth - LabelEdgeLeftOfText;

}
