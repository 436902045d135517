// Addresses in without typing: pasted from a spreadsheet or a mail, or dropped as files.
#include "data/AddressImport.h"
#include "data/ListStorage.h"
#include "ui/main/Main.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QTreeView>

namespace {

// The second paragraph of the question: how many rows were left out, and why.
QString leftOutParagraph(const QStringList& reasons)
{
    if (reasons.isEmpty())
        return {};
    QString text = reasons.size() == 1 ? QStringLiteral("\r\n\r\n1 regel is overgeslagen:")
                                       : QStringLiteral("\r\n\r\n%1 regels zijn overgeslagen:").arg(reasons.size());
    for (const QString& reason : reasons.mid(0, 3))
        text += QStringLiteral("\r\n") + reason;
    if (reasons.size() > 3)
        text += QStringLiteral("\r\n...");
    return text;
}

}

void Main::pasteAddresses()
{
    if (tellIfNoList())
        return;
    askAndAppend(importPastedText(QGuiApplication::clipboard()->text()));
}

void Main::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Main::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    event->acceptProposedAction();
    importFiles(paths);
}

void Main::importFiles(const QStringList& paths)
{
    if (paths.isEmpty() || tellIfNoList())
        return;
    ImportResult all;
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        QByteArray bytes;
        ImportResult one;
        if (const FileResult read = readWholeFile(path, bytes); read.ok)
            one = importFile(name, bytes);
        else
            one.reasons.append(read.reason);
        all.addresses.append(one.addresses);
        // With more than one file, each reason says which file it is about.
        for (const QString& reason : one.reasons)
            all.reasons.append(paths.size() > 1 ? name + QStringLiteral(", ") + reason : reason);
    }
    askAndAppend(all);
}

void Main::askAndAppend(const ImportResult& imported)
{
    const QString leftOut = leftOutParagraph(imported.reasons);
    if (imported.addresses.isEmpty()) {
        m_context.messages.tell(this, ProgramTitle,
                                QStringLiteral("Geen adressen gevonden om toe te voegen aan de lijst %1.").arg(m_currentFile)
                                    + leftOut);
        return;
    }
    const QString question = QStringLiteral("%1 adressen toevoegen aan de lijst %2?")
                                 .arg(imported.addresses.size())
                                 .arg(m_currentFile);
    if (m_context.messages.ask(this, ProgramTitle, question + leftOut) != Messages::Answer::Ja)
        return;
    m_model.appendAll(imported.addresses);
    showCount();
}
