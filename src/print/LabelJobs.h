#pragma once

#include "app/ProgramValues.h"
#include "data/AddressRecord.h"
#include "print/PrintJob.h"

#include <QList>

class PrinterDevice;

// The label jobs, by the names the window's own operations share
// (Main::AfdrukkenEnkelLabel asks, then LabelJobs::AfdrukkenEnkelLabel prints).
namespace LabelJobs {

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

}

// A line wider than its label is wrapped at a blank onto a line of its own
// while the label keeps six lines or fewer (an Adres never between the
// street's last word and its house number), then printed smaller, to 8
// points and at worst 6; a single word too wide even then is cut at the
// label's edge.
// Before a job: the labels that look wrong (no street, postcode or town, a
// postcode that does not fit the country) or need less than 8 points, in
// list order, each with its reasons: "Jan de Vries: geen postcode, te lang
// voor het etiket" for the first few.
struct LabelCheck {
    QList<qsizetype> named;
    QStringList lines;
    static constexpr qsizetype ShownLines = 10;
};
// May run on any thread: it asks the device for nothing but a measure of its own.
LabelCheck checkLabels(const PrinterDevice& device, const QList<AddressRecord>& labels, qint16 fontSize, bool withCountry);
