#pragma once

#include "data/import/RowSink.h"

#include <QByteArray>
#include <QString>
#include <atomic>

// The first sheet of an Excel (.xlsx) or Calc (.ods) file, its rows handed
// to sink with the cells as the spreadsheet shows them. Which format the
// bytes hold is read from the bytes, not the name. Returns why nothing could
// be read (damaged, protected with a password, too big, an old .xls),
// naming the file as fileName; empty when read, or stopped by the sink or
// by the user.
QString readSpreadsheet(const QString& fileName, const QByteArray& bytes, RowSink& sink, const std::atomic_bool& cancelled);

// Why a file of this many rows or this much text is not read.
QString tooBigReason(const QString& fileName);
