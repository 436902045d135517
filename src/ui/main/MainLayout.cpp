// Builds the controls of the main window, in the order start-up lays them out.
#include "app/Algemeen.h"
#include "data/Countries.h"
#include "ui/FormStyle.h"
#include "ui/main/CellEditing.h"
#include "ui/main/HelpText.h"
#include "ui/main/Main.h"
#include "resources/PrinterPicture.h"
#include "ui/main/SheetPreview.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <QTreeView>
#include <functional>

using FormStyle::px;
using FormStyle::twipRect;

namespace {

QFrame* frame(QWidget* parent, const QString& name, QRect geometry)
{
    auto* box = new QFrame(parent);
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Sunken);
    box->setObjectName(name);
    box->setGeometry(geometry);
    FormStyle::setBackground(box, FormStyle::WindowBackground);
    return box;
}

QAction* menuItem(QObject* parent, const QString& name, const QString& caption, bool enabled = true)
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
}

}

QStringList Main::fieldPrompts()
{
    return {QStringLiteral("Voor en Achternaam"), QStringLiteral("Straatnaam en Huisnummer"), QStringLiteral("Postcode"),
            QStringLiteral("Woonplaats"), QStringLiteral("Land")};
}

void Main::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->menuAction()->setObjectName(QStringLiteral("File"));
    QAction* nieuw = file->addAction(QStringLiteral("Nieuw"));
    nieuw->setObjectName(QStringLiteral("FileNieuw"));
    QAction* open = file->addAction(QStringLiteral("Openen"));
    open->setObjectName(QStringLiteral("FileOpen"));
    connect(nieuw, &QAction::triggered, this, &Main::FileNieuw_Click);
    connect(open, &QAction::triggered, this, &Main::FileOpen_Click);

    QAction* marges = menuItem(bar, QStringLiteral("Marges"), QStringLiteral("Marges"));
    bar->addAction(marges);
    connect(marges, &QAction::triggered, this, &Main::Marges_Click);

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    // Alt and a caption's first letter open its menu; the captions have no
    // marks of their own, so their text stays as it is.
    const auto altKey = [this](QKeyCombination keys, const std::function<void()>& open) {
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this, open);
    };
    altKey(Qt::ALT | Qt::Key_F, [bar, file] { bar->setActiveAction(file->menuAction()); });
    altKey(Qt::ALT | Qt::Key_M, [marges] { marges->trigger(); });
    altKey(Qt::ALT | Qt::Key_H, [bar, help] { bar->setActiveAction(help->menuAction()); });
    help->menuAction()->setObjectName(QStringLiteral("Help"));
    m_helpUitleg = help->addAction(QStringLiteral("Korte Uitleg"));
    m_helpUitleg->setObjectName(QStringLiteral("HelpUitleg"));
    m_helpUitleg->setCheckable(true);
    QAction* meer = help->addAction(QStringLiteral("Meer Software"));
    meer->setObjectName(QStringLiteral("Meersoftware"));
    connect(m_helpUitleg, &QAction::triggered, this, &Main::HelpUitleg_Click);
    connect(meer, &QAction::triggered, this, [] { Algemeen::ShellOpen(Algemeen::MakerWebPage); });

    // A status line inside the menu bar: the open file and the number of addresses.
    bar->addAction(menuItem(bar, QStringLiteral("Streep1"), QStringLiteral("/"), false));
    m_bestand = menuItem(bar, QStringLiteral("Bestand"), QStringLiteral("Bestand"), false);
    bar->addAction(m_bestand);
    bar->addAction(menuItem(bar, QStringLiteral("Streep2"), QStringLiteral("/"), false));
    m_countAdressen = menuItem(bar, QStringLiteral("CountAdressen"), QStringLiteral("Aantal"), false);
    bar->addAction(m_countAdressen);
}

void Main::buildListArea(QWidget* central)
{
    QFrame* frame1 = frame(central, QStringLiteral("Frame1"), twipRect(150, 60, 6330, 4350));
    const QRect area = twipRect(135, 240, 6045, 3960);

    m_listView = new QTreeView(frame1);
    m_listView->setObjectName(QStringLiteral("ListView1"));
    m_listView->setGeometry(area);
    m_listView->setRootIsDecorated(false);
    m_listView->setItemsExpandable(false);
    m_listView->setUniformRowHeights(true);
    m_listView->setAllColumnsShowFocus(true);
    m_listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows can be chosen (Ctrl, Shift, Ctrl+A) to print or delete only those.
    m_listView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A double-click edits the cell clicked; F2 edits the current cell (eventFilter).
    m_listView->setEditTriggers(QAbstractItemView::DoubleClicked);
    m_listView->setItemDelegate(new AddressCellDelegate(
        [this](const QModelIndex& cell, const QString& value) { storeCellValue(cell, value); },
        // After the view has given up opening the editor.
        [this](const QString& why) { QTimer::singleShot(0, this, [this, why] { m_context.messages.tell(this, ProgramTitle, why); }); },
        m_listView));
    m_listView->installEventFilter(this); // F2 and paste
    setAcceptDrops(true);
    FormStyle::setColours(m_listView, QColor(30, 30, 50), QColor(235, 235, 235));
    m_listView->setModel(m_list.itemModel());
    m_listView->setAccessibleName(QStringLiteral("Adressen"));
    const int widths[] = {1650, 1880, 990, 1200, 1200};
    for (int column = 0; column < AddressRecord::FieldCount; ++column)
        m_listView->header()->resizeSection(column, px(widths[column]));
    m_listView->header()->setStretchLastSection(false);
    m_listView->hide();
    connect(m_listView, &QTreeView::clicked, this, &Main::ListView1_ItemClick);
    // A changed cell of the highlighted address changes what gets printed.
    connect(m_list.itemModel(), &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& changed) {
        if (m_listView->currentIndex().row() == changed.row())
            ListView1_ItemClick(changed);
    });
    // Arrow keys, Page Up/Down and type-ahead move the current row too: the
    // row last clicked or moved to is the address that gets printed.
    // A row that only has the focus frame, as after Delete, is not chosen.
    const auto followCurrent = [this] {
        const QModelIndex current = m_listView->currentIndex();
        if (current.isValid() && m_listView->selectionModel()->isRowSelected(current.row()))
            ListView1_ItemClick(current);
    };
    connect(m_listView->selectionModel(), &QItemSelectionModel::currentRowChanged, this, followCurrent);
    connect(m_listView->selectionModel(), &QItemSelectionModel::selectionChanged, this, followCurrent);

    m_image = new QLabel(frame1);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(area);
    m_image->setScaledContents(true);
    m_image->setPixmap(QPixmap::fromImage(drawPrinterPicture(devicePixelRatioF())));
    m_image->setAccessibleName(QStringLiteral("Printer"));
    m_image->setAccessibleDescription(QStringLiteral("Een printer die etiketten afdrukt; open of maak een lijst via het menu File"));

    m_helpPic = new HelpSurface(frame1);
    m_helpPic->setObjectName(QStringLiteral("HelpPic"));
    m_helpPic->setGeometry(area); // its text is drawn when first asked for, not at every start
    m_helpPic->setAccessibleName(QStringLiteral("Korte uitleg"));
    m_helpPic->hide();
}

void Main::buildPreviewArea(QWidget* central)
{
    m_frame2 = frame(central, QStringLiteral("Frame2"), twipRect(6585, 60, 3090, 4350));
    m_a4 = new SheetPreview(m_frame2);
    m_a4->setObjectName(QStringLiteral("A4"));
    m_a4->setGeometry(twipRect(135, 225, 2805, 3990));
    m_a4->drawAll();
    m_a4->setEnabled(false);
    connect(m_a4, &SheetPreview::pressed, this, &Main::A4_MouseDown);
}

void Main::buildEditArea(QWidget* central)
{
    m_frame4 = frame(central, QStringLiteral("Frame4"), twipRect(6585, 60, 3090, 4350));
    m_frame4->hide();
    const QStringList prompts = fieldPrompts();
    for (int i = 0; i < AddressRecord::FieldCount; ++i) {
        auto* field = new QLineEdit(m_frame4);
        field->setObjectName(QStringLiteral("Text1_%1").arg(i));
        field->setAccessibleName(addressFieldNames()[i]);
        field->setGeometry(twipRect(135, 255 + 690 * i, 2805, 285));
        FormStyle::setColours(field, QColor(40, 40, 40), QColor(255, 255, 255));
        FormStyle::makeAddressField(field);
        connect(field, &QLineEdit::returnPressed, this, &Main::addAddress);
        m_text1[size_t(i)] = field;
        FormStyle::caption(m_frame4, QStringLiteral("Label2_%1").arg(i), prompts[i], 150, 585 + 690 * i, FormStyle::CaptionGrey);
    }
    m_text1[AddressRecord::Land]->setText(DefaultLand);

    struct Knop {
        QString caption;
        QString tip;
        std::function<void()> handler;
    };
    const Knop knoppen[] = {{QStringLiteral("Add"), QStringLiteral(" Adres toevoegen "), [this] { addAddress(); }},
                            {QStringLiteral("Delete"), QStringLiteral(" Adres verwijderen "), [this] { deleteAddress(); }},
                            {QStringLiteral("Opslaan"), QStringLiteral(" Lijst opslaan (Save) "), [this] { saveList(); }}};
    for (int i = 0; i < 3; ++i) {
        VistaButton* knop = FormStyle::button(m_frame4, QStringLiteral("Knop_%1").arg(i), knoppen[i].caption,
                                              twipRect(135 + 960 * i, 3825, 900, 360));
        knop->setToolTip(knoppen[i].tip);
        connect(knop, &VistaButton::Click, this, knoppen[i].handler);
    }
}

void Main::buildButtonBar(QWidget* central)
{
    QFrame* frame3 = frame(central, QStringLiteral("Frame3"), twipRect(150, 4410, 9540, 750));
    m_editKnop = FormStyle::button(frame3, QStringLiteral("EditKnop"), QStringLiteral("Bewerken"),
                                   twipRect(135, 240, 990, 360), false);
    m_editKnop->setToolTip(QStringLiteral(" Adressen toevoegen of verwijderen "));
    m_label3 = FormStyle::caption(frame3, QStringLiteral("Label3"), QStringLiteral("Adressen Toevoegen"), 1200, 315,
                                  FormStyle::CaptionGrey);
    m_afdrukKnop = FormStyle::button(frame3, QStringLiteral("AfdrukKnop"), QStringLiteral("Afdrukken"),
                                     twipRect(7350, 240, 990, 360), false);
    m_afdrukKnop->setToolTip(QStringLiteral(" Complete lijst afdrukken "));
    VistaButton* cancelKnop = FormStyle::button(frame3, QStringLiteral("CancelKnop"), QStringLiteral("Stoppen"),
                                                twipRect(8400, 240, 990, 360));
    cancelKnop->setToolTip(QStringLiteral(" Stoppen "));

    connect(m_editKnop, &VistaButton::Click, this, &Main::EditKnop_Click);
    connect(m_afdrukKnop, &VistaButton::Click, this, &Main::AfdrukKnop_Click);
    connect(cancelKnop, &VistaButton::Click, this, &Main::close);
}
