#include "ui/dialogs/OpenForm.h"

#include "ui/EnterKeys.h"
#include "ui/FormStyle.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

using FormStyle::twipRect;

OpenForm::OpenForm(AppContext& context, QWidget* parent) : ListChoiceDialog(context, parent)
{
    setObjectName(QStringLiteral("OpenForm"));
    FormStyle::setUpDialogWindow(this, QStringLiteral("Open Bestand"), 3600, 5400, FormStyle::DialogBackground);

    m_list1 = new QListWidget(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setAccessibleName(QStringLiteral("Lijsten"));
    m_list1->setGeometry(twipRect(180, 225, 3150, 4140));
    m_list1->setFont(FormStyle::arial(9.75));
    // Dark like the boxes, its chosen list in the style's own highlight.
    FormStyle::setColours(m_list1, Look::DarkBox, Look::DarkBoxText);
    // A missing Data folder simply lists nothing.
    const QDir data(context.dataFolder());
    for (const QFileInfo& entry : data.entryInfoList({QStringLiteral("*.lst")}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (entry.isFile()) // a link to a pipe or a device is no list
            m_list1->addItem(entry.fileName());
    // Selection, not the current row: a list given the focus gets a current row but no choice.
    connect(m_list1, &QListWidget::itemSelectionChanged, this, &OpenForm::List1_Click);
    connect(m_list1, &QListWidget::itemDoubleClicked, this, &OpenForm::List1_DblClick);
    EnterKeys::onEnter(m_list1, [this] {
        // The list with the focus frame is the one meant, picked or not yet.
        if (m_list1->selectedItems().isEmpty() && m_list1->currentItem())
            m_list1->currentItem()->setSelected(true);
        OpenKnop_Click();
    });
    m_list1->installEventFilter(this);
    // "Openen" works on what is picked here, not on a name from an earlier dialog.
    choose({});

    QLabel* count = FormStyle::caption(this, QStringLiteral("Label1"), QString::number(m_list1->count()), 180, 4440,
                                       FormStyle::CaptionGrey);
    count->setFont(FormStyle::arial(9.75));
    count->adjustSize();

    const FormStyle::ButtonPair buttons = FormStyle::cancelAndConfirm(this, QStringLiteral("OpenKnop"), QStringLiteral("Openen"),
                                                                      1290, 4440, [this] { OpenKnop_Click(); });
    setTabOrder(m_list1, buttons.cancel);
    m_list1->setFocus();
    FormStyle::centreOnScreen(this);
}

bool OpenForm::eventFilter(QObject* watched, QEvent* event)
{
    // The list gets a current entry with the focus, but nothing chosen: the
    // first Down or Up chooses that entry rather than stepping past it.
    if (watched == m_list1 && event->type() == QEvent::KeyPress && m_list1->selectedItems().isEmpty()
        && m_list1->count() > 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            m_list1->setCurrentRow(std::max(m_list1->currentRow(), 0), QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OpenForm::List1_Click()
{
    const QList<QListWidgetItem*> selected = m_list1->selectedItems();
    if (!selected.isEmpty())
        choose(selected.first()->text());
}

void OpenForm::List1_DblClick()
{
    List1_Click();
    OpenKnop_Click();
}

void OpenForm::OpenKnop_Click()
{
    const QString name = chosen();
    if (name.trimmed().isEmpty()) {
        context().messages.tell(this, ProgramTitle, QStringLiteral("Selecteer eerst een Adressenbestand!"));
        return;
    }
    acceptFile(name);
}
