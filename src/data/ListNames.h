#pragma once

#include <QString>

// What makes a usable list name.

// A list is opened and saved under a bare file name: it never reaches outside
// the Data folder.
bool isListFileName(const QString& name);

// A name typed for a new list (the ".lst" comes after it): a list file name
// that every file system takes as one name, without characters that some
// refuse, and short enough for them.
bool isNewListName(const QString& name);
