// Reading and rewriting the texts of the scan windows: value cells, coordinate
// fields, and the constant at the end of an expression that a scan shifts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lw {

class FormulaParser;

// A number as the scan and calculator windows write it: optional blanks, a sign,
// digits with "." or "," as the decimal separator, an optional exponent. The whole
// text must be the number, and it must be finite.
std::optional<double> ReadDecimal(std::string_view text);

// A value cell can take part in a through-point operation only when it starts like a
// number; error texts such as "не існує" do not.
bool StartsLikeNumber(std::string_view cell);

// The value cell for one evaluation: the message for a wrong formula (codes 0 to 2),
// The value cell of a formula without a value at the point.
inline constexpr std::string_view NoValueText = "не існує";
// "не існує" where the formula has no value, otherwise the number in general format.
std::string ValueCellText(const FormulaParser& parser, double value, char decimalSeparator);

// A number written so that the formula engine reads it back: general format with a
// point, and an exponent spelt as *10^20 or *10^(-20), since the engine reads 1E-20
// as 1E minus 20.
std::string FormulaNumberText(double value);

// An expression split at its trailing additive constant, as in X^2+Y^2-4 -> (X^2+Y^2, -4).
struct SplitExpression {
  std::string rest;       // the expression without the constant and its sign
  double constant = 0.0;  // 0 when there is none
  bool hasConstant = false;
};
// Commas become points first. The constant is the run of " 0123456789.," at the end,
// preceded by "+" or "-"; a sign that follows an operator (X*-3) is not additive, so
// there is no trailing constant then.
SplitExpression SplitTrailingConstant(std::string_view expression);

// rest minus shift, written as one trailing constant: "+" and the magnitude for a
// negative shift, "-" and the shift otherwise.
std::string AppendShift(std::string rest, double shift);

}  // namespace lw
