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

void AddressListModel::removeAt(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    m_records.removeAt(row);
    endRemoveRows();
    m_modified = true;
}
