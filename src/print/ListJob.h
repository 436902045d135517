#pragma once

#include "print/PrintJob.h"

#include "data/AddressRecord.h"

#include <QDateTime>
#include <QList>

class PrinterDevice;

// The addresses as a table on plain A4: title, moment of printing, a header
// row on every page, one line per address.
JobResult AfdrukkenLijst(PrinterDevice& device, const QList<AddressRecord>& addresses, qint16 fontSize,
                         const QDateTime& now, JobProgress* progress = nullptr);

// The header row and its dashed rule at y; leaves bold on.
bool AfdrukkenKoppen(PrinterDevice& device, int y);

// "hh:mm:ss / dd-mm-yyyy"
QString printMoment(const QDateTime& now);

// Pages the list job gives for this many addresses.
qint64 listPages(qint64 addresses);
