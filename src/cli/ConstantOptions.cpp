#include "cli/ConstantOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "document/ConstantLines.h"

namespace lw::cli {

namespace {

std::optional<double> ReadNumber(std::string_view text) {
  std::string copy(text);
  std::replace(copy.begin(), copy.end(), ',', '.');
  double value = 0.0;
  const char* begin = copy.data();
  const char* end = begin + copy.size();
  if (begin != end && *begin == '+') ++begin;
  const auto [ptr, error] = std::from_chars(begin, end, value);
  if (error != std::errc{} || ptr != end || copy.empty() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// "L=rest" with L an ASCII letter; gives the upper-case letter and the rest.
std::optional<std::pair<char, std::string_view>> SplitAssignment(std::string_view text) {
  if (text.size() < 3 || text[1] != '=') return std::nullopt;
  char name = text[0];
  if (name >= 'a' && name <= 'z') name = static_cast<char>(name - 'a' + 'A');
  if (name < 'A' || name > 'Z') return std::nullopt;
  return std::make_pair(name, text.substr(2));
}

// Where the number field of a pattern starts and ends; npos start when there is
// not exactly one.
struct Field {
  std::size_t start = std::string_view::npos;
  std::size_t end = 0;
  int width = 0;
};

std::optional<Field> FindField(std::string_view pattern) {
  Field field;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    int width = 0;
    while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9' && width < 100) {
      width = width * 10 + (pattern[j] - '0');
      ++j;
    }
    if (j >= pattern.size() || pattern[j] != 'd' || width > 20) return std::nullopt;
    if (field.start != std::string_view::npos) return std::nullopt;
    field = Field{i, j + 1, width};
    i = j;
  }
  if (field.start == std::string_view::npos) return std::nullopt;
  return field;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
  }
  return out;
}

}  // namespace

int ConstantSweep::FrameCount() const {
  const double steps = std::floor(std::fabs(to - from) / step + 1e-9);
  if (!(steps < MaxFrames)) return 0;
  return static_cast<int>(steps) + 1;
}

double ConstantSweep::ValueAt(int frame) const {
  const double direction = to < from ? -1.0 : 1.0;
  // Multiplied, not summed, so that the hundredth value carries no drift.
  return from + direction * frame * step;
}

std::optional<ConstantSet> ParseConstantSet(std::string_view text) {
  const auto assignment = SplitAssignment(text);
  if (!assignment) return std::nullopt;
  const auto value = ReadNumber(assignment->second);
  if (!value) return std::nullopt;
  return ConstantSet{assignment->first, *value};
}

std::optional<ConstantSweep> ParseConstantSweep(std::string_view text) {
  const auto assignment = SplitAssignment(text);
  if (!assignment) return std::nullopt;
  const std::string_view rest = assignment->second;
  const std::size_t first = rest.find(':');
  const std::size_t second = first == std::string_view::npos ? first : rest.find(':', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto from = ReadNumber(rest.substr(0, first));
  const auto to = ReadNumber(rest.substr(first + 1, second - first - 1));
  const auto step = ReadNumber(rest.substr(second + 1));
  if (!from || !to || !step || *step <= 0.0) return std::nullopt;
  ConstantSweep sweep{assignment->first, *from, *to, *step};
  if (sweep.FrameCount() == 0) return std::nullopt;
  return sweep;
}

bool IsFramePattern(std::string_view pattern) {
  return FindField(pattern).has_value();
}

std::string FramePath(std::string_view pattern, int frame) {
  const auto field = FindField(pattern);
  if (!field) return std::string(pattern);
  std::string number = std::to_string(frame);
  if (static_cast<int>(number.size()) < field->width) {
    number.insert(0, static_cast<std::size_t>(field->width) - number.size(), '0');
  }
  return Unescape(pattern.substr(0, field->start)) + number + Unescape(pattern.substr(field->end));
}

void ApplyConstantSets(std::vector<std::string>& lines, const std::vector<ConstantSet>& sets) {
  for (const ConstantSet& set : sets) OverrideConstant(lines, set.name, set.value);
}

}  // namespace lw::cli
