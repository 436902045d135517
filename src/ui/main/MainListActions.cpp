// Keeping a list for years: undo and redo, finding, putting in order and copying out.
#include "data/import/AddressImport.h"
#include "data/ListSearch.h"
#include "ui/BusyWork.h"
#include "ui/dialogs/ZoekForm.h"
#include "ui/main/Main.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTreeView>

namespace {

QAction* shortcut(QWidget* window, const QString& name, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(window);
    action->setObjectName(name);
    action->setShortcuts(keys);
    // Typing in an edit box keeps its own Ctrl+Z and Ctrl+C.
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

}

void Main::buildListKeys()
{
    connect(shortcut(this, QStringLiteral("Ongedaan"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}), &QAction::triggered, this,
            [this] { takeStep(&OpenList::undo); });
    connect(shortcut(this, QStringLiteral("Opnieuw"),
                     {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}),
            &QAction::triggered, this, [this] { takeStep(&OpenList::redo); });
    connect(shortcut(this, QStringLiteral("Zoeken"), {QKeySequence(Qt::CTRL | Qt::Key_F)}), &QAction::triggered, this,
            &Main::Zoeken_Click);
    connect(shortcut(this, QStringLiteral("ZoekVolgende"), {QKeySequence(Qt::Key_F3)}), &QAction::triggered, this,
            [this] { m_lastSearch.isEmpty() ? Zoeken_Click() : findNext(m_lastSearch); });
    connect(shortcut(this, QStringLiteral("Kopieren"), {QKeySequence(Qt::CTRL | Qt::Key_C)}), &QAction::triggered, this,
            &Main::copyChosen);
    // Also while the Opslaan button is out of sight, in the preview mode.
    connect(shortcut(this, QStringLiteral("Opslaan"), {QKeySequence(Qt::CTRL | Qt::Key_S)}), &QAction::triggered, this,
            [this] {
                if (!currentFile().isEmpty())
                    saveList();
            });
    for (int column = 0; column < AddressRecord::FieldCount; ++column)
        connect(shortcut(this, QStringLiteral("Sorteren%1").arg(column + 1), {QKeySequence(Qt::CTRL | (Qt::Key_1 + column))}),
                &QAction::triggered, this, [this, column] { sortByColumn(column); });
    m_listView->header()->setSectionsClickable(true);
    connect(m_listView->header(), &QHeaderView::sectionClicked, this, &Main::sortByColumn);
}

void Main::takeStep(std::optional<ListHistory::Outcome> (OpenList::*step)())
{
    if (currentFile().isEmpty())
        return;
    const int formerCurrent = m_listView->currentIndex().row();
    // The rows chosen afterwards are the step's; an old choice need not follow a new order.
    m_listView->selectionModel()->clearSelection();
    // Undoing a sort brings back an order that was not sorted by that column: every step forgets it.
    if (const std::optional<ListHistory::Outcome> outcome = (m_list.*step)())
        showOutcome(*outcome, formerCurrent);
}

void Main::showOutcome(const ListHistory::Outcome& outcome, int formerCurrent)
{
    // In a new order the current address stays current, wherever it went.
    const int current = outcome.order.isEmpty() ? outcome.current : int(outcome.order.indexOf(formerCurrent));
    if (outcome.touched.isEmpty())
        chooseRows(current >= 0 ? QList<int>{current} : QList<int>(), current);
    else
        chooseRows(outcome.touched, current);
}

void Main::chooseRows(const QList<int>& rows, int current)
{
    QItemSelectionModel* selection = m_listView->selectionModel();
    selection->clearSelection();
    // One range a run of neighbouring rows: everything that reads the choice
    // afterwards pays for each range, and a range a row froze the window.
    QItemSelection chosen;
    for (qsizetype first = 0; first < rows.size();) {
        qsizetype last = first;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        chosen.append(QItemSelectionRange(m_list.model().index(rows[first], 0),
                                          m_list.model().index(rows[last], AddressRecord::FieldCount - 1)));
        first = last + 1;
    }
    selection->select(chosen, QItemSelectionModel::Select);
    if (current < 0)
        return;
    selection->setCurrentIndex(m_list.model().index(current, 0), QItemSelectionModel::NoUpdate);
    m_listView->scrollTo(m_list.model().index(current, 0));
}

void Main::sortByColumn(int column)
{
    if (currentFile().isEmpty() || m_list.model().count() == 0)
        return;
    const Qt::SortOrder order =
        m_sortColumn == column && m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    finishCellEdit();
    QList<int> rows;
    runBusy(this, QStringLiteral("Bezig met sorteren..."), [&] { rows = sortedRows(m_list.model().records(), column, order); });
    const int formerCurrent = m_listView->currentIndex().row();
    m_listView->selectionModel()->clearSelection();
    showOutcome(m_list.reorder(rows), formerCurrent);
    // After the step, which forgets any earlier order.
    m_sortColumn = column;
    m_sortOrder = order;
    m_listView->header()->setSortIndicator(column, order);
    m_listView->header()->setSortIndicatorShown(true);
}

void Main::forgetSortOrder()
{
    m_sortColumn = -1;
    m_listView->header()->setSortIndicatorShown(false);
}

void Main::Zoeken_Click()
{
    if (tellIfNoList())
        return;
    ZoekForm dialog(m_lastSearch, [this](const QString& text) { findNext(text); }, this);
    dialog.exec();
    focusList();
}

void Main::findNext(const QString& text)
{
    m_lastSearch = text;
    const int row = findAddress(m_list.model().records(), text, m_listView->currentIndex().row());
    if (row < 0) {
        // Over the find dialog while it is open.
        QWidget* over = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this;
        m_context.messages.tell(over, ProgramTitle, QStringLiteral("Niets gevonden voor \"%1\".").arg(text));
        return;
    }
    chooseRows({row}, row);
}

void Main::copyChosen()
{
    const QList<AddressRecord> addresses = chosenAddresses();
    if (!addresses.isEmpty())
        QGuiApplication::clipboard()->setText(addressesAsText(addresses));
}
