// How numbers are written for the user: the general format (15 significant digits,
// fixed or with an exponent) and the calculator's result line built on it.
#pragma once

#include <string>

namespace lw {

// The value rounded to at most 15 significant digits, trailing zeros dropped; with
// the value written as 0.d1d2... * 10^k, fixed notation when -3 <= k <= 15, otherwise
// mantissa, "E" and exponent (1E-5, 1.5E20). Infinities are "INF" and "-INF",
// not-a-number "NAN". The caller passes the locale's decimal separator.
std::string FormatGeneral(double value, char decimalSeparator = '.');

// The calculator's result line for a value: "Результат : " followed by the value in
// general format with the exponent written as "*10^20" or "*10^(-20)"; a value that
// is not a number or is infinite gets the word for it instead.
std::string CalculatorResultLine(double value, char decimalSeparator = '.');

}  // namespace lw
