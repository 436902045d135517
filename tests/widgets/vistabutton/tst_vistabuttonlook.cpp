#include "widgets/vistabutton/VistaButtonLook.h"

#include <QTest>
#include <utility>

Q_DECLARE_METATYPE(ButtonVisualState)

namespace {

// Points of a face and the colour each should have.
using Probes = QList<std::pair<QPoint, QColor>>;

ButtonLook plainLook()
{
    ButtonLook look;
    look.font = QFont(QStringLiteral("Arial"), 8);
    return look;
}

QImage render(const ButtonLook& look, ButtonVisualState state, QSize size = {90, 25}, qreal ratio = 1)
{
    QImage surface((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
    surface.setDevicePixelRatio(ratio);
    redrawButton(surface, look, state);
    return surface;
}

// A strip of three 10 x 10 frames: red, blue, yellow, each with a green (mask) corner.
QImage threeFrames()
{
    QImage strip(30, 10, QImage::Format_RGB32);
    const QColor colours[] = {Qt::red, Qt::blue, Qt::yellow};
    for (int f = 0; f < 3; ++f) {
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                strip.setPixelColor(f * 10 + x, y, x == 0 && y == 0 ? QColor(0, 255, 0) : colours[f]);
    }
    return strip;
}

int countColour(const QImage& image, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

}

class TestVistaButtonLook : public QObject {
    Q_OBJECT
private slots:
    // What each state of a 90 x 25 button draws at points of its face.
    void facePixels_data()
    {
        QTest::addColumn<ButtonVisualState>("state");
        QTest::addColumn<Probes>("probes");
        QTest::newRow("hot") << ButtonVisualState::Hot
                             << Probes{{{1, 0}, QColor(102, 147, 181)}, {{45, 0}, QColor(60, 127, 177)},
                                       {{45, 1}, QColor(250, 253, 254)}, {{45, 23}, QColor(232, 245, 252)},
                                       {{1, 3}, QColor(249, 253, 254)}};
        // Upper body from c0, lower from c2 at the middle row, the side column, the inner bottom line, a corner.
        QTest::newRow("normal") << ButtonVisualState::Normal
                                << Probes{{{5, 2}, QColor(242, 242, 242)}, {{5, 11}, QColor(221, 221, 221)},
                                          {{5, 23}, QColor(243, 243, 243)}, {{1, 11}, QColor(246, 246, 246)},
                                          {{1, 22}, QColor(226, 226, 226)}, {{45, 2}, QColor(242, 242, 242)},
                                          {{2, 11}, QColor(221, 221, 221)}};
        QTest::newRow("focused") << ButtonVisualState::Focused
                                 << Probes{{{45, 2}, QColor(166, 233, 251)}, {{45, 22}, QColor(132, 213, 239)},
                                           {{2, 3}, QColor(165, 232, 251)}, {{87, 11}, QColor(146, 222, 245)}};
        // The pressed face's runs, and the gradient beside them.
        QTest::newRow("pressed") << ButtonVisualState::Pressed
                                 << Probes{{{3, 2}, QColor(220, 237, 246)}, {{6, 2}, QColor(220, 237, 246)},
                                           {{83, 2}, QColor(220, 237, 246)}, {{86, 2}, QColor(220, 237, 246)},
                                           {{7, 2}, QColor(228, 243, 251)}, {{3, 1}, QColor(158, 176, 186)},
                                           {{10, 1}, QColor(158, 176, 186)}, {{45, 1}, QColor(158, 176, 186)},
                                           {{86, 1}, QColor(158, 176, 186)}, {{4, 22}, QColor(109, 181, 220)},
                                           {{2, 3}, QColor(220, 237, 245)}};
    }
    void facePixels()
    {
        QFETCH(ButtonVisualState, state);
        QFETCH(Probes, probes);
        const QImage face = render(plainLook(), state);
        for (const auto& [at, colour] : probes)
            QVERIFY2(face.pixelColor(at) == colour,
                     qPrintable(QStringLiteral("(%1, %2) is %3").arg(at.x()).arg(at.y()).arg(face.pixelColor(at).name())));
    }

    // The corners cut off, the middle row by height, and the gradients' run.
    void shapeAndGradients()
    {
        const QRegion shape = buttonShape(90, 25);
        QVERIFY(!shape.contains(QPoint(0, 0)));
        QVERIFY(!shape.contains(QPoint(89, 24)));
        QVERIFY(shape.contains(QPoint(1, 0)));
        QCOMPARE(midRow(21), 10);
        QCOMPARE(midRow(25), 11);
        QCOMPARE(midRow(29), 13);
        const QImage normal = render(plainLook(), ButtonVisualState::Normal);
        QVERIFY(normal.pixelColor(5, 10).red() > 221); // row 10 still upper body
        QVERIFY(normal.pixelColor(5, 22).red() < 221 && normal.pixelColor(5, 22).red() >= 207);
        QCOMPARE(normal.pixelColor(1, 4).red(), 250);
        QVERIFY(normal.pixelColor(1, 21).red() <= 246);
    }

    // On a screen at 200 %: the same face, each of its pixels two by two, and a
    // caption drawn at the screen's own resolution.
    void sharpOnDenserScreens()
    {
        ButtonLook look = plainLook();
        look.caption = QStringLiteral("Afdrukken");
        const QImage one = render(look, ButtonVisualState::Hot);
        const QImage two = render(look, ButtonVisualState::Hot, {90, 25}, 2);
        QCOMPARE(two.size(), QSize(180, 50));
        QCOMPARE(two.devicePixelRatio(), 2.0);
        for (const QPoint logical : {QPoint(1, 0), QPoint(45, 0), QPoint(45, 1), QPoint(45, 23), QPoint(1, 3), QPoint(0, 12)})
            for (const QPoint device : {logical * 2, logical * 2 + QPoint(1, 0), logical * 2 + QPoint(0, 1), logical * 2 + QPoint(1, 1)})
                QCOMPARE(two.pixelColor(device), one.pixelColor(logical));

        const QImage blownUp = one.scaled(two.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        int differing = 0;
        for (int y = 0; y < two.height(); ++y)
            for (int x = 0; x < two.width(); ++x)
                differing += two.pixel(x, y) != blownUp.pixel(x, y);
        QVERIFY2(differing > 50, qPrintable(QString::number(differing)));

        const QImage between = render(look, ButtonVisualState::Normal, {90, 25}, 1.5);
        QCOMPARE(between.size(), QSize(135, 38));
        QCOMPARE(between.pixelColor(1, 0), render(look, ButtonVisualState::Normal).pixelColor(0, 0));
    }

    void noBackgroundShowsOnlyTheCaption()
    {
        ButtonLook look = plainLook();
        look.noBackground = true;
        look.backColor = QColor(10, 20, 30);
        for (auto state : {ButtonVisualState::Normal, ButtonVisualState::Focused, ButtonVisualState::Disabled}) {
            const QImage image = render(look, state);
            QCOMPARE(image.pixelColor(45, 0), QColor(10, 20, 30));
            QCOMPARE(image.pixelColor(1, 0), QColor(10, 20, 30));
        }
        QCOMPARE(render(look, ButtonVisualState::Hot).pixelColor(45, 0), QColor(60, 127, 177));
        QCOMPARE(render(look, ButtonVisualState::Pressed).pixelColor(45, 1), QColor(158, 176, 186));
    }

    void captionColours()
    {
        ButtonLook look = plainLook();
        look.caption = QStringLiteral("Afdrukken");
        look.foreColor = QColor(200, 0, 0);
        look.font = QFont(QStringLiteral("Arial"));
        look.font.setPixelSize(24); // big enough for letter stems in the full colour
        look.font.setBold(true);
        const QSize size(200, 60);
        QVERIFY(countColour(render(look, ButtonVisualState::Normal, size), QColor(200, 0, 0)) > 20);
        look.enabled = false;
        const QImage disabled = render(look, ButtonVisualState::Disabled, size);
        QCOMPARE(countColour(disabled, QColor(200, 0, 0)), 0);
        QVERIFY(countColour(disabled, QColor(131, 131, 131)) > 20);
    }

    void pictureFrames()
    {
        ButtonLook look = plainLook();
        look.picture = threeFrames();
        look.pictures = 2; // a two-frame strip of 15-pixel frames
        QImage image = render(look, ButtonVisualState::Normal);
        // Centred: X = nearest((90 - 15) / 2) = 38, Y = nearest(7.5) = 8; frame 0 is source x 0..14.
        QCOMPARE(image.pixelColor(40, 10), QColor(Qt::red));
        QCOMPARE(image.pixelColor(50, 10), QColor(Qt::blue));
        QVERIFY(image.pixelColor(38, 8) != QColor(0, 255, 0)); // the mask colour is not drawn
        look.enabled = false;
        image = render(look, ButtonVisualState::Disabled);
        // Disabled shows frame 1, source x 15..29.
        QCOMPARE(image.pixelColor(40, 10), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(45, 10), QColor(Qt::yellow));
        look.enabled = true;
        look.useMaskColor = false;
        image = render(look, ButtonVisualState::Normal);
        QCOMPARE(image.pixelColor(38, 8), QColor(0, 255, 0));
    }

    void widePictureIsClipped()
    {
        ButtonLook look = plainLook();
        look.picture = QImage(200, 10, QImage::Format_RGB32);
        look.picture.fill(Qt::red);
        look.pictures = 1;
        look.caption = QStringLiteral("Ok");
        const QImage image = render(look, ButtonVisualState::Normal);
        QCOMPARE(image.pixelColor(3, 10), QColor(Qt::red));
        QCOMPARE(image.pixelColor(86, 10), QColor(Qt::red));
        QVERIFY(image.pixelColor(2, 10) != QColor(Qt::red));
        QVERIFY(image.pixelColor(87, 10) != QColor(Qt::red));
    }

    void pressedPictureMovesByOffset()
    {
        ButtonLook look = plainLook();
        look.picture = QImage(10, 10, QImage::Format_RGB32);
        look.picture.fill(Qt::red);
        look.pictures = 1;
        look.pictureOffset = 1;
        const QImage resting = render(look, ButtonVisualState::Normal);
        look.isPressed = true;
        const QImage pressed = render(look, ButtonVisualState::Pressed);
        // X = 40, Y = nearest(7.5) = 8; pressed one pixel right and down.
        QCOMPARE(resting.pixelColor(40, 8), QColor(Qt::red));
        QVERIFY(resting.pixelColor(50, 18) != QColor(Qt::red));
        QVERIFY(pressed.pixelColor(40, 8) != QColor(Qt::red));
        QCOMPARE(pressed.pixelColor(50, 18), QColor(Qt::red));
    }
};

QTEST_MAIN(TestVistaButtonLook)
#include "tst_vistabuttonlook.moc"
