#pragma once

#include "data/AddressRecord.h"
#include "data/Mailing.h"

#include <QList>
#include <optional>

class QWidget;
struct AppContext;

// The labels a label job prints, decided before it runs.
struct ChosenLabels {
    Households households;   // the labels, one an address or one a household
    qsizetype leftOut = 0;   // labels the check named that the user left out
};

// Households made when asked and every label checked beside the window; the
// labels that look wrong or do not fit asked about ("Allemaal afdrukken",
// "Zonder deze afdrukken", "Annuleren"). Nothing when the user stopped, or
// when no label is left (which is told).
std::optional<ChosenLabels> chooseLabels(AppContext& context, QWidget* parent, const QList<AddressRecord>& addresses,
                                         bool households, bool withCountry);

// "Naam, Naam, …." after a sentence's colon: the first names, a mark for the rest.
QString namesAfterColon(qsizetype count, const QStringList& names);
