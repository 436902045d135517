#pragma once

#include "app/ProgramValues.h"
#include "data/AddressRecord.h"
#include "print/PrintJob.h"

class AddressListModel;
class PrinterDevice;

// Every address of the list on its own label, from position 1 on, sheet after sheet.
JobResult AfdrukkenAlleLabels(PrinterDevice& device, const AddressListModel& list, const MarginSettings& margins,
                              qint16 fontSize, bool withCountry, JobProgress* progress = nullptr);

// One address on all 21 labels of one sheet.
JobResult AfdrukkenZelfdeLabels(PrinterDevice& device, const AddressRecord& address, const MarginSettings& margins,
                                qint16 fontSize, bool withCountry);

// One address on the label at position 1..21, never with the country, offsets ignored.
JobResult AfdrukkenEnkelLabel(PrinterDevice& device, const AddressRecord& address, int position, qint16 fontSize);
