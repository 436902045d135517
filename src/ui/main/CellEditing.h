#pragma once

#include <QStyledItemDelegate>
#include <functional>

// A box lays out all its text at once: a field of megabytes would freeze the
// window. Longer fields are not edited in a box, in the list or beside it.
constexpr qsizetype MaxEditableLength = 100000;
// Why such a field is not edited, as its box's tooltip and the list's message say it.
QString tooLongToEdit(qsizetype length);

// Editing one field of an address where it stands in the list.
class AddressCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Takes a changed value; whether and how it is stored is the owner's.
    using Commit = std::function<void(const QModelIndex& cell, const QString& value)>;
    // Told why a cell opens no editor.
    using Refuse = std::function<void(const QString& why)>;
    AddressCellDelegate(Commit commit, Refuse refuse, QObject* parent);

    // The current cell gets a frame of its own inside the highlighted row.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    Commit m_commit;
    Refuse m_refuse;
};
