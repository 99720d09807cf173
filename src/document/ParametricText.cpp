#include "document/ParametricText.h"

namespace lw {
namespace {

std::string_view Trimmed(std::string_view part) {
  constexpr std::string_view kBlanks = " \t\r";
  const std::size_t first = part.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = part.find_last_not_of(kBlanks);
  return part.substr(first, last - first + 1);
}

}  // namespace

std::size_t PartsOfKind(std::uint8_t kind) {
  switch (kind) {
    case ParametricCurve:
      return ParametricCurveParts;
    case PolarCurve:
      return PolarCurveParts;
    default:
      return 0;
  }
}

std::size_t PartsOfForm(std::uint32_t form) {
  return (form & 0xFF) == ParametricSurface ? ParametricSurfaceParts : 0;
}

std::optional<std::vector<std::string>> SplitParts(std::string_view text, std::size_t parts) {
  std::vector<std::string> result;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(';', start);
    const std::string_view part =
        Trimmed(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
    if (part.empty() || result.size() == parts) return std::nullopt;
    result.emplace_back(part);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (result.size() != parts) return std::nullopt;
  return result;
}

std::string PartsMessage(std::size_t parts) {
  switch (parts) {
    case ParametricCurveParts:
      return "Очікується вираз виду X ; Y ; T0 ; T1";
    case PolarCurveParts:
      return "Очікується вираз виду R ; T0 ; T1";
    default:
      return "Очікується вираз виду X ; Y ; Z ; U0 ; U1 ; V0 ; V1";
  }
}

}  // namespace lw
