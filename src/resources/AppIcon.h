#pragma once

#include <QIcon>

// The program's window icon: a small sheet of address labels, drawn in code.
QIcon appIcon();
