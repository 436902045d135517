// Draws the package's icon files from the program's own icon: PNGs in the
// hicolor sizes and an SVG. Run by the build: make-icons FOLDER NAME
#include "resources/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(sizeFolder) || !appIconPixmap(size).save(sizeFolder + QLatin1Char('/') + name + QStringLiteral(".png")))
            return 1;
    }
    const QString scalable = folder + QStringLiteral("/scalable/apps");
    QDir().mkpath(scalable);
    QSvgGenerator svg;
    svg.setFileName(scalable + QLatin1Char('/') + name + QStringLiteral(".svg"));
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("Plaklabels"));
    QPainter painter(&svg);
    drawAppIcon(painter, 32);
    return painter.end() ? 0 : 1;
}
