#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. The program takes no arguments of its
// own but --help and --version; Qt's own options (-platform, -style, ...)
// pass through to Qt, and anything that is not an option is left alone.
enum class CommandLineAction { Start, Help, Version, Refuse };
CommandLineAction readCommandLine(const QStringList& arguments);

// The short usage in Dutch that --help prints.
QString usageText();
