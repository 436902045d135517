#pragma once

#include <QByteArray>
#include <QString>

// Text from another program: UTF-8 (with or without BOM), UTF-16 with BOM
// (Excel's "Unicode text") or without, or Windows-1252 (what most Dutch club software
// still writes). Without a BOM the encoding is guessed; when in doubt,
// Windows-1252, which is also what a list file holds.
QString decodeImportedText(const QByteArray& bytes);

// UTF-16 bytes, with a BOM or without, as UTF-8; any other bytes unchanged.
// For readers that take the bytes themselves.
QByteArray asUtf8IfUtf16(const QByteArray& bytes);
