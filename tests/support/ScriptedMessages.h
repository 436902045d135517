#pragma once

#include "ui/Messages.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>
#include <utility>

// Questions asked with no answer left in any script of the test function.
inline QStringList& unansweredQuestions()
{
    static QStringList asked;
    return asked;
}

// At every window test's cleanup: a question the script did not expect fails
// the test, however the code went on after the default answer.
inline void verifyEveryQuestionAnswered()
{
    const QStringList asked = std::exchange(unansweredQuestions(), {});
    QVERIFY2(asked.isEmpty(), qPrintable(QStringLiteral("asked without an answer: ") + asked.join(QStringLiteral(" | "))));
}

// Answers message boxes from a script and keeps what was shown.
class ScriptedMessages : public Messages {
public:
    struct Shown {
        QString title;
        QString text;
        bool question = false;
        bool withCancel = false;
        Icon icon = Icon::None;
        Answer byDefault = Answer::Ja;
        QStringList captions;
    };

    QList<Shown> shown;
    QList<Answer> answers;
    // Runs while a question is open, as the user takes their time.
    std::function<void()> whileAsking;

    void tell(QWidget*, const QString& title, const QString& text, Icon icon = Icon::None) override
    {
        shown.append({title, text, false, false, icon, Answer::Ja, {}});
    }

    Answer ask(QWidget*, const QString& title, const QString& text, bool withCancel = false,
               Answer byDefault = Answer::Ja, const QStringList& captions = {}) override
    {
        shown.append({title, text, true, withCancel, Icon::None, byDefault, captions});
        if (whileAsking)
            whileAsking();
        if (answers.isEmpty()) {
            unansweredQuestions().append(text);
            return withCancel ? Answer::Annuleren : Answer::Nee;
        }
        return answers.takeFirst();
    }

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QString lastTitle() const { return shown.isEmpty() ? QString() : shown.last().title; }
};
