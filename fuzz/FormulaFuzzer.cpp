// The formula engine on arbitrary text: the raw text path, normalisation, the token
// program by the grammar, by its flat translation and by that translation's machine
// code, each on the plain parser and on the division tracker. All of them must agree; the only
// tolerated difference is a final token the grammar did not use, which the compiled paths let pass.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

#include "formula/FormulaOperations.h"
#include "formula/FormulaParser.h"
#include "formula/NumberFormat.h"

namespace lw {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Values for X and Y that reach the edges of every function's domain.
constexpr std::array<double, 16> kValues = {
    0.0,    -0.0,      1.0,        -1.0,
    0.5,    2.0,       3.0,        -2.0,
    1e-310, 1e308,     -1e308,     709.79,
    1e16,   kInfinity, -kInfinity, std::numeric_limits<double>::quiet_NaN()};

constexpr std::uint32_t kSeed = 12345;

struct Result {
  double value = 0.0;
  int code = NoFormulaError;
  int positive = -1;
  int negative = -1;
  std::array<double, 26> variables{};

  bool operator==(const Result& other) const {
    return Same(value, other.value) && code == other.code && positive == other.positive &&
           negative == other.negative && SameVariables(other);
  }
  static bool Same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
  }
  bool SameVariables(const Result& other) const {
    for (std::size_t i = 0; i < variables.size(); ++i) {
      if (!Same(variables[i], other.variables[i])) return false;
    }
    return true;
  }
};

void Prepare(FormulaParser& parser, double x, double y) {
  parser.ClearVariables();
  parser.SetConstants();
  parser.SetVariable("X", x);
  parser.SetVariable("Y", y);
  parser.SeedRandom(kSeed);
}

template <class Parser>
Result Finish(Parser& parser, double value) {
  Result result;
  result.value = value;
  result.code = parser.ErrorCode();
  if constexpr (std::is_same_v<Parser, DivisionTrackingParser>) {
    result.positive = parser.PositiveDivisions();
    result.negative = parser.NegativeDivisions();
  }
  for (char c = 'A'; c <= 'Z'; ++c)
    result.variables[static_cast<std::size_t>(c - 'A')] = parser.Variable(c);
  // The flag and the code always say the same.
  if (parser.HasError() != (parser.ErrorCode() != NoFormulaError)) std::abort();
  if (parser.HasError() && parser.ErrorCode() > Overflow) std::abort();
  if (parser.Error().has_value() != parser.HasError()) std::abort();
  if (parser.Error() && *parser.Error() != parser.ErrorCode()) std::abort();
  return result;
}

template <class Parser>
Result ByText(const std::string& text, double x, double y) {
  Parser parser;
  Prepare(parser, x, y);
  return Finish(parser, parser.Evaluate(text));
}

// The three ways to run a token program: the machine code made from its flat
// translation (where it can be made), the flat translation, and the grammar.
enum class Way { Native, Flat, Grammar };

template <class Parser>
Result ByProgram(const std::string& text, double x, double y, Way way) {
  Parser parser;
  parser.UseFlatProgram(way != Way::Grammar);
  parser.UseNativeCode(way == Way::Native);
  parser.Compile(text);
  Prepare(parser, x, y);
  Result result = Finish(parser, parser.EvaluateCompiled());
  // A second run of the same program starts from the variables the first one left,
  // so it only has to finish cleanly.
  parser.EvaluateCompiled();
  return result;
}

// Where the last token of the text starts, and whether it names a function; tokens
// are read exactly as both paths read them.
struct LastToken {
  std::size_t start = 0;
  bool function = false;
};

LastToken FindLastToken(const std::string& text) {
  LastToken last;
  const char* cursor = text.data();
  const char* end = cursor + text.size();
  for (;;) {
    const char* start = cursor;
    const formula_internal::TextToken token = formula_internal::ReadTextToken(cursor, end);
    if (token.type == TokenNone) break;
    last.start =
        static_cast<std::size_t>((token.text.empty() ? start : token.text.data()) - text.data());
    last.function = token.type == TokenFunction;
  }
  return last;
}

[[noreturn]] void Disagree(const char* what, const std::string& text, const Result& a,
                           const Result& b) {
  std::fprintf(stderr, "%s disagree on [%s]: %.17g code %d (+%d -%d) vs %.17g code %d (+%d -%d)\n",
               what, text.c_str(), a.value, a.code, a.positive, a.negative, b.value, b.code,
               b.positive, b.negative);
  std::abort();
}

// A batch over X (every edge value, then x) against the same points one at a time on
// a parser prepared alike: each point's value, code and counts, and the parser left
// behind, must be the same.
template <class Parser>
void CheckBatch(const std::string& text, double x, double y) {
  std::array<double, kValues.size() + 1> xs{};
  std::copy(kValues.begin(), kValues.end(), xs.begin());
  xs.back() = x;
  Parser single;
  Parser batch;
  for (Parser* parser : {&single, &batch}) {
    parser->Compile(text);
    Prepare(*parser, x, y);
  }
  std::array<double, xs.size()> values{};
  std::array<std::uint8_t, xs.size()> codes{};
  std::array<std::uint32_t, xs.size()> divisions{};
  batch.EvaluateBatch('X', xs, {values.data(), codes.data(), divisions.data()});
  for (std::size_t i = 0; i < xs.size(); ++i) {
    single.SetVariable("X", xs[i]);
    Result expected = Finish(single, single.EvaluateCompiled());
    Result got = expected;
    got.value = values[i];
    got.code = codes[i];
    if constexpr (std::is_same_v<Parser, DivisionTrackingParser>) {
      got.positive = int(divisions[i] & 0xFFFF);
      got.negative = int(divisions[i] >> 16);
    } else if (divisions[i] != 0) {
      std::abort();
    }
    if (!(got == expected)) Disagree("batch and one point at a time", text, got, expected);
  }
  const Result singleAfter = Finish(single, single.EvaluateCompiled());
  const Result batchAfter = Finish(batch, batch.EvaluateCompiled());
  if (!(singleAfter == batchAfter)) {
    Disagree("the parsers after a batch and after single points", text, batchAfter, singleAfter);
  }
}

template <class Parser>
void CheckAgreement(const std::string& text, double x, double y) {
  CheckBatch<Parser>(text, x, y);
  const Result native = ByProgram<Parser>(text, x, y, Way::Native);
  const Result flat = ByProgram<Parser>(text, x, y, Way::Flat);
  const Result grammar = ByProgram<Parser>(text, x, y, Way::Grammar);
  if (!(native == flat)) Disagree("machine code and flat program", text, native, flat);
  if (!(flat == grammar)) Disagree("flat program and grammar", text, flat, grammar);
  const Result byText = ByText<Parser>(text, x, y);
  if (byText == grammar) return;
  // The text path refuses a final token the grammar left unused, which the token
  // program lets pass. Up to that refusal both paths did the same work, so the
  // variables and the division counters agree in any case.
  if (byText.code != SyntaxError || !byText.SameVariables(grammar) ||
      byText.positive != grammar.positive || byText.negative != grammar.negative) {
    Disagree("text and program", text, byText, grammar);
  }
  // Without that token the text path must say what the program says, unless the
  // token names a function: the grammar looks at such a token where a primary could
  // stand and takes it for an empty one, so it shapes the parse without being used.
  const LastToken last = FindLastToken(text);
  if (last.function) return;
  const std::string shorter = text.substr(0, last.start);
  const Result shortened = ByText<Parser>(shorter, x, y);
  if (!(shortened == grammar)) Disagree("shortened text and program", shorter, shortened, grammar);
}

}  // namespace
}  // namespace lw

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lw;
  if (size < 1) return 0;
  const double x = kValues[data[0] & 0x0F];
  const double y = kValues[data[0] >> 4];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  // The raw text as a caller might pass it, before normalisation.
  {
    FormulaParser parser;
    Prepare(parser, x, y);
    parser.Evaluate(text);
  }
  std::string normalized = text;
  FormulaParser::Normalize(normalized);
  {
    std::string again = normalized;
    FormulaParser::Normalize(again);
    if (again != normalized) std::abort();  // normalising twice changes nothing more
    std::string viaEvaluate = text;
    FormulaParser parser;
    Prepare(parser, x, y);
    const Result direct = Finish(parser, parser.EvaluateNormalized(viaEvaluate));
    if (viaEvaluate != normalized) std::abort();
    const Result separate = ByText<FormulaParser>(normalized, x, y);
    if (!(direct == separate))
      Disagree("EvaluateNormalized and Evaluate", normalized, direct, separate);
    FormatGeneral(direct.value, ',');
    CalculatorResultLine(direct.value);
  }
  CheckAgreement<FormulaParser>(normalized, x, y);
  CheckAgreement<DivisionTrackingParser>(normalized, x, y);
  return 0;
}
