#pragma once

#include "print/LabelSheet.h"

#include <QDialog>
#include <array>

class QDoubleSpinBox;

// Asks how far the printed outlines of a proof sheet lie from the real
// labels, at label 1 and label 21, in millimetres.
class UitmetenForm : public QDialog {
    Q_OBJECT
public:
    explicit UitmetenForm(QWidget* parent = nullptr);

    LabelSheet::Measured measured() const;

private:
    std::array<QDoubleSpinBox*, 4> m_boxes{};
};
