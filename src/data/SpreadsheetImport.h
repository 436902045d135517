#pragma once

#include "data/AddressImport.h"

#include <QByteArray>
#include <QString>

// The first sheet of an Excel (.xlsx) or Calc (.ods) file, read as a table
// with the cells as the spreadsheet shows them: a whole number as its digits,
// text as typed (leading zeros kept). Which of the two formats the bytes hold
// is read from the bytes, not the name. fileName names the file in a reason
// why nothing could be read (damaged, protected with a password).
ImportResult importSpreadsheet(const QString& fileName, const QByteArray& bytes);
