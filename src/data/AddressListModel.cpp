#include "data/AddressListModel.h"

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

bool AddressListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= count() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    AddressRecord& record = m_records[index.row()];
    if (record.fieldView(index.column()) == text)
        return true;
    record.setField(index.column(), text);
    m_modified = true;
    emit dataChanged(index, index);
    return true;
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
    m_modified = false;
}

void AddressListModel::append(const AddressRecord& record)
{
    beginInsertRows({}, count(), count());
    m_records.append(record);
    endInsertRows();
    m_modified = true;
}

void AddressListModel::appendAll(const QList<AddressRecord>& records)
{
    if (records.isEmpty())
        return;
    // One insertion for all: the view lays itself out once, not per address.
    beginInsertRows({}, count(), count() + int(records.size()) - 1);
    m_records.append(records);
    endInsertRows();
    m_modified = true;
}

void AddressListModel::removeRows(const QList<int>& rows)
{
    if (rows.isEmpty())
        return;
    // Runs of neighbouring rows go one run at a time, from the back; a choice
    // scattered over a big list is rebuilt in one pass instead.
    QList<std::pair<int, int>> runs; // first row, count
    for (const int row : rows) {
        if (!runs.isEmpty() && runs.last().first + runs.last().second == row)
            ++runs.last().second;
        else
            runs.append({row, 1});
    }
    constexpr qsizetype MaxRuns = 64;
    if (runs.size() <= MaxRuns) {
        for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
            beginRemoveRows({}, run->first, run->first + run->second - 1);
            m_records.remove(run->first, run->second);
            endRemoveRows();
        }
    } else {
        QList<AddressRecord> kept;
        kept.reserve(m_records.size() - rows.size());
        qsizetype next = 0;
        for (qsizetype row = 0; row < m_records.size(); ++row) {
            if (next < rows.size() && rows[next] == row)
                ++next;
            else
                kept.append(m_records[row]);
        }
        beginResetModel();
        m_records = std::move(kept);
        endResetModel();
    }
    m_modified = true;
}
