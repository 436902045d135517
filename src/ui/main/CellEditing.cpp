#include "ui/main/CellEditing.h"

#include "data/AddressRecord.h"
#include "ui/FormStyle.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>

AddressCellDelegate::AddressCellDelegate(Commit commit, QObject* parent)
    : QStyledItemDelegate(parent), m_commit(std::move(commit))
{
}

void AddressCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (!view || !view->hasFocus() || view->currentIndex() != index)
        return;
    // Light on the list's dark ground and on the highlight alike.
    painter->save();
    painter->setPen(QPen(QColor(255, 210, 0), 2));
    painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
    painter->restore();
}

QWidget* AddressCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setAccessibleName(addressFieldNames().value(index.column()));
    FormStyle::makeAddressField(editor);
    return editor;
}

void AddressCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QString value = static_cast<QLineEdit*>(editor)->text();
    if (value != model->data(index, Qt::EditRole).toString())
        m_commit(index, value);
}
