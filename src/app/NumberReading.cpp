#include "app/NumberReading.h"

#include <QLocale>

#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

std::string withoutBlanks(const QString& text)
{
    std::string result;
    result.reserve(size_t(text.size()));
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'))
            continue;
        // Anything outside ASCII cannot be part of a number; keep a stop mark.
        result.push_back(c.unicode() < 128 ? char(c.unicode()) : '\x01');
    }
    return result;
}

double readRadix(const std::string& s, size_t pos, int radix)
{
    double value = 0;
    for (; pos < s.size(); ++pos) {
        const char c = s[pos];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (radix == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}

double readNumber(const QString& text)
{
    const std::string s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return readRadix(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return readRadix(s, 2, 8);
        return 0;
    }

    // Collect the decimal number in C notation and let strtod_l do the arithmetic.
    std::string number;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    bool anyDigit = false;
    while (i < s.size() && isDigit(s[i])) {
        number.push_back(s[i++]);
        anyDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && isDigit(s[i])) {
            number.push_back(s[i++]);
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        bool negative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            negative = s[j++] == '-';
        long exponent = 0;
        bool expDigits = false;
        for (; j < s.size() && isDigit(s[j]); ++j) {
            expDigits = true;
            if (exponent < 100000) // beyond this every double over- or underflows anyway
                exponent = exponent * 10 + (s[j] - '0');
        }
        if (expDigits)
            number += "e" + std::string(negative ? "-" : "") + std::to_string(exponent);
    }
    // The program runs under the user's locale; numbers here always use ".".
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(number.c_str(), nullptr, cLocale);
}

double readDecimal(const QString& text)
{
    return readNumber(QString(text).replace(QLatin1Char(','), QLatin1Char('.')));
}

double roundHalfEven(double value)
{
    // The default floating-point rounding mode is to nearest, ties to even.
    return std::nearbyint(value);
}

QString dutchNumber(qint64 count)
{
    return QLocale(QLocale::Dutch, QLocale::Netherlands).toString(count);
}

qint64 numberIn(std::string_view digits)
{
    if (digits.empty() || digits.size() > 15)
        return -1;
    qint64 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}
