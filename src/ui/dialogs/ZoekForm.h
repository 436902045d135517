#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;

// Asks what to look for; each "Volgende" (or Enter) hands the text to the
// owner, which highlights the next address holding it.
class ZoekForm : public QDialog {
    Q_OBJECT
public:
    using FindNext = std::function<void(const QString& text)>;
    ZoekForm(const QString& lastText, FindNext findNext, QWidget* parent);

    void VolgendeKnop_Click();

private:
    FindNext m_findNext;
    QLineEdit* m_text = nullptr;
};
