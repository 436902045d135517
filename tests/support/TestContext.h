#pragma once

#include "RecordingDevice.h"
#include "ScriptedMessages.h"
#include "ui/AppContext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A program folder of its own with a Data folder, scripted message boxes and
// a recording printer: what every window test starts from.
struct TestContext {
    QTemporaryDir folder;
    ScriptedMessages messages;
    RecordingDevice printer;
    AppContext context{folder.path(), {}, messages, printer,
                       [] { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9)); }};

    TestContext() { QDir(folder.path()).mkdir(QStringLiteral("Data")); }

    QString dataPath(const QString& name) const { return folder.path() + QStringLiteral("/Data/") + name; }

    void writeList(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dataPath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    QByteArray readList(const QString& name) const
    {
        QFile file(dataPath(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
};
