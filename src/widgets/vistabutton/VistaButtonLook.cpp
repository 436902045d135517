#include "widgets/vistabutton/VistaButtonLook.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Rgb = std::array<int, 3>;

// Gradient end colours c0..c7 per state: upper body, lower body, upper and lower side columns.
constexpr std::array<std::array<Rgb, 8>, 5> BodyColours{{
    {{{242, 242, 242}, {235, 235, 235}, {221, 221, 221}, {207, 207, 207},
      {251, 251, 251}, {250, 250, 250}, {246, 246, 246}, {243, 243, 243}}},
    {{{234, 246, 253}, {217, 240, 252}, {190, 230, 253}, {167, 217, 245},
      {249, 253, 254}, {245, 251, 254}, {239, 249, 254}, {233, 246, 253}}},
    {{{228, 243, 251}, {196, 229, 246}, {152, 209, 239}, {104, 179, 219},
      {176, 195, 206}, {154, 186, 203}, {120, 170, 197}, {85, 146, 181}}},
    {{{236, 245, 250}, {230, 242, 248}, {206, 231, 244}, {187, 219, 237},
      {52, 213, 254}, {51, 212, 253}, {56, 210, 252}, {42, 207, 250}}},
    {{{244, 244, 244}, {244, 244, 244}, {244, 244, 244}, {244, 244, 244},
      {252, 252, 252}, {252, 252, 252}, {252, 252, 252}, {252, 252, 252}}},
}};

// Border, highlight lines and corner pixels e0..e20 per state.
constexpr std::array<std::array<Rgb, 21>, 5> EdgeColours{{
    {{{112, 112, 112}, {252, 252, 252}, {144, 144, 144}, {119, 119, 119}, {135, 136, 136}, {145, 145, 145},
      {232, 232, 232}, {117, 117, 117}, {234, 234, 234}, {250, 250, 250}, {112, 112, 112}, {252, 252, 252},
      {134, 134, 134}, {117, 117, 117}, {136, 136, 136}, {143, 143, 143}, {228, 228, 228}, {117, 117, 117},
      {226, 226, 226}, {236, 236, 236}, {243, 243, 243}}},
    {{{60, 127, 177}, {250, 253, 254}, {102, 147, 181}, {66, 131, 179}, {88, 138, 175}, {105, 157, 195},
      {223, 235, 243}, {62, 128, 178}, {225, 237, 244}, {247, 251, 254}, {62, 128, 178}, {249, 253, 254},
      {87, 138, 175}, {62, 128, 178}, {90, 139, 176}, {100, 155, 195}, {212, 231, 243}, {62, 129, 178},
      {211, 230, 242}, {220, 240, 251}, {232, 245, 252}}},
    {{{44, 98, 139}, {158, 176, 186}, {57, 89, 113}, {46, 96, 134}, {51, 86, 113}, {58, 104, 138},
      {134, 157, 171}, {44, 95, 134}, {134, 157, 171}, {186, 203, 213}, {44, 98, 139}, {170, 188, 199},
      {75, 117, 147}, {46, 100, 140}, {71, 110, 140}, {47, 100, 138}, {99, 172, 211}, {45, 97, 136},
      {85, 146, 181}, {109, 181, 220}, {104, 179, 219}}},
    {{{60, 127, 177}, {52, 213, 254}, {160, 190, 212}, {86, 143, 186}, {158, 188, 211}, {50, 146, 195},
      {44, 199, 243}, {83, 142, 185}, {45, 200, 244}, {107, 223, 253}, {60, 127, 177}, {52, 213, 254},
      {155, 187, 210}, {81, 140, 184}, {158, 188, 211}, {50, 145, 194}, {37, 197, 242}, {83, 142, 185},
      {37, 196, 241}, {84, 210, 247}, {41, 206, 250}}},
    {{{173, 178, 181}, {252, 252, 252}, {183, 187, 190}, {175, 180, 183}, {177, 181, 184}, {192, 195, 198},
      {241, 242, 242}, {174, 179, 182}, {242, 242, 243}, {251, 251, 251}, {173, 178, 181}, {252, 252, 252},
      {176, 181, 184}, {174, 179, 182}, {177, 182, 185}, {192, 195, 198}, {243, 243, 244}, {174, 179, 182},
      {242, 242, 243}, {251, 251, 251}, {252, 252, 252}}},
}};

const QColor DisabledCaption(131, 131, 131);

QColor colour(const Rgb& c) { return QColor(c[0], c[1], c[2]); }
// The default floating-point rounding: to nearest, a half to the even neighbour.
int nearest(double v) { return int(std::nearbyint(v)); }

class Painter {
public:
    // Sizes are the button's own pixels; a surface for a sharper screen has more of its own.
    Painter(QImage& surface, const ButtonLook& look)
        : s(surface), look(look), w(qRound(surface.deviceIndependentSize().width())),
          h(qRound(surface.deviceIndependentSize().height()))
    {
    }

    void setPixel(int x, int y, const QColor& c)
    {
        if (x >= 0 && y >= 0 && x < w && y < h)
            s.setPixelColor(x, y, c);
    }

    // A horizontal run with both ends included.
    void run(int y, int x1, int x2, const QColor& c)
    {
        for (int x = std::max(0, x1); x <= std::min(w - 1, x2); ++x)
            setPixel(x, y, c);
    }

    // Vertical linear gradient over rows y1..y2-1, reaching colour2 at row y2.
    void gradientRect(int x1, int y1, int x2, int y2, const QColor& c1, const QColor& c2)
    {
        const int left = std::min(x1, x2), right = std::max(x1, x2);
        for (int y = y1; y < y2; ++y) {
            const double t = double(y - y1) / double(y2 - y1);
            const QColor c(int(c1.red() + (c2.red() - c1.red()) * t), int(c1.green() + (c2.green() - c1.green()) * t),
                           int(c1.blue() + (c2.blue() - c1.blue()) * t));
            for (int x = left; x < right; ++x)
                setPixel(x, y, c);
        }
    }

    void redraw(ButtonVisualState state, bool withCaption = true)
    {
        s.fill(look.backColor);
        if (look.noBackground && state != ButtonVisualState::Hot && state != ButtonVisualState::Pressed) {
            if (withCaption)
                drawCaption();
            return;
        }
        const auto& c = BodyColours[size_t(state)];
        const auto& e = EdgeColours[size_t(state)];
        const int m = midRow(h);
        gradientRect(2, 2, w - 2, m, colour(c[0]), colour(c[1]));
        gradientRect(2, m, w - 2, h - 2, colour(c[2]), colour(c[3]));
        gradientRect(1, 3, 2, m, colour(c[4]), colour(c[5]));
        gradientRect(w - 2, 3, w - 1, m, colour(c[4]), colour(c[5]));
        gradientRect(1, m, 2, h - 3, colour(c[6]), colour(c[7]));
        gradientRect(w - 1, m, w - 2, h - 3, colour(c[6]), colour(c[7]));
        if (state == ButtonVisualState::Pressed)
            pressedRuns();
        if (state == ButtonVisualState::Focused)
            focusRing(m);
        if (withCaption)
            drawCaption();
        border(e);
    }

    void drawCaption()
    {
        QPainter p(&s);
        p.setFont(look.font);
        p.setPen(look.enabled ? look.foreColor : DisabledCaption);
        const int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop;
        const QRect measured = p.boundingRect(QRect(0, 0, w, h), flags, look.caption);
        const int textHeight = measured.height();
        const int left = drawPicture(p, measured.width());
        const bool hasPicture = hasPictureSurface();
        const int textLeft = hasPicture ? nearest(double(look.picture.width()) / look.pictures + 8 - left) : 3;
        const QRect textRect(QPoint(textLeft, nearest((h - textHeight) / 2.0)),
                             QPoint(w - 3 - 1, nearest((h + textHeight) / 2.0) - 1));
        p.setClipRect(textRect);
        p.drawText(textRect, Qt::TextWordWrap | Qt::AlignTop | (left > 0 ? Qt::AlignLeft : Qt::AlignHCenter),
                   look.caption);
    }

private:
    void pressedRuns()
    {
        run(1, 3, 6, QColor(151, 170, 180));
        run(2, 3, 6, QColor(220, 237, 246));
        run(1, 7, 10, QColor(157, 175, 185));
        run(1, w - 7, w - 4, QColor(151, 170, 180));
        run(2, w - 7, w - 4, QColor(220, 237, 246));
        run(1, w - 11, w - 8, QColor(157, 175, 185));
        run(h - 2, 3, 6, QColor(99, 172, 211));
        run(h - 3, 3, 6, QColor(109, 181, 220));
        run(h - 2, 7, 10, QColor(104, 178, 218));
        setPixel(2, 3, QColor(220, 237, 245));
        setPixel(w - 3, 3, QColor(220, 237, 245));
    }

    void focusRing(int m)
    {
        run(2, 3, w - 4, QColor(166, 233, 251));
        run(h - 3, 3, w - 4, QColor(132, 213, 239));
        for (int x : {2, w - 3}) {
            gradientRect(x, 3, x + 1, m, QColor(165, 232, 251), QColor(161, 230, 249));
            gradientRect(x, m, x + 1, h - 3, QColor(146, 222, 245), QColor(133, 213, 240));
        }
    }

    void border(const std::array<Rgb, 21>& e)
    {
        run(0, 0, w - 1, colour(e[0]));
        run(h - 1, 0, w - 1, colour(e[0]));
        for (int y = 0; y < h; ++y) {
            setPixel(0, y, colour(e[0]));
            setPixel(w - 1, y, colour(e[0]));
        }
        run(1, 3, w - 4, colour(e[1]));
        run(h - 2, 3, w - 4, colour(e[20]));

        // Corner pixels: (dx from the side, y, entry); mirrored for the right side.
        static constexpr std::array<std::array<int, 3>, 10> Top{
            {{1, 0, 2}, {2, 0, 3}, {0, 1, 4}, {1, 1, 5}, {2, 1, 6}, {0, 2, 7}, {1, 2, 8}, {2, 2, 9}, {0, 3, 10}, {1, 3, 11}}};
        static constexpr std::array<std::array<int, 3>, 8> Bottom{
            {{1, 1, 12}, {2, 1, 13}, {0, 2, 14}, {1, 2, 15}, {2, 2, 16}, {0, 3, 17}, {1, 3, 18}, {2, 3, 19}}};
        for (const auto& [dx, y, entry] : Top)
            setPixel(dx, y, colour(e[size_t(entry)]));
        for (const auto& [dx, y, entry] : Top)
            setPixel(w - 1 - dx, y, colour(e[size_t(entry)]));
        for (const auto& [dx, dy, entry] : Bottom)
            setPixel(dx, h - dy, colour(e[size_t(entry)]));
        for (const auto& [dx, dy, entry] : Bottom)
            setPixel(w - 1 - dx, h - dy, colour(e[size_t(entry)]));
    }

    bool hasPictureSurface() const { return look.picture.width() > 0 && look.picture.height() > 0; }

    // Draws the picture frame for the state and returns how much was cut off at the left.
    int drawPicture(QPainter& p, int textWidth)
    {
        if (!hasPictureSurface())
            return 0;
        const int pictures = std::max(1, look.pictures);
        const int pictureHeight = look.picture.height();
        const double fw = double(look.picture.width()) / pictures;
        double x = look.caption.isEmpty() ? (w - fw) / 2 : (w - textWidth - fw - 5) / 2;
        int y = nearest((h - pictureHeight) / 2.0);
        if (look.isPressed) {
            x += look.pictureOffset;
            y += look.pictureOffset;
        }
        const double right = x + fw > w - 3 ? (w - 3 - x) - fw : 0;
        double left = 0;
        if (x < 3) {
            left = 3 - x;
            x = 3;
        }
        const int bottom = y + pictureHeight > h - 3 ? nearest((h - 3) - y - pictureHeight) : 0;
        int top = 0;
        if (y < 3) {
            top = 3 - y;
            y = 3;
        }
        int frame = 0;
        if (pictures >= 2 && !look.enabled)
            frame = 1;
        if (pictures == 3 && look.enabled && look.isPressed)
            frame = 2;

        const QRect source(nearest(frame * fw + left), top, nearest(fw - left + right), pictureHeight - top + bottom);
        if (source.width() > 0 && source.height() > 0) {
            QImage block = look.picture.copy(source).convertToFormat(QImage::Format_ARGB32);
            if (look.useMaskColor) {
                const QRgb mask = look.maskColor.rgb();
                for (int by = 0; by < block.height(); ++by) {
                    auto* line = reinterpret_cast<QRgb*>(block.scanLine(by));
                    for (int bx = 0; bx < block.width(); ++bx)
                        if ((line[bx] | 0xFF000000u) == mask)
                            line[bx] = 0;
                }
            }
            p.drawImage(QPoint(nearest(x), y), block);
        }
        return nearest(left);
    }

    QImage& s;
    const ButtonLook& look;
    const int w;
    const int h;
};

}

int midRow(int height)
{
    return nearest(height / 2.2);
}

void redrawButton(QImage& surface, const ButtonLook& look, ButtonVisualState state)
{
    const qreal ratio = surface.devicePixelRatio();
    if (ratio == 1) {
        Painter(surface, look).redraw(state);
        return;
    }
    // On a sharper screen the face keeps its pixel design, each of its pixels
    // covering the screen pixels under it; caption and picture are drawn at
    // the screen's own resolution on top.
    QImage face(surface.deviceIndependentSize().toSize(), surface.format());
    Painter(face, look).redraw(state, false);
    surface = face.scaled(surface.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    surface.setDevicePixelRatio(ratio);
    Painter(surface, look).drawCaption();
}

QRegion buttonShape(int width, int height)
{
    QRegion shape(0, 0, width, height);
    for (const QPoint corner : {QPoint(0, 0), QPoint(0, height - 1), QPoint(width - 1, 0), QPoint(width - 1, height - 1)})
        shape -= QRegion(corner.x(), corner.y(), 1, 1);
    return shape;
}
