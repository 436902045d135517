#pragma once

#include <QString>
#include <QStringList>

// A name written surname first, as member administrations sort them:
// "Vries, Jan de", "Hek, Willem van 't", "Berg, J.A. (Jan) van den".
bool isSortName(const QString& name);

// The name as it goes on an envelope: "Jan de Vries", "Willem van 't Hek",
// "Jan van den Berg" (a call name in brackets replaces the initials). A name
// that is not written surname first comes back as it is.
QString envelopeName(const QString& name);

// Whether most of the filled names are written surname first.
bool mostAreSortNames(const QStringList& names);
