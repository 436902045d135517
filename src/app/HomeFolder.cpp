#include "app/HomeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Home {
QString dataFolder(const QString& home) { return home + QStringLiteral("/Data"); }
QString listFile(const QString& home, const QString& name) { return dataFolder(home) + QLatin1Char('/') + name; }
QString recoveryFolder(const QString& home) { return home + QStringLiteral("/Herstel"); }
QString setAsideFolder(const QString& home) { return recoveryFolder(home) + QStringLiteral("/Oud"); }
QString printFolder(const QString& home) { return home + QStringLiteral("/Afdrukken"); }
QString settingsFile(const QString& home) { return home + QStringLiteral("/Plaklabels.ini"); }
QString columnChoicesFile(const QString& home) { return home + QStringLiteral("/Kolommen.txt"); }
QString lockFile(const QString& home) { return home + QStringLiteral("/Plaklabels.lock"); }
}

HomeFolder chooseHomeFolder(const QString& programFolder, const QString& perUserFolder, const QString& exampleList,
                            const QString& installedFolder)
{
    // Root may write into /usr/bin, but an installed program must not.
    const bool installed = QDir(programFolder) == QDir(installedFolder);
    if (!installed && QFileInfo(programFolder).isWritable())
        return {programFolder, {}};

    const QString data = Home::dataFolder(perUserFolder);
    const bool firstUse = !QFileInfo::exists(data);
    if (!QDir().mkpath(data))
        return {perUserFolder, QStringLiteral("De map %1 voor je adreslijsten kon niet worden aangemaakt.\r\n"
                                              "Plaklabels werkt verder, maar kan geen lijsten of instellingen bewaren.")
                                   .arg(QDir::toNativeSeparators(perUserFolder))};
    const QString example = data + QStringLiteral("/voorbeeld.lst");
    if (firstUse && QFileInfo::exists(exampleList) && !QFileInfo::exists(example) && !QFile::copy(exampleList, example)) {
        QFile::remove(example); // a half copy is no example
        return {perUserFolder, QStringLiteral("De voorbeeldlijst kon niet in %1 worden gezet (is de schijf vol?).")
                                   .arg(QDir::toNativeSeparators(data))};
    }
    return {perUserFolder, {}};
}
