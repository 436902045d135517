#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// What to append to a finished PDF so that viewers print it at actual size
// (its catalogue's /ViewerPreferences gets /PrintScaling /None): an
// incremental update, which leaves every byte before it as it was. A label
// sheet printed "fit to page" lands a few millimetres off every label.
// Nothing when the file is not laid out as the PDF writer lays it out.
std::optional<QByteArray> actualSizeUpdate(QByteArrayView pdf);
