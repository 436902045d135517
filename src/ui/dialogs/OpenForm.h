#pragma once

#include "ui/dialogs/ListChoiceDialog.h"

class QListWidget;

// Lists the address files in Data and opens the chosen one.
class OpenForm : public ListChoiceDialog {
    Q_OBJECT
public:
    OpenForm(AppContext& context, QWidget* parent);

    void List1_Click();
    void List1_DblClick();
    void OpenKnop_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* m_list1 = nullptr;
};
