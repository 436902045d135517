#include "ui/main/ListActions.h"

#include "data/ListSearch.h"
#include "data/import/AddressImport.h"
#include "ui/AppContext.h"
#include "ui/BusyWork.h"
#include "ui/dialogs/ZoekForm.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTreeView>

ListActions::ListActions(OpenList& list, AppContext& context, Window window)
    : QObject(window.widget)
    , m_list(list)
    , m_context(context)
    , m_window(std::move(window))
{
}

void ListActions::takeStep(std::optional<ListHistory::Outcome> (OpenList::*step)())
{
    if (m_list.name().isEmpty())
        return;
    const int formerCurrent = m_window.view->currentIndex().row();
    // The rows chosen afterwards are the step's; an old choice need not follow a new order.
    m_window.view->selectionModel()->clearSelection();
    // Undoing a sort brings back an order that was not sorted by that column: every step forgets it.
    if (const std::optional<ListHistory::Outcome> outcome = (m_list.*step)())
        showOutcome(*outcome, formerCurrent);
}

void ListActions::showOutcome(const ListHistory::Outcome& outcome, int formerCurrent)
{
    // In a new order the current address stays current, wherever it went.
    const int current = outcome.order.isEmpty() ? outcome.current : int(outcome.order.indexOf(formerCurrent));
    if (outcome.touched.isEmpty())
        chooseRows(current >= 0 ? QList<int>{current} : QList<int>(), current);
    else
        chooseRows(outcome.touched, current);
}

void ListActions::chooseRows(const QList<int>& rows, int current)
{
    QItemSelectionModel* selection = m_window.view->selectionModel();
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
    m_window.view->scrollTo(m_list.model().index(current, 0));
}

void ListActions::sortBy(int column)
{
    if (m_list.name().isEmpty() || m_list.model().count() == 0)
        return;
    const Qt::SortOrder order =
        m_sortColumn == column && m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_window.finishCellEdit();
    QList<int> rows;
    runBusy(m_window.widget, QStringLiteral("Bezig met sorteren..."),
            [&] { rows = sortedRows(m_list.model().records(), column, order); });
    const int formerCurrent = m_window.view->currentIndex().row();
    m_window.view->selectionModel()->clearSelection();
    showOutcome(m_list.reorder(rows), formerCurrent);
    // After the step, which forgets any earlier order.
    m_sortColumn = column;
    m_sortOrder = order;
    m_window.view->header()->setSortIndicator(column, order);
    m_window.view->header()->setSortIndicatorShown(true);
}

void ListActions::forgetSortOrder()
{
    m_sortColumn = -1;
    m_window.view->header()->setSortIndicatorShown(false);
}

void ListActions::find()
{
    if (m_window.tellIfNoList())
        return;
    ZoekForm dialog(m_lastSearch, [this](const QString& text) { findNext(text); }, m_window.widget);
    dialog.exec();
    m_window.focusList();
}

void ListActions::findAgain()
{
    if (m_lastSearch.isEmpty())
        find();
    else
        findNext(m_lastSearch);
}

void ListActions::findNext(const QString& text)
{
    m_lastSearch = text;
    const int row = findAddress(m_list.model().records(), text, m_window.view->currentIndex().row());
    if (row < 0) {
        // Over the find dialog while it is open.
        QWidget* over = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_window.widget;
        m_context.messages.tell(over, ProgramTitle, QStringLiteral("Niets gevonden voor \"%1\".").arg(text));
        return;
    }
    chooseRows({row}, row);
}

void ListActions::copyChosen()
{
    const QList<AddressRecord> addresses = m_window.chosenAddresses();
    if (!addresses.isEmpty())
        QGuiApplication::clipboard()->setText(addressesAsText(addresses));
}
