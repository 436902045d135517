#include "ui/main/HelpText.h"

#include "resources/ScreenImage.h"

#include "ui/FormStyle.h"
#include "widgets/AccessibleFactory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <array>

namespace {

struct HelpLine {
    int top;
    const char* text;
};

// Twelve pixels a line: 21 lines fill the 264 of the picture.
constexpr std::array<HelpLine, 21> Lines{{
    {6, "Korte uitleg programma"},
    {18, "----------------------------"},
    {30, "Met dit programma kun je jouw adressen eenvoudig afdrukken op plaklabels."},
    {42, "Om de complete lijst te printen drukken we op de knop 'Afdrukken'"},
    {54, "Om slechts 1 plaklabel te printen selecteren we op de rechter layout met de"},
    {66, "muiscursor de betreffende plaklabel en klikken dan op de linkermuisknop."},
    {78, "Let wel dat je van tevoren een naam uit de lijst hebt geselecteerd."},
    {90, "Druk onder 'Marges' met 'Proefvel' een proefvel af op gewoon papier."},
    {102, "Houd het tegen het licht op een vel plaklabels."},
    {114, "Meet met 'Uitmeten' bij etiket 1 en 21: dat geeft de juiste marges."},
    {126, "Voor de plaklabels gebruiken we de 'Avery J8160'. Deze zijn 63,5 x 38,1 mm."},
    {138, "Hiervan zitten er 21 stuks op een vel A4 zoals rechts is aangegeven."},
    {150, "Elke printer houdt zijn eigen marges: kies hem in 'Marges' bij 'Printer'."},
    {162, "Voor elke mm op papier verhogen of verlagen we een marge met 1 stap."},
    {174, "Marges 0 kloppen bij de meeste printers; oude marges meet je best opnieuw."},
    {186, "Adressen in het buitenland krijgen altijd hun land op het etiket."},
    {198, "Met 'Eén etiket per huishouden' krijgt elke voordeur één etiket."},
    {210, "Een Excel-, Calc- of CSV-bestand sleep of plak je (Ctrl+V) in de lijst."},
    {222, "Onvolledige of onjuiste adressen worden vóór het afdrukken genoemd."},
    {234, "Klik nogmaals op de Helpknop om dit scherm weer te verlaten..."},
    {246, "Is de 100 mm-lijn op het proefvel korter? Druk dan af op ware grootte."},
}};

}

QImage drawHelpText(QSize size, qreal ratio)
{
    QImage image = screenImage(size, ratio);
    image.fill(QColor(20, 20, 60));
    QPainter painter(&image);
    const QFont font = FormStyle::arial(8.25);
    painter.setFont(font);
    painter.setPen(QColor(240, 240, 240));
    const int ascent = QFontMetrics(font).ascent();
    for (const HelpLine& line : Lines)
        painter.drawText(QPoint(10, line.top + ascent), QString::fromUtf8(line.text));
    return image;
}

QString helpText()
{
    QStringList lines;
    for (const HelpLine& line : Lines)
        lines.append(QString::fromUtf8(line.text));
    return lines.join(QLatin1Char('\n'));
}

namespace {

class HelpAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit HelpAccessible(QWidget* surface) : QAccessibleWidget(surface, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? helpText() : QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    // Read-only text: a reading position and nothing to select.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return m_cursor; }
    void setCursorPosition(int position) override { m_cursor = position; }
    QString text(int start, int end) const override { return helpText().mid(start, end - start); }
    int characterCount() const override { return int(helpText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    int m_cursor = 0;
};

}

HelpSurface::HelpSurface(QWidget* parent) : QLabel(parent)
{
    installAccessibleFactory<HelpSurface, HelpAccessible>();
    // Reached with Tab, so a screen reader can read it from the keyboard.
    setFocusPolicy(Qt::StrongFocus);
}
