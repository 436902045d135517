#pragma once

#include <functional>

class QWidget;

// What Enter does in the program's windows.
namespace EnterKeys {

// Enter (or Return) in the widget runs the action, as a dialog's default
// button would; the buttons themselves are never worked by Enter.
void onEnter(QWidget* widget, std::function<void()> action);

// Enter (or Return) on a focused button of the window presses it, as Space
// does; the buttons leave Enter to their window. Elsewhere in the window,
// Enter runs `otherwise` when there is one.
void enterPressesButtons(QWidget* window, std::function<void()> otherwise = {});

}
