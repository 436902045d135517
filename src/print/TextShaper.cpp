#include "print/TextShaper.h"

#include <QFont>
#include <QPaintDevice>

namespace {
// Enough for the repeated texts of a big job without holding every name.
constexpr qsizetype MaxKeptRuns = 20000;
}

QGlyphRun glyphRun(const QRawFont& font, const QList<quint32>& glyphs)
{
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    QPointF pen;
    for (const QPointF& advance : advances) {
        positions.append(pen);
        pen += advance;
    }
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    return run;
}

void TextShaper::setFont(const QFont& font, const QPaintDevice& device)
{
    m_raw = QRawFont::fromFont(QFont(font, &device));
    m_raw.setPixelSize(font.pointSizeF() * device.logicalDpiY() / 72.0);
    m_runs.clear();
}

std::optional<QGlyphRun> TextShaper::run(const QString& text)
{
    if (const auto kept = m_runs.constFind(text); kept != m_runs.constEnd())
        return *kept;
    if (!m_raw.isValid())
        return std::nullopt;
    const QList<quint32> glyphs = m_raw.glyphIndexesForString(text);
    if (glyphs.size() != text.size() || glyphs.contains(0u))
        return std::nullopt;
    const QGlyphRun run = glyphRun(m_raw, glyphs);
    if (m_runs.size() >= MaxKeptRuns)
        m_runs.clear();
    // A copy of its own as the key: the text may share memory that is not the shaper's to keep.
    m_runs.insert(QString(text.constData(), text.size()), run);
    return run;
}
