#include "ui/dialogs/RowFilterBox.h"

#include "app/NumberReading.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

RowFilterBox::RowFilterBox(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* columnCaption = new QLabel(QStringLiteral("Alleen rijen met"), this);
    m_column = new QComboBox(this);
    m_column->setObjectName(QStringLiteral("AlleenRijenMet"));
    // A screen reader hears the box and the list by the captions they are labelled by.
    columnCaption->setBuddy(m_column);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("RijenGekozen"));
    auto* valuesCaption = new QLabel(QStringLiteral("Waarden"), this);
    m_values = new QListWidget(this);
    m_values->setObjectName(QStringLiteral("Waarden"));
    m_values->setAccessibleName(valuesCaption->text());
    m_values->setMinimumHeight(90);
    valuesCaption->setBuddy(m_values);
    layout->addWidget(columnCaption, 0, 0);
    layout->addWidget(m_column, 0, 1);
    layout->addWidget(m_count, 1, 1, Qt::AlignTop);
    layout->addWidget(valuesCaption, 0, 2);
    layout->addWidget(m_values, 0, 3, 2, 1);
    layout->setColumnStretch(3, 1);
    connect(m_column, &QComboBox::currentIndexChanged, this, [this] {
        showValues({});
        emit changed();
    });
    connect(m_values, &QListWidget::itemChanged, this, [this] {
        showCount();
        emit changed();
    });
}

void RowFilterBox::setColumns(const QStringList& names, const ValueCounts& counts, const RowFilter& chosen)
{
    m_counts = counts;
    const QSignalBlocker blocker(m_column);
    m_column->clear();
    m_column->addItem(QStringLiteral("Alle rijen"));
    m_column->addItems(names);
    m_column->setCurrentIndex(chosen.column < names.size() ? int(chosen.column + 1) : 0);
    showValues(chosen.values);
}

RowFilter RowFilterBox::filter() const
{
    RowFilter chosen;
    if (m_column->currentIndex() <= 0 || m_counts.tooMany(m_column->currentIndex() - 1))
        return chosen;
    chosen.column = m_column->currentIndex() - 1;
    for (int i = 0; i < m_values->count(); ++i)
        if (m_values->item(i)->checkState() == Qt::Checked)
            chosen.values.insert(m_values->item(i)->data(Qt::UserRole).toString());
    return chosen;
}

QWidget* RowFilterBox::firstControl() const { return m_column; }
QWidget* RowFilterBox::lastControl() const { return m_values; }

void RowFilterBox::showValues(const QSet<QString>& ticked)
{
    const QSignalBlocker blocker(m_values);
    m_values->clear();
    const qsizetype column = m_column->currentIndex() - 1;
    if (column >= 0 && !m_counts.tooMany(column))
        for (const CountedValue& counted : m_counts.values(column)) {
            auto* item = new QListWidgetItem(QStringLiteral("%1 (%2)").arg(shownValue(counted.value), dutchNumber(counted.rows)), m_values);
            item->setData(Qt::UserRole, counted.value);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(ticked.contains(counted.value) ? Qt::Checked : Qt::Unchecked);
        }
    m_values->setCurrentRow(0);
    m_values->setEnabled(m_values->count() > 0);
    showCount();
}

void RowFilterBox::showCount()
{
    const qsizetype column = m_column->currentIndex() - 1;
    if (column >= 0 && m_counts.tooMany(column)) {
        m_count->setText(QStringLiteral("Te veel verschillende waarden om uit te kiezen."));
        return;
    }
    const qsizetype all = m_counts.rows();
    m_count->setText(QStringLiteral("%1 van %2 %3")
                         .arg(dutchNumber(m_counts.rowsTaken(filter())), dutchNumber(all),
                              all == 1 ? QStringLiteral("rij") : QStringLiteral("rijen")));
}
