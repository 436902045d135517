#include "ui/FormStyle.h"

#include "ui/EnterKeys.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <limits>

namespace FormStyle {

namespace {

// What the window frame takes of a window's outer size: borders and title bar.
constexpr int FrameWidth = 8;
constexpr int FrameHeight = 31;
}

QRect twipRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}


void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setColours(QWidget* widget, const QColor& background, const QColor& text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Button, background);
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text, int left, int top, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(px(left), px(top));
    label->adjustSize();
    return label;
}

VistaButton* button(QWidget* parent, const QString& name, const QString& caption, QRect geometry, bool enabled)
{
    PropertyBag stored;
    stored.write(QStringLiteral("caption"), caption);
    stored.write(QStringLiteral("forecolor"), packColour(Qt::black));
    stored.write(QStringLiteral("font"), arial(8.25));
    stored.write(QStringLiteral("pictures"), 2);
    stored.write(QStringLiteral("usemaskcolor"), true);
    stored.write(QStringLiteral("maskcolor"), packColour(MaskGreen));
    stored.write(QStringLiteral("enabled"), enabled);
    stored.write(QStringLiteral("nobackground"), false);
    stored.write(QStringLiteral("backcolor"), packColour(Qt::white));
    stored.write(QStringLiteral("pictureoffset"), 0);
    VistaButton* result = VistaButton::create(parent, name, stored);
    result->setGeometry(geometry);
    return result;
}

ButtonPair cancelAndConfirm(QDialog* dialog, const QString& name, const QString& caption, int left, int top,
                            std::function<void()> confirm)
{
    constexpr int Width = 990;
    constexpr int Gap = 45;
    const ButtonPair pair{
        button(dialog, QStringLiteral("CancelKnop"), QStringLiteral("Annuleren"), twipRect(left, top, Width, 360)),
        button(dialog, name, caption, twipRect(left + Width + Gap, top, Width, 360))};
    QObject::connect(pair.cancel, &VistaButton::Click, dialog, &QDialog::reject);
    QObject::connect(pair.confirm, &VistaButton::Click, dialog, std::move(confirm));
    QWidget::setTabOrder(pair.cancel, pair.confirm);
    return pair;
}

void setUpDialogWindow(QWidget* window, const QString& title, int outerWidth, int outerHeight, const QColor& background)
{
    window->setWindowTitle(title);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(px(outerWidth) - FrameWidth, px(outerHeight) - FrameHeight);
    window->setFont(arial(8.25));
    setBackground(window, background);
    EnterKeys::enterPressesButtons(window);
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

void makeDarkBox(QWidget* box)
{
    setColours(box, Look::DarkBox, Look::DarkBoxText);
    showFocusOnDark(box);
}

void showFocusOnDark(QWidget* widget)
{
    // The style outlines a focused box in the highlight colour, which the
    // default blue makes invisible on a dark ground.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Highlight, Look::FocusYellow);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    widget->setPalette(palette);
}

void nameComboBox(QComboBox* box, const QString& name)
{
    box->setAccessibleName(name);
    box->view()->setAccessibleName(name);
    if (box->lineEdit())
        box->lineEdit()->setAccessibleName(name);
}

void makeAddressField(QLineEdit* field)
{
    // A field holds as much as the list does; the default would cut it at 32767.
    field->setMaxLength(std::numeric_limits<int>::max());
    QObject::connect(field, &QLineEdit::textChanged, field, [field](const QString& text) {
        if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
            return;
        const int cursor = field->cursorPosition();
        QString single = text;
        single.replace(QLatin1String("\r\n"), QLatin1String(" "));
        single.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        field->setText(single);
        field->setCursorPosition(std::min(cursor, int(single.size())));
    });
}

}
