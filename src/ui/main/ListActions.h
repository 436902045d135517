#pragma once

#include "data/AddressRecord.h"
#include "data/OpenList.h"

#include <QObject>
#include <functional>
#include <optional>

struct AppContext;
class QTreeView;
class QWidget;

// What the user does with the open list as a whole, beside editing it: undo
// and redo, find and find again (F3), sort by a column (again: descending),
// and copy the chosen rows out. It keeps what these remember: the last text
// looked for and the column sorted by.
class ListActions : public QObject {
public:
    // What the window does for these steps.
    struct Window {
        QWidget* widget;
        QTreeView* view;
        std::function<void()> finishCellEdit;     // an open cell editor hands in its text first
        std::function<bool()> tellIfNoList;       // true, and told, while no list is open
        std::function<void()> focusList;          // after the find dialog
        std::function<QList<AddressRecord>()> chosenAddresses;
    };
    ListActions(OpenList& list, AppContext& context, Window window);

    void undo() { takeStep(&OpenList::undo); }
    void redo() { takeStep(&OpenList::redo); }
    // "Zoeken": the find dialog, starting from the last text.
    void find();
    // F3: the last text again from the current row, or the dialog when there was none.
    void findAgain();
    void sortBy(int column);
    // The rows changed: no sort is in force any more.
    void forgetSortOrder();
    void copyChosen();
    // Chooses the rows alone and makes `current` the current address.
    void chooseRows(const QList<int>& rows, int current);

private:
    void takeStep(std::optional<ListHistory::Outcome> (OpenList::*step)());
    // Chooses what a step brought back or changed.
    void showOutcome(const ListHistory::Outcome& outcome, int formerCurrent);
    void findNext(const QString& text);

    OpenList& m_list;
    AppContext& m_context;
    Window m_window;
    QString m_lastSearch;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
