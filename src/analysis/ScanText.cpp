#include "analysis/ScanText.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "formula/FormulaParser.h"
#include "formula/NumberFormat.h"

namespace lw {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The characters a trailing constant is made of, sign excluded.
bool InConstantRun(char c) {
  return c == ' ' || c == '.' || c == ',' || IsDigit(c);
}

// After one of these a sign belongs to a factor or a power, not to the sum.
bool BindsSign(char c) {
  static constexpr std::string_view kOperators = "+-*/%^$&#@=(";
  return kOperators.find(c) != std::string_view::npos;
}

// The engine reads a number token as its longest decimal prefix (1.5.3 is 1.5).
std::optional<double> ReadConstantRun(std::string_view run) {
  while (!run.empty() && IsBlank(run.front())) run.remove_prefix(1);
  if (run.empty() || !IsDigit(run.front())) return std::nullopt;
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(run.data(), run.data() + run.size(), value, std::chars_format::fixed);
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  (void)end;
  return value;
}

}  // namespace

std::optional<double> ReadDecimal(std::string_view text) {
  text = Trim(text);
  std::string copy(text);
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  std::string_view digits = copy;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  // from_chars would also take "inf", "nan" and the like; a number starts with a
  // digit, a point or a minus.
  if (digits.empty() ||
      !(IsDigit(digits.front()) || digits.front() == '.' || digits.front() == '-')) {
    return std::nullopt;
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                            std::chars_format::general);
  if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool StartsLikeNumber(std::string_view cell) {
  return !cell.empty() && (cell.front() == '-' || IsDigit(cell.front()));
}

std::string ValueCellText(const FormulaParser& parser, double value, char decimalSeparator) {
  if (const std::optional<FormulaError> error = parser.Error()) {
    if (FormulaTextIsWrong(*error)) return std::string(FormulaErrorMessages[*error]);
    return std::string(NoValueText);
  }
  return FormatGeneral(value, decimalSeparator);
}

std::string FormulaNumberText(double value) {
  std::string text = FormatGeneral(value, '.');
  const std::size_t e = text.find('E');
  if (e == std::string::npos) return text;
  const std::string exponent = text.substr(e + 1);
  text.erase(e);
  if (!exponent.empty() && exponent.front() == '-') return text + "*10^(" + exponent + ")";
  return text + "*10^" + exponent;
}

SplitExpression SplitTrailingConstant(std::string_view expression) {
  SplitExpression split;
  split.rest = std::string(expression);
  std::string& text = split.rest;
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  std::size_t runStart = text.size();
  while (runStart > 0 && InConstantRun(text[runStart - 1])) --runStart;
  if (runStart == 0) return split;  // nothing but the run: no sign in front of it
  const std::size_t signAt = runStart - 1;
  const char sign = text[signAt];
  if (sign != '+' && sign != '-') return split;
  std::size_t before = signAt;
  while (before > 0 && IsBlank(text[before - 1])) --before;
  if (before > 0 && BindsSign(text[before - 1])) return split;
  const std::optional<double> magnitude = ReadConstantRun(std::string_view(text).substr(runStart));
  if (!magnitude) return split;
  split.constant = sign == '-' ? -*magnitude : *magnitude;
  split.hasConstant = true;
  text.erase(signAt);
  return split;
}

std::string AppendShift(std::string rest, double shift) {
  if (std::signbit(shift) && shift != 0.0) return rest + "+" + FormulaNumberText(-shift);
  return rest + "-" + FormulaNumberText(shift);
}

}  // namespace lw
