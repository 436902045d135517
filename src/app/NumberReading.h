#pragma once

#include <QString>
#include <string_view>

// Reads the number a text begins with, the way the font-size and margin boxes
// accept it: blanks, tabs and line feeds anywhere are ignored; then a decimal
// number with optional sign, fraction and exponent (E or D), or &H / &O for a
// hexadecimal or octal whole number. Reading stops at the first other
// character; text that does not start with a number gives 0. The result may be
// infinite for huge exponents.
double readNumber(const QString& text);

// The same reading with a decimal comma taken as the point it stands for, as
// Dutch users type millimetres ("-2,5").
double readDecimal(const QString& text);

// Digits as a number, as a file's attributes give counts and indexes; -1 when
// anything else is in them, or nothing, or more than 15 digits.
qint64 numberIn(std::string_view digits);

// A count as Dutch readers write it: "100.000".
QString dutchNumber(qint64 count);

// Nearest whole number, an exact half going to the even neighbour.
double roundHalfEven(double value);
