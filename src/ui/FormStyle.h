#pragma once

#include "resources/Look.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <functional>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QWidget;
class VistaButton;

// Window layouts are given in twips; the screen has 15 twips to a pixel.
namespace FormStyle {

constexpr int TwipsPerPixel = 15;
constexpr int px(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }
QRect twipRect(int left, int top, int width, int height);

using Look::arial;
using Look::CaptionGrey;
using Look::DialogBackground;
using Look::WindowBackground;

void setBackground(QWidget* widget, const QColor& colour);
void setColours(QWidget* widget, const QColor& background, const QColor& text);

// A caption that sizes itself to its text on a transparent ground.
QLabel* caption(QWidget* parent, const QString& name, const QString& text, int left, int top, const QColor& colour);

// A push button with the design settings every button of the program shares.
VistaButton* button(QWidget* parent, const QString& name, const QString& caption, QRect geometry, bool enabled = true);

// "Annuleren" and, right beside it, the button that does the dialog's work,
// each 990 x 360 twips, the pair's left edge at left. Annuleren closes the
// dialog unchanged; the tab order goes from one to the other.
struct ButtonPair {
    VistaButton* cancel;
    VistaButton* confirm;
};
ButtonPair cancelAndConfirm(QDialog* dialog, const QString& name, const QString& caption, int left, int top,
                            std::function<void()> confirm);

// Fixed-size window without minimise and maximise buttons, outer size in twips.
void setUpDialogWindow(QWidget* window, const QString& title, int outerWidth, int outerHeight, const QColor& background);

// A box to type or pick in, light text on the dark ground, its focus shown.
void makeDarkBox(QWidget* box);

// Makes the keyboard focus show on a control with a dark ground.
void showFocusOnDark(QWidget* widget);

// Names a combo box for a screen reader, with its text box and its list:
// each would be read as a bare "edit text" or "list" otherwise.
void nameComboBox(QComboBox* box, const QString& name);

// An address field: one line, however long. Pasted line breaks become spaces.
void makeAddressField(QLineEdit* field);

// Centres a window on the screen it opens on.
void centreOnScreen(QWidget* window);

}
