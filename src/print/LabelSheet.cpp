#include "print/LabelSheet.h"

#include <algorithm>
#include <cmath>

namespace LabelSheet {

LabelCursor::LabelCursor(const MarginSettings& margins) : m_margins(margins)
{
    restartPage();
}

void LabelCursor::advance()
{
    ++m_count;
    m_x += qint64(ColumnPitch) + m_margins.ColumnPitchOffset;
    if (m_count % Columns == 0) {
        m_x = qint64(FirstColumnX) + m_margins.LeftOffset;
        m_y += qint64(RowPitch) + m_margins.RowPitchOffset;
    }
}

void LabelCursor::skip(qint64 labels)
{
    for (qint64 i = 0; i < labels; ++i)
        advance();
}

void LabelCursor::restartPage()
{
    m_x = qint64(FirstColumnX) + m_margins.LeftOffset;
    m_y = qint64(FirstRowY) + m_margins.TopOffset;
}

qint64 pagesForLabels(qint64 labels, const MarginSettings& margins)
{
    if (labels <= 0)
        return 0;
    const qint64 firstRow = qint64(FirstRowY) + margins.TopOffset;
    const qint64 rowStep = qint64(RowPitch) + margins.RowPitchOffset;
    // The limit is tested after every label, so a first row already below it
    // gives each label a page of its own, until the third label's row step
    // brings the rows back above the limit for good.
    if (firstRow > PageBreakLimit)
        return firstRow + rowStep > PageBreakLimit ? labels : std::min<qint64>(labels, 3);
    // Otherwise a page ends only when a row is full, so pages hold whole rows.
    if (rowStep <= 0)
        return 1; // rows never get past the limit
    const qint64 rowsPerPage = (PageBreakLimit - firstRow) / rowStep + 1;
    const qint64 perPage = rowsPerPage * Columns;
    return (labels + perPage - 1) / perPage;
}

MarginSettings calibrated(const MarginSettings& current, const Measured& measured)
{
    const auto offset = [](double twips) { return qint32(std::lround(twips / 3) * 3); };
    const double r1 = measured.right1 * TwipsPerMm;
    const double b1 = measured.down1 * TwipsPerMm;
    const double r21 = measured.right21 * TwipsPerMm;
    const double b21 = measured.down21 * TwipsPerMm;
    return {offset(current.LeftOffset - r1), offset(current.TopOffset - b1),
            offset(current.ColumnPitchOffset - (r21 - r1) / (Columns - 1)),
            offset(current.RowPitchOffset - (b21 - b1) / (LabelCount / Columns - 1))};
}

qint64 sheetsForJob(int start, qint64 labels, const MarginSettings& margins)
{
    return pagesForLabels(start - 1 + labels, margins);
}

int nextFreeLabel(int start, qint64 labelsPrinted, const MarginSettings& margins)
{
    return int((start - 1 + labelsPrinted) % labelsOnSheet(margins)) + 1;
}

int labelsOnSheet(const MarginSettings& margins)
{
    // The first page holds one label when the first row already lies below
    // the limit; otherwise every label up to the first page break.
    qint64 onFirstPage = 1;
    while (onFirstPage < LabelCount && pagesForLabels(onFirstPage + 1, margins) == 1)
        ++onFirstPage;
    return int(onFirstPage);
}

}
