#pragma once

#include <QFile>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <algorithm>
#include <QString>

// The words of a PDF with their boxes, as poppler's pdftotext -bbox reads them.
struct PdfWord {
    int page;
    double xMm;   // left edge, millimetres from the page's left
    double topMm; // top of the word box, millimetres from the page's top
    double rightMm;
    double bottomMm;
    QString text;
};

inline QList<PdfWord> readPdfWords(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    process.waitForFinished(60000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression token(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    constexpr double MmPerPoint = 25.4 / 72;
    QList<PdfWord> words;
    int page = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        words.append({page, match.captured(1).toDouble() * MmPerPoint, match.captured(2).toDouble() * MmPerPoint,
                      match.captured(3).toDouble() * MmPerPoint, match.captured(4).toDouble() * MmPerPoint, match.captured(5)});
    }
    return words;
}

// What qpdf says of a PDF: whether its check passes, and its objects as JSON.
inline std::pair<bool, QByteArray> qpdfCheckAndObjects(const QString& path)
{
    QProcess check;
    check.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), path});
    check.waitForFinished(60000);
    QProcess objects;
    objects.start(QStringLiteral("qpdf"), {QStringLiteral("--json=1"), QStringLiteral("--json-key=objects"), path});
    objects.waitForFinished(60000);
    return {check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0, objects.readAllStandardOutput()};
}

// Where the ink lies on a PDF's first page, in millimetres from its top
// left, as pdftoppm renders it: the same for any renderer's font boxes.
inline QRectF inkBoxMm(const QString& path)
{
    constexpr int Dpi = 400;
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(Dpi),
                                               QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                               QStringLiteral("1"), path});
    render.waitForFinished(60000);
    const QByteArray image = render.readAllStandardOutput();
    // A binary PGM: "P5", width, height, maximum, then one byte a pixel.
    const QList<QByteArray> header = image.left(64).split('\n');
    if (header.size() < 4 || header[0] != "P5")
        return {};
    const QList<QByteArray> size = header[1].split(' ');
    const int width = size.value(0).toInt();
    const int height = size.value(1).toInt();
    const qsizetype start = header[0].size() + header[1].size() + header[2].size() + 3;
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (uchar(image[start + qsizetype(y) * width + x]) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    constexpr double MmPerPixel = 25.4 / Dpi;
    return right < 0 ? QRectF() : QRectF(left * MmPerPixel, top * MmPerPixel, (right - left + 1) * MmPerPixel,
                                         (bottom - top + 1) * MmPerPixel);
}

inline int pdfPageCount(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(60000);
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(QString::fromUtf8(process.readAllStandardOutput())).captured(1).toInt();
}
