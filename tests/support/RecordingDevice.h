#pragma once

#include "print/PrinterDevice.h"

#include <QLineF>
#include <QList>
#include <QStringList>

// A printer that writes down every operation and every text with the place,
// page and font it went to. It can be told to fail at its n-th operation.
class RecordingDevice : public PrinterDevice {
public:
    struct Text {
        int page;
        float x;
        float y;
        QString text;
        bool bold;
        float size;
        QRgb colour;
    };

    struct Line {
        int page;
        QLineF line;
    };

    QStringList ops;
    QList<Text> texts;
    QList<Line> lines;
    double twipsPerChar = 0; // what TextWidth() makes of each character at 10 points; 0: everything fits
    QStringList printers{QStringLiteral("Kantoor"), QStringLiteral("Etiketten"), QStringLiteral("PDF-bestand")};
    int current = 0;
    QString documentName;
    int failAt = 0;        // 1-based operation number that fails; 0 never
    bool failOnwards = false; // every operation from failAt on fails
    int pages = 0;         // pages that came out in ended documents
    QString kept;          // what keptDocument() answers

    QStringList InstalledPrinters() override { return printers; }
    QString CurrentDeviceName() override { return printers.value(current); }
    bool SelectPrinter(int index) override
    {
        if (!step(QStringLiteral("SelectPrinter %1").arg(index)))
            return false;
        current = index;
        return true;
    }
    bool SetUnitTwips() override { return step(QStringLiteral("SetUnitTwips")); }
    bool SetPortrait() override { return step(QStringLiteral("SetPortrait")); }
    bool SetFontName(const QString& name) override { return step(QStringLiteral("SetFontName ") + name); }
    bool SetFontSize(float points) override { return set(m_size, points, QStringLiteral("SetFontSize %1").arg(points)); }
    bool SetFontBold(bool bold) override { return set(m_bold, bold, QStringLiteral("SetFontBold %1").arg(bold)); }
    bool SetTextColor(QRgb colour) override
    {
        return set(m_colour, colour,
                   QStringLiteral("SetTextColor %1,%2,%3").arg(qRed(colour)).arg(qGreen(colour)).arg(qBlue(colour)));
    }
    bool SetCurrentX(float twips) override { return set(m_x, twips, QStringLiteral("SetCurrentX %1").arg(twips)); }
    bool SetCurrentY(float twips) override { return set(m_y, twips, QStringLiteral("SetCurrentY %1").arg(twips)); }
    bool PrintText(const QString& text) override
    {
        if (!step(QStringLiteral("PrintText ") + text))
            return false;
        startDrawing();
        // A copy of its own: the jobs hand on texts that share the list's memory.
        texts.append({pages + m_pagesInDocument, m_x, m_y, QString(text.constData(), text.size()), m_bold, m_size, m_colour});
        return true;
    }
    bool DrawLine(float x1, float y1, float x2, float y2) override
    {
        if (!step(QStringLiteral("DrawLine %1,%2 %3,%4").arg(x1).arg(y1).arg(x2).arg(y2)))
            return false;
        startDrawing();
        lines.append({pages + m_pagesInDocument, QLineF(x1, y1, x2, y2)});
        return true;
    }
    // Not an operation of the job: measuring leaves no trace in ops.
    std::unique_ptr<TextWidths> textWidths() const override
    {
        struct PerChar : TextWidths {
            double twips;
            explicit PerChar(double t) : twips(t) {}
            double width(const QString&, float points, bool, const QString& text) override
            {
                return text.size() * twips * points / 10;
            }
        };
        return std::make_unique<PerChar>(twipsPerChar);
    }
    bool NewPage() override
    {
        if (!step(QStringLiteral("NewPage")))
            return false;
        m_pendingPage = m_open;
        return true;
    }
    bool EndDocument() override
    {
        if (!step(QStringLiteral("EndDocument")))
            return false;
        pages += m_pagesInDocument;
        m_pagesInDocument = 0;
        m_open = m_pendingPage = false;
        return true;
    }
    QString errorString() const override { return QStringLiteral("printer Kantoor staat uit."); }
    void SetDocumentName(const QString& name) override { documentName = name; }
    QString keptDocument() const override { return kept; }

    // The texts of one page (1-based), in printing order.
    QList<Text> page(int number) const
    {
        QList<Text> result;
        for (const Text& t : texts)
            if (t.page == number)
                result.append(t);
        return result;
    }

private:
    void startDrawing()
    {
        if (!m_open || m_pendingPage) {
            ++m_pagesInDocument;
            m_pendingPage = false;
        }
        m_open = true;
    }
    bool step(const QString& op)
    {
        ops.append(op);
        const int n = int(ops.size());
        return !(failAt > 0 && (n == failAt || (failOnwards && n > failAt)));
    }
    template <typename T>
    bool set(T& target, T value, const QString& op)
    {
        if (!step(op))
            return false;
        target = value;
        return true;
    }

    float m_x = 0;
    float m_y = 0;
    float m_size = 0;
    bool m_bold = false;
    QRgb m_colour = 0;
    bool m_open = false;
    bool m_pendingPage = false;
    int m_pagesInDocument = 0;
};
