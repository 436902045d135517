#include "ui/SingleInstance.h"

#include "app/HomeFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QWidget>

namespace {
constexpr int AnswerWithinMs = 2000;
const QByteArray ShowYourself = "toon\n";
const QByteArray Shown = "ok\n";
}

SingleInstance::SingleInstance(const QString& homeFolder)
    : m_lock(Home::lockFile(homeFolder))
{
    // Only a lock whose program no longer runs is stale, however old it is:
    // a program left open for days still holds its folder.
    m_lock.setStaleLockTime(0);
    const QString folder = QDir(homeFolder).canonicalPath();
    m_serverName = QStringLiteral("plaklabels-")
        + QString::fromLatin1(QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(24));
}

SingleInstance::Claim SingleInstance::claim()
{
    // A folder where no lock can be written (a full disk) does not stop the program.
    if (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError)
        return Claim::First;
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    // A hung program's socket may still accept: only its answer counts.
    if (!socket.waitForConnected(AnswerWithinMs))
        return Claim::OtherHung;
    socket.write(ShowYourself);
    if (!socket.waitForBytesWritten(AnswerWithinMs))
        return Claim::OtherHung;
    while (socket.bytesAvailable() < Shown.size())
        if (!socket.waitForReadyRead(AnswerWithinMs))
            return Claim::OtherHung;
    return socket.readAll().startsWith(Shown) ? Claim::ShownOther : Claim::OtherHung;
}

void SingleInstance::serve(QWidget* window)
{
    // A server left by a program that was killed would refuse the name.
    QLocalServer::removeServer(m_serverName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_serverName);
    QObject::connect(&m_server, &QLocalServer::newConnection, window, [this, window] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, window, [socket, window] {
                if (!socket->readAll().startsWith(ShowYourself))
                    return;
                window->showNormal();
                window->raise();
                window->activateWindow();
                socket->write(Shown);
                socket->flush();
            });
        }
    });
}
