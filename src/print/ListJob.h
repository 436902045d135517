#pragma once

#include "print/PrintJob.h"

#include <QDateTime>

class AddressListModel;
class PrinterDevice;

// The whole list as a table on plain A4: title, moment of printing, a header
// row on every page, one line per address.
JobResult AfdrukkenLijst(PrinterDevice& device, const AddressListModel& list, qint16 fontSize, const QDateTime& now,
                         JobProgress* progress = nullptr);

// The header row and its dashed rule at y; leaves bold on.
bool AfdrukkenKoppen(PrinterDevice& device, int y);

// "hh:mm:ss / dd-mm-yyyy"
QString printMoment(const QDateTime& now);

// Pages the list job gives for this many addresses.
qint64 listPages(qint64 addresses);
