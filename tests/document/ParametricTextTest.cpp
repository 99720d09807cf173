// Cutting a parametric entry's text into its formulas.
#include "document/ParametricText.h"

#include <gtest/gtest.h>

#include "CaseNames.h"

namespace lw {
namespace {

struct SplitCase {
  const char* name;
  const char* text;
  std::size_t parts;
  std::vector<std::string> expected;  // empty: refused
};

class SplitPartsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitPartsTest, CutsAtSemicolonsOrRefuses) {
  const SplitCase& c = GetParam();
  const auto parts = SplitParts(c.text, c.parts);
  if (c.expected.empty()) {
    EXPECT_FALSE(parts.has_value());
  } else {
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(*parts, c.expected);
  }
}

const SplitCase kSplitCases[] = {
    {"Circle", "5*COS(T);5*SIN(T);0;2*P", 4, {"5*COS(T)", "5*SIN(T)", "0", "2*P"}},
    {"BlanksAroundParts", " 6+2*COS(3*T) ; 0 ;\t2*P ", 3, {"6+2*COS(3*T)", "0", "2*P"}},
    {"CommasStayInsideParts", "1,5*T;T;0;1", 4, {"1,5*T", "T", "0", "1"}},
    {"TooFew", "T;T;0", 4, {}},
    {"TooMany", "T;T;0;1;2", 4, {}},
    {"EmptyPart", "T;;0;1", 4, {}},
    {"BlankPart", "T; ;0;1", 4, {}},
    {"TrailingSemicolon", "R;0;1;", 3, {}},
    {"PlainFormula", "SIN(X)", 3, {}},
};

INSTANTIATE_TEST_SUITE_P(Texts, SplitPartsTest, ::testing::ValuesIn(kSplitCases), test::CaseName());

TEST(ParametricKinds, PartCountsByKindAndForm) {
  EXPECT_EQ(PartsOfKind(ParametricCurve), 4u);
  EXPECT_EQ(PartsOfKind(PolarCurve), 3u);
  EXPECT_EQ(PartsOfKind(Function), 0u);
  EXPECT_EQ(PartsOfKind(5), 0u);
  EXPECT_EQ(PartsOfForm(ParametricSurface), 7u);
  EXPECT_EQ(PartsOfForm(0x0103), 7u);  // only the low byte counts
  EXPECT_EQ(PartsOfForm(ZOfXY), 0u);
}

}  // namespace
}  // namespace lw
