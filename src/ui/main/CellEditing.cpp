#include "ui/main/CellEditing.h"

#include "ui/FormStyle.h"

#include <QLineEdit>

AddressCellDelegate::AddressCellDelegate(Commit commit, QObject* parent)
    : QStyledItemDelegate(parent), m_commit(std::move(commit))
{
}

QWidget* AddressCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    FormStyle::makeAddressField(editor);
    return editor;
}

void AddressCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QString value = static_cast<QLineEdit*>(editor)->text();
    if (value != model->data(index, Qt::EditRole).toString())
        m_commit(index, value);
}
