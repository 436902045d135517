#pragma once

#include "data/AddressRecord.h"

#include <QList>
#include <QObject>
#include <QUndoStack>
#include <optional>

class AddressListModel;

// Every change to the open list as a step that can be undone and redone:
// adding, deleting, editing a field, importing, putting in order. It is the
// one record of unsaved changes: back at the state last saved or opened,
// the list is unmodified again.
class ListHistory : public QObject {
    Q_OBJECT
public:
    // What a step, taken, undone or redone, did to the rows.
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
    Outcome reorder(const QList<int>& order);
    // All rows at once, as one step: the unsaved rows brought back after a crash.
    void replaceAll(const QList<AddressRecord>& addresses);

    // Nothing when there is no step to take.
    std::optional<Outcome> undo();
    std::optional<Outcome> redo();

    bool isModified() const { return !m_stack.isClean(); }
    // Another list is opened or started: nothing to undo, nothing unsaved.
    void clear() { m_stack.clear(); }
    void markSaved() { m_stack.setClean(); }

signals:
    // A step was taken, undone or redone; isModified() already tells the new state.
    void stepped();

private:
    void push(QUndoCommand* step);
    Outcome outcomeOf(int index) const;

    AddressListModel& m_model;
    QUndoStack m_stack;
};
