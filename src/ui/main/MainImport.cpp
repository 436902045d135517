// Addresses in without typing: pasted from a spreadsheet or a mail, or dropped as files.
#include "data/AddressImport.h"
#include "data/Duplicates.h"
#include "data/ListStorage.h"
#include "ui/BusyWork.h"
#include "ui/main/Main.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QTreeView>

namespace {

const QString ReadingText = QStringLiteral("Bezig met inlezen...");

// The notes kept, a line each, and "..." when there were more.
QString noteLines(const QStringList& shown, qsizetype count)
{
    QString text;
    for (const QString& note : shown)
        text += QStringLiteral("\r\n") + note;
    if (count > shown.size())
        text += QStringLiteral("\r\n...");
    return text;
}

// The second paragraph of the question: the addresses the list holds
// already, how many rows were left out, and why.
QString leftOutParagraph(const ImportResult& imported)
{
    QStringList lines;
    if (imported.duplicates > 0) {
        // Who, so the user can tell a real double from a namesake.
        const QString names = namesAndMore(imported.duplicates, imported.duplicateNames);
        lines.append((imported.duplicates == 1 ? QStringLiteral("1 adres staat al in de lijst: %1")
                                               : QStringLiteral("%1 adressen staan al in de lijst: %2").arg(imported.duplicates))
                         .arg(names));
    }
    if (imported.leftOut > 0)
        lines.append(imported.leftOut == 1 ? QStringLiteral("1 regel is overgeslagen:")
                                           : QStringLiteral("%1 regels zijn overgeslagen:").arg(imported.leftOut));
    QString text = lines.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + lines.join(QStringLiteral("\r\n"));
    text += noteLines(imported.reasons, imported.leftOut);
    if (imported.changed > 0)
        text += QStringLiteral("\r\n\r\n")
            + (imported.changed == 1 ? QStringLiteral("1 regel is aangepast aan de tekens van de lijst:")
                                     : QStringLiteral("%1 regels zijn aangepast aan de tekens van de lijst:").arg(imported.changed))
            + noteLines(imported.changes, imported.changed);
    return text;
}

// The files a drop or the clipboard holds, as a file manager puts them there:
// a list of addresses, or GNOME's "copy" followed by one a line.
QStringList localFiles(const QMimeData* mime)
{
    QList<QUrl> urls;
    if (mime && mime->hasUrls())
        urls = mime->urls();
    else if (mime)
        for (const QByteArray& line : mime->data(QStringLiteral("x-special/gnome-copied-files")).split('\n').mid(1))
            urls.append(QUrl(QString::fromUtf8(line.trimmed())));
    QStringList paths;
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

// Reads each file and takes what addresses it holds.
ImportResult importAll(const QStringList& paths)
{
    ImportResult all;
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        QByteArray bytes;
        ImportResult one;
        if (const FileResult read = readWholeFile(path, bytes); read.ok)
            one = importFile(name, bytes);
        else
            one.leaveOut(read.reason);
        // With more than one file, each reason says which file it is about.
        all.append(one, paths.size() > 1 ? name : QString());
    }
    return all;
}

}

void Main::pasteAddresses()
{
    if (tellIfNoList())
        return;
    // A file copied in the file manager is read as if it were dropped, not its name pasted as an address.
    if (const QStringList files = localFiles(QGuiApplication::clipboard()->mimeData()); !files.isEmpty()) {
        importFiles(files);
        return;
    }
    finishCellEdit();
    const QString text = QGuiApplication::clipboard()->text();
    ImportResult imported;
    runBusy(this, ReadingText, [&] {
        imported = importPastedText(text);
        leaveOutDuplicates(imported, m_list.model().records());
    });
    askAndAppend(imported);
}

void Main::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Main::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    importFiles(localFiles(event->mimeData()));
}

void Main::importFiles(const QStringList& paths)
{
    if (paths.isEmpty() || tellIfNoList())
        return;
    finishCellEdit();
    ImportResult all;
    runBusy(this, ReadingText, [&] {
        all = importAll(paths);
        leaveOutDuplicates(all, m_list.model().records());
    });
    askAndAppend(all);
}

void Main::askAndAppend(const ImportResult& imported)
{
    const QString leftOut = leftOutParagraph(imported);
    if (imported.addresses.isEmpty() && imported.duplicates > 0) {
        // Imported before: nothing new to ask about.
        m_context.messages.tell(this, ProgramTitle,
                                imported.duplicates == 1 ? QStringLiteral("Het adres staat al in de lijst.")
                                                         : QStringLiteral("Alle %1 adressen staan al in de lijst.").arg(imported.duplicates));
        return;
    }
    if (imported.addresses.isEmpty()) {
        m_context.messages.tell(this, ProgramTitle,
                                QStringLiteral("Geen adressen gevonden om toe te voegen aan de lijst %1.").arg(currentFile())
                                    + leftOut);
        return;
    }
    const QString question = QStringLiteral("%1 adressen toevoegen aan de lijst %2?")
                                 .arg(imported.addresses.size())
                                 .arg(currentFile());
    if (m_context.messages.ask(this, ProgramTitle, question + leftOut) != Messages::Answer::Ja)
        return;
    m_list.history().append(imported.addresses);
}
