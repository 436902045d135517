#include "ui/main/Main.h"
#include "ui/main/ListActions.h"

#include "data/ListStorage.h"
#include "data/SettingsFile.h"
#include "ui/BusyWork.h"
#include "ui/EnterKeys.h"
#include "ui/FormStyle.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTreeView>

namespace {
constexpr int ClientWidth = 652;
constexpr int ClientHeight = 350;
}

Main::Main(AppContext& context, QWidget* parent) : QMainWindow(parent), m_context(context), m_list(context.homeFolder)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(ProgramTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFont(FormStyle::arial(8.25));
    FormStyle::setBackground(this, FormStyle::WindowBackground);

    auto* central = new QWidget(this);
    central->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(central);
    buildMenus();
    buildListArea(central);
    buildPreviewArea(central);
    buildEditArea(central);
    buildButtonBar(central);
    buildListKeys();
    EnterKeys::enterPressesButtons(this);
    connect(&m_list, &OpenList::changed, this, &Main::followChange);
    connect(&m_list, &OpenList::recoveryFailed, this, [this](const QString& reason) {
        m_context.messages.tell(this, ProgramTitle,
                                QStringLiteral("Er kan geen herstelkopie van de lijst %1 worden gemaakt: %2\r\n"
                                               "Sla de lijst geregeld op, zodat je na een storing niets kwijt bent.")
                                    .arg(currentFile(), reason),
                                Messages::Icon::Error);
    });
    setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());

    const SavedSettings settings = loadSettings(m_context.homeFolder);
    static_cast<SavedSettings&>(m_context.values) = settings;
}

void Main::showEvent(QShowEvent* event)
{
    if (!m_centred) {
        FormStyle::centreOnScreen(this);
        m_centred = true;
        // Never on Stoppen, where a stray Space or Enter would end the program.
        if (currentFile().isEmpty())
            centralWidget()->setFocus();
        else
            focusList();
    }
    QMainWindow::showEvent(event);
}

AddressRecord Main::currentAddress() const
{
    std::array<QString, AddressRecord::FieldCount> fields;
    for (int i = 0; i < AddressRecord::FieldCount; ++i)
        fields[size_t(i)] = m_fieldTooLong[size_t(i)] ? m_shownAddress.field(i) : m_text1[size_t(i)]->text();
    return AddressRecord(fields);
}

bool Main::openList(const QString& name)
{
    const FileResult result = m_list.open(name);
    if (!result.ok) {
        const QString text = result.notice.isEmpty()
            ? QStringLiteral("De lijst %1 kan niet worden geopend.\r\n%2").arg(name, asSentence(result.reason))
            : result.notice;
        m_context.messages.tell(this, ProgramTitle, text, Messages::Icon::Error);
        return false;
    }
    if (!result.notice.isEmpty())
        m_context.messages.tell(this, ProgramTitle, result.notice, Messages::Icon::Error);
    if (const std::optional<OpenList::Recovery> found = m_list.recovery(name); found && wantsRecovery(*found))
        m_list.restore(*found);
    return true;
}

void Main::startNewList(const QString& fileName)
{
    m_list.startNew(fileName);
    enterWorkingState(fileName);
}

void Main::followChange()
{
    showCount();
    m_actions->forgetSortOrder();
}

void Main::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        reloadIfChangedElsewhere();
}

void Main::reloadIfChangedElsewhere()
{
    if (currentFile().isEmpty() || isModified() || QApplication::activeModalWidget())
        return;
    const int row = m_listView->currentIndex().row();
    const std::optional<AddressRecord> current = row >= 0 ? std::optional(m_list.model().at(row)) : std::nullopt;
    OpenList::Reread reread;
    runBusy(this, QStringLiteral("Bezig met inlezen..."), [&] { reread = m_list.reread(); });
    const std::optional<FileResult> read = m_list.take(std::move(reread));
    if (!read)
        return;
    if (!read->ok) {
        // Told once for this change of the file; the rows stay as they were.
        const QString text = read->notice.isEmpty()
            ? QStringLiteral("De lijst %1 is buiten Plaklabels gewijzigd en kan niet opnieuw worden ingelezen.\r\n%2\r\n"
                             "De adressen hieronder blijven staan zoals ze waren.")
                  .arg(currentFile(), asSentence(read->reason))
            : read->notice;
        m_context.messages.tell(this, ProgramTitle, text, Messages::Icon::Error);
        return;
    }
    if (!read->notice.isEmpty())
        m_context.messages.tell(this, ProgramTitle, read->notice, Messages::Icon::Error);
    // The same address stays current when the file still holds it.
    const int again = current ? int(m_list.model().records().indexOf(*current)) : -1;
    if (again >= 0)
        m_actions->chooseRows({again}, again); // the fields follow the chosen current row
}

bool Main::showList(const QString& name)
{
    if (!openList(name))
        return false;
    enterWorkingState(name);
    return true;
}

void Main::enterWorkingState(const QString& fileName)
{
    setBestandCaption(fileName);
    // Shows the list and enables what works on it; the help never lies over a freshly opened list.
    setHelpShown(false);
}

bool Main::maySetAsideList()
{
    if (!isModified())
        return true;
    const auto answer = m_context.messages.ask(
        this, ProgramTitle, QStringLiteral("De lijst %1 is gewijzigd. Wijzigingen opslaan?").arg(currentFile()), true);
    if (answer == Messages::Answer::Annuleren)
        return false;
    if (answer == Messages::Answer::Nee) {
        m_list.dropChanges();
        return true;
    }
    return saveList();
}

void Main::closeEvent(QCloseEvent* event)
{
    if (!maySetAsideList()) {
        event->ignore();
        return;
    }
    storeSettings();
    event->accept();
}

void Main::storeSettings()
{
    const FileResult written = writeSettings(m_context.homeFolder, m_context.values);
    if (!written.ok)
        m_context.messages.tell(this, ProgramTitle,
                                QStringLiteral("De instellingen konden niet worden opgeslagen:\r\n") + written.reason,
                                Messages::Icon::Error);
}

void Main::runSettingsDialog(QDialog& dialog)
{
    const SavedSettings before = m_context.values;
    dialog.exec();
    // Kept at once, not only at the end: a crash must not lose a calibration.
    if (!(static_cast<const SavedSettings&>(m_context.values) == before))
        storeSettings();
    focusList();
}

void Main::showCount()
{
    m_countAdressen->setText(QString::number(m_list.model().count()) + QStringLiteral(" Adressen"));
}

void Main::setBestandCaption(const QString& caption)
{
    // A file name may hold "&", which a menu would take for a shortcut mark.
    QString shown = caption;
    m_bestand->setText(shown.replace(QLatin1Char('&'), QLatin1String("&&")));
}
