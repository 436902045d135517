#pragma once

#include "ui/dialogs/ListChoiceDialog.h"

class QLineEdit;
class VistaButton;

// Asks a name for a new, empty address list.
class NieuwForm : public ListChoiceDialog {
    Q_OBJECT
public:
    NieuwForm(AppContext& context, QWidget* parent);

    void OkKnop_Click();

    // True for a name that can be a file in the Data folder and nowhere else.
    static bool isUsableFileName(const QString& name);

private:
    QLineEdit* m_text1 = nullptr;
};
