// The keys of the list as a whole: undo and redo, finding, putting in order, copying out and saving.
#include "ui/main/ListActions.h"
#include "ui/main/Main.h"

#include <QAction>
#include <QHeaderView>
#include <QTreeView>

namespace {

QAction* shortcut(QWidget* window, const QString& name, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(window);
    action->setObjectName(name);
    action->setShortcuts(keys);
    // Typing in an edit box keeps its own Ctrl+Z and Ctrl+C.
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

}

void Main::buildListKeys()
{
    m_actions = new ListActions(m_list, m_context,
                                {this, m_listView, [this] { finishCellEdit(); }, [this] { return tellIfNoList(); },
                                 [this] { focusList(); }, [this] { return chosenAddresses(); }});
    connect(shortcut(this, QStringLiteral("Ongedaan"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}), &QAction::triggered, m_actions,
            &ListActions::undo);
    connect(shortcut(this, QStringLiteral("Opnieuw"),
                     {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}),
            &QAction::triggered, m_actions, &ListActions::redo);
    connect(shortcut(this, QStringLiteral("Zoeken"), {QKeySequence(Qt::CTRL | Qt::Key_F)}), &QAction::triggered, m_actions,
            &ListActions::find);
    connect(shortcut(this, QStringLiteral("ZoekVolgende"), {QKeySequence(Qt::Key_F3)}), &QAction::triggered, m_actions,
            &ListActions::findAgain);
    connect(shortcut(this, QStringLiteral("Kopieren"), {QKeySequence(Qt::CTRL | Qt::Key_C)}), &QAction::triggered, m_actions,
            &ListActions::copyChosen);
    // Also while the Opslaan button is out of sight, in the preview mode.
    connect(shortcut(this, QStringLiteral("Opslaan"), {QKeySequence(Qt::CTRL | Qt::Key_S)}), &QAction::triggered, this,
            [this] {
                if (!currentFile().isEmpty())
                    saveList();
            });
    for (int column = 0; column < AddressRecord::FieldCount; ++column)
        connect(shortcut(this, QStringLiteral("Sorteren%1").arg(column + 1), {QKeySequence(Qt::CTRL | (Qt::Key_1 + column))}),
                &QAction::triggered, m_actions, [this, column] { m_actions->sortBy(column); });
    m_listView->header()->setSectionsClickable(true);
    connect(m_listView->header(), &QHeaderView::sectionClicked, m_actions, &ListActions::sortBy);
}
