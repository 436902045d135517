#include "ui/dialogs/KolommenForm.h"

#include "data/import/ImportResult.h"
#include "ui/EnterKeys.h"
#include "ui/FormStyle.h"
#include "ui/dialogs/RowFilterBox.h"
#include "widgets/vistabutton/VistaButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QStringList FieldNames{QStringLiteral("Naam"), QStringLiteral("Adres"), QStringLiteral("Postcode"),
                             QStringLiteral("Woonplaats"), QStringLiteral("Land")};
const QString NotUsed = QStringLiteral("Niet gebruiken");
constexpr qsizetype PreviewRows = 5;

}

KolommenForm::KolommenForm(const ColumnQuestion& question, const QString& fileName, QWidget* parent)
    : QDialog(parent)
    , m_question(question)
{
    setObjectName(QStringLiteral("KolommenForm"));
    setWindowTitle(QStringLiteral("Kolommen kiezen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(FormStyle::arial(8.25));
    FormStyle::setBackground(this, FormStyle::DialogBackground);
    auto* layout = new QVBoxLayout(this);

    const QString source = fileName.isEmpty() ? QStringLiteral("de geplakte tekst") : fileName;
    // Asked for by the user after a guess, or asked because there was none.
    const QString why = m_question.proposed.uses.placesLabel()
        ? QStringLiteral("Zo zijn de kolommen van %1 gelezen.").arg(source)
        : QStringLiteral("In %1 is niet te zien welke kolom de naam, het adres of de woonplaats is.").arg(source);
    auto* intro = new QLabel(why + QStringLiteral(" Kies bij elke kolom wat erin staat; hieronder staan de eerste "
                                                  "adressen zoals ze in de lijst komen."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_preview = new QTableWidget(int(PreviewRows), int(FieldNames.size()), this);
    m_preview->setObjectName(QStringLiteral("Voorbeeld"));
    m_preview->setAccessibleName(QStringLiteral("Voorbeeld"));
    m_preview->setHorizontalHeaderLabels(FieldNames);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setFocusPolicy(Qt::NoFocus);
    m_preview->verticalHeader()->hide();
    m_preview->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_preview->setMinimumSize(640, 170);
    layout->addWidget(m_preview);

    auto* rowLine = new QHBoxLayout;
    auto* rowCaption = new QLabel(QStringLiteral("Kolomnamen in rij"), this);
    m_headerRow = new QSpinBox(this);
    m_headerRow->setObjectName(QStringLiteral("Kolomnamen"));
    m_headerRow->setRange(0, int(m_question.rows.isEmpty() ? 0 : m_question.rows.last().number));
    m_headerRow->setValue(int(m_question.proposed.headerRow));
    m_headerRow->setSpecialValueText(QStringLiteral("0 (geen)"));
    rowCaption->setBuddy(m_headerRow);
    rowLine->addWidget(rowCaption);
    rowLine->addWidget(m_headerRow);
    rowLine->addStretch();
    // Names written surname first ("Vries, Jan de") come in turned round; this undoes it.
    m_turnNames = new QCheckBox(QStringLiteral("Namen omdraaien"), this);
    m_turnNames->setObjectName(QStringLiteral("NamenOmdraaien"));
    m_turnNames->setAccessibleName(m_turnNames->text());
    m_turnNames->setChecked(m_question.proposed.uses.turnNames);
    connect(m_turnNames, &QCheckBox::toggled, this, &KolommenForm::showPreview);
    rowLine->addWidget(m_turnNames);
    layout->addLayout(rowLine);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setMinimumHeight(200);
    auto* columnsArea = new QWidget(scroll);
    m_columns = new QFormLayout(columnsArea);
    scroll->setWidget(columnsArea);
    layout->addWidget(scroll);
    m_filter = new RowFilterBox(this);
    connect(m_filter, &RowFilterBox::changed, this, &KolommenForm::showPreview);
    layout->addWidget(m_filter);
    buildColumnBoxes();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    VistaButton* ok = FormStyle::button(this, QStringLiteral("OkKnop"), QStringLiteral("Ok"), FormStyle::twipRect(0, 0, 990, 360));
    VistaButton* cancel =
        FormStyle::button(this, QStringLiteral("CancelKnop"), QStringLiteral("Annuleren"), FormStyle::twipRect(0, 0, 990, 360));
    ok->setFixedSize(ok->size());
    cancel->setFixedSize(cancel->size());
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &VistaButton::Click, this, &QDialog::accept);
    connect(cancel, &VistaButton::Click, this, &QDialog::reject);
    EnterKeys::enterPressesButtons(this, [this] { accept(); });

    connect(m_headerRow, &QSpinBox::valueChanged, this, [this](int row) {
        // Other names, other columns: what they place is proposed anew.
        const QStringList names = m_question.namesAt(row);
        m_question.proposed = {row, row > 0 ? recogniseColumns(names).uses : ColumnUses::inFieldOrder(AddressRecord::FieldCount)};
        buildColumnBoxes();
    });
    if (!m_boxes.isEmpty())
        m_boxes.first()->setFocus();
    adjustSize();
    FormStyle::centreOnScreen(this);
}

void KolommenForm::buildColumnBoxes()
{
    while (m_columns->rowCount() > 0)
        m_columns->removeRow(0);
    m_boxes.clear();
    const QStringList names = m_question.namesAt(m_question.proposed.headerRow);
    setTabOrder(m_headerRow, m_turnNames);
    QWidget* previous = m_turnNames;
    QStringList captions;
    for (qsizetype column = 0; column < m_question.columns; ++column) {
        const QString name = names.value(column).simplified();
        captions.append(name.isEmpty() ? columnLetterName(column) : name);
        auto* caption = new QLabel(captions.last(), m_columns->parentWidget());
        auto* box = new QComboBox(m_columns->parentWidget());
        box->addItems(FieldNames);
        box->addItem(NotUsed);
        const int field = m_question.proposed.uses.fieldOf.value(column, ColumnUses::Unused);
        box->setCurrentIndex(field == ColumnUses::Unused ? int(FieldNames.size()) : field);
        // A screen reader hears the box by the caption it is labelled by.
        caption->setBuddy(box);
        m_columns->addRow(caption, box);
        connect(box, &QComboBox::currentIndexChanged, this, &KolommenForm::showPreview);
        setTabOrder(previous, box);
        previous = box;
        m_boxes.append(box);
    }
    m_filter->setColumns(captions, m_question.valuesBelow(m_question.proposed.headerRow), m_question.proposed.filter);
    setTabOrder(previous, m_filter->firstControl());
    setTabOrder(m_filter->firstControl(), m_filter->lastControl());
    showPreview();
}

ColumnChoice KolommenForm::choice() const
{
    ColumnChoice chosen{m_headerRow->value(), {}};
    for (const QComboBox* box : m_boxes)
        chosen.uses.fieldOf.append(box->currentIndex() < FieldNames.size() ? box->currentIndex() : ColumnUses::Unused);
    // What a column's name says of it stays while the column keeps its field.
    chosen.uses.keepPartsOf(m_question.proposed.uses);
    chosen.uses.turnNames = m_turnNames->isChecked();
    chosen.filter = m_filter->filter();
    return chosen;
}

void KolommenForm::showPreview()
{
    m_preview->clearContents();
    const ColumnChoice chosen = choice();
    int shown = 0;
    for (qsizetype i = m_question.firstDataRow(chosen.headerRow); i < m_question.rows.size() && shown < PreviewRows; ++i) {
        if (!chosen.filter.takes(m_question.rows[i].cells))
            continue;
        auto fields = chosen.uses.fields(m_question.rows[i].cells);
        takeCountryAsTheListDoes(fields); // as the import fills it in
        for (int f = 0; f < AddressRecord::FieldCount; ++f)
            m_preview->setItem(shown, f, new QTableWidgetItem(fields[size_t(f)]));
        ++shown;
    }
}
