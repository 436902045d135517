#include "ui/LabelChoice.h"

#include "app/NumberReading.h"
#include "app/ProgramValues.h"
#include "print/LabelJobs.h"
#include "ui/AppContext.h"
#include "ui/BusyWork.h"

namespace {

// Asks about the labels the check named. Enter leaves them out: the check
// has just called them wrong. False: Annuleren.
bool askAboutNamed(Messages& messages, QWidget* parent, const LabelCheck& check, ChosenLabels& chosen)
{
    if (check.named.isEmpty())
        return true;
    const qsizetype count = check.named.size();
    QString text = count == 1 ? QStringLiteral("1 adres lijkt niet in orde:")
                              : QStringLiteral("%1 adressen lijken niet in orde:").arg(dutchNumber(count));
    for (const QString& line : check.lines)
        text += QStringLiteral("\r\n") + line;
    if (count > check.lines.size())
        text += QStringLiteral("\r\n") + QChar(0x2026);
    const Messages::Answer answer = messages.ask(
        parent, QStringLiteral("Afdrukken"), text, true, Messages::Answer::Nee,
        {QStringLiteral("Allemaal afdrukken"), QStringLiteral("Zonder deze afdrukken"), QStringLiteral("Annuleren")});
    if (answer == Messages::Answer::Annuleren)
        return false;
    if (answer == Messages::Answer::Nee) {
        // At a million labels a copy takes a moment: beside the window too.
        runBusy(parent, QStringLiteral("Bezig met weglaten..."),
                [&] { chosen.households.labels = withoutRows(chosen.households.labels, check.named); });
        chosen.leftOut = count;
    }
    return true;
}

}

std::optional<ChosenLabels> chooseLabels(AppContext& context, QWidget* parent, const QList<AddressRecord>& addresses,
                                         bool households, bool withCountry)
{
    ChosenLabels chosen;
    LabelCheck check;
    const qint16 fontSize = context.values.FontSize;
    const PrinterDevice& printer = context.printer;
    // A million addresses take seconds: beside the window, which stays painted.
    runBusy(parent, QStringLiteral("Bezig met nakijken..."), [&] {
        chosen.households = households ? householdLabels(addresses) : Households{addresses, 0, {}};
        check = checkLabels(printer, chosen.households.labels, fontSize, withCountry);
    });
    if (!askAboutNamed(context.messages, parent, check, chosen))
        return std::nullopt;
    if (chosen.households.labels.isEmpty()) {
        context.messages.tell(parent, ProgramTitle, QStringLiteral("Er blijft geen adres over om af te drukken."));
        return std::nullopt;
    }
    return chosen;
}

QString namesAfterColon(qsizetype count, const QStringList& names)
{
    return namesAndMore(count, names) + QLatin1Char('.');
}
