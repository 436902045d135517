#pragma once

#include "ui/Messages.h"

// Message boxes with Dutch button texts.
class QtMessages : public Messages {
public:
    void tell(QWidget* parent, const QString& title, const QString& text, Icon icon = Icon::None) override;
    Answer ask(QWidget* parent, const QString& title, const QString& text, bool withCancel = false,
               Answer byDefault = Answer::Ja, const QStringList& captions = {}) override;
};
