#pragma once

#include "app/ProgramValues.h"
#include "data/AddressRecord.h"
#include "print/PrintJob.h"

#include <QList>

class PrinterDevice;

// Every address on its own label, sheet after sheet. The first sheet starts
// at firstPosition, as if the labels before it had been printed (they are in
// use already); later sheets at position 1.
JobResult AfdrukkenAlleLabels(PrinterDevice& device, const QList<AddressRecord>& addresses, const MarginSettings& margins,
                              qint16 fontSize, bool withCountry, int firstPosition = 1, JobProgress* progress = nullptr);

// One address on the labels of one sheet from firstPosition to 21.
JobResult AfdrukkenZelfdeLabels(PrinterDevice& device, const AddressRecord& address, const MarginSettings& margins,
                                qint16 fontSize, bool withCountry, int firstPosition = 1);

// One address on the label at position 1..21, placed as the sheet jobs place
// it; the country only for an address abroad.
JobResult AfdrukkenEnkelLabel(PrinterDevice& device, const AddressRecord& address, int position, qint16 fontSize,
                              const MarginSettings& margins = {});

// A sheet for trying the offsets on plain paper: at each of the 21 positions
// the outline of its label, a cross where its text starts and sample text on
// the label's five lines; below them the line that says which offsets these are.
JobResult AfdrukkenProefvel(PrinterDevice& device, const MarginSettings& margins, qint16 fontSize, const QString& marginsLine);

// Every label job prints a line wider than its label in a smaller size, down
// to 6 points; a line too wide even then is cut at its label's right edge.
// Before a job, the addresses with such lines, in list order: how many of
// each kind and the names of the first few.
struct TooWide {
    struct Addresses {
        qsizetype count = 0;
        QStringList names;
    };
    Addresses shrunk; // every line fits in a smaller size
    Addresses cut;    // a line does not fit even in the smallest size
    static constexpr qsizetype ShownNames = 10;
};
TooWide findTooWide(PrinterDevice& device, const QList<AddressRecord>& addresses, qint16 fontSize, bool withCountry);
