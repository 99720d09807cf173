// The lines of a constants list seen as constants the user can adjust: which line
// gives which letter a plain number, why the others cannot be adjusted, and how one
// line is rewritten with a new value while everything around it stays as typed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lw {

// Why a line of a constants list has no adjustable value (shown as its hint).
inline constexpr std::string_view NotAssignmentReason =
    "Рядок не є присвоєнням константи: немає знака «=»";
inline constexpr std::string_view NotLetterReason =
    "Ліворуч від знака «=» має стояти одна латинська літера";
inline constexpr std::string_view EmptyValueReason = "Після знака «=» немає значення";
inline constexpr std::string_view ExpressionReason =
    "Значення задано виразом, а не числом; повзунок змінює лише числа";
inline constexpr std::string_view TooLargeReason = "Число завелике";
// Followed by the 1-based number of the later line.
inline constexpr std::string_view OverriddenReason = "Значення перекриває рядок № ";

struct ConstantLine {
  std::size_t line = 0;  // index in the list
  char name = 0;         // the upper-case letter assigned, 0 when the line names none
  bool adjustable = false;
  double value = 0.0;  // when adjustable
  std::string reason;  // when not adjustable
  bool operator==(const ConstantLine&) const = default;
};

// Every non-blank line of the list, in order. A line is adjustable when it reads
// "letter = number" (blanks allowed around both, a leading minus, ',' or '.' as the
// decimal separator, an exponent of digits) and no later line assigns the same letter.
std::vector<ConstantLine> ListConstants(const std::vector<std::string>& lines);

// The value as a number the formula engine reads back: at most 15 significant
// digits, always in fixed notation (its number syntax has no negative exponents).
std::string ConstantValueText(double value, char decimalSeparator = '.');

// The line with its number replaced by value, keeping the letter, the blanks and the
// decimal separator the user typed; empty when the line holds no plain number.
std::optional<std::string> RewriteConstantLine(std::string_view line, double value);

// Sets name to value in the list: every line that assigns name is rewritten to
// "name=value"; with no such line, "name=value" is put first so that later lines
// see it. name is a letter (either case).
void OverrideConstant(std::vector<std::string>& lines, char name, double value);

struct SliderRange {
  double lower = 0.0;
  double upper = 0.0;
  double step = 0.0;
  bool operator==(const SliderRange&) const = default;
};

// value - 10*max(1, |value|) to value + 10*max(1, |value|), step a hundredth of that.
SliderRange DefaultRange(double value);

// A range the user typed is usable when finite, lower < upper and 0 < step <= the
// width.
bool IsUsableRange(const SliderRange& range);

// The number of steps from lower to upper (at least 1; the last may be shorter).
int StepCount(const SliderRange& range);
// The value at step k: lower + k*step, the last step landing on upper exactly,
// rounded so that step-sized sums do not leave tails such as 1.2000000000000002.
double ValueAtStep(const SliderRange& range, int k);
// The step nearest to value, clamped to the range.
int NearestStep(const SliderRange& range, double value);

}  // namespace lw
