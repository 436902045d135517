#pragma once

#include <QLatin1StringView>
#include <QString>
#include <array>

// Texts compared the way a Dutch reader compares them: case and accents do
// not count ("zoe" is "Zoë"), and German umlauts may be written out.

using FoldTable = std::array<char16_t, 0x10000>;

// Every character of the Basic Multilingual Plane to its lower-case base
// letter, worked out once: searching a million addresses then takes one
// look-up a character.
const FoldTable& foldTable();

// The text in lower case with its accents removed, character for character.
QString foldedText(QStringView text);

// German umlauts and ß as they are written without them: "Müller" is also
// "Mueller", "Straße" also "Strasse". Nothing for every other character.
QLatin1StringView transcription(QChar c);

// The text folded as foldedText does, with umlauts and ß written out.
QString transcribedText(QStringView text);
