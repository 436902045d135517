// Addresses in without typing: pasted from a spreadsheet or a mail, or dropped as files.
#include "app/NumberReading.h"
#include "data/import/AddressImport.h"
#include "ui/BusyWork.h"
#include "ui/dialogs/KolommenForm.h"
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

// The paragraphs after the question: which columns were used, the addresses
// the list holds already, how many rows were left out, and why.
QString leftOutParagraph(const ImportResult& imported)
{
    QString text;
    for (const QString& note : imported.columnNotes)
        text += QStringLiteral("\r\n\r\n") + note;
    QStringList lines;
    if (imported.duplicates > 0) {
        // Who, so the user can tell a real double from a namesake.
        const QString names = namesAndMore(imported.duplicates, imported.duplicateNames);
        lines.append((imported.duplicates == 1 ? QStringLiteral("1 adres staat al in de lijst: %1")
                                               : QStringLiteral("%1 adressen staan al in de lijst: %2").arg(dutchNumber(imported.duplicates)))
                         .arg(names));
    }
    if (imported.leftOut > 0)
        lines.append(imported.leftOut == 1 ? QStringLiteral("1 regel is overgeslagen:")
                                           : QStringLiteral("%1 regels zijn overgeslagen:").arg(dutchNumber(imported.leftOut)));
    text += lines.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + lines.join(QStringLiteral("\r\n"));
    text += noteLines(imported.reasons, imported.leftOut);
    if (imported.changed > 0)
        text += QStringLiteral("\r\n\r\n")
            + (imported.changed == 1 ? QStringLiteral("1 regel is aangepast aan de tekens van de lijst:")
                                     : QStringLiteral("%1 regels zijn aangepast aan de tekens van de lijst:").arg(dutchNumber(imported.changed)))
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

}

void Main::pasteAddresses()
{
    if (tellIfNoList())
        return;
    ImportInput input;
    // A file copied in the file manager is read as if it were dropped, not its name pasted as an address.
    input.files = localFiles(QGuiApplication::clipboard()->mimeData());
    if (input.files.isEmpty())
        input.pastedText = QGuiApplication::clipboard()->text();
    addImported(std::move(input));
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
    ImportInput input;
    input.files = paths;
    addImported(std::move(input));
}

void Main::addImported(ImportInput input)
{
    finishCellEdit();
    for (bool first = true;; first = false) {
        ImportOutcome outcome;
        std::atomic_bool cancelled{false};
        runBusy(
            this, ReadingText,
            [&] {
                // The remembered choices too are read beside the window: the file may have grown.
                if (first)
                    input.remembered = ColumnChoices::load(m_context.homeFolder);
                outcome = importAddresses(input, m_list.model().records(), cancelled);
            },
            &cancelled);
        if (outcome.cancelled)
            return;
        if (!outcome.question) {
            if (!askAndAppend(outcome.result))
                return;
            input.showColumns = true; // "Kolommen kiezen": the same files again, their columns shown
            continue;
        }
        const std::optional<ColumnChoice> chosen = askColumns(*outcome.question);
        if (!chosen)
            return;
        input.answers.insert(outcome.question->source, *chosen);
        input.showColumns = false;
        if (const QStringList names = outcome.question->namesAt(chosen->headerRow); !names.isEmpty()) {
            input.remembered.remember(names, chosen->uses);
            if (const FileResult written = input.remembered.save(m_context.homeFolder); !written.ok)
                m_context.messages.tell(this, ProgramTitle, written.reason);
        }
    }
}

std::optional<ColumnChoice> Main::askColumns(const ColumnQuestion& question)
{
    KolommenForm form(question, QFileInfo(question.source).fileName(), this);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.choice();
}

bool Main::askAndAppend(const ImportResult& imported)
{
    const QString leftOut = leftOutParagraph(imported);
    if (imported.addresses.isEmpty() && imported.duplicates > 0) {
        // Imported before: nothing new to ask about.
        m_context.messages.tell(this, ProgramTitle,
                                imported.duplicates == 1 ? QStringLiteral("Het adres staat al in de lijst.")
                                                         : QStringLiteral("Alle %1 adressen staan al in de lijst.").arg(dutchNumber(imported.duplicates)));
        return false;
    }
    if (imported.addresses.isEmpty()) {
        m_context.messages.tell(this, ProgramTitle,
                                QStringLiteral("Geen adressen gevonden om toe te voegen aan de lijst %1.").arg(currentFile())
                                    + leftOut);
        return false;
    }
    const QString question = QStringLiteral("%1 adressen toevoegen aan de lijst %2?")
                                 .arg(dutchNumber(imported.addresses.size()))
                                 .arg(currentFile());
    // Columns read from a header may be guessed wrong: the user can place them.
    const bool fromColumns = !imported.columnNotes.isEmpty();
    const Messages::Answer answer =
        fromColumns ? m_context.messages.ask(this, ProgramTitle, question + leftOut, true, Messages::Answer::Ja,
                                             {QStringLiteral("Ja"), QStringLiteral("Kolommen kiezen"), QStringLiteral("Nee")})
                    : m_context.messages.ask(this, ProgramTitle, question + leftOut);
    if (answer == Messages::Answer::Ja)
        m_list.append(imported.addresses);
    return fromColumns && answer == Messages::Answer::Nee;
}
