#pragma once

#include "app/AppContext.h"

#include <QDialog>
#include <array>
#include <optional>

class QComboBox;

// Shows and changes the four offsets in steps of 60 twips.
class MargeForm : public QDialog {
    Q_OBJECT
public:
    explicit MargeForm(AppContext& context, QWidget* parent = nullptr);

    void OkKnop_Click();
    void ResetKnop_Click();
    void ProefvelKnop_Click();
    // Measured distances turned into offsets, shown in the boxes for Ok.
    void UitmetenKnop_Click();

    // A box's text as a value in steps, the way the box shows it.
    static QString stepsText(qint32 twips);

private:
    // The offsets as the boxes read now, or nothing (after telling why) when one does not fit.
    std::optional<MarginSettings> typedValues();
    void showValues(const MarginSettings& margins);
    static void followText(QComboBox* box, const QString& text);

    AppContext& m_context;
    std::array<QComboBox*, 4> m_combo1{};
};
