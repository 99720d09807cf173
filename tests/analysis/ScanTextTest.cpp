#include "analysis/ScanText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "formula/FormulaParser.h"

namespace lw {
namespace {

struct DecimalCase {
  const char* text;
  std::optional<double> value;
};

TEST(ReadDecimalTest, AcceptsBothSeparatorsAndRefusesAnythingElse) {
  const DecimalCase cases[] = {
      {"1.5", 1.5},
      {"1,5", 1.5},
      {" -2 ", -2.0},
      {"+3", 3.0},
      {"0", 0.0},
      {"1.5E20", 1.5e20},
      {"1E-5", 1e-5},
      {"-0,25", -0.25},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"1.5x", std::nullopt},
      {"INF", std::nullopt},
      {"-INF", std::nullopt},
      {"NAN", std::nullopt},
      {"1e999", std::nullopt},
      {"не існує", std::nullopt},
      {"1 2", std::nullopt},
  };
  for (const DecimalCase& c : cases) {
    EXPECT_EQ(ReadDecimal(c.text), c.value) << c.text;
  }
}

TEST(StartsLikeNumberTest, OnlyMinusOrDigitStart) {
  EXPECT_TRUE(StartsLikeNumber("-1"));
  EXPECT_TRUE(StartsLikeNumber("0,5"));
  EXPECT_FALSE(StartsLikeNumber("не існує"));
  EXPECT_FALSE(StartsLikeNumber("Синтаксична помилка"));
  EXPECT_FALSE(StartsLikeNumber("INF"));
  EXPECT_FALSE(StartsLikeNumber(""));
}

struct SplitCase {
  const char* expression;
  const char* rest;
  double constant;
  bool found;
};

TEST(SplitTrailingConstantTest, Table) {
  const SplitCase cases[] = {
      {"X^2+Y^2-4", "X^2+Y^2", -4.0, true},
      {"X^2+Y^2+3", "X^2+Y^2", 3.0, true},
      {"X+1,5", "X", 1.5, true},         // commas count as points
      {"SIN(X)", "SIN(X)", 0.0, false},  // ends in a parenthesis
      {"X^2", "X^2", 0.0, false},        // the run is preceded by ^, not a sign
      {"12", "12", 0.0, false},          // the whole text is the run
      {"-4", "", -4.0, true},            // a sign at the very start
      {"X + 3", "X ", 3.0, true},        // blanks belong to the run
      {"X+", "X+", 0.0, false},          // a sign with no digits after it
      {"X+1.5.3", "X", 1.5, true},       // read as the engine reads it
      {"X*-3", "X*-3", 0.0, false},      // a factor, not a term
      {"X--3", "X--3", 0.0, false},      // minus minus three adds three
      {"X^(-2)", "X^(-2)", 0.0, false},
      {"X*1E-5", "X*1E", -5.0, true},  // the engine reads 1E-5 as 1E minus 5
      {"X+.5", "X+.5", 0.0, false},    // .5 is no number to the engine
  };
  for (const SplitCase& c : cases) {
    const SplitExpression split = SplitTrailingConstant(c.expression);
    EXPECT_EQ(split.rest, c.rest) << c.expression;
    EXPECT_EQ(split.hasConstant, c.found) << c.expression;
    EXPECT_DOUBLE_EQ(split.constant, c.constant) << c.expression;
  }
}

TEST(FormulaNumberTextTest, ExponentsAreSpeltForTheEngine) {
  EXPECT_EQ(FormulaNumberText(5.0), "5");
  EXPECT_EQ(FormulaNumberText(-0.25), "-0.25");
  EXPECT_EQ(FormulaNumberText(1e-20), "1*10^(-20)");
  EXPECT_EQ(FormulaNumberText(1.5e20), "1.5*10^20");
  EXPECT_EQ(FormulaNumberText(-1.5e-7), "-1.5*10^(-7)");
}

TEST(FormulaNumberTextTest, TheEngineReadsItBack) {
  FormulaParser parser;
  for (double v : {1e-20, 1.5e20, -2.5e-9, 123.456, 7e16}) {
    const double back = parser.Evaluate(FormulaNumberText(v));
    EXPECT_FALSE(parser.HasError()) << v;
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
  }
}

TEST(AppendShiftTest, SignOfTheShiftDecidesTheOperator) {
  EXPECT_EQ(AppendShift("X^2+Y^2", 5.0), "X^2+Y^2-5");
  EXPECT_EQ(AppendShift("X", -2.0), "X+2");
  EXPECT_EQ(AppendShift("X", 0.0), "X-0");
  EXPECT_EQ(AppendShift("X", -1e-20), "X+1*10^(-20)");
  EXPECT_EQ(AppendShift("X", 1e-20), "X-1*10^(-20)");
}

TEST(ValueCellTextTest, MessagesForWrongFormulasOtherwiseNotExisting) {
  FormulaParser parser;
  struct Case {
    const char* formula;
    const char* cell;
  };
  const Case cases[] = {
      {"1/3", "0.333333333333333"},  {"(1", "Непарні круглі скобки"}, {"", "Це не вираз"},
      {"2+", "Синтаксична помилка"}, {"SQRT(-1)", "не існує"},        {"1/0", "не існує"},
      {"LN(0)", "не існує"},
  };
  for (const Case& c : cases) {
    const double v = parser.Evaluate(c.formula);
    EXPECT_EQ(ValueCellText(parser, v, '.'), c.cell) << c.formula;
  }
  const double v = parser.Evaluate("1/4");
  EXPECT_EQ(ValueCellText(parser, v, ','), "0,25");
}

}  // namespace
}  // namespace lw
