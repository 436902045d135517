#include "data/AddressListModel.h"

namespace {
// Runs of neighbouring rows go one run at a time; a choice scattered over a
// big list would move the rest of the list once a run, so it is rebuilt.
constexpr qsizetype MaxRuns = 64;
}

int AddressListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

int AddressListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : AddressRecord::FieldCount;
}

QVariant AddressListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const QStringView field = m_records[index.row()].fieldView(index.column());
    if (role == Qt::DisplayRole)
        return shownStart(field);
    if (role == Qt::EditRole)
        return field.toString(); // an edit works on the whole value
    return {};
}

Qt::ItemFlags AddressListModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | (index.isValid() ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

QVariant AddressListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= AddressRecord::FieldCount)
        return {};
    return addressFieldNames()[section];
}

void AddressListModel::clear()
{
    replaceAll({});
}

void AddressListModel::replaceAll(QList<AddressRecord> records)
{
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

void AddressListModel::appendAll(const QList<AddressRecord>& records)
{
    if (records.isEmpty())
        return;
    // One insertion for all: the view lays itself out once, not per address.
    beginInsertRows({}, count(), count() + int(records.size()) - 1);
    m_records.append(records);
    endInsertRows();
}

QList<std::pair<int, int>> AddressListModel::runsOf(const QList<int>& rows)
{
    QList<std::pair<int, int>> runs;
    for (const int row : rows) {
        if (!runs.isEmpty() && runs.last().first + runs.last().second == row)
            ++runs.last().second;
        else
            runs.append({row, 1});
    }
    return runs;
}

void AddressListModel::removeRows(const QList<int>& rows)
{
    const QList<std::pair<int, int>> runs = runsOf(rows);
    if (runs.isEmpty())
        return;
    if (runs.size() > MaxRuns) {
        replaceAll(withoutRows(m_records, rows)); // made in one pass, shown as a new list
        return;
    }
    for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
        beginRemoveRows({}, run->first, run->first + run->second - 1);
        m_records.remove(run->first, run->second);
        endRemoveRows();
    }
}

void AddressListModel::insertRecords(const QList<int>& rows, const QList<AddressRecord>& records)
{
    const QList<std::pair<int, int>> runs = runsOf(rows);
    if (runs.isEmpty())
        return;
    if (runs.size() > MaxRuns) {
        QList<AddressRecord> merged;
        merged.reserve(m_records.size() + records.size());
        qsizetype next = 0, old = 0;
        for (qsizetype row = 0; row < m_records.size() + records.size(); ++row)
            merged.append(next < rows.size() && rows[next] == row ? records[next++] : m_records[old++]);
        replaceAll(std::move(merged));
        return;
    }
    qsizetype taken = 0;
    for (const auto& [first, count] : runs) {
        beginInsertRows({}, first, first + count - 1);
        m_records.insert(first, count, AddressRecord());
        for (int k = 0; k < count; ++k)
            m_records[first + k] = records[taken++];
        endInsertRows();
    }
}

void AddressListModel::setField(int row, int field, const QString& value)
{
    m_records[row].setField(field, value);
    emit dataChanged(index(row, field), index(row, field));
}

void AddressListModel::reorder(const QList<int>& order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<AddressRecord> records;
    records.reserve(order.size());
    QList<int> newRow(order.size());
    for (qsizetype row = 0; row < order.size(); ++row) {
        records.append(m_records[order[row]]);
        newRow[order[row]] = int(row);
    }
    m_records = std::move(records);
    // Only the few places the views hold (the current address, an open editor) move.
    const QModelIndexList held = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(held.size());
    for (const QModelIndex& at : held)
        moved.append(index(newRow[at.row()], at.column()));
    changePersistentIndexList(held, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
