#pragma once

#include "data/import/RowFilter.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;

// The rows that come in, chosen in "Kolommen kiezen": a column ("Alleen rijen
// met"), its values with their counts to tick ("Waarden"), and how many rows
// the ticks take ("23 van 40 rijen").
class RowFilterBox : public QWidget {
    Q_OBJECT
public:
    explicit RowFilterBox(QWidget* parent = nullptr);
    // The columns by name and the values of the rows below the header; the
    // choice stays where it still fits.
    void setColumns(const QStringList& names, const ValueCounts& counts, const RowFilter& chosen);
    RowFilter filter() const;
    QWidget* firstControl() const;
    QWidget* lastControl() const;

signals:
    void changed();

private:
    void showValues(const QSet<QString>& ticked);
    void showCount();

    QComboBox* m_column = nullptr;
    QListWidget* m_values = nullptr;
    QLabel* m_count = nullptr;
    ValueCounts m_counts;
};
