#pragma once

#include "data/AddressRecord.h"
#include "data/OpenList.h"
#include "ui/AppContext.h"

#include <QMainWindow>
#include <array>
#include <optional>

struct ColumnChoice;
struct ColumnQuestion;
struct ImportInput;
struct ImportResult;
class ListActions;
class QAction;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QTreeView;
class SheetPreview;
class VistaButton;

// The program's only top-level window: the address list on the left, the
// sheet preview or the editing fields on the right, a bar of buttons below.
class Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Main(AppContext& context, QWidget* parent = nullptr);

    AppContext& context() { return m_context; }
    const AddressListModel& model() const { return m_list.model(); }
    // Whether the open list has changes not yet saved.
    bool isModified() const { return m_list.isModified(); }

    // The address in the five edit fields.
    AddressRecord currentAddress() const;
    // The open list's file name, or empty while none is open.
    QString currentFile() const { return m_list.name(); }

    // Loads Data/name into the list; tells the user and keeps the old list when it cannot.
    bool openList(const QString& name);
    // Empties the list for a new file of that name.
    void startNewList(const QString& fileName);
    // Opens Data/name as the open-file dialog does: loaded, shown, and what needs an open list enabled.
    bool showList(const QString& name);
    // Before the open list is replaced or the window closed: asks whether to
    // save unsaved changes. False when the user chose to keep things as they are.
    bool maySetAsideList();

    // At start: recovery copies of lists with unsaved changes, offered one by one.
    void offerRecoveries();

    // Addresses from the clipboard or from dropped files, added after one question.
    void pasteAddresses();
    void importFiles(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Shows the list and enables what needs an open list.
    void enterWorkingState(const QString& fileName);

    // Building the window.
    static QStringList fieldPrompts();
    void buildMenus();
    void buildListArea(QWidget* central);
    void buildPreviewArea(QWidget* central);
    void buildEditArea(QWidget* central);
    void buildButtonBar(QWidget* central);

    // Editing.
    void EditKnop_Click();
    void addAddress();
    static std::optional<QString> refusal(int field, QStringView value);
    // A field edited in the list: refused with a message, or stored as a step that can be undone.
    void storeCellValue(const QModelIndex& cell, const QString& value);
    // An open cell editor hands in its text and closes, before a worker reads the addresses.
    void finishCellEdit();
    void deleteAddress();
    bool saveList();
    // Back in the window: an unchanged list whose file someone else changed is read again.
    void reloadIfChangedElsewhere();

    // Asks whether to bring back the unsaved rows of a list from an earlier
    // run; a copy the user does not want goes, one that cannot be read is told.
    bool wantsRecovery(const OpenList::Recovery& found);
    // The rows changed: the count follows, and no sort is in force any more.
    void followChange();
    void ListView1_ItemClick(const QModelIndex& index);
    // Puts a field in its edit box, or its start when it is too long to edit there.
    void showInField(int field, QStringView text);
    // The chosen rows in list order.
    QList<int> chosenRows() const;
    // The chosen addresses in list order.
    QList<AddressRecord> chosenAddresses() const;

    // Menus, help and printing.
    void FileNieuw_Click();
    void FileOpen_Click();
    void Marges_Click();
    void HelpUitleg_Click();
    void AfdrukKnop_Click();
    void A4_MouseDown(Qt::MouseButton button, QPointF position);
    void AfdrukkenEnkelLabel(int position);
    void setHelpShown(bool shown);
    // Writes the margins and the font size, telling the user when it cannot.
    void storeSettings();
    // Runs a dialog that may change the settings, and writes them when it did.
    void runSettingsDialog(QDialog& dialog);
    // After a dialog, or a list opened: the keyboard goes on in the list.
    void focusList();

    // Reads what is to be imported beside the window, asks the user to place
    // columns where the program cannot, and adds after one question.
    void addImported(ImportInput input);
    std::optional<ColumnChoice> askColumns(const ColumnQuestion& question);
    // True when the user chose "Kolommen kiezen" instead of Ja or Nee.
    bool askAndAppend(const ImportResult& imported);

    // The keys of the list as a whole, wired to its actions.
    void buildListKeys();
    bool tellIfNoList();

    void showCount();
    void setBestandCaption(const QString& caption);

    AppContext& m_context;
    OpenList m_list;
    ListActions* m_actions = nullptr;
    bool m_centred = false;

    QAction* m_helpUitleg = nullptr;
    QAction* m_bestand = nullptr;
    QAction* m_countAdressen = nullptr;
    QTreeView* m_listView = nullptr;
    QLabel* m_image = nullptr;
    QLabel* m_helpPic = nullptr;
    QFrame* m_frame2 = nullptr;
    QFrame* m_frame4 = nullptr;
    SheetPreview* m_a4 = nullptr;
    std::array<QLineEdit*, AddressRecord::FieldCount> m_text1{};
    // The address last shown in the boxes, for the fields too long to hold there.
    AddressRecord m_shownAddress;
    std::array<bool, AddressRecord::FieldCount> m_fieldTooLong{};
    VistaButton* m_editKnop = nullptr;
    VistaButton* m_afdrukKnop = nullptr;
    QLabel* m_label3 = nullptr;
};
