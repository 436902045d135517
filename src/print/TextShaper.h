#pragma once

#include "print/PrinterDevice.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QPaintDevice;

// The glyphs of a text from a raw font, each after the kerned advance of the
// one before; no shaping beyond that, which is all Latin text needs.
QGlyphRun glyphRun(const QRawFont& font, const QList<quint32>& glyphs);

// Shapes each distinct text once for the current font and hands out the glyph
// run that draws it: a list of 100.000 labels holds the same towns, postcodes
// and countries many times, and shaping is most of the cost of drawing text.
// Each font keeps its runs: a line printed smaller does not cost the others theirs.
class TextShaper {
public:
    // The font as the device will draw it, at the device's resolution.
    void setFont(const QFont& font, const QPaintDevice& device);

    // The run for the text, its origin on the baseline; nothing when the font
    // lacks one of its characters (the caller then lets Qt pick a fallback font).
    std::optional<QGlyphRun> run(const QString& text);

private:
    struct Shapes {
        QRawFont raw;
        QHash<QString, QGlyphRun> runs;
    };
    QHash<QString, Shapes> m_fonts;
    Shapes* m_current = nullptr;
};

// Measures texts as the shaper's glyph runs draw them, fast enough to measure
// every line of a big job before it prints: each character's advance and
// each pair's kerning is looked up once. A list holds only Windows-1252
// characters; any other text is shaped whole.
class TextMeasure {
public:
    // The font at a resolution of dotsPerInch: widths come in its dots.
    void setFont(const QFont& font, int dotsPerInch);
    const QFont& font() const { return m_font; }
    qreal width(const QString& text);

private:
    static constexpr int TableSize = 256;
    qreal shapedWidth(const QString& text) const;
    std::optional<qreal> advance(uchar c);
    qreal kerning(uchar first, uchar second);

    QFont m_font;
    int m_dotsPerInch = 0;
    QRawFont m_raw;
    std::array<quint32, TableSize> m_glyphs{};
    std::array<qreal, TableSize> m_advances{};
    std::vector<qreal> m_kerning; // TableSize x TableSize, NaN until looked up
};

// Widths by the measures above, for one thread: a job's, or the check's
// beside the window. Each size keeps what it learnt, as fitting a long line
// tries several.
class FontWidths : public TextWidths {
public:
    // The base font gives what the job's fonts share (its hinting); dots are twips at 1440.
    FontWidths(const QFont& base, int dotsPerInch) : m_base(base), m_dotsPerInch(dotsPerInch) {}
    double width(const QString& fontName, float points, bool bold, const QString& text) override;

private:
    struct Kept {
        QString name;
        float points;
        bool bold;
        std::unique_ptr<TextMeasure> measure;
    };
    static constexpr size_t MaxKept = 16;
    QFont m_base;
    int m_dotsPerInch;
    std::vector<Kept> m_kept;
};
