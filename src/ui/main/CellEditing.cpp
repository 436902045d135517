#include "ui/main/CellEditing.h"
#include "app/NumberReading.h"

#include "data/AddressRecord.h"
#include "ui/FormStyle.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>

namespace {
// The text an editor opened with: a field read with a line break shows it as
// a space, and an editor closed unchanged must not store that space.
const char* const OpenedWith = "openedWith";
}

QString tooLongToEdit(qsizetype length)
{
    return QStringLiteral("Dit veld is te lang om hier te bewerken (%1 tekens)")
        .arg(dutchNumber(length));
}

AddressCellDelegate::AddressCellDelegate(Commit commit, Refuse refuse, QObject* parent)
    : QStyledItemDelegate(parent), m_commit(std::move(commit)), m_refuse(std::move(refuse))
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
    painter->setPen(QPen(Look::FocusYellow, 2));
    painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
    painter->restore();
}

QWidget* AddressCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const qsizetype length = index.data(Qt::EditRole).toString().size();
    if (length > MaxEditableLength) {
        m_refuse(tooLongToEdit(length));
        return nullptr;
    }
    auto* editor = new QLineEdit(parent);
    editor->setAccessibleName(addressFieldNames().value(index.column()));
    FormStyle::makeAddressField(editor);
    return editor;
}

void AddressCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    QStyledItemDelegate::setEditorData(editor, index);
    editor->setProperty(OpenedWith, static_cast<QLineEdit*>(editor)->text());
}

void AddressCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    const QString value = static_cast<QLineEdit*>(editor)->text();
    if (value != editor->property(OpenedWith).toString())
        m_commit(index, value);
}
