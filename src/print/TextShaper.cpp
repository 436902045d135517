#include "print/TextShaper.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Enough for the repeated texts of a big job without holding every name.
constexpr qsizetype MaxKeptRuns = 20000;
// The chosen size and the smaller ones long lines shrink to.
constexpr qsizetype MaxKeptFonts = 16;
}

namespace {

// The font's glyphs at its size on a device of that resolution.
QRawFont rawFontAt(const QFont& font, int dotsPerInch)
{
    QRawFont raw = QRawFont::fromFont(font);
    raw.setPixelSize(font.pointSizeF() * dotsPerInch / 72.0);
    return raw;
}

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
    const QString key = font.key() + QLatin1Char('@') + QString::number(device.logicalDpiY());
    auto kept = m_fonts.find(key);
    if (kept == m_fonts.end()) {
        if (m_fonts.size() >= MaxKeptFonts)
            m_fonts.clear();
        Shapes shapes;
        shapes.raw = rawFontAt(QFont(font, &device), device.logicalDpiY());
        kept = m_fonts.insert(key, std::move(shapes));
    }
    m_current = &kept.value();
}

std::optional<QGlyphRun> TextShaper::run(const QString& text)
{
    if (!m_current)
        return std::nullopt;
    QHash<QString, QGlyphRun>& runs = m_current->runs;
    if (const auto kept = runs.constFind(text); kept != runs.constEnd())
        return *kept;
    const QRawFont& raw = m_current->raw;
    if (!raw.isValid())
        return std::nullopt;
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    if (glyphs.size() != text.size() || glyphs.contains(0u))
        return std::nullopt;
    const QGlyphRun run = glyphRun(raw, glyphs);
    if (runs.size() >= MaxKeptRuns)
        runs.clear();
    // A copy of its own as the key: the text may share memory that is not the shaper's to keep.
    runs.insert(QString(text.constData(), text.size()), run);
    return run;
}

void TextMeasure::setFont(const QFont& font, int dotsPerInch)
{
    m_font = font;
    m_dotsPerInch = dotsPerInch;
    m_raw = rawFontAt(font, dotsPerInch);
    const qreal unknown = std::numeric_limits<qreal>::quiet_NaN();
    m_advances.fill(unknown);
    m_kerning.assign(size_t(TableSize) * TableSize, unknown);
}

qreal TextMeasure::width(const QString& text)
{
    qreal total = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= TableSize)
            return shapedWidth(text);
        const std::optional<qreal> step = advance(uchar(c));
        if (!step)
            return shapedWidth(text); // a character the font lacks
        total += *step;
        if (i > 0)
            total += kerning(uchar(text[i - 1].unicode()), uchar(c));
    }
    return total;
}

qreal TextMeasure::shapedWidth(const QString& text) const
{
    const QList<quint32> glyphs = m_raw.glyphIndexesForString(text);
    if (glyphs.size() != text.size() || glyphs.contains(0u)) {
        // What Qt draws with a fallback font.
        QImage surface(1, 1, QImage::Format_Mono);
        const int dotsPerMeter = qRound(m_dotsPerInch / 0.0254);
        surface.setDotsPerMeterX(dotsPerMeter);
        surface.setDotsPerMeterY(dotsPerMeter);
        return QFontMetricsF(m_font, &surface).horizontalAdvance(text);
    }
    qreal total = 0;
    for (const QPointF& step : m_raw.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances))
        total += step.x();
    return total;
}

std::optional<qreal> TextMeasure::advance(uchar c)
{
    // NaN: not looked up yet; infinity: the font lacks the character.
    if (std::isnan(m_advances[c])) {
        const QList<quint32> glyph = m_raw.glyphIndexesForString(QString(QChar(char16_t(c))));
        const bool known = glyph.size() == 1 && glyph[0] != 0;
        m_glyphs[c] = known ? glyph[0] : 0;
        m_advances[c] = known ? m_raw.advancesForGlyphIndexes(glyph).value(0).x() : std::numeric_limits<qreal>::infinity();
    }
    if (std::isinf(m_advances[c]))
        return std::nullopt;
    return m_advances[c];
}

qreal TextMeasure::kerning(uchar first, uchar second)
{
    qreal& known = m_kerning[size_t(first) * TableSize + second];
    if (std::isnan(known)) {
        const QList<QPointF> kerned = m_raw.advancesForGlyphIndexes({m_glyphs[first], m_glyphs[second]}, QRawFont::KernedAdvances);
        known = kerned.value(0).x() - m_advances[first];
    }
    return known;
}

double FontWidths::width(const QString& fontName, float points, bool bold, const QString& text)
{
    // Every line of a job is measured: finding the font's tables must cost next to nothing.
    const auto sameFont = [&](const Kept& kept) { return kept.points == points && kept.bold == bold && kept.name == fontName; };
    auto kept = std::find_if(m_kept.begin(), m_kept.end(), sameFont);
    if (kept == m_kept.end()) {
        if (m_kept.size() >= MaxKept)
            m_kept.clear();
        QFont font = m_base;
        font.setFamily(fontName);
        font.setPointSizeF(points);
        font.setBold(bold);
        m_kept.push_back({fontName, points, bold, std::make_unique<TextMeasure>()});
        m_kept.back().measure->setFont(font, m_dotsPerInch);
        kept = m_kept.end() - 1;
    }
    return kept->measure->width(text);
}
