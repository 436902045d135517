#include "ui/SingleInstance.h"

#include "app/HomeFolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int AnswerWithinMs = 2000;
constexpr int LockWrittenWithinMs = 300;
const QByteArray ShowYourself = "toon\n";
const QByteArray Shown = "ok\n";

// A folder of this user's alone: made with mode 700 where it is missing,
// and used only when it is a folder this user owns that nobody else can write.
bool isOwnFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    mkdir(native.constData(), 0700);
    struct stat info {};
    return lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid()
        && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Where the socket lives: the user's runtime folder, else a folder of the
// user's own in the temporary folder, else one in the program's home folder.
// Another user must never be able to take the name first.
QString socketPath(const QString& homeFolder)
{
    const QString folder = QDir(homeFolder).canonicalPath();
    const QString name = QStringLiteral("plaklabels-")
        + QString::fromLatin1(QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(24));
    for (const QString& candidate :
         {qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath() + QStringLiteral("/plaklabels-%1").arg(geteuid()),
          homeFolder + QStringLiteral("/.socket")})
        if (!candidate.isEmpty() && isOwnFolder(candidate))
            return candidate + QLatin1Char('/') + name;
    return homeFolder + QStringLiteral("/.socket/") + name;
}

// Only a program of this user is believed.
bool isThisUsers(const QLocalSocket& socket)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    return getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}
}

SingleInstance::SingleInstance(const QString& homeFolder)
    : m_lock(Home::lockFile(homeFolder)), m_serverName(socketPath(homeFolder))
{
    // Only a lock whose program no longer runs is stale, however old it is:
    // a program left open for days still holds its folder.
    m_lock.setStaleLockTime(0);
}

SingleInstance::Claim SingleInstance::claim()
{
    // A program that answers holds the folder, lock or no lock (a full disk
    // leaves it without one).
    const std::optional<bool> answered = askOtherToShow(AnswerWithinMs);
    if (answered.value_or(false))
        return Claim::ShownOther;
    // A folder where no lock can be written does not stop the program.
    if (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError)
        return Claim::First;
    qint64 pid = 0;
    QString application;
    const bool readable = m_lock.getLockInfo(&pid, &m_otherHost, &application);
    if (readable && m_otherHost != QSysInfo::machineHostName())
        return Claim::OtherComputer;
    if (!readable && !answered && takeUnreadableLock())
        return Claim::First;
    if (answered)
        return Claim::OtherHung; // it listens, but does not answer
    // Started a moment ago, it may still be building its window: it gets the
    // time a hung program gets before it counts as one.
    const QDeadlineTimer deadline(AnswerWithinMs);
    while (!deadline.hasExpired()) {
        if (const std::optional<bool> shown = askOtherToShow(int(deadline.remainingTime())))
            return *shown ? Claim::ShownOther : Claim::OtherHung;
        QThread::msleep(100);
    }
    return Claim::OtherHung;
}

// An empty or damaged lock (a sync placeholder, a stick pulled during a
// write) names no program; when none answers on the folder's socket either,
// it is stale. A lock being written this very moment has its contents a
// moment later, and is left alone.
bool SingleInstance::takeUnreadableLock()
{
    QThread::msleep(LockWrittenWithinMs);
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock.getLockInfo(&pid, &host, &application) || askOtherToShow(LockWrittenWithinMs))
        return false;
    QFile::remove(m_lock.fileName());
    return m_lock.tryLock(0);
}

std::optional<bool> SingleInstance::askOtherToShow(int withinMs)
{
    const QDeadlineTimer deadline(withinMs);
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return std::nullopt;
    if (!isThisUsers(socket)) {
        m_otherUserListens = true;
        return std::nullopt;
    }
    // A hung program's socket may still accept: only its answer counts.
    socket.write(ShowYourself);
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    while (socket.bytesAvailable() < Shown.size())
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    return socket.readAll().startsWith(Shown);
}

QString SingleInstance::otherComputerQuestion() const
{
    return QStringLiteral("Plaklabels lijkt al gestart voor deze map op de computer %1 (sinds %2). Als dat niet zo is, "
                          "kan Plaklabels hier toch starten. Toch starten?")
        .arg(m_otherHost, QFileInfo(m_lock.fileName()).lastModified().toString(QStringLiteral("d-M-yyyy HH:mm")));
}

bool SingleInstance::takeOver()
{
    return m_lock.removeStaleLockFile() && m_lock.tryLock(0);
}

bool SingleInstance::serve(QWidget* window)
{
    // A server left by a program that was killed would refuse the name.
    QLocalServer::removeServer(m_serverName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_serverName))
        return false;
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
    return true;
}
