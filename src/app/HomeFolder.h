#pragma once

#include <QString>

// Where the program keeps its lists (Data), its settings file and its PDFs
// (Afdrukken): decided once at start-up, and no other code knows which case it is.
struct HomeFolder {
    QString path;
    QString problem; // told once at start-up when the per-user home could not be set up
};

// The places in the home folder; no other code spells their names.
namespace Home {
QString dataFolder(const QString& home);     // the lists, "*.lst"
QString listFile(const QString& home, const QString& name);
QString recoveryFolder(const QString& home); // copies of lists with unsaved changes
QString setAsideFolder(const QString& home); // recovery copies the user did not want, kept 30 days
QString printFolder(const QString& home);    // PDFs printed to "PDF-bestand"
QString settingsFile(const QString& home);
QString columnChoicesFile(const QString& home); // the columns chosen for imported files, by their names
QString lockFile(const QString& home);
}

// Beside the program when its folder is writable (a portable copy, the build
// folder, a USB stick): that always wins, so a copy on a stick never reads
// another user's lists. An installed program (its folder not writable, or the
// folder it is installed in) keeps them in the per-user folder, which gets the
// example list in its Data on first use; a list that exists is never overwritten.
HomeFolder chooseHomeFolder(const QString& programFolder, const QString& perUserFolder, const QString& exampleList,
                            const QString& installedFolder);
