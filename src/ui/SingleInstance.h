#pragma once

#include <QDateTime>
#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <optional>

class QWidget;

// One running program per program folder: two copies saving the same lists
// and settings would each throw away what the other wrote. A second start
// asks the first to show its window and ends.
class SingleInstance {
public:
    enum class Claim {
        First,         // no other program runs for this folder
        ShownOther,    // the running one was asked to come to the front
        OtherHung,     // another on this computer holds the folder but does not answer
        OtherComputer, // the folder's lock names another computer (a stick, a share)
    };

    explicit SingleInstance(const QString& homeFolder);

    Claim claim();
    // After OtherComputer, when the user says that program no longer runs.
    bool takeOver();
    // The question to ask after OtherComputer.
    QString otherComputerQuestion() const;
    // From now on, a later start brings the window to the front. False when
    // the socket could not be made: a later start will find no answer.
    bool serve(QWidget* window);
    QString serveError() const { return m_server.errorString(); }
    // A program of another user answered on the folder's socket, and was not believed.
    bool otherUserListens() const { return m_otherUserListens; }
    QString serverName() const { return m_serverName; }

private:
    // Whether a program answers on the folder's socket within the time:
    // true shown, false connected without an answer, nothing when none listens.
    std::optional<bool> askOtherToShow(int withinMs);
    bool takeUnreadableLock();

    QLockFile m_lock;
    QString m_serverName;
    QLocalServer m_server;
    QString m_otherHost;
    bool m_otherUserListens = false;
};
