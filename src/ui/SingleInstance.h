#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>

class QWidget;

// One running program per program folder: two copies saving the same lists
// and settings would each throw away what the other wrote. A second start
// asks the first to show its window and ends.
class SingleInstance {
public:
    enum class Claim {
        First,      // no other program runs for this folder
        ShownOther, // the running one was asked to come to the front
        OtherHung,  // another holds the folder but does not answer
    };

    explicit SingleInstance(const QString& homeFolder);

    Claim claim();
    // From now on, a later start brings the window to the front.
    void serve(QWidget* window);

private:
    QLockFile m_lock;
    QString m_serverName;
    QLocalServer m_server;
};
