#pragma once

#include "app/Messages.h"

#include <QList>
#include <QString>

// Answers message boxes from a script and keeps what was shown.
class ScriptedMessages : public Messages {
public:
    struct Shown {
        QString title;
        QString text;
        bool question = false;
        bool withCancel = false;
        Icon icon = Icon::None;
    };

    QList<Shown> shown;
    QList<Answer> answers;
    int unanswered = 0; // questions asked with no answer left in the script

    void tell(QWidget*, const QString& title, const QString& text, Icon icon = Icon::None) override
    {
        shown.append({title, text, false, false, icon});
    }

    Answer ask(QWidget*, const QString& title, const QString& text, bool withCancel = false) override
    {
        shown.append({title, text, true, withCancel, Icon::None});
        if (answers.isEmpty()) {
            ++unanswered;
            return withCancel ? Answer::Annuleren : Answer::Nee;
        }
        return answers.takeFirst();
    }

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QString lastTitle() const { return shown.isEmpty() ? QString() : shown.last().title; }
};
