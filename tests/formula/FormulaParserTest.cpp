#include "formula/FormulaParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "CaseNames.h"
#include "FormulaTestSupport.h"

namespace lw {
namespace {

constexpr int kNone = NoFormulaError;
constexpr double kInf = std::numeric_limits<double>::infinity();

struct EdgeCase {
  const char* formula;
  double value;
  int code;
  // The token program tolerates one final unused token; where that changes the
  // outcome, the compiled path's value and code.
  bool compiledDiffers = false;
  double compiledValue = 0.0;
  int compiledCode = kNone;
};

// X = 3, Y = 5, S = 7; P and E bound.
const EdgeCase kEdgeCases[] = {
    {"", 0, NotAnExpression},
    {"   \t ", 0, NotAnExpression},
    {".5", 0, NotAnExpression},
    {"2+3*4", 14, kNone},
    {"2^3^2", 64, kNone},
    {"-2^2", -4, kNone},
    {"-X^2", -9, kNone},
    {"2*-3", -6, kNone},
    {"2--3", 5, kNone},
    {"--5", -5, SyntaxError},  // the second "-" fails as a primary, then subtracts
    {"2^-1", 0, SyntaxError},
    {"2^(-1)", 0.5, kNone},
    {"7%3", 1, kNone},
    {"-7%3", -1, kNone},
    {"7%0", 0, DivisionByZero},
    {"12$18", 6, kNone},
    {"12.9$(-18)", 6, kNone},
    {"0$5", 5, kNone},
    {"0$0", 0, kNone},
    {"3#5", 5, kNone},
    {"3@5", 3, kNone},
    {"2^3#10", 10, kNone},
    {"8&2", 3, kNone},
    {"8&1", 0, LogDomain},
    {"(-8)&2", 0, LogDomain},
    {"(-8)^(1/3)", 0, LogDomain},
    {"(-2)^3", -8, kNone},
    {"SIN(P/2)", 1, kNone},
    {"ARCCTG(0)", Pi / 2, kNone},
    {"EXP(1)", EulerE, kNone},
    {"INT(-2.5)", -3, kNone},
    {"FRACT(-2.5)", 0.5, kNone},
    {"SIGN(-0.1)", -1, kNone},
    {"SIGN(0)", 0, kNone},
    {"CTG(0)", 0, CotDomain},
    {"CTG(1E16)", 0, Overflow},
    {"COS(1E16)", 0, Overflow},
    {"TG(1E16)", 0, Overflow},
    {"EXP(709.783)", 0, Overflow},
    {"EXP(-1000)", 0, kNone},
    {"SIN(1E16)", 0, Overflow},
    {"ARCSIN(1.0001)", 0, ArcsinDomain},
    {"ARCCOS(-1.0001)", 0, ArccosDomain},
    {"SQRT(-1)", 0, SqrtDomain},
    {"LN(0)", 0, LogDomain},
    {"ABS(-2)", 2, kNone},
    {"ARCTG(1)", Pi / 4, kNone},
    {"A=", 0, SyntaxError},
    {"A=B=1", 0, SyntaxError},
    {"2+A=1", 0, SyntaxError},
    {"(A=1)", 0, SyntaxError},
    {"(X+1", 4, UnbalancedParentheses},
    {"X+1)", 0, SyntaxError, true, 4, kNone},
    {"2)", 0, SyntaxError, true, 2, kNone},
    {"X Y", 0, SyntaxError, true, 3, kNone},
    {"1/0+SQRT(-1)", 0, SqrtDomain},
    {"SQRT(-1)+1/0", 0, DivisionByZero},
    {"1+SQRT(-1)", 1, SqrtDomain},
    {"X<5", 3, kNone},
    {"X;Y", 3, kNone},
    {"SINX", 7, kNone},
    {"X1+XY", 6, kNone},
    {"PI", Pi, kNone},
    {"X COS Y", 5, kNone},
    {"SIN COS X", 0, SyntaxError},
    {"SIN X", std::sin(3.0), kNone},
    {"SIN 2*X", std::sin(2.0) * 3, kNone},
    {"SIN X^2", std::sin(3.0) * std::sin(3.0), kNone},
    {"2X", 2, kNone},
    {"1.5.3", 1.5, kNone},
    {"1E5", 1e5, kNone},
    {"1E-3", -2, kNone},
    {"1E999", kInf, kNone},
    {"sin", 7, kNone},
    {"sin(x)", 0, SyntaxError},
    {"+", 0, SyntaxError},
    {")", 0, SyntaxError},
    {"X)Y", 0, SyntaxError},
    {"()", 0, SyntaxError},
};

void PrintTo(const EdgeCase& edge, std::ostream* out) {
  *out << '"' << edge.formula << '"';
}

class EdgeCaseTest : public testing::TestWithParam<EdgeCase> {
 protected:
  static void Bind(FormulaParser& parser) {
    parser.SetVariable("X", 3);
    parser.SetVariable("Y", 5);
    parser.SetVariable("S", 7);
  }
};

TEST_P(EdgeCaseTest, TextPath) {
  const EdgeCase& edge = GetParam();
  FormulaParser parser;
  Bind(parser);
  const double value = parser.Evaluate(edge.formula);
  if (std::isinf(edge.value)) {
    EXPECT_EQ(value, edge.value) << edge.formula;
  } else {
    EXPECT_NEAR(value, edge.value, 1e-12) << edge.formula;
  }
  EXPECT_EQ(parser.ErrorCode(), edge.code) << edge.formula;
  EXPECT_EQ(parser.HasError(), edge.code != kNone);
  EXPECT_EQ(parser.Error(),
            edge.code == kNone ? std::nullopt : std::optional(FormulaError(edge.code)));
}

TEST_P(EdgeCaseTest, CompiledPathEveryWay) {
  const EdgeCase& edge = GetParam();
  const double expected = edge.compiledDiffers ? edge.compiledValue : edge.value;
  const int code = edge.compiledDiffers ? edge.compiledCode : edge.code;
  for (const Way way : kCompiledWays) {
    FormulaParser parser;
    Bind(parser);
    parser.Compile(edge.formula);
    SelectWay(parser, way);
    const double value = parser.EvaluateCompiled();
    if (std::isinf(expected)) {
      EXPECT_EQ(value, expected) << edge.formula;
    } else {
      EXPECT_NEAR(value, expected, 1e-12) << edge.formula << " way " << int(way);
    }
    EXPECT_EQ(parser.ErrorCode(), code) << edge.formula << " way " << int(way);
  }
}

TEST_P(EdgeCaseTest, BatchPath) {
  const EdgeCase& edge = GetParam();
  const double expected = edge.compiledDiffers ? edge.compiledValue : edge.value;
  const int code = edge.compiledDiffers ? edge.compiledCode : edge.code;
  FormulaParser parser;
  Bind(parser);
  parser.Compile(edge.formula);
  // The free variable is one the table's formulas leave alone.
  const double inputs[] = {1.0, 2.0, 3.0};
  double values[3];
  std::uint8_t codes[3];
  parser.EvaluateBatch('W', inputs, {values, codes});
  for (int i = 0; i < 3; ++i) {
    if (std::isinf(expected)) {
      EXPECT_EQ(values[i], expected) << edge.formula;
    } else {
      EXPECT_NEAR(values[i], expected, 1e-12) << edge.formula;
    }
    EXPECT_EQ(codes[i], code) << edge.formula;
  }
  EXPECT_EQ(parser.ErrorCode(), code) << edge.formula;
}

INSTANTIATE_TEST_SUITE_P(Table, EdgeCaseTest, testing::ValuesIn(kEdgeCases),
                         [](const testing::TestParamInfo<EdgeCase>& p) {
                           return test::NameFromText(p.param.formula);
                         });

TEST(Assignment, StoresAndPersistsOnTheObject) {
  FormulaParser parser;
  EXPECT_EQ(parser.Evaluate("A=2.5"), 2.5);
  EXPECT_FALSE(parser.HasError());
  EXPECT_EQ(parser.Evaluate("A*2"), 5.0);
  parser.Compile("B=A+1");
  EXPECT_EQ(parser.EvaluateCompiled(), 3.5);
  EXPECT_EQ(parser.Variable('b'), 3.5);
}

TEST(Assignment, StoresEvenAfterAnError) {
  FormulaParser parser;
  parser.SetVariable("A", 9);
  EXPECT_EQ(parser.Evaluate("A=1+1/0"), 1.0);
  EXPECT_EQ(parser.ErrorCode(), DivisionByZero);
  EXPECT_EQ(parser.Variable('A'), 1.0);
  parser.Evaluate("a=");
  EXPECT_EQ(parser.ErrorCode(), SyntaxError);
  EXPECT_EQ(parser.Variable('A'), 0.0);
}

TEST(Normalize, RewritesInPlace) {
  const std::pair<std::string, std::string> cases[] = {
      {"sin(x) , ", "SIN(X)"}, {"x^2+ ", "X^2"}, {"1,5", "1.5"}, {"+", "+"},      {"", ""},
      {"(x)\n", "(X)\n"},      {"A=", "A"},      {"x(", "X"},    {"x;\t\r", "X"}, {"ж x", "ж X"},
      {"2*(x+1)", "2*(X+1)"},
  };
  for (const auto& [input, expected] : cases) {
    std::string text = input;
    FormulaParser::Normalize(text);
    EXPECT_EQ(text, expected) << input;
  }
}

TEST(Normalize, EvaluateNormalizedChangesTheCallersText) {
  FormulaParser parser;
  std::string text = "sin(p/2) ";
  EXPECT_DOUBLE_EQ(parser.EvaluateNormalized(text), 1.0);
  EXPECT_EQ(text, "SIN(P/2)");
}

struct CounterCase {
  const char* formula;
  double x;
  int positive;
  int negative;
  int code;
};

const CounterCase kCounterCases[] = {
    {"1/(X-1)", 2, 1, 0, kNone},    {"1/(X-1)", 0, 0, 1, kNone},
    {"X%2", 3, 0, 0, kNone},        {"1/0", 0, 0, 0, DivisionByZero},
    {"CTG(X)", 1, 0, 0, kNone},     {"8&X", 2, 0, 0, kNone},
    {"X/2/X/(-1)", 4, 2, 1, kNone}, {"(1/X)+(1/(X-9))", 4, 1, 1, kNone},
    {"A=1/X", -1, 0, 1, kNone},     {"SIN 1/X", 2, 1, 0, kNone},
    {"1/X)", 2, 1, 0, SyntaxError},
};

TEST(DivisionTracking, CountsOnEveryPath) {
  for (const CounterCase& c : kCounterCases) {
    for (const Way way : kAllWays) {
      DivisionTrackingParser parser;
      parser.SetVariable("X", c.x);
      if (way == Way::Text) {
        parser.Evaluate(c.formula);
      } else {
        parser.Compile(c.formula);
        SelectWay(parser, way);
        parser.EvaluateCompiled();
      }
      const int code = (way != Way::Text && c.code == SyntaxError) ? kNone : c.code;
      EXPECT_EQ(parser.PositiveDivisions(), c.positive) << c.formula << " way " << int(way);
      EXPECT_EQ(parser.NegativeDivisions(), c.negative) << c.formula << " way " << int(way);
      EXPECT_EQ(parser.ErrorCode(), code) << c.formula << " way " << int(way);
    }
  }
}

TEST(DivisionTracking, CountersAreResetAndWrapAt16Bits) {
  std::string formula = "X";
  for (int i = 0; i < 65537; ++i) formula += "/1";
  DivisionTrackingParser parser;
  parser.Evaluate(formula);
  EXPECT_EQ(parser.PositiveDivisions(), 1);
  parser.Compile(formula);
  for (const Way way : kCompiledWays) {
    SelectWay(parser, way);
    parser.EvaluateCompiled();
    EXPECT_EQ(parser.PositiveDivisions(), 1) << int(way);
  }
  parser.Evaluate("1");
  EXPECT_EQ(parser.PositiveDivisions(), 0);
}

// A division tracker reached as a plain parser still counts, on every path, and
// starts each evaluation from zero.
TEST(DivisionCounting, ThroughThePlainInterface) {
  DivisionTrackingParser tracking;
  FormulaParser& parser = tracking;
  parser.SetVariable("X", -2);
  EXPECT_EQ(parser.Evaluate("1/X+X/4"), -0.5 - 0.5);
  EXPECT_EQ(parser.LastDivisionPair(), 1u | (1u << 16));
  parser.Compile("1/X+X/4/X");
  for (const Way way : kCompiledWays) {
    SelectWay(parser, way);
    parser.EvaluateCompiled();
    EXPECT_EQ(tracking.PositiveDivisions(), 1) << int(way);
    EXPECT_EQ(tracking.NegativeDivisions(), 2) << int(way);
  }
  EXPECT_EQ(FormulaParser().LastDivisionPair(), 0u);
}

TEST(TokenProgram, Layout) {
  FormulaParser parser;
  parser.Compile("SIN(X)*2");
  EXPECT_EQ(parser.ProgramTypes(), (std::vector<std::uint8_t>{4, 1, 2, 1, 1, 3}));
  EXPECT_EQ(parser.ProgramCharacters(), (std::vector<std::uint8_t>{1, '(', 'X', ')', '*'}));
  EXPECT_EQ(parser.ProgramNumbers(), (std::vector<double>{2.0}));
  EXPECT_TRUE(parser.HasFlatProgram());
  DivisionTrackingParser tracking;
  tracking.Compile("SIN(X)*2");
  EXPECT_TRUE(tracking.HasFlatProgram());
  tracking.UseFlatProgram(false);
  EXPECT_FALSE(tracking.HasFlatProgram());
  parser.Compile("");
  EXPECT_TRUE(parser.ProgramTypes().empty());
  parser.EvaluateCompiled();
  EXPECT_EQ(parser.ErrorCode(), NotAnExpression);
}

TEST(TokenProgram, ReleasedOrNeverCompiledIsNotAnExpression) {
  FormulaParser parser;
  parser.EvaluateCompiled();
  EXPECT_EQ(parser.ErrorCode(), NotAnExpression);
  parser.Compile("X+1");
  parser.SetVariable("X", 1);
  EXPECT_EQ(parser.EvaluateCompiled(), 2.0);
  parser.ReleaseCompiled();
  EXPECT_EQ(parser.EvaluateCompiled(), 0.0);
  EXPECT_EQ(parser.ErrorCode(), NotAnExpression);
}

TEST(TokenProgram, FreeVariableWrittenThroughItsSlot) {
  FormulaParser parser;
  parser.Compile("X*X+Y");
  double& x = parser.VariableSlot('x');
  parser.SetVariable("Y", 1);
  for (int i = 0; i < 5; ++i) {
    x = i;
    EXPECT_EQ(parser.EvaluateCompiled(), i * i + 1.0);
  }
}

TEST(Tokens, LongerThan99CharactersAreRefused) {
  const std::string name99 = "X" + std::string(98, 'Q');
  const std::string name100 = name99 + "Q";
  const std::string number99 = "1" + std::string(98, '0');
  const struct {
    std::string formula;
    int code;
  } cases[] = {
      {name99 + "+1", kNone},
      {name100 + "+1", SyntaxError},
      {"1+" + name100, SyntaxError},
      {"A=" + name100, SyntaxError},
      {number99, kNone},
      {number99 + "0", SyntaxError},
      {"X<" + name100, kNone},  // after the end of the formula: never read
      {std::string(5000, 'Z'), SyntaxError},
  };
  for (const auto& c : cases) {
    for (const Way way : kAllWays) {
      EXPECT_EQ(EvaluateOneWay(c.formula, way).code, c.code) << c.formula.substr(0, 8);
    }
  }
  FormulaParser parser;
  parser.SetVariable("A", 4);
  parser.Evaluate("A=" + name100);
  EXPECT_EQ(parser.Variable('A'), 4.0) << "a refused formula assigns nothing";
}

TEST(Nesting, DeepNestingIsRefusedWithoutCrashing) {
  const auto nested = [](int depth, const char* inner) {
    return std::string(std::size_t(depth), '(') + inner + std::string(std::size_t(depth), ')');
  };
  const struct {
    std::string formula;
    double value;
    int code;
  } cases[] = {
      {nested(256, "X"), 3, kNone},
      {nested(257, "X"), 0, SyntaxError},
      {nested(200000, "X"), 0, SyntaxError},
      {std::string(200000, '('), 0, SyntaxError},
      {"X" + std::string(200000, ')'), 0, SyntaxError},
      {"(1)+" + nested(256, "1"), 2, kNone},
      {"(" + nested(255, "1"), 1, UnbalancedParentheses},
  };
  for (const auto& c : cases) {
    for (const Way way : kAllWays) {
      const Outcome outcome = EvaluateOneWay(c.formula, way);
      EXPECT_EQ(outcome.code, c.code) << c.formula.size() << " way " << int(way);
      EXPECT_EQ(outcome.value, c.value) << c.formula.size() << " way " << int(way);
    }
  }
}

TEST(Variables, SettersAndConstants) {
  FormulaParser parser;
  EXPECT_EQ(parser.Variable('P'), Pi);
  EXPECT_EQ(parser.Variable('e'), EulerE);
  parser.SetVariable("x1", 2);
  EXPECT_EQ(parser.Variable('X'), 2.0);
  parser.SetVariable("1x", 5);
  parser.SetVariable("", 5);
  parser.SetVariable("ж", 5);
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (letter != 'X' && letter != 'P' && letter != 'E') {
      EXPECT_EQ(parser.Variable(letter), 0.0) << letter;
    }
  }
  parser.ClearVariables();
  EXPECT_EQ(parser.Variable('P'), 0.0);
  parser.SetConstants();
  EXPECT_EQ(parser.Variable('P'), Pi);
  parser.VariableSlot('#') = 9;  // not a letter: writes somewhere no formula reads
  EXPECT_EQ(parser.Evaluate("X"), 0.0);
}

TEST(Random, OwnGeneratorPerParserAndSeedable) {
  FormulaParser first;
  FormulaParser second;
  first.SeedRandom(42);
  second.SeedRandom(42);
  for (int i = 0; i < 100; ++i) {
    const double value = first.Evaluate("RAND(32768)");
    EXPECT_GE(value, 0.0);
    EXPECT_LE(value, 32767.0);
    EXPECT_EQ(value, std::floor(value)) << "whole numbers";
    EXPECT_EQ(second.Evaluate("RAND 32768"), value);
  }
}

TEST(Messages, ExactTexts) {
  EXPECT_EQ(FormulaErrorMessages[SyntaxError], "Синтаксична помилка");
  EXPECT_EQ(FormulaErrorMessages[UnbalancedParentheses], "Непарні круглі скобки");
  EXPECT_EQ(FormulaErrorMessages[NotAnExpression], "Це не вираз");
  EXPECT_EQ(FormulaErrorMessages[SqrtDomain], "Помилка\u00A0 sqrt");
  EXPECT_EQ(FormulaErrorMessages[DivisionByZero], "Ділення на нуль");
  EXPECT_EQ(FormulaErrorMessages[TanDomain], "Помилка\u00A0 tg");
  EXPECT_EQ(FormulaErrorMessages[CotDomain], "Помилка\u00A0 ctg");
  EXPECT_EQ(FormulaErrorMessages[ArcsinDomain], "Помилка arcsin");
  EXPECT_EQ(FormulaErrorMessages[ArccosDomain], "Помилка\u00A0 arccos");
  EXPECT_EQ(FormulaErrorMessages[LogDomain], "Помилка\u00A0 log");
  EXPECT_EQ(FormulaErrorMessages[Overflow], "Переповнення");
}

}  // namespace
}  // namespace lw
