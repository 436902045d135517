// Unsaved work back after a crash: a recovery copy of a list with changes,
// offered again when the program starts or the list is opened.
#include "data/AddressListFile.h"
#include "data/ListStorage.h"
#include "ui/main/Main.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Whether the copy holds work that the list file does not: it is newer, or the list is gone.
bool holdsUnsavedWork(const QFileInfo& copy, const QFileInfo& list)
{
    return copy.isFile() && (!list.exists() || copy.lastModified() > list.lastModified());
}

}

QString Main::recoveryPath(const QString& name) const
{
    // Beside Data, not in it: the open dialog and a sync of Data never see it.
    return m_context.homeFolder + QStringLiteral("/Herstel/") + name;
}

void Main::followRecovery()
{
    if (m_recoveryName.isEmpty())
        return;
    if (isModified())
        m_recovery.changed(recoveryPath(m_recoveryName));
    else
        forgetRecovery();
}

void Main::forgetRecovery()
{
    if (!m_recoveryName.isEmpty())
        m_recovery.discard(recoveryPath(m_recoveryName));
}

std::optional<QList<AddressRecord>> Main::askForRecovery(const QString& name)
{
    const QFileInfo copy(recoveryPath(name));
    if (!holdsUnsavedWork(copy, QFileInfo(m_context.listPath(name))))
        return std::nullopt;
    QByteArray bytes;
    if (!readWholeFile(copy.filePath(), bytes).ok)
        return std::nullopt;
    const auto answer = m_context.messages.ask(
        this, ProgramTitle,
        QStringLiteral("Er zijn niet opgeslagen wijzigingen van %1 aan de lijst %2 gevonden. Terugzetten?")
            .arg(copy.lastModified().toString(QStringLiteral("d-M-yyyy HH:mm")), name));
    if (answer != Messages::Answer::Ja) {
        m_recovery.discard(copy.filePath());
        return std::nullopt;
    }
    return parseAddressList(bytes).records;
}

void Main::offerRecoveries()
{
    const QDir folder(m_context.homeFolder + QStringLiteral("/Herstel"));
    for (const QString& name : folder.entryList({QStringLiteral("*.lst")}, QDir::Files, QDir::Name)) {
        if (!holdsUnsavedWork(QFileInfo(folder.filePath(name)), QFileInfo(m_context.listPath(name)))) {
            QFile::remove(folder.filePath(name)); // saved since: nothing to bring back
            continue;
        }
        if (QFileInfo::exists(m_context.listPath(name))) {
            // Opening the list offers its copy.
            if (openList(name)) {
                enterWorkingState(name);
                if (isModified())
                    return;
            }
            continue;
        }
        // Its list is gone: started anew with the rows brought back, if the user wants them.
        if (const std::optional<QList<AddressRecord>> rows = askForRecovery(name)) {
            startNewList(name);
            m_history.replaceAll(*rows);
            return;
        }
    }
}
