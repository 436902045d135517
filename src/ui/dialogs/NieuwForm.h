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

private:
    QLineEdit* m_text1 = nullptr;
};
