#pragma once

#include "ui/AppContext.h"

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

    // Shows the offsets of the printer chosen in the Printer box; what was
    // typed for the one shown before is kept for Ok.
    void Printer_Change();

    // A box's text as a value in steps, the way the box shows it: a decimal comma.
    static QString stepsText(qint32 twips);

private:
    void buildPrinterBox();
    // The offsets as the boxes read now, or nothing (after telling why) when one does not fit.
    std::optional<MarginSettings> typedValues();
    void showValues(const MarginSettings& margins);
    // Keeps what the boxes hold for the printer shown; false when a box does not read.
    bool keepTyped();
    static void followText(QComboBox* box, const QString& text);

    AppContext& m_context;
    std::array<QComboBox*, 4> m_combo1{};
    QComboBox* m_printer = nullptr;
    QString m_shown; // the printer whose offsets the boxes show
    QMap<QString, MarginSettings> m_typed;
};
