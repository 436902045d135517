#pragma once

#include "app/HomeFolder.h"
#include "app/ProgramValues.h"
#include "ui/Messages.h"

#include <QDateTime>
#include <QString>
#include <functional>

class PrinterDevice;

// What every window needs: the home folder, the shared values, the message
// boxes and the printer. Tests build one over a temporary folder.
struct AppContext {
    QString homeFolder;
    ProgramValues values;
    Messages& messages;
    PrinterDevice& printer;
    std::function<QDateTime()> clock = &QDateTime::currentDateTime;

    QString dataFolder() const { return Home::dataFolder(homeFolder); }
    QString listPath(const QString& name) const { return Home::listFile(homeFolder, name); }
};
