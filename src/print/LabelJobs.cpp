#include "print/LabelJobs.h"

#include "data/AddressListModel.h"
#include "print/LabelSheet.h"
#include "print/PrinterDevice.h"

namespace {

bool setUpDevice(PrinterDevice& device, qint16 fontSize)
{
    return device.SetUnitTwips() && device.SetPortrait() && device.SetFontName(QStringLiteral("Arial"))
        && device.SetFontBold(true) && device.SetFontSize(fontSize) && device.SetTextColor(LabelSheet::TextColour);
}

bool printLine(PrinterDevice& device, qint64 x, qint64 y, const QString& text)
{
    return device.SetCurrentX(float(x)) && device.SetCurrentY(float(y)) && device.PrintText(text);
}

bool printLabel(PrinterDevice& device, qint64 x, qint64 y, const AddressRecord& address, bool withCountry)
{
    for (int k = 0; k < LabelSheet::AddressLines; ++k)
        if (!printLine(device, x, y + qint64(LabelSheet::LabelLineSpacing) * k, passOn(address.fieldView(k))))
            return false;
    return !withCountry || printLine(device, x, y + LabelSheet::CountryLineOffset, passOn(address.fieldView(AddressRecord::Land)));
}

}

JobResult AfdrukkenAlleLabels(PrinterDevice& device, const AddressListModel& list, const MarginSettings& margins,
                              qint16 fontSize, bool withCountry, JobProgress* progress)
{
    const int n = list.count();
    const qint64 totalPages = LabelSheet::pagesForLabels(n, margins);
    qint64 pagesDone = 0;
    bool ok = setUpDevice(device, fontSize);
    LabelSheet::LabelCursor cursor(margins);
    for (int i = 0; ok && i < n; ++i) {
        ok = printLabel(device, cursor.x(), cursor.y(), list.at(i), withCountry);
        cursor.advance();
        if (ok && cursor.beyondPage()) {
            ok = device.NewPage();
            cursor.restartPage();
            if (progress)
                progress->pagesDone(++pagesDone, totalPages);
        }
    }
    return finishJob(device, ok);
}

JobResult AfdrukkenZelfdeLabels(PrinterDevice& device, const AddressRecord& address, const MarginSettings& margins,
                                qint16 fontSize, bool withCountry)
{
    bool ok = setUpDevice(device, fontSize);
    LabelSheet::LabelCursor cursor(margins);
    for (int i = 0; ok && i < LabelSheet::LabelCount; ++i) {
        ok = printLabel(device, cursor.x(), cursor.y(), address, withCountry);
        cursor.advance();
    }
    return finishJob(device, ok);
}

JobResult AfdrukkenEnkelLabel(PrinterDevice& device, const AddressRecord& address, int position, qint16 fontSize)
{
    const QPoint origin = LabelSheet::singleLabelOrigin(position);
    const bool ok = setUpDevice(device, fontSize) && printLabel(device, origin.x(), origin.y(), address, false);
    return finishJob(device, ok);
}
