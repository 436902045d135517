#pragma once

#include "app/ProgramValues.h"
#include "data/ListStorage.h"

#include <QByteArray>

// Plaklabels.ini: a banner line, a line of hyphens, the four offsets of
// "PDF-bestand", the font size; then a line for each other printer with
// offsets of its own: its name in quotes and its four offsets. A program that
// knows only the first four lines reads the file as before.

struct ParsedSettings {
    SavedSettings values; // values read before a failure stay, the rest keep defaults
    bool complete = true;
};

ParsedSettings parseSettings(const QByteArray& bytes);
QByteArray serializeSettings(const SavedSettings& settings);

QString settingsPath(const QString& homeFolder);

// Reads the settings; when the file is missing or cannot be read whole, it is
// written again at once with what could be read and defaults for the rest.
SavedSettings loadSettings(const QString& homeFolder);
FileResult writeSettings(const QString& homeFolder, const SavedSettings& settings);
