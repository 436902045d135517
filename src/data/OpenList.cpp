#include "data/OpenList.h"

#include "app/HomeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

OpenList::OpenList(const QString& homeFolder, QObject* parent) : QObject(parent), m_home(homeFolder)
{
    connect(&m_history, &ListHistory::stepped, this, &OpenList::followStep);
    connect(&m_recovery, &RecoveryWriter::failed, this, [this](const QString& reason) {
        if (m_recoveryFailureTold)
            return;
        m_recoveryFailureTold = true;
        emit recoveryFailed(reason);
    });
}

QString OpenList::listPath(const QString& name) const
{
    return Home::listFile(m_home, name);
}

QString OpenList::recoveryPath(const QString& name) const
{
    // Beside Data, not in it: the open dialog and a sync of Data never see it.
    return Home::recoveryFolder(m_home) + QLatin1Char('/') + name;
}

void OpenList::beginList(const QString& name, const FileStamp& stamp)
{
    m_name = name;
    m_stamp = stamp;
    m_refusedStamp = {};
    m_recoveryFailureTold = false;
    emit changed();
}

FileResult OpenList::open(const QString& name)
{
    const FileResult result = LaadAdressen(m_model, Home::dataFolder(m_home), name);
    if (result.ok) {
        m_history.clear();
        beginList(name, result.stamp);
    }
    return result;
}

void OpenList::startNew(const QString& name)
{
    m_model.clear();
    m_history.clear();
    // A file of that name the user chose to overwrite: only later changes to it count.
    beginList(name, currentStamp(listPath(name)));
}

FileResult OpenList::save()
{
    const FileResult saved = SaveAdressen(m_model, Home::dataFolder(m_home), m_name);
    if (saved.ok) {
        m_history.markSaved();
        m_stamp = saved.stamp;
        m_recovery.discard(recoveryPath(m_name));
        emit this->saved();
    }
    return saved;
}

void OpenList::dropChanges()
{
    if (!m_name.isEmpty())
        m_recovery.discard(recoveryPath(m_name));
}

// After every step, the copy follows: written while there are unsaved
// changes, gone once the list is back at its saved rows.
void OpenList::followStep()
{
    if (!m_name.isEmpty()) {
        if (isModified())
            m_recovery.changed(recoveryPath(m_name));
        else
            m_recovery.discard(recoveryPath(m_name));
    }
    emit changed();
}

OpenList::OnDisk OpenList::onDisk() const
{
    const FileStamp now = currentStamp(listPath(m_name));
    if (now.size < 0)
        return m_stamp.size < 0 ? OnDisk::Unchanged : OnDisk::Gone;
    return now.sameBytes(m_stamp) ? OnDisk::Unchanged : OnDisk::Changed;
}

OpenList::Reread OpenList::reread() const
{
    Reread read;
    if (m_name.isEmpty() || isModified())
        return read;
    read.stamp = currentStamp(listPath(m_name));
    // Gone: nothing to read, the next save asks. Refused before: told already.
    const bool refused = read.stamp.sameBytes(m_refusedStamp) && read.stamp.modified == m_refusedStamp.modified;
    if (read.stamp.size < 0 || read.stamp.sameBytes(m_stamp) || refused)
        return read;
    read.needed = true;
    read.result = readAddressList(listPath(m_name), m_name, read.rows);
    return read;
}

std::optional<FileResult> OpenList::take(Reread read)
{
    if (!read.needed) {
        if (read.stamp.sameBytes(m_stamp))
            m_stamp.modified = read.stamp.modified; // a new date alone is no change
        return std::nullopt;
    }
    if (!read.result.ok) {
        m_refusedStamp = read.stamp;
        return read.result;
    }
    m_model.replaceAll(std::move(read.rows));
    m_history.clear();
    beginList(m_name, read.result.stamp);
    return read.result;
}

QStringList OpenList::recoveryNames() const
{
    return QDir(Home::recoveryFolder(m_home)).entryList({QStringLiteral("*.lst")}, QDir::Files, QDir::Name);
}

std::optional<OpenList::Recovery> OpenList::recovery(const QString& name)
{
    const QString path = recoveryPath(name);
    const QFileInfo copy(path);
    if (!copy.isFile())
        return std::nullopt;
    Recovery found;
    found.name = name;
    found.written = copy.lastModified();
    // Read as an opened list is read, and told what such a list would tell.
    const FileResult read = readAddressList(path, name + QStringLiteral(" (herstelkopie)"), found.rows);
    found.readable = read.ok;
    found.notice = read.notice.isEmpty() && !read.ok ? read.reason : read.notice;
    if (!read.ok)
        return found;
    // Judged by its rows, not by dates: a touched or synced list file is no
    // reason to lose the work. The list just opened is not read again.
    const QFileInfo list(listPath(name));
    QList<AddressRecord> saved;
    const bool openAsSaved = name == m_name && !isModified();
    if (openAsSaved)
        saved = m_model.records();
    if (read.notice.isEmpty() && list.isFile() && (openAsSaved || readAddressList(list.filePath(), name, saved).ok)
        && saved == found.rows) {
        m_recovery.discard(path);
        return std::nullopt;
    }
    if (found.rows.isEmpty() && found.notice.isEmpty())
        found.notice = QStringLiteral("De herstelkopie van de lijst %1 is leeg.").arg(name);
    found.listWrittenSince = list.isFile() && list.lastModified() > found.written;
    return found;
}

void OpenList::restore(const Recovery& recovery)
{
    m_history.replaceAll(recovery.rows);
}

void OpenList::setRecoveryAside(const Recovery& recovery)
{
    const QString aside = Home::setAsideFolder(m_home);
    QDir().mkpath(aside);
    const QString stamp = recovery.written.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    QString target = aside + QLatin1Char('/') + QFileInfo(recovery.name).completeBaseName() + QLatin1Char(' ') + stamp
        + QStringLiteral(".lst");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = aside + QStringLiteral("/%1 %2 (%3).lst").arg(QFileInfo(recovery.name).completeBaseName(), stamp).arg(n);
    // Failing that, the copy stays where it is and is offered again: nothing is lost.
    const QDateTime now = QDateTime::currentDateTime();
    if (QFile::rename(recoveryPath(recovery.name), target)) {
        // Its 30 days count from today: a copy written long ago was only just set aside.
        QFile moved(target);
        if (moved.open(QIODevice::ReadOnly))
            moved.setFileTime(now, QFileDevice::FileModificationTime);
    }
    const QDateTime monthAgo = now.addDays(-30);
    for (const QFileInfo& old : QDir(aside).entryInfoList({QStringLiteral("*.lst")}, QDir::Files))
        if (old.lastModified() < monthAgo)
            QFile::remove(old.filePath());
}
