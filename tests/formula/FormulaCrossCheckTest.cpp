// The text path, the token program, its flat translation and the machine code made
// from that must agree on every formula, except that the token program tolerates one
// final unused token.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FormulaTestSupport.h"
#include "formula/FormulaParser.h"

namespace lw {
namespace {

// The parser as the last of a run of points leaves it.
struct AfterRun {
  Outcome last;
  bool hasError = false;
  std::vector<double> variables;
  double next = 0.0;

  bool operator==(const AfterRun& other) const {
    if (!(last == other.last) || hasError != other.hasError ||
        !(Outcome{next} == Outcome{other.next})) {
      return false;
    }
    for (std::size_t i = 0; i < variables.size(); ++i) {
      if (!(Outcome{variables[i]} == Outcome{other.variables[i]})) return false;
    }
    return true;
  }
};

AfterRun StateAfter(FormulaParser& parser) {
  AfterRun after;
  after.last = ReadAny(parser, 0.0);
  after.hasError = parser.HasError();
  for (char c = 'A'; c <= 'Z'; ++c) after.variables.push_back(parser.Variable(c));
  // One more evaluation shows the generator's state and anything stored.
  after.next = parser.EvaluateCompiled();
  return after;
}

// A batch over xs and the same points one at a time give the same outcomes and
// leave the parsers alike; false (after reporting) when they do not.
template <class Parser>
bool BatchAgrees(const std::string& text, char letter, std::span<const double> xs) {
  Parser single;
  Parser batch;
  PrepareForBatch(single, text);
  PrepareForBatch(batch, text);
  const std::vector<Outcome> expected = PointByPoint(single, letter, xs);
  const std::vector<Outcome> got = AsBatch(batch, letter, xs);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    if (!(got[i] == expected[i])) {
      ADD_FAILURE() << "batch " << got[i] << " vs one point " << expected[i] << " for [" << text
                    << "] at " << letter << "=" << xs[i];
      return false;
    }
  }
  if (!(StateAfter(batch) == StateAfter(single))) {
    ADD_FAILURE() << "the parser is left otherwise after a batch of [" << text << "]";
    return false;
  }
  return true;
}

bool BatchesAgree(const std::string& text) {
  static const std::vector<double> xs = BatchInputs();
  return BatchAgrees<DivisionTrackingParser>(text, 'X', xs) &&
         BatchAgrees<FormulaParser>(text, 'x', std::span(xs).first(20));
}

// Returns false (after reporting) when the paths disagree.
bool PathsAgree(const std::string& text) {
  if (!BatchesAgree(text)) return false;
  const Outcome textOutcome = EvaluateOneWay(text, Way::Text);
  const Outcome native = EvaluateOneWay(text, Way::Compiled);
  const Outcome flat = EvaluateOneWay(text, Way::Flat);
  const Outcome grammar = EvaluateOneWay(text, Way::Grammar);
  bool agree = true;
  if (!(flat == grammar)) {
    ADD_FAILURE() << "flat " << flat << " vs grammar " << grammar << " for [" << text << "]";
    agree = false;
  }
  if (!(native == grammar)) {
    ADD_FAILURE() << "native " << native << " vs grammar " << grammar << " for [" << text << "]";
    agree = false;
  }
  const bool leftoverOnText = textOutcome.code == SyntaxError && textOutcome.value == 0.0;
  if (!(textOutcome == grammar) && !leftoverOnText) {
    ADD_FAILURE() << "text " << textOutcome << " vs compiled " << grammar << " for [" << text
                  << "]";
    agree = false;
  }
  return agree;
}

const std::vector<std::string> kSeedFormulas = {
    "2+3*4",
    "2^3^2",
    "-2^2",
    "2*-3",
    "2^-1",
    "2^(-1)",
    "-7%3",
    "12.9$(-18)",
    "3#5@4",
    "8&2",
    "(-8)^(1/3)",
    "SIN(P/2)",
    "ARCCTG(0)",
    "INT(-2.5)",
    "FRACT(-2.5)",
    "CTG(0)",
    "EXP(709.783)",
    "SIN(1E16)",
    "ARCSIN(1.0001)",
    "A=2.5",
    "A=",
    "(X+1",
    "X+1)",
    "1/0+SQRT(-1)",
    "SQRT(-1)+1/0",
    "X<5",
    "SINX",
    "PI",
    "X COS Y",
    "SIN COS X",
    "SIN(X)*EXP(-X/5)",
    "1/(X-1)",
    "SQRT(ABS(X))*COS(3*X)+X^2/7",
    "(X+1)*(X-2)*(X+3)/(X*X+1)",
    "A=(X+1)/(Y-2)",
    "RAND(10)+RAND(X)",
    "(SIN COS)",
    "((1/0",
    "X COS COS",
    "LN LN",
    "-(-(X))",
};

TEST(CrossCheck, EveryPrefixAndSuffixOfTheTableFormulas) {
  int failures = 0;
  for (const std::string& formula : kSeedFormulas) {
    for (std::size_t cut = 0; cut <= formula.size() && failures < 10; ++cut) {
      failures += !PathsAgree(formula.substr(0, cut));
      failures += !PathsAgree(formula.substr(cut));
    }
  }
}

// Random token soup: mostly ill-formed, so it walks the error paths.
TEST(CrossCheck, RandomTokenSoup) {
  const std::vector<std::string> vocabulary = {
      "X",      "Y",      "A",     "P",      "XY",   "0",   "1",   "2",   "0.5", "1E2",
      "3.",     "+",      "-",     "*",      "/",    "%",   "^",   "$",   "&",   "#",
      "@",      "(",      "(",     ")",      ")",    "=",   "SIN", "COS", "TG",  "CTG",
      "ARCSIN", "ARCCOS", "ARCTG", "ARCCTG", "SQRT", "ABS", "LN",  "EXP", "INT", "FRACT",
      "SIGN",   "RAND",   " ",     "<",      ".",    "\n",  ";",   "sin"};
  std::mt19937 random(12345);
  std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
  std::uniform_int_distribution<int> length(0, 9);
  std::bernoulli_distribution blank(0.3);
  int failures = 0;
  for (int i = 0; i < 20000 && failures < 10; ++i) {
    std::string text;
    for (int n = length(random); n > 0; --n) {
      text += vocabulary[pick(random)];
      if (blank(random)) text += ' ';
    }
    failures += !PathsAgree(text);
  }
}

// Random well-formed expressions: they walk the value paths.
class ExpressionGenerator {
 public:
  explicit ExpressionGenerator(unsigned seed) : random_(seed) {}

  std::string Expression(int depth) {
    const int choice = Pick(depth > 0 ? 8 : 2);
    switch (choice) {
      case 0:
        return Leaf();
      case 1:
        return Leaf();
      case 2:
        return "(" + Expression(depth - 1) + ")";
      case 3:
        return std::string(Pick(2) ? "-" : "+") + Expression(depth - 1);
      case 4:
      case 5:
        return Expression(depth - 1) + Operator() + Operand(depth - 1);
      case 6:
        return Function() + "(" + Expression(depth - 1) + ")";
      default:
        return Function() + " " + Leaf();
    }
  }

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  std::string Leaf() {
    static const char* const leaves[] = {"X", "Y", "P",   "E",  "0",  "1",
                                         "2", "3", "0.5", "10", "1E3"};
    return leaves[Pick(11)];
  }
  // A right operand must not begin with a sign after a power-level operator.
  std::string Operand(int depth) { return depth > 0 ? "(" + Expression(depth) + ")" : Leaf(); }
  std::string Operator() {
    static const char* const operators[] = {"+", "-", "*", "/", "%", "^", "$", "&", "#", "@"};
    return operators[Pick(10)];
  }
  std::string Function() {
    static const char* const functions[] = {"SIN",   "COS",    "TG",   "CTG", "ARCSIN", "ARCCOS",
                                            "ARCTG", "ARCCTG", "SQRT", "ABS", "LN",     "EXP",
                                            "INT",   "FRACT",  "SIGN", "RAND"};
    return functions[Pick(16)];
  }

  std::mt19937 random_;
};

TEST(CrossCheck, RandomExpressions) {
  ExpressionGenerator generator(777);
  int failures = 0;
  int clean = 0;
  int translated = 0;
  for (int i = 0; i < 20000 && failures < 10; ++i) {
    const std::string text = generator.Expression(4);
    failures += !PathsAgree(text);
    clean += EvaluateOneWay(text, Way::Text).code == NoFormulaError;
    FormulaParser parser;
    parser.Compile(text);
    translated += parser.HasNativeCode();
  }
  EXPECT_GT(clean, 2000) << "the generator should mostly produce formulas with a value";
  EXPECT_EQ(translated, kNativeCodeExpected ? 20000 : 0)
      << "all are shallow enough to run as machine code";
}

// Batches that must run point by point, or that have nothing to run, or whose free
// variable the formula does not read.
struct BatchCase {
  const char* name;
  const char* formula;
  char letter;
};

class BatchTest : public testing::TestWithParam<BatchCase> {};

TEST_P(BatchTest, SameAsOnePointAtATime) {
  const BatchCase& c = GetParam();
  static const std::vector<double> xs = BatchInputs();
  EXPECT_TRUE(BatchAgrees<DivisionTrackingParser>(c.formula, c.letter, xs));
  EXPECT_TRUE(BatchAgrees<FormulaParser>(c.formula, c.letter, xs));
  EXPECT_TRUE(BatchAgrees<DivisionTrackingParser>(c.formula, c.letter, std::span(xs).first(1)));
}

const BatchCase kBatchCases[] = {
    {"AssignmentCarriesOverToTheNextPoint", "A=A+X", 'X'},
    {"AssignmentToTheFreeVariable", "X=X*2+1/X", 'X'},
    {"RandomNumbersDrawnInPointOrder", "RAND(7)+RAND(X)", 'X'},
    {"FreeVariableUnused", "Y*Y/(Y+2)", 'X'},
    {"FreeVariableNotALetter", "1/(X-1)", '1'},
    {"LowerCaseLetter", "SQRT(X)-INT(X)", 'x'},
    {"OtherFreeVariable", "X/Y+SIGN(Y)", 'Y'},
    {"EmptyProgram", "", 'X'},
    {"TokenTooLong",
     "X+111111111111111111111111111111111111111111111111111111111111111111111111111"
     "111111111111111111111111111111111",
     'X'},
    {"LeftoverToken", "X+1)", 'X'},
    {"SyntaxErrorEveryPoint", "X+*2", 'X'},
    {"DivisionsCountedAtEveryDivisor", "1/X/(X-1)/(0-X)+X%X+CTG X+X&2", 'X'},
    {"ConstantDivisors", "X/2/(-3)/0", 'X'},
    {"EveryFunction",
     "SIN X+COS X+TG X+CTG X+ARCSIN X+ARCCOS X+ARCTG X+ARCCTG X+SQRT X+ABS X+LN X+EXP X"
     "+INT X+FRACT X+SIGN X",
     'X'},
    {"EveryPowerLevelOperator", "X^2+X^X+X$3+2&X+X#Y+X@Y+(X^0.5)", 'X'},
    {"DeepStack", "1+(2*(3-(4/(5+(6*(7-(8/(9+X))))))))", 'X'},
};

INSTANTIATE_TEST_SUITE_P(Table, BatchTest, testing::ValuesIn(kBatchCases),
                         [](const testing::TestParamInfo<BatchCase>& param) {
                           return std::string(param.param.name);
                         });

// Two free variables at once, as a grid walk sets them, over random expressions: both
// varying, or X held at one value for every point as a column walk holds it.
class TwoVariableBatchTest : public testing::TestWithParam<bool> {};

TEST_P(TwoVariableBatchTest, SameAsOnePointAtATime) {
  const bool xHeld = GetParam();
  const std::vector<double> inputs = BatchInputs();
  const std::vector<double> ys(inputs.rbegin(), inputs.rend());
  const std::vector<double> xs = xHeld ? std::vector<double>{0.75} : inputs;
  ExpressionGenerator generator(xHeld ? 4243 : 4242);
  for (int i = 0; i < 300; ++i) {
    const std::string text = generator.Expression(4);
    DivisionTrackingParser single;
    DivisionTrackingParser batch;
    PrepareForBatch(single, text);
    PrepareForBatch(batch, text);
    std::vector<Outcome> expected;
    for (std::size_t p = 0; p < ys.size(); ++p) {
      single.SetVariable("X", xs[xHeld ? 0 : p]);
      single.SetVariable("Y", ys[p]);
      expected.push_back(ReadAny(single, single.EvaluateCompiled()));
    }
    std::vector<double> values(ys.size());
    std::vector<std::uint8_t> codes(ys.size());
    std::vector<std::uint32_t> divisions(ys.size());
    const FormulaParser::BatchInput batchInputs[] = {{'X', xs}, {'Y', ys}};
    batch.EvaluateBatch(batchInputs, {values.data(), codes.data(), divisions.data()});
    for (std::size_t p = 0; p < ys.size(); ++p) {
      const Outcome got{values[p], codes[p], int(divisions[p] & 0xFFFF), int(divisions[p] >> 16)};
      ASSERT_TRUE(got == expected[p])
          << text << " at point " << p << ": " << got << " vs " << expected[p];
    }
    EXPECT_TRUE(StateAfter(batch) == StateAfter(single)) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(CrossCheck, TwoVariableBatchTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& param) {
                           return std::string(param.param ? "XHeld" : "BothVarying");
                         });

// A held value beside an empty row, as a walk without rows gives: no points at all.
TEST(CrossCheck, BatchWithoutPointsEvaluatesNothing) {
  FormulaParser parser;
  parser.Compile("A=X+Y");
  const double held = 2.0;
  const FormulaParser::BatchInput inputs[] = {{'X', std::span(&held, 1)},
                                              {'Y', std::span<const double>()}};
  parser.EvaluateBatch(inputs, {nullptr, nullptr});
  EXPECT_EQ(parser.Variable('A'), 0.0);
  EXPECT_EQ(parser.Variable('X'), 0.0);
}

TEST(CrossCheck, AssignmentFormulasStoreTheSameOnEveryPath) {
  ExpressionGenerator generator(99);
  for (int i = 0; i < 2000; ++i) {
    const std::string text = "A=" + generator.Expression(3);
    FormulaParser textParser;
    textParser.SetVariable("X", 3);
    textParser.SetVariable("Y", -2);
    textParser.SeedRandom(1);
    textParser.Evaluate(text);
    const double stored = textParser.Variable('A');
    for (const Way way : kCompiledWays) {
      FormulaParser parser;
      parser.SetVariable("X", 3);
      parser.SetVariable("Y", -2);
      parser.SeedRandom(1);
      parser.Compile(text);
      SelectWay(parser, way);
      parser.EvaluateCompiled();
      EXPECT_TRUE(Outcome{parser.Variable('A')} == Outcome{stored}) << text << " way " << int(way);
    }
  }
}

}  // namespace
}  // namespace lw
