#include "document/ConstantLines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lw {

namespace {

constexpr int maxSteps = 1'000'000;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t Digits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// Length of the plain number at the start of text: an optional minus, digits, an
// optional separator and digits, an optional E and digits (the formula engine's
// number syntax); 0 when text does not start with one.
std::size_t PlainNumberLength(std::string_view text) {
  std::size_t at = !text.empty() && text[0] == '-' ? 1 : 0;
  const std::size_t digitsStart = at;
  at = Digits(text, at);
  if (at == digitsStart) return 0;
  if (at < text.size() && (text[at] == '.' || text[at] == ',')) at = Digits(text, at + 1);
  if (at + 1 < text.size() && (text[at] == 'E' || text[at] == 'e') && IsDigit(text[at + 1])) {
    at = Digits(text, at + 1);
  }
  return at;
}

// Where the number of an assignment line lies, when the line is "letter = number".
struct NumberSpan {
  std::size_t start = 0;
  std::size_t length = 0;
};

struct ParsedLine {
  char name = 0;
  std::optional<NumberSpan> number;
  std::string_view reason;
};

ParsedLine ParseLine(std::string_view line) {
  ParsedLine parsed;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    parsed.reason = NotAssignmentReason;
    return parsed;
  }
  const std::string_view left = Trim(line.substr(0, equals));
  if (left.size() != 1 || !IsAsciiLetter(left[0])) {
    parsed.reason = NotLetterReason;
    return parsed;
  }
  parsed.name = Upper(left[0]);
  std::size_t start = equals + 1;
  while (start < line.size() && IsBlank(line[start])) ++start;
  const std::string_view right = Trim(line.substr(start));
  if (right.empty()) {
    parsed.reason = EmptyValueReason;
    return parsed;
  }
  const std::size_t length = PlainNumberLength(right);
  if (length != right.size()) {
    parsed.reason = ExpressionReason;
    return parsed;
  }
  parsed.number = NumberSpan{start, length};
  return parsed;
}

double ReadPlainNumber(std::string_view text) {
  std::string copy(text);
  std::replace(copy.begin(), copy.end(), ',', '.');
  double value = 0.0;
  const auto [ptr, error] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
  (void)ptr;
  if (error == std::errc::result_out_of_range) return HUGE_VAL;
  return value;
}

}  // namespace

std::vector<ConstantLine> ListConstants(const std::vector<std::string>& lines) {
  std::vector<ConstantLine> result;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (Trim(lines[i]).empty()) continue;
    const ParsedLine parsed = ParseLine(lines[i]);
    ConstantLine entry;
    entry.line = i;
    entry.name = parsed.name;
    if (parsed.number) {
      entry.value = ReadPlainNumber(
          std::string_view(lines[i]).substr(parsed.number->start, parsed.number->length));
      entry.adjustable = std::isfinite(entry.value);
      if (!entry.adjustable) entry.reason = TooLargeReason;
    } else {
      entry.reason = parsed.reason;
    }
    result.push_back(entry);
  }
  // A later assignment of the same letter wins when the list is bound, so moving
  // the earlier one would change nothing.
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (result[i].name == 0 || !result[i].adjustable) continue;
    for (std::size_t j = i + 1; j < result.size(); ++j) {
      if (result[j].name != result[i].name) continue;
      result[i].adjustable = false;
      result[i].reason = std::string(OverriddenReason) + std::to_string(result[j].line + 1);
      break;
    }
  }
  return result;
}

std::string ConstantValueText(double value, char decimalSeparator) {
  if (!std::isfinite(value)) return "0";
  // Fifteen significant digits first, then the shortest fixed text of that double.
  char rounded[32];
  std::snprintf(rounded, sizeof rounded, "%.14e", value);
  double shown = std::strtod(rounded, nullptr);
  if (shown == 0.0) shown = 0.0;  // no "-0"
  char text[400];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, shown, std::chars_format::fixed);
  if (error != std::errc{}) return "0";
  std::string result(text, end);
  if (decimalSeparator != '.') std::replace(result.begin(), result.end(), '.', decimalSeparator);
  return result;
}

std::optional<std::string> RewriteConstantLine(std::string_view line, double value) {
  const ParsedLine parsed = ParseLine(line);
  if (!parsed.number || !std::isfinite(value)) return std::nullopt;
  const std::string_view number = line.substr(parsed.number->start, parsed.number->length);
  const char separator = number.find(',') != std::string_view::npos ? ',' : '.';
  std::string result(line.substr(0, parsed.number->start));
  result += ConstantValueText(value, separator);
  result += line.substr(parsed.number->start + parsed.number->length);
  return result;
}

void OverrideConstant(std::vector<std::string>& lines, char name, double value) {
  name = Upper(name);
  const std::string assignment = std::string(1, name) + "=" + ConstantValueText(value);
  bool found = false;
  for (std::string& line : lines) {
    if (ParseLine(line).name != name) continue;
    line = assignment;
    found = true;
  }
  if (!found) lines.insert(lines.begin(), assignment);
}

SliderRange DefaultRange(double value) {
  const double half = 10.0 * std::max(1.0, std::fabs(value));
  SliderRange range{value - half, value + half, 0.0};
  range.step = (range.upper - range.lower) / 100.0;
  return range;
}

bool IsUsableRange(const SliderRange& range) {
  if (!std::isfinite(range.lower) || !std::isfinite(range.upper) || !std::isfinite(range.step)) {
    return false;
  }
  const double width = range.upper - range.lower;
  return range.lower < range.upper && range.step > 0.0 && range.step <= width &&
         std::isfinite(width) && width / range.step <= maxSteps;
}

int StepCount(const SliderRange& range) {
  if (!IsUsableRange(range)) return 1;
  const double steps = (range.upper - range.lower) / range.step;
  // A width that is a whole number of steps but for rounding gets no extra step.
  return std::max(1, static_cast<int>(std::ceil(steps - 1e-9)));
}

double ValueAtStep(const SliderRange& range, int k) {
  const int count = StepCount(range);
  if (k <= 0) return range.lower;
  if (k >= count) return range.upper;
  const double raw = range.lower + k * range.step;
  const double magnitude = std::max({std::fabs(range.lower), std::fabs(range.upper), range.step});
  const double quantum = std::pow(10.0, std::floor(std::log10(magnitude)) - 12.0);
  const double snapped = std::round(raw / quantum) * quantum;
  return snapped == 0.0 ? 0.0 : snapped;
}

int NearestStep(const SliderRange& range, double value) {
  const int count = StepCount(range);
  if (!IsUsableRange(range) || !std::isfinite(value)) return 0;
  const double k = std::round((value - range.lower) / range.step);
  return static_cast<int>(std::clamp(k, 0.0, static_cast<double>(count)));
}

}  // namespace lw
