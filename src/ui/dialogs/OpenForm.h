#pragma once

#include <QDialog>

class Main;
class QListWidget;

// Lists the address files in Data and opens the chosen one.
class OpenForm : public QDialog {
    Q_OBJECT
public:
    explicit OpenForm(Main& main);

    void List1_Click();
    void List1_DblClick();
    void OpenKnop_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Main& m_main;
    QListWidget* m_list1 = nullptr;
};
