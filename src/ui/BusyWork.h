#pragma once

#include <QString>
#include <functional>

class QWidget;

// Runs work on a thread of its own and keeps the window painted meanwhile;
// when it takes longer than a moment, a progress window says what is going
// on. Returns when the work is done. The user cannot act on the window in
// between, as with any modal wait.
void runBusy(QWidget* parent, const QString& text, const std::function<void()>& work);
