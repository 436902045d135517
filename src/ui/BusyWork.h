#pragma once

#include <QString>
#include <atomic>
#include <functional>

class QWidget;

// Runs work on a thread of its own and keeps the window painted meanwhile;
// when it takes longer than a moment, a progress window says what is going
// on. Returns when the work is done. The user cannot act on the window in
// between, as with any modal wait. With cancelled given, the progress window
// has "Annuleren", which sets it; the work is to stop soon after.
void runBusy(QWidget* parent, const QString& text, const std::function<void()>& work, std::atomic_bool* cancelled = nullptr);
