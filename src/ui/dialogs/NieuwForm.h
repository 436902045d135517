#pragma once

#include <QDialog>

class Main;
class QLineEdit;
class VistaButton;

// Asks a name for a new, empty address list.
class NieuwForm : public QDialog {
    Q_OBJECT
public:
    explicit NieuwForm(Main& main);

    void OkKnop_Click();

    // True for a name that can be a file in the Data folder and nowhere else.
    static bool isUsableFileName(const QString& name);

private:
    Main& m_main;
    QLineEdit* m_text1 = nullptr;
};
