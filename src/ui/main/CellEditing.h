#pragma once

#include <QStyledItemDelegate>
#include <functional>

// Editing one field of an address where it stands in the list.
class AddressCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Takes a changed value; whether and how it is stored is the owner's.
    using Commit = std::function<void(const QModelIndex& cell, const QString& value)>;
    AddressCellDelegate(Commit commit, QObject* parent);

    // The current cell gets a frame of its own inside the highlighted row.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    Commit m_commit;
};
