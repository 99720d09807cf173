// The text path, the token program, its flat translation and the machine code made
// from that must agree on every formula, except that the token program tolerates one
// final unused token.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FormulaParser.h"
#include "FormulaTestSupport.h"

namespace lw {
namespace {

// Returns false (after reporting) when the paths disagree.
bool PathsAgree(const std::string& text) {
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
