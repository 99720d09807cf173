// The constant options of render2d read from the command line, and frame names.
#include <gtest/gtest.h>

#include <string>

#include "cli/ConstantOptions.h"

namespace lw::cli {
namespace {

struct SetCase {
  const char* name;
  const char* text;
  bool valid;
  char letter;
  double value;
};

class ReadSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(ReadSet, TakesALetterAndANumber) {
  const SetCase& c = GetParam();
  const auto set = ParseConstantSet(c.text);
  ASSERT_EQ(set.has_value(), c.valid);
  if (!c.valid) return;
  EXPECT_EQ(set->name, c.letter);
  EXPECT_DOUBLE_EQ(set->value, c.value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadSet,
                         ::testing::Values(SetCase{"Plain", "A=1.5", true, 'A', 1.5},
                                           SetCase{"LowerCase", "k=-2", true, 'K', -2},
                                           SetCase{"Comma", "B=0,25", true, 'B', 0.25},
                                           SetCase{"Exponent", "C=1e-3", true, 'C', 0.001},
                                           SetCase{"NoValue", "A=", false, 0, 0},
                                           SetCase{"Expression", "A=2*P", false, 0, 0},
                                           SetCase{"TwoLetters", "AB=1", false, 0, 0},
                                           SetCase{"Digit", "1=1", false, 0, 0},
                                           SetCase{"Infinite", "A=1e999", false, 0, 0},
                                           SetCase{"NotANumber", "A=nan", false, 0, 0}),
                         [](const auto& p) { return std::string(p.param.name); });

struct SweepCase {
  const char* name;
  const char* text;
  int frames;  // 0: refused
  double last;
};

class ReadSweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(ReadSweep, CountsItsPicturesAndEndsOnTheLastValue) {
  const SweepCase& c = GetParam();
  const auto sweep = ParseConstantSweep(c.text);
  ASSERT_EQ(sweep.has_value(), c.frames != 0);
  if (!sweep) return;
  EXPECT_EQ(sweep->FrameCount(), c.frames);
  EXPECT_DOUBLE_EQ(sweep->ValueAt(c.frames - 1), c.last);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadSweep,
                         ::testing::Values(SweepCase{"Upward", "A=1:5:0.5", 9, 5},
                                           SweepCase{"Downward", "A=5:1:0.5", 9, 1},
                                           SweepCase{"TenthsWithoutDrift", "A=0:1:0.1", 11, 1},
                                           SweepCase{"StepPastTheEnd", "A=0:1:0.3", 4, 0.9},
                                           SweepCase{"OneValue", "A=2:2:1", 1, 2},
                                           SweepCase{"ZeroStep", "A=1:5:0", 0, 0},
                                           SweepCase{"NegativeStep", "A=1:5:-1", 0, 0},
                                           SweepCase{"MissingPart", "A=1:5", 0, 0},
                                           SweepCase{"TooManyFrames", "A=0:1:1e-9", 0, 0}),
                         [](const auto& p) { return std::string(p.param.name); });

struct PatternCase {
  const char* name;
  const char* pattern;
  bool valid;
  const char* frame12;
};

class FramePattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(FramePattern, NumbersEachPicture) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(IsFramePattern(c.pattern), c.valid);
  if (c.valid) {
    EXPECT_EQ(FramePath(c.pattern, 12), c.frame12);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FramePattern,
    ::testing::Values(PatternCase{"Padded", "frames/%03d.png", true, "frames/012.png"},
                      PatternCase{"Unpadded", "f%d.bmp", true, "f12.bmp"},
                      PatternCase{"PercentSign", "100%%/%02d.png", true, "100%/12.png"},
                      PatternCase{"NoField", "frame.png", false, ""},
                      PatternCase{"TwoFields", "%d-%d.png", false, ""},
                      PatternCase{"OtherDirective", "%s.png", false, ""},
                      PatternCase{"HugeWidth", "%0999d.png", false, ""}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace lw::cli
