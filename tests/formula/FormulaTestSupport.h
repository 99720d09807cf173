// What one evaluation leaves behind, and the ways to get it, for comparing the text
// path, the token program, its flat translation and that translation's machine code.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "formula/FormulaParser.h"

namespace lw {

struct Outcome {
  double value = 0.0;
  int code = NoFormulaError;
  int positive = 0;
  int negative = 0;

  bool operator==(const Outcome& other) const {
    const bool sameValue = (std::isnan(value) && std::isnan(other.value)) ||
                           std::memcmp(&value, &other.value, sizeof value) == 0;
    return sameValue && code == other.code && positive == other.positive &&
           negative == other.negative;
  }
};

inline std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
  return out << "{" << outcome.value << ", code " << outcome.code << ", +" << outcome.positive
             << " -" << outcome.negative << "}";
}

inline Outcome Read(const DivisionTrackingParser& parser, double value) {
  return {value, parser.ErrorCode(), parser.PositiveDivisions(), parser.NegativeDivisions()};
}

// Compiled is the default compiled path, machine code where the program could be
// translated; Flat and Grammar force the slower paths it must agree with.
enum class Way { Text, Compiled, Flat, Grammar };
inline constexpr Way kCompiledWays[] = {Way::Compiled, Way::Flat, Way::Grammar};
inline constexpr Way kAllWays[] = {Way::Text, Way::Compiled, Way::Flat, Way::Grammar};

// Whether this build makes machine code for compiled formulas.
#if defined(__x86_64__) && defined(__linux__)
inline constexpr bool kNativeCodeExpected = true;
#else
inline constexpr bool kNativeCodeExpected = false;
#endif

inline void SelectWay(FormulaParser& parser, Way way) {
  parser.UseFlatProgram(way != Way::Grammar);
  parser.UseNativeCode(way == Way::Compiled);
}

// Evaluates a normalised text one way on a parser with X=3, Y=-2 and a fixed seed.
inline Outcome EvaluateOneWay(const std::string& text, Way way) {
  DivisionTrackingParser parser;
  parser.SetVariable("X", 3.0);
  parser.SetVariable("Y", -2.0);
  parser.SeedRandom(7);
  if (way == Way::Text) return Read(parser, parser.Evaluate(text));
  parser.Compile(text);
  SelectWay(parser, way);
  const Outcome outcome = Read(parser, parser.EvaluateCompiled());
  parser.ReleaseCompiled();
  return outcome;
}

// X values for batch checks: the edges of every function's domain, then a ramp long
// enough to fill more than one block of a batch.
inline std::vector<double> BatchInputs() {
  std::vector<double> xs = {0.0,    -0.0,  1.0,    -1.0,   0.5,  2.0,      3.0,       -2.0,
                            1e-310, 1e308, -1e308, 709.79, 1e16, INFINITY, -INFINITY, NAN};
  for (int i = 0; i < 140; ++i) xs.push_back(-7.3 + i * 0.137);
  return xs;
}

// A compiled parser with Y=-2 and a fixed seed, ready for X to vary.
template <class Parser>
void PrepareForBatch(Parser& parser, const std::string& text) {
  parser.SetVariable("Y", -2.0);
  parser.SeedRandom(7);
  parser.Compile(text);
}

inline Outcome ReadAny(const FormulaParser& parser, double value) {
  const std::uint32_t pair = parser.LastDivisionPair();
  return {value, parser.ErrorCode(), int(pair & 0xFFFF), int(pair >> 16)};
}

// Each x in turn: set the variable, evaluate, read.
inline std::vector<Outcome> PointByPoint(FormulaParser& parser, char letter,
                                         std::span<const double> xs) {
  std::vector<Outcome> outcomes;
  for (const double x : xs) {
    parser.VariableSlot(letter) = x;
    outcomes.push_back(ReadAny(parser, parser.EvaluateCompiled()));
  }
  return outcomes;
}

inline std::vector<Outcome> AsBatch(FormulaParser& parser, char letter,
                                    std::span<const double> xs) {
  std::vector<double> values(xs.size());
  std::vector<std::uint8_t> codes(xs.size());
  std::vector<std::uint32_t> divisions(xs.size());
  parser.EvaluateBatch(letter, xs, {values.data(), codes.data(), divisions.data()});
  std::vector<Outcome> outcomes;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    outcomes.push_back({values[i], codes[i], int(divisions[i] & 0xFFFF), int(divisions[i] >> 16)});
  }
  return outcomes;
}

}  // namespace lw
