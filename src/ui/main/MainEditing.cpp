// Adding, deleting and saving addresses, and the switch between preview and editing.
#include "data/AddressListFile.h"
#include "data/Countries.h"
#include "data/ListStorage.h"
#include "ui/main/CellEditing.h"
#include "ui/main/Main.h"
#include "ui/main/ListActions.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

void Main::EditKnop_Click()
{
    if (tellIfNoList())
        return;
    const bool toEditing = !m_frame2->isHidden();
    m_frame2->setVisible(!toEditing);
    m_frame4->setVisible(toEditing);
    m_editKnop->setCaption(toEditing ? QStringLiteral("Layout") : QStringLiteral("Bewerken"));
    m_label3->setText(toEditing ? QStringLiteral("Show Plaklabelsvel") : QStringLiteral("Adressen Toevoegen"));
    m_label3->adjustSize();
}

bool Main::tellIfNoList()
{
    if (!currentFile().isEmpty())
        return false;
    m_context.messages.tell(this, ProgramTitle,
                            QStringLiteral("Voor het toevoegen of verwijderen van een adres\r\n"
                                           "eerst een adressen bestand aanmaken of openen\r\n"
                                           "met de optie 'File/Nieuw' of met 'File/Open'"));
    return true;
}

// Why a field's value cannot go into the list, or nothing when it can.
std::optional<QString> Main::refusal(int field, QStringView value)
{
    if (isBlank(value))
        return QStringLiteral("Alle velden invullen a.u.b.");
    // Refused now what the list file could not hold, rather than lost at saving.
    const auto bad = findUnstorableChar(value);
    if (!bad)
        return std::nullopt;
    // The nearest spelling the list can hold, when there is one.
    const QString standIn = withStandIns(value);
    if (!findUnstorableChar(standIn))
        return QStringLiteral("Het teken %1 in %2 kan niet worden opgeslagen; bijvoorbeeld: %3")
            .arg(bad->character, fieldPrompts()[field], shownStart(standIn));
    return QStringLiteral("Het teken %1 in %2 kan niet worden opgeslagen. Gebruik een ander teken.")
        .arg(bad->character, fieldPrompts()[field]);
}

void Main::addAddress()
{
    const AddressRecord address = currentAddress();
    // Every field is required first; only then does a character count.
    for (int i = 0; i < AddressRecord::FieldCount; ++i) {
        if (isBlank(address.fieldView(i))) {
            m_context.messages.tell(this, ProgramTitle, *refusal(i, address.fieldView(i)));
            m_text1[0]->setFocus();
            return;
        }
    }
    for (int i = 0; i < AddressRecord::FieldCount; ++i) {
        if (const auto why = refusal(i, address.fieldView(i))) {
            m_context.messages.tell(this, ProgramTitle, *why);
            m_text1[size_t(i)]->setFocus();
            return;
        }
    }
    m_list.add(address);
    for (int i = 0; i < AddressRecord::Land; ++i)
        showInField(i, {});
    m_text1[AddressRecord::Naam]->setFocus(); // ready for the next address
}

void Main::storeCellValue(const QModelIndex& cell, const QString& value)
{
    if (const auto why = refusal(cell.column(), value)) {
        // After the editor has closed: a box while it commits would make it commit again.
        QTimer::singleShot(0, this, [this, text = *why] { m_context.messages.tell(this, ProgramTitle, text); });
        return;
    }
    m_list.setField(cell.row(), cell.column(), value);
}

void Main::finishCellEdit()
{
    // Left open, it would hand in its text when the busy window takes the
    // focus: on the window thread, while the worker reads the same addresses.
    QWidget* editor = m_listView->indexWidget(m_listView->currentIndex());
    if (!editor)
        return;
    QAbstractItemDelegate* delegate = m_listView->itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor);
}

void Main::deleteAddress()
{
    const QList<int> rows = chosenRows();
    if (rows.isEmpty())
        return;
    const QString question = rows.size() == 1
        ? QStringLiteral("Wil je (%1) verwijderen uit de lijst?").arg(shownStart(m_list.model().at(rows[0]).fieldView(AddressRecord::Naam)))
        : QStringLiteral("Wil je de %1 gekozen adressen verwijderen?").arg(rows.size());
    if (m_context.messages.ask(this, QStringLiteral(" Delete"), question) != Messages::Answer::Ja)
        return;
    m_listView->selectionModel()->clear();
    m_list.remove(rows);
    // The address now standing where the first one went becomes current, fields and all.
    const int current = std::min(rows.first(), m_list.model().count() - 1);
    if (current < 0) {
        for (int i = 0; i < AddressRecord::Land; ++i)
            showInField(i, {});
        showInField(AddressRecord::Land, DefaultLand);
        return;
    }
    m_actions->chooseRows({current}, current); // the fields follow the chosen current row
}

bool Main::saveList()
{
    // Someone else's changes to the file are not overwritten unseen; Enter keeps them.
    const OpenList::OnDisk onDisk = m_list.onDisk();
    const QString question =
        onDisk == OpenList::OnDisk::Changed
            ? QStringLiteral("De lijst %1 is buiten Plaklabels gewijzigd sinds je hem opende. "
                             "Toch opslaan en die wijzigingen overschrijven?")
            : QStringLiteral("De lijst %1 is buiten Plaklabels verwijderd sinds je hem opende. Toch opslaan?");
    if (onDisk != OpenList::OnDisk::Unchanged
        && m_context.messages.ask(this, ProgramTitle, question.arg(currentFile()), false, Messages::Answer::Nee)
            != Messages::Answer::Ja)
        return false;
    const FileResult saved = m_list.save();
    if (!saved.ok)
        m_context.messages.tell(this, ProgramTitle, QStringLiteral("De lijst kon niet worden opgeslagen:\r\n") + saved.reason,
                                Messages::Icon::Error);
    return saved.ok;
}

QList<int> Main::chosenRows() const
{
    // From the chosen ranges, not row by row: a million rows chosen with
    // Ctrl+A are one range, and asking each row took seconds.
    QList<int> rows;
    for (const QItemSelectionRange& range : m_listView->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QList<AddressRecord> Main::chosenAddresses() const
{
    const QList<int> rows = chosenRows();
    QList<AddressRecord> chosen;
    chosen.reserve(rows.size());
    for (const int row : rows)
        chosen.append(m_list.model().at(row));
    return chosen;
}

bool Main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_listView || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QModelIndex current = m_listView->currentIndex();
    // Arrow keys come with the keypad mark on some keyboards.
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // F2 edits the current cell; Left and Right move it between the fields.
    if (key->key() == Qt::Key_F2) {
        if (current.isValid())
            m_listView->edit(current);
        return true;
    }
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) && plain) {
        const int column = current.column() + (key->key() == Qt::Key_Left ? -1 : 1);
        if (current.isValid() && column >= 0 && column < AddressRecord::FieldCount)
            m_listView->selectionModel()->setCurrentIndex(current.siblingAtColumn(column), QItemSelectionModel::NoUpdate);
        return true;
    }
    // Nothing chosen yet: the first Down or Up chooses the row with the focus
    // frame (the first one) instead of stepping past it.
    if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && plain
        && !m_listView->selectionModel()->hasSelection() && m_list.model().count() > 0) {
        const QModelIndex first = current.isValid() ? current : m_list.model().index(0, 0);
        m_listView->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return true;
    }
    // The Delete key deletes the chosen rows, as the Delete button does.
    if (key->key() == Qt::Key_Delete && plain) {
        deleteAddress();
        return true;
    }
    // Ctrl+V or Shift+Insert: what a spreadsheet or a mail put on the clipboard.
    if (key->matches(QKeySequence::Paste)) {
        pasteAddresses();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Main::ListView1_ItemClick(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    m_shownAddress = m_list.model().at(index.row());
    for (int i = 0; i < AddressRecord::FieldCount; ++i)
        showInField(i, m_shownAddress.fieldView(i));
}

void Main::showInField(int field, QStringView text)
{
    // Too long a field shows its start and stays whole in the list.
    const bool whole = text.size() <= MaxEditableLength;
    QLineEdit* box = m_text1[size_t(field)];
    m_fieldTooLong[size_t(field)] = !whole;
    box->setText(whole ? text.toString() : shownStart(text));
    box->setReadOnly(!whole);
    box->setToolTip(whole ? QString() : tooLongToEdit(text.size()));
}
