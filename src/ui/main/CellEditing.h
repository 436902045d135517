#pragma once

#include <QStyledItemDelegate>
#include <functional>

// Editing one field of an address where it stands in the list.
class AddressCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Asked before a changed value is stored; false keeps the old value.
    using Check = std::function<bool(int field, const QString& value)>;
    AddressCellDelegate(Check check, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    Check m_check;
};
