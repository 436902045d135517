#include "data/ListHistory.h"

#include "data/AddressListModel.h"

#include <numeric>

namespace {

using Outcome = ListHistory::Outcome;

class Step : public QUndoCommand {
public:
    explicit Step(AddressListModel& model) : m_model(model) {}
    const Outcome& outcome() const { return m_outcome; }

protected:
    void told(QList<int> touched, int current, QList<int> order = {})
    {
        m_outcome = {std::move(touched), current, std::move(order)};
    }
    QList<int> range(int first, int count) const
    {
        QList<int> rows(count);
        std::iota(rows.begin(), rows.end(), first);
        return rows;
    }

    AddressListModel& m_model;

private:
    Outcome m_outcome;
};

class Append : public Step {
public:
    Append(AddressListModel& model, QList<AddressRecord> addresses)
        : Step(model), m_addresses(std::move(addresses)), m_first(model.count())
    {
    }
    void redo() override
    {
        m_model.appendAll(m_addresses);
        told(range(m_first, int(m_addresses.size())), m_first);
    }
    // The row before the ones taken away becomes current.
    void undo() override
    {
        m_model.removeRows(range(m_first, int(m_addresses.size())));
        told({}, m_first - 1);
    }

private:
    QList<AddressRecord> m_addresses;
    int m_first;
};

class Remove : public Step {
public:
    Remove(AddressListModel& model, QList<int> rows) : Step(model), m_rows(std::move(rows))
    {
        for (const int row : m_rows)
            m_addresses.append(model.at(row));
    }
    void redo() override
    {
        m_model.removeRows(m_rows);
        told({}, -1);
    }
    void undo() override
    {
        m_model.insertRecords(m_rows, m_addresses);
        told(m_rows, m_rows.first());
    }

private:
    QList<int> m_rows;
    QList<AddressRecord> m_addresses;
};

class SetField : public Step {
public:
    SetField(AddressListModel& model, int row, int field, QString value)
        : Step(model), m_row(row), m_field(field), m_old(model.at(row).field(field)), m_new(std::move(value))
    {
    }
    void redo() override { set(m_new); }
    void undo() override { set(m_old); }

private:
    void set(const QString& value)
    {
        m_model.setField(m_row, m_field, value);
        told({m_row}, m_row);
    }
    int m_row;
    int m_field;
    QString m_old;
    QString m_new;
};

class Reorder : public Step {
public:
    Reorder(AddressListModel& model, QList<int> order) : Step(model), m_order(std::move(order))
    {
        m_inverse.resize(m_order.size());
        for (qsizetype i = 0; i < m_order.size(); ++i)
            m_inverse[m_order[i]] = int(i);
    }
    void redo() override
    {
        m_model.reorder(m_order);
        told({}, -1, m_order);
    }
    void undo() override
    {
        m_model.reorder(m_inverse);
        told({}, -1, m_inverse);
    }

private:
    QList<int> m_order;
    QList<int> m_inverse;
};

class ReplaceAll : public Step {
public:
    ReplaceAll(AddressListModel& model, QList<AddressRecord> addresses)
        : Step(model), m_old(model.records()), m_new(std::move(addresses))
    {
    }
    void redo() override
    {
        m_model.replaceAll(m_new);
        told({}, -1);
    }
    void undo() override
    {
        m_model.replaceAll(m_old);
        told({}, -1);
    }

private:
    QList<AddressRecord> m_old;
    QList<AddressRecord> m_new;
};

}

ListHistory::ListHistory(AddressListModel& model) : m_model(model) {}

void ListHistory::push(QUndoCommand* step)
{
    m_stack.push(step);
    emit stepped();
}

ListHistory::Outcome ListHistory::outcomeOf(int index) const
{
    return static_cast<const Step*>(m_stack.command(index))->outcome();
}

void ListHistory::add(const AddressRecord& address)
{
    push(new Append(m_model, {address}));
}

void ListHistory::remove(const QList<int>& rows)
{
    if (!rows.isEmpty())
        push(new Remove(m_model, rows));
}

void ListHistory::setField(int row, int field, const QString& value)
{
    push(new SetField(m_model, row, field, value));
}

void ListHistory::append(const QList<AddressRecord>& addresses)
{
    if (!addresses.isEmpty())
        push(new Append(m_model, addresses));
}

ListHistory::Outcome ListHistory::reorder(const QList<int>& order)
{
    push(new Reorder(m_model, order));
    return outcomeOf(m_stack.index() - 1);
}

void ListHistory::replaceAll(const QList<AddressRecord>& addresses)
{
    push(new ReplaceAll(m_model, addresses));
}

std::optional<ListHistory::Outcome> ListHistory::undo()
{
    if (!m_stack.canUndo())
        return std::nullopt;
    m_stack.undo();
    emit stepped();
    return outcomeOf(m_stack.index());
}

std::optional<ListHistory::Outcome> ListHistory::redo()
{
    if (!m_stack.canRedo())
        return std::nullopt;
    m_stack.redo();
    emit stepped();
    return outcomeOf(m_stack.index() - 1);
}
