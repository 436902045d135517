#pragma once

#include "ui/AppContext.h"
#include "data/AddressRecord.h"
#include "data/Mailing.h"
#include "ui/LabelChoice.h"
#include "print/PrintJob.h"

#include <QDialog>
#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class VistaButton;

// The print dialog: printer, font size and one of three jobs.
class AfdrukForm : public QDialog {
    Q_OBJECT
public:
    // The three options, in their order in the dialog.
    enum class Job { AllOnLabels, ListOnA4, TwentyOneOfOne };

    // With two or more addresses chosen in the list, the first two options
    // print only those; otherwise the whole list.
    AfdrukForm(AppContext& context, const QList<AddressRecord>& rows, const QList<AddressRecord>& chosen,
               const AddressRecord& current, QWidget* parent = nullptr);

    void Combo2_Change();
    void Option1_Click(int index);
    void Check1_Click();
    void PrintKnop_Click();

private:
    void buildBoxes();
    void buildOptions();
    void showLabelsCaption();
    void buildLabelPicture();
    void buildButtons();
    void buildStartBox();
    void setTabOrders();
    Job chosenJob() const;
    // The offsets of the printer chosen.
    MarginSettings margins() const;
    // What the first two options print.
    const QList<AddressRecord>& addresses() const;
    // The question before the labels of the first option: how many labels,
    // and before it the households that get one between them.
    QString labelsQuestion(const ChosenLabels& chosen) const;
    // Each job from its question to its finish; false when the user stopped it first.
    bool printAllOnLabels();
    bool printTwentyOneOfOne();
    bool printList();
    // Where the next sheet in this printer starts, after a job that went well.
    void rememberNextLabel(qsizetype labelsPrinted);
    QString listQuestion() const;
    QString labelPictureText(bool withCountry) const;
    void showLabelPicture(bool withCountry);
    // Reads the font size box; false (after telling the user) when it gives no usable size.
    bool storeFontSize();

    AppContext& m_context;
    const QList<AddressRecord> m_rows; // the whole list, shared, not copied
    QList<AddressRecord> m_chosen;
    AddressRecord m_current;

    QComboBox* m_combo2 = nullptr;
    QComboBox* m_combo1 = nullptr;
    std::array<QRadioButton*, 3> m_option1{};
    QWidget* m_plaklabel = nullptr;
    QLabel* m_label3 = nullptr;
    QCheckBox* m_check1 = nullptr;
    QCheckBox* m_households = nullptr;
    QLabel* m_startCaption = nullptr;
    QSpinBox* m_startBox = nullptr;
    VistaButton* m_cancelKnop = nullptr;
    VistaButton* m_printKnop = nullptr;
};
