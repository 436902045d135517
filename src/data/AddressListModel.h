#pragma once

#include "data/AddressRecord.h"

#include <QAbstractTableModel>
#include <QList>

// The open address list: the only copy in memory, shown by the list view.
// Rows stand as they were loaded or added until a sort reorders them. Its
// changes come from the list's history, which alone knows what is unsaved.
class AddressListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int count() const { return int(m_records.size()); }
    const AddressRecord& at(int row) const { return m_records[row]; }
    const QList<AddressRecord>& records() const { return m_records; }

    void clear();
    void replaceAll(QList<AddressRecord> records);
    void appendAll(const QList<AddressRecord>& records);
    // Removes the rows, given in ascending order.
    void removeRows(const QList<int>& rows);
    // Puts the records back at the rows (ascending) they are to stand at.
    void insertRecords(const QList<int>& rows, const QList<AddressRecord>& records);
    void setField(int row, int field, const QString& value);
    // The rows in a new order: row i becomes what row order[i] was. Told as a
    // new layout, so the current address and the view's place follow their rows.
    void reorder(const QList<int>& order);

private:
    // Runs of neighbouring rows (first row, count), ascending.
    static QList<std::pair<int, int>> runsOf(const QList<int>& rows);

    QList<AddressRecord> m_records;
};
