#pragma once

#include <QString>
#include <QtGlobal>

// The one typeface of the printed documents and the windows.
inline const QString Typeface = QStringLiteral("Arial");

// The four user offsets, in twips, that move the printed labels on the sheet.
struct MarginSettings {
    qint32 LeftOffset = 0;
    qint32 TopOffset = 0;
    qint32 ColumnPitchOffset = 0;
    qint32 RowPitchOffset = 0;
    bool operator==(const MarginSettings&) const = default;
};

// The font sizes, in points, that labels and lists are printed in.
constexpr bool isUsableFontSize(double points)
{
    return points >= 1 && points <= 72;
}

// What the settings file keeps between runs.
struct SavedSettings {
    MarginSettings margins;
    qint16 FontSize = 10;
    bool operator==(const SavedSettings&) const = default;
};

// Values shared by all windows for the whole run.
struct ProgramValues : SavedSettings {
    QString SelectedFileName;
};
