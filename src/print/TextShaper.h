#pragma once

#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QString>
#include <optional>

class QFont;
class QPaintDevice;

// The glyphs of a text from a raw font, each after the kerned advance of the
// one before; no shaping beyond that, which is all Latin text needs.
QGlyphRun glyphRun(const QRawFont& font, const QList<quint32>& glyphs);

// Shapes each distinct text once for the current font and hands out the glyph
// run that draws it: a list of 100.000 labels holds the same towns, postcodes
// and countries many times, and shaping is most of the cost of drawing text.
class TextShaper {
public:
    // The font as the device will draw it, at the device's resolution.
    void setFont(const QFont& font, const QPaintDevice& device);

    // The run for the text, its origin on the baseline; nothing when the font
    // lacks one of its characters (the caller then lets Qt pick a fallback font).
    std::optional<QGlyphRun> run(const QString& text);

private:
    QRawFont m_raw;
    QHash<QString, QGlyphRun> m_runs;
};
