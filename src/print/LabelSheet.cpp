#include "print/LabelSheet.h"

namespace LabelSheet {

QPoint singleLabelOrigin(int position)
{
    const int index = position - 1;
    return {FirstColumnX + (index % Columns) * ColumnPitch, FirstRowY + (index / Columns) * RowPitch};
}

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
    if (rowStep <= 0 && firstRow + rowStep <= PageBreakLimit)
        return 1; // rows never get past the limit: everything on one page
    qint64 rows = 1;
    for (qint64 y = firstRow + rowStep; y <= PageBreakLimit; y += rowStep)
        ++rows;
    const qint64 perPage = rows * Columns;
    return (labels + perPage - 1) / perPage;
}

}
