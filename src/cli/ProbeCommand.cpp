// linewright-cli probe: the engine's scripting and conformance interface. One
// formula per input line, one result line per formula, on a fresh division-tracking
// engine each time so no line depends on the lines before it.
#include <array>
#include <charconv>
#include <cstdio>
#include <istream>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "formula/FormulaParser.h"

namespace lw::cli {
namespace {

enum class ProbeMode { Text, Normalized, Compiled, Normalize };

struct ProbeOptions {
  ProbeMode mode = ProbeMode::Text;
  std::vector<std::pair<char, double>> settings;
};

void PrintProbeUsage(std::ostream& out) {
  out << "Usage: linewright-cli probe --mode text|normalized|compiled|normalize\n"
         "                            [--set L=VALUE]...\n\n"
         "Reads formulas from standard input, one per line, and evaluates each on a fresh\n"
         "engine (variables cleared, P and E bound, then the --set values). Prints one line\n"
         "per formula: VALUE<TAB>CODE<TAB>POSITIVE<TAB>NEGATIVE, where CODE is the error\n"
         "code (255 for none) and POSITIVE and NEGATIVE count the divisions by positive and\n"
         "by negative divisors.\n\n"
         "  text        evaluate the line as it is\n"
         "  normalized  normalise the line, then evaluate it\n"
         "  compiled    normalise, compile once and evaluate the compiled program\n"
         "  normalize   print the normalised line instead of a result\n";
}

bool ParseMode(std::string_view text, ProbeMode& mode) {
  constexpr std::array<std::pair<std::string_view, ProbeMode>, 4> kModes = {{
      {"text", ProbeMode::Text},
      {"normalized", ProbeMode::Normalized},
      {"compiled", ProbeMode::Compiled},
      {"normalize", ProbeMode::Normalize},
  }};
  for (const auto& [name, value] : kModes) {
    if (name == text) {
      mode = value;
      return true;
    }
  }
  return false;
}

// L=VALUE with L a letter and VALUE a decimal number.
bool ParseSetting(std::string_view text, std::pair<char, double>& setting) {
  if (text.size() < 3 || text[1] != '=') return false;
  const char letter = text[0];
  if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return false;
  const std::string_view number = text.substr(2);
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) return false;
  setting = {letter, value};
  return true;
}

// Fills options; the exit code instead when the command line was refused or asked
// for help.
std::optional<int> ParseProbeArgs(Args args, ProbeOptions& options, std::ostream& out,
                                  std::ostream& err) {
  std::string mode;
  std::vector<std::string> settings;
  CommandParser parser("probe", PrintProbeUsage);
  parser.App().add_option("--mode", mode)->check([](const std::string& text) {
    ProbeMode unused{};
    return ParseMode(text, unused)
               ? std::string()
               : "unknown mode '" + text + "' (text, normalized, compiled or normalize)";
  });
  parser.App().add_option("--set", settings)->check([](const std::string& text) {
    std::pair<char, double> unused;
    return ParseSetting(text, unused)
               ? std::string()
               : "--set wants L=VALUE with a letter and a number, not '" + text + "'";
  });
  if (const std::optional<int> exit = parser.Parse(args, out, err)) return exit;
  if (mode.empty()) return parser.Refuse("--mode is required", err);
  ParseMode(mode, options.mode);
  for (const std::string& text : settings) {
    std::pair<char, double> setting;
    ParseSetting(text, setting);
    options.settings.push_back(setting);
  }
  return std::nullopt;
}

void ProbeLine(const ProbeOptions& options, std::string line, std::ostream& out) {
  if (options.mode == ProbeMode::Normalize) {
    FormulaParser::Normalize(line);
    out << line << '\n';
    return;
  }
  DivisionTrackingParser parser;
  parser.ClearVariables();
  parser.SetConstants();
  for (const auto& [letter, value] : options.settings) {
    parser.SetVariable(std::string_view(&letter, 1), value);
  }
  double value = 0.0;
  switch (options.mode) {
    case ProbeMode::Text:
      value = parser.Evaluate(line);
      break;
    case ProbeMode::Normalized:
      value = parser.EvaluateNormalized(line);
      break;
    default:
      FormulaParser::Normalize(line);
      parser.Compile(line);
      value = parser.EvaluateCompiled();
      parser.ReleaseCompiled();
      break;
  }
  char number[64];
  std::snprintf(number, sizeof number, "%.17g", value);
  out << number << '\t' << int(parser.ErrorCode()) << '\t' << parser.PositiveDivisions() << '\t'
      << parser.NegativeDivisions() << '\n';
}

}  // namespace

int RunProbe(Args args, std::istream& in, std::ostream& out, std::ostream& err) {
  ProbeOptions options;
  if (const std::optional<int> exit = ParseProbeArgs(args, options, out, err)) return *exit;
  // Lines end at LF only; every other byte, CR included, belongs to the formula.
  std::string line;
  while (std::getline(in, line, '\n')) ProbeLine(options, line, out);
  if (in.bad()) {
    err << "linewright-cli probe: reading standard input failed\n";
    return ExitFailed;
  }
  return ExitOk;
}

}  // namespace lw::cli
