#pragma once

#include "data/AddressRecord.h"

#include <QList>
#include <QUndoStack>

class AddressListModel;

// Every change to the open list as a step that can be undone and redone:
// adding, deleting, editing a field, importing, putting in order. Back at
// the state last saved or opened, the list is unmodified again.
class ListHistory {
public:
    // What the last step, undone or redone, did to the rows.
    struct Outcome {
        QList<int> touched; // rows brought back or changed, ascending
        int current = -1;   // the row to make current, -1 for none
        QList<int> order;   // after a new order: row i holds what row order[i] held
    };

    explicit ListHistory(AddressListModel& model);

    void add(const AddressRecord& address);
    void remove(const QList<int>& rows);
    void setField(int row, int field, const QString& value);
    void append(const QList<AddressRecord>& addresses);
    void reorder(const QList<int>& order);

    // False when there is no step to take.
    bool undo();
    bool redo();
    const Outcome& outcome() const { return m_outcome; }

    // Another list is opened or started: nothing to undo.
    void clear() { m_stack.clear(); }
    void markSaved() { m_stack.setClean(); }

private:
    AddressListModel& m_model;
    QUndoStack m_stack;
    Outcome m_outcome;
};
