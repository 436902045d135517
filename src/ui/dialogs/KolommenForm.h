#pragma once

#include "data/import/TableImport.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QSpinBox;
class QTableWidget;
class RowFilterBox;

// "Kolommen kiezen": the user places the columns of a file whose Naam, Adres
// or Woonplaats the program could not place, seeing the first addresses as
// they would come in, and chooses which rows come in.
class KolommenForm : public QDialog {
    Q_OBJECT
public:
    KolommenForm(const ColumnQuestion& question, const QString& fileName, QWidget* parent = nullptr);
    ColumnChoice choice() const;

private:
    void buildColumnBoxes();
    void showPreview();

    ColumnQuestion m_question;
    QSpinBox* m_headerRow = nullptr;
    QCheckBox* m_turnNames = nullptr;
    QFormLayout* m_columns = nullptr;
    QList<QComboBox*> m_boxes;
    QTableWidget* m_preview = nullptr;
    RowFilterBox* m_filter = nullptr;
};
