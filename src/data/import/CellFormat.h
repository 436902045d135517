#pragma once

#include <QString>

// An .xlsx cell's number format, so a number reads as the sheet shows it:
// "01067" for 00000, "1,50" for 0.00, "01-01-2021" for a date, in Dutch
// (decimal comma, a point between thousands, Dutch month names).
class CellFormat {
public:
    CellFormat() = default; // General: a whole number as its digits
    explicit CellFormat(const QString& code);
    // Excel's built-in formats by their number, as a Dutch Excel shows them.
    static CellFormat builtIn(qint64 id);

    // date1904: the workbook counts its days from 1904, as old Mac files do.
    QString shown(double value, bool date1904) const;

private:
    QString shownNumber(double value) const;
    QString shownDate(double value, bool date1904) const;

    QString m_code; // the first section, or empty for General
    QString m_negative; // the second section, when there is one
    bool m_date = false;
};

// A number without a format: a whole number as its digits, others with the decimal comma.
QString generalNumber(double value);
