#pragma once

#include "app/Messages.h"
#include "app/ProgramValues.h"

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

    QString dataFolder() const { return homeFolder + QStringLiteral("/Data"); }
    QString listPath(const QString& name) const { return dataFolder() + QLatin1Char('/') + name; }
};

inline const QString ProgramTitle = QStringLiteral("Plaklabels");
