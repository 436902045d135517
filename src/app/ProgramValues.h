#pragma once

#include <QMap>
#include <QString>
#include <QtGlobal>

// The program's name: window titles, message boxes, the documents it prints.
inline const QString ProgramTitle = QStringLiteral("Plaklabels");

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

// The printer that writes each job to a PDF file instead of paper.
inline const QString PdfPrinterName = QStringLiteral("PDF-bestand");

// What a printer keeps of its own: the offsets measured on it, and the
// label a sheet half used in it goes on at.
struct PrinterSettings {
    MarginSettings margins;
    int nextLabel = 1;
    bool operator==(const PrinterSettings&) const = default;
};

// What the settings file keeps between runs. Each printer has offsets of its
// own: one measured on a printer at home does not serve the one at the office.
struct SavedSettings {
    MarginSettings margins; // those of "PDF-bestand"
    qint16 FontSize = 10;
    // Every printer with something of its own; "PDF-bestand"'s offsets are `margins`.
    QMap<QString, PrinterSettings> printers;
    bool OneLabelPerHousehold = false;
    bool operator==(const SavedSettings&) const = default;

    MarginSettings marginsFor(const QString& printer) const
    {
        return printer == PdfPrinterName ? margins : printers.value(printer).margins;
    }
    void setMarginsFor(const QString& printer, const MarginSettings& offsets)
    {
        if (printer == PdfPrinterName)
            margins = offsets;
        else
            printers[printer].margins = offsets;
        forgetIfPlain(printer);
    }
    int nextLabelFor(const QString& printer) const { return printers.value(printer).nextLabel; }
    void setNextLabel(const QString& printer, int label)
    {
        printers[printer].nextLabel = label;
        forgetIfPlain(printer);
    }

private:
    // A printer with nothing of its own takes no line.
    void forgetIfPlain(const QString& printer)
    {
        const PrinterSettings& kept = printers[printer];
        if ((printer == PdfPrinterName || kept.margins == MarginSettings{}) && kept.nextLabel == 1)
            printers.remove(printer);
    }
};

// Values shared by all windows for the whole run.
struct ProgramValues : SavedSettings {
    QString SelectedFileName;
};
