#include "ui/main/SheetPreviewAccessible.h"

#include "print/LabelSheet.h"
#include "ui/main/SheetPreview.h"
#include "widgets/AccessibleFactory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

namespace {

class SheetCell : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    SheetCell(SheetPreview* preview, int position) : m_preview(preview), m_position(position) {}

    bool isValid() const override { return m_preview; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_preview ? m_preview->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_preview); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QStringLiteral("Etiket %1").arg(m_position);
        if (t == QAccessible::Description && m_preview->clickedCell() == m_position)
            return QStringLiteral("laatst afgedrukt");
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        const QRect cell = SheetPreview::cellRect(m_position);
        return QRect(m_preview->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.focused = m_preview->hasFocus() && m_preview->keyCell() == m_position;
        s.disabled = !m_preview->isEnabled();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && m_preview->isEnabled())
            m_preview->pressCell(m_position);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<SheetPreview> m_preview;
    int m_position;
};

class SheetPreviewAccessible : public QAccessibleWidget {
public:
    explicit SheetPreviewAccessible(SheetPreview* preview) : QAccessibleWidget(preview, QAccessible::Grouping)
    {
        for (int p = 1; p <= LabelSheet::LabelCount; ++p) {
            auto* cell = new SheetCell(preview, p);
            QAccessible::registerAccessibleInterface(cell);
            m_cells.append(cell);
        }
    }
    ~SheetPreviewAccessible() override
    {
        for (QAccessibleInterface* cell : m_cells)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cell));
    }

    int childCount() const override { return int(m_cells.size()); }
    QAccessibleInterface* child(int index) const override { return m_cells.value(index); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(m_cells.indexOf(const_cast<QAccessibleInterface*>(child)));
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const int position = SheetPreview::labelAt(widget()->mapFromGlobal(QPointF(x, y)));
        return position > 0 ? m_cells[position - 1] : nullptr;
    }

private:
    QList<QAccessibleInterface*> m_cells;
};

}

void installSheetPreviewAccessibility()
{
    installAccessibleFactory<SheetPreview, SheetPreviewAccessible>();
}

void announceKeyCell(SheetPreview* preview)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(preview, QAccessible::Focus);
    event.setChild(preview->keyCell() - 1);
    QAccessible::updateAccessibility(&event);
}
