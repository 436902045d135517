// Unsaved work back after a crash: a recovery copy of a list with changes,
// offered again when the program starts or the list is opened.
#include "ui/main/Main.h"

#include <QDir>
#include <QFileInfo>

bool Main::wantsRecovery(const OpenList::Recovery& found)
{
    if (!found.readable) {
        // Kept: what cannot be read here may still be saved by hand.
        m_context.messages.tell(this, ProgramTitle,
                                QStringLiteral("De herstelkopie van de lijst %1 kan niet worden gelezen: %2\r\n"
                                               "De kopie blijft bewaard in de map %3.")
                                    .arg(found.name, found.notice,
                                         QDir::toNativeSeparators(Home::recoveryFolder(m_context.homeFolder))),
                                Messages::Icon::Error);
        return false;
    }
    QStringList lines{QStringLiteral("Er zijn niet opgeslagen wijzigingen van %1 aan de lijst %2 gevonden.")
                          .arg(found.written.toString(QStringLiteral("d-M-yyyy HH:mm")), found.name)};
    if (!found.notice.isEmpty())
        lines.append(found.notice);
    if (found.listWrittenSince)
        lines.append(QStringLiteral("Let op: het bestand van de lijst is daarna nog bewaard (%1).")
                         .arg(QFileInfo(m_context.listPath(found.name)).lastModified().toString(QStringLiteral("d-M-yyyy HH:mm"))));
    const QString ask = QStringLiteral("Terugzetten? Nee bewaart de kopie in Herstel/Oud.");
    const QString question = lines.size() == 1 ? lines.first() + QLatin1Char(' ') + ask
                                               : (lines << ask).join(QStringLiteral("\r\n"));
    if (m_context.messages.ask(this, ProgramTitle, question) == Messages::Answer::Ja)
        return true;
    m_list.setRecoveryAside(found);
    return false;
}

void Main::offerRecoveries()
{
    for (const QString& name : m_list.recoveryNames()) {
        const std::optional<OpenList::Recovery> found = m_list.recovery(name);
        if (!found)
            continue; // saved since: nothing to bring back
        if (found->readable && QFileInfo::exists(m_context.listPath(name))) {
            // Opening the list offers its copy.
            if (showList(name) && isModified())
                return;
            continue;
        }
        // Its list is gone: started anew with the rows brought back, if the user wants them.
        if (wantsRecovery(*found)) {
            startNewList(name);
            m_list.restore(*found);
            return;
        }
    }
}
