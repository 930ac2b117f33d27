// Small text rules every screen shares: removing the blanks around an input,
// the platform's numeric test and conversion to a 32-bit number, and the
// standard decimal form of a number.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace kaldate {

// The text without the blanks (spaces) before and after it.
QString trimBlanks(QStringView text);

// The platform's numeric test: blanks around it allowed; a decimal number
// with an optional sign, decimal point and exponent (E or D), or a
// hexadecimal (&H) or octal (&O) number. "12", " -3 ", "1.5", "2E3" and
// "&HFF" are numeric; "", "12abc", "1 2" and "-" are not.
bool isNumeric(QStringView text);

// A numeric text converted to a 32-bit number, rounded to the nearest whole
// number (halves to the even one); nothing when the text is not numeric or
// the number lies outside the 32-bit range.
std::optional<std::int32_t> toInt32(QStringView text);

// The standard decimal form of a signed number: a blank before a number that
// is not negative (" 7", " 0"), a minus sign before a negative one ("-7").
QString decimalForm(std::int32_t number);

}  // namespace kaldate
