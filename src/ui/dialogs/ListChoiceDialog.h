#pragma once

#include "ui/AppContext.h"

#include <QDialog>
#include <functional>

// A dialog that hands back the list file the user chose; its owner acts on
// it after the dialog closed. The name being chosen is the program-wide
// SelectedFileName, which only this class writes.
class ListChoiceDialog : public QDialog {
public:
    // Run with the file name before the dialog closes with Ok; false keeps it
    // open, as when the user cancels saving the old list or the file cannot be read.
    using Check = std::function<bool(const QString& fileName)>;

    ListChoiceDialog(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context) {}

    void setCheck(Check check) { m_check = std::move(check); }
    QString chosenFileName() const { return m_fileName; }

protected:
    AppContext& context() { return m_context; }
    void choose(const QString& name) { m_context.values.SelectedFileName = name; }
    QString chosen() const { return m_context.values.SelectedFileName; }

    void acceptFile(const QString& fileName)
    {
        if (m_check && !m_check(fileName))
            return;
        m_fileName = fileName;
        accept();
    }

private:
    AppContext& m_context;
    Check m_check;
    QString m_fileName;
};
