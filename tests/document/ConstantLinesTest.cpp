// Constants lists read as adjustable constants, and lines rewritten with new values.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "document/ConstantLines.h"
#include "formula/FormulaParser.h"

namespace lw {
namespace {

struct ReadCase {
  const char* name;
  const char* line;
  char letter;
  bool adjustable;
  double value;
  std::string_view reason;
};

class ReadConstantLine : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadConstantLine, GivesLetterValueOrReason) {
  const ReadCase& c = GetParam();
  const std::vector<ConstantLine> found = ListConstants({c.line});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, c.letter);
  EXPECT_EQ(found[0].adjustable, c.adjustable);
  if (c.adjustable) {
    EXPECT_DOUBLE_EQ(found[0].value, c.value);
  }
  EXPECT_EQ(found[0].reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadConstantLine,
    ::testing::Values(ReadCase{"Integer", "A=3", 'A', true, 3, ""},
                      ReadCase{"BlanksAround", "  b =  -2.5 ", 'B', true, -2.5, ""},
                      ReadCase{"DecimalComma", "C=1,25", 'C', true, 1.25, ""},
                      ReadCase{"Exponent", "D=2E3", 'D', true, 2000, ""},
                      ReadCase{"Expression", "K=2*P", 'K', false, 0, ExpressionReason},
                      ReadCase{"NegativeExponentIsSubtraction", "F=1E-5", 'F', false, 0,
                               ExpressionReason},
                      ReadCase{"LetterValue", "G=P", 'G', false, 0, ExpressionReason},
                      ReadCase{"NoEquals", "sin(x)", 0, false, 0, NotAssignmentReason},
                      ReadCase{"TwoLetters", "AB=3", 0, false, 0, NotLetterReason},
                      ReadCase{"CyrillicName", "Ж=3", 0, false, 0, NotLetterReason},
                      ReadCase{"NoValue", "H= ", 'H', false, 0, EmptyValueReason},
                      ReadCase{"Overflow", "M=9E999", 'M', false, 0, TooLargeReason}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ListConstants, SkipsBlankLinesAndKeepsLineNumbers) {
  const auto found = ListConstants({"A=3", "", "  ", "K=2*A"});
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[1].line, 3u);
  EXPECT_EQ(found[1].name, 'K');
}

TEST(ListConstants, AnEarlierLineOverriddenByALaterOneIsNotAdjustable) {
  const auto found = ListConstants({"A=1", "B=2", "a=5"});
  ASSERT_EQ(found.size(), 3u);
  EXPECT_FALSE(found[0].adjustable);
  EXPECT_EQ(found[0].reason, std::string(OverriddenReason) + "3");
  EXPECT_TRUE(found[2].adjustable);
}

struct RewriteCase {
  const char* name;
  const char* line;
  double value;
  const char* expected;  // null: not rewritable
};

class RewriteLine : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteLine, ChangesOnlyTheNumber) {
  const RewriteCase& c = GetParam();
  const auto rewritten = RewriteConstantLine(c.line, c.value);
  if (!c.expected) {
    EXPECT_FALSE(rewritten.has_value());
    return;
  }
  ASSERT_TRUE(rewritten.has_value());
  EXPECT_EQ(*rewritten, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RewriteLine,
    ::testing::Values(RewriteCase{"Plain", "A=3", 4.5, "A=4.5"},
                      RewriteCase{"KeepsBlanks", " a = 3  ", -1.25, " a = -1.25  "},
                      RewriteCase{"KeepsComma", "A=1,5", 2.75, "A=2,75"},
                      RewriteCase{"SmallValueInFixedNotation", "A=1", 0.00001, "A=0.00001"},
                      RewriteCase{"LargeValueInFixedNotation", "A=1", 1e17, "A=100000000000000000"},
                      RewriteCase{"RoundedToFifteenDigits", "A=0", 1.2000000000000002, "A=1.2"},
                      RewriteCase{"NegativeZeroIsZero", "A=1", -0.0, "A=0"},
                      RewriteCase{"ExpressionRefused", "K=2*P", 1, nullptr},
                      RewriteCase{"InfinityRefused", "A=1", HUGE_VAL, nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

// Every text written for a value must read back as that value in the formula engine.
TEST(ConstantValueText, ReadsBackThroughTheFormulaEngine) {
  for (double v : {0.0, 1.5, -2.25, 1e-7, -3.14159265358979, 123456789.125, 1e20}) {
    FormulaParser parser;
    std::string line = "A=" + ConstantValueText(v);
    parser.EvaluateNormalized(line);
    EXPECT_FALSE(parser.HasError()) << line;
    EXPECT_DOUBLE_EQ(parser.Variable('A'), v) << line;
  }
}

struct OverrideCase {
  const char* name;
  std::vector<std::string> before;
  char letter;
  double value;
  std::vector<std::string> after;
};

class Override : public ::testing::TestWithParam<OverrideCase> {};

TEST_P(Override, SetsTheLetterWhereverItIsAssigned) {
  OverrideCase c = GetParam();
  OverrideConstant(c.before, c.letter, c.value);
  EXPECT_EQ(c.before, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, Override,
    ::testing::Values(OverrideCase{"PlainLine", {"A=3", "K=2*A"}, 'A', 1.5, {"A=1.5", "K=2*A"}},
                      OverrideCase{"ExpressionLine", {"A=3", "K=2*A"}, 'k', 7, {"A=3", "K=7"}},
                      OverrideCase{"MissingGoesFirst", {"K=2*A"}, 'A', 2, {"A=2", "K=2*A"}},
                      OverrideCase{"EveryAssignment", {"A=1", "A=A+1"}, 'A', 4, {"A=4", "A=4"}},
                      OverrideCase{"EmptyList", {}, 'Z', -1, {"Z=-1"}}),
    [](const auto& p) { return std::string(p.param.name); });

struct RangeCase {
  const char* name;
  double value;
  SliderRange expected;
};

class DefaultSliderRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(DefaultSliderRange, TenTimesTheValueEachWayInAHundredSteps) {
  const RangeCase& c = GetParam();
  const SliderRange r = DefaultRange(c.value);
  EXPECT_DOUBLE_EQ(r.lower, c.expected.lower);
  EXPECT_DOUBLE_EQ(r.upper, c.expected.upper);
  EXPECT_DOUBLE_EQ(r.step, c.expected.step);
  EXPECT_EQ(StepCount(r), 100);
  EXPECT_DOUBLE_EQ(ValueAtStep(r, NearestStep(r, c.value)), c.value);
}

INSTANTIATE_TEST_SUITE_P(Values, DefaultSliderRange,
                         ::testing::Values(RangeCase{"Three", 3, {-27, 33, 0.6}},
                                           RangeCase{"Zero", 0, {-10, 10, 0.2}},
                                           RangeCase{"SmallUsesOne", 0.5, {-9.5, 10.5, 0.2}},
                                           RangeCase{"Negative", -4, {-44, 36, 0.8}}),
                         [](const auto& p) { return std::string(p.param.name); });

struct StepCase {
  const char* name;
  SliderRange range;
  int step;
  double value;
};

class SliderSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(SliderSteps, LandOnCleanValues) {
  const StepCase& c = GetParam();
  EXPECT_EQ(ConstantValueText(ValueAtStep(c.range, c.step)), ConstantValueText(c.value));
}

INSTANTIATE_TEST_SUITE_P(Ranges, SliderSteps,
                         ::testing::Values(StepCase{"ZeroInsideRange", {-27, 33, 0.6}, 45, 0.0},
                                           StepCase{"NoRoundingTail", {-27, 33, 0.6}, 47, 1.2},
                                           StepCase{
                                               "ShortLastStepEndsOnUpper", {0, 1, 0.3}, 4, 1.0},
                                           StepCase{"BeyondTheEndIsUpper", {1, 5, 0.5}, 99, 5.0},
                                           StepCase{"BeforeTheStartIsLower", {1, 5, 0.5}, -3, 1.0}),
                         [](const auto& p) { return std::string(p.param.name); });

struct UsableCase {
  const char* name;
  SliderRange range;
  bool usable;
};

class UsableRange : public ::testing::TestWithParam<UsableCase> {};

TEST_P(UsableRange, RefusesRangesASliderCannotWalk) {
  EXPECT_EQ(IsUsableRange(GetParam().range), GetParam().usable);
}

INSTANTIATE_TEST_SUITE_P(Ranges, UsableRange,
                         ::testing::Values(UsableCase{"Ordinary", {1, 5, 0.5}, true},
                                           UsableCase{"LowerAboveUpper", {5, 1, 0.5}, false},
                                           UsableCase{"EqualBounds", {1, 1, 0.5}, false},
                                           UsableCase{"ZeroStep", {1, 5, 0}, false},
                                           UsableCase{"StepWiderThanRange", {1, 5, 6}, false},
                                           UsableCase{"TooManySteps", {0, 1, 1e-9}, false},
                                           UsableCase{"Infinite", {0, HUGE_VAL, 1}, false}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace lw
