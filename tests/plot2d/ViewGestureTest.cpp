// The view moved by hand: the fields a gesture writes, read back by the formula
// language and mapped as the next build maps them, show the world moved as the hand
// asked: the point under the pointer stays under it, a drag carries the graphs along.
#include "plot2d/ViewGesture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "CaseNames.h"
#include "formula/FormulaParser.h"

namespace lw {
namespace {

struct Bounds {
  double scale, x0, x1, y0, y1;
};

struct GestureCase {
  const char* name;
  int width, height;
  Bounds fields;
  bool autoScale, centering;
  PixelMap map;
  double px, py;  // the pointer (for a shift, any point of the view)
};

void PrintTo(const GestureCase& c, std::ostream* out) {
  *out << c.name;
}

Params2D ParamsOf(const Bounds& b) {
  Params2D p;
  p.ScaleX = p.ScaleY = b.scale;
  p.XStart = b.x0;
  p.XEnd = b.x1;
  p.YStart = b.y0;
  p.YEnd = b.y1;
  p.Gradient = 0.1;
  return p;
}

ViewFields2D FieldsOf(const Bounds& b, bool centering) {
  ViewFields2D f;
  f.texts = {ViewNumberText(b.scale), ViewNumberText(b.scale), ViewNumberText(b.x0),
             ViewNumberText(b.x1),    ViewNumberText(b.y0),    ViewNumberText(b.y1)};
  f.Centering = centering;
  return f;
}

// What a build makes of the texts: each read by the formula language.
double Read(const std::string& text) {
  FormulaParser parser;
  std::string copy = text;
  const double value = parser.EvaluateNormalized(copy);
  EXPECT_FALSE(parser.HasError()) << text;
  return value;
}

View2D BuiltView(const ViewFields2D& f, bool autoScale, int width, int height) {
  Params2D p;
  p.ScaleX = Read(f.texts[0]);
  p.ScaleY = Read(f.texts[1]);
  p.XStart = Read(f.texts[2]);
  p.XEnd = Read(f.texts[3]);
  p.YStart = Read(f.texts[4]);
  p.YEnd = Read(f.texts[5]);
  return MapView2D(p, autoScale, f.Centering, width, height);
}

class MovedByHand : public ::testing::TestWithParam<GestureCase> {};

TEST_P(MovedByHand, WorldPointsGoWhereTheHandTookThem) {
  const GestureCase& c = GetParam();
  const View2D before = MapView2D(ParamsOf(c.fields), c.autoScale, c.centering, c.width, c.height);
  const auto moved = MoveView(before, ParamsOf(c.fields), c.autoScale,
                              FieldsOf(c.fields, c.centering), c.map, c.width, c.height);
  ASSERT_TRUE(moved.has_value());
  EXPECT_FALSE(moved->fields.Centering);
  const View2D after = BuiltView(moved->fields, c.autoScale, c.width, c.height);
  EXPECT_EQ(after.OriginX, moved->view.OriginX);
  EXPECT_EQ(after.OriginY, moved->view.OriginY);
  EXPECT_DOUBLE_EQ(after.ScaleX, moved->view.ScaleX);
  EXPECT_DOUBLE_EQ(after.ScaleY, moved->view.ScaleY);
  EXPECT_NEAR(after.ScaleX / before.ScaleX, c.map.kx, 1e-9 * c.map.kx);
  EXPECT_NEAR(after.ScaleY / before.ScaleY, c.map.ky, 1e-9 * c.map.ky);
  // The world point under the pointer (and at the corners) lands where the map
  // takes its pixel, within the one pixel an integer origin allows.
  const double probes[][2] = {{c.px, c.py}, {0, 0}, {c.width - 1.0, c.height - 1.0}};
  for (const auto& q : probes) {
    const double wx = (q[0] - before.OriginX) / before.ScaleX;
    const double wy = (before.OriginY - q[1]) / before.ScaleY;
    EXPECT_NEAR(wx * after.ScaleX + after.OriginX, c.map.kx * q[0] + c.map.tx, 1.0) << q[0];
    EXPECT_NEAR(after.OriginY - wy * after.ScaleY, c.map.ky * q[1] + c.map.ty, 1.0) << q[1];
  }
  // The preview puts the old picture's pixels where the build will draw them.
  const PixelMap preview = MapBetween(before, moved->view);
  EXPECT_NEAR(preview.kx * c.px + preview.tx, c.map.kx * c.px + c.map.tx, 1.0);
  EXPECT_NEAR(preview.ky * c.py + preview.ty, c.map.ky * c.py + c.map.ty, 1.0);
}

TEST_P(MovedByHand, ScalesChangeOnlyWhenTyped) {
  const GestureCase& c = GetParam();
  const View2D before = MapView2D(ParamsOf(c.fields), c.autoScale, c.centering, c.width, c.height);
  const ViewFields2D current = FieldsOf(c.fields, c.centering);
  const auto moved =
      MoveView(before, ParamsOf(c.fields), c.autoScale, current, c.map, c.width, c.height);
  ASSERT_TRUE(moved.has_value());
  if (c.autoScale) {
    EXPECT_EQ(moved->fields.texts[0], current.texts[0]);
    EXPECT_EQ(moved->fields.texts[1], current.texts[1]);
    // The intervals fill the view.
    EXPECT_NEAR((Read(moved->fields.texts[3]) - Read(moved->fields.texts[2])) * moved->view.ScaleX,
                c.width, 1e-6 * c.width);
  } else {
    EXPECT_NEAR(Read(moved->fields.texts[0]), c.fields.scale * c.map.kx, 1e-12 * c.fields.scale);
    EXPECT_NEAR(Read(moved->fields.texts[1]), c.fields.scale * c.map.ky, 1e-12 * c.fields.scale);
  }
}

constexpr double In = ZoomStep;
constexpr double Out = 1 / ZoomStep;
const Bounds Default{10, -20, 20, -20, 20};

INSTANTIATE_TEST_SUITE_P(
    View, MovedByHand,
    ::testing::Values(GestureCase{"AutoCentredZoomInAtATopLeftPointer", 1920, 1080, Default, true,
                                  true, ZoomAbout(100, 50, In, In), 100, 50},
                      GestureCase{"AutoCentredZoomOutAtTheMiddle", 1920, 1080, Default, true, true,
                                  ZoomAbout(960, 540, Out, Out), 960, 540},
                      GestureCase{"AutoThreeNotchesXOnlyAtTheRightEdge",
                                  1920,
                                  1080,
                                  {10, 0, 40, -1, 3},
                                  true,
                                  false,
                                  ZoomAbout(1919, 700, In* In* In, 1),
                                  1919,
                                  700},
                      GestureCase{"TypedCentredYOnlyOut", 539, 468, Default, false, true,
                                  ZoomAbout(300, 200, 1, Out), 300, 200},
                      GestureCase{"TypedPartIntervalTwoNotchesIn",
                                  1920,
                                  1080,
                                  {10, 0, 5, 0, 5},
                                  false,
                                  false,
                                  ZoomAbout(1000, 400, In* In, In* In),
                                  1000,
                                  400},
                      GestureCase{"TypedClippedFourNotchesOutAtABottomLeftPointer",
                                  1920,
                                  1080,
                                  {50, -100, 100, -100, 100},
                                  false,
                                  true,
                                  ZoomAbout(10, 1070, Out* Out* Out* Out, Out* Out* Out* Out),
                                  10,
                                  1070},
                      GestureCase{"AutoTinyIntervalFarFromZero",
                                  1920,
                                  1080,
                                  {10, 1e-5, 2e-5, 3e-7, 4e-7},
                                  true,
                                  false,
                                  ZoomAbout(1, 1, In, In),
                                  1,
                                  1},
                      GestureCase{"AutoIntervalAroundAMillion",
                                  539,
                                  468,
                                  {10, 1e6, 1e6 + 1, -1, 1},
                                  true,
                                  false,
                                  ZoomAbout(17, 400, In, In),
                                  17,
                                  400},
                      GestureCase{"AutoCentredDragRightAndUp", 1920, 1080, Default, true, true,
                                  Shift(150, -80), 500, 500},
                      GestureCase{"TypedDragLeftAndDown", 539, 468, Default, false, true,
                                  Shift(-37, 55), 30, 400},
                      GestureCase{"TypedDragOfAPartInterval",
                                  1920,
                                  1080,
                                  {10, 3, 8, -2, 2},
                                  false,
                                  false,
                                  Shift(333, 21),
                                  960,
                                  540}),
    test::CaseName{});

struct RefusedCase {
  const char* name;
  Bounds fields;
  bool autoScale;
  PixelMap map;
};

void PrintTo(const RefusedCase& c, std::ostream* out) {
  *out << c.name;
}

class RefusedMove : public ::testing::TestWithParam<RefusedCase> {};

// What the fields or the 32-bit pixel mapping cannot hold is not written at all.
TEST_P(RefusedMove, LeavesTheFieldsAlone) {
  const RefusedCase& c = GetParam();
  const View2D before = MapView2D(ParamsOf(c.fields), c.autoScale, false, 1000, 800);
  EXPECT_FALSE(
      MoveView(before, ParamsOf(c.fields), c.autoScale, FieldsOf(c.fields, false), c.map, 1000, 800)
          .has_value());
}

INSTANTIATE_TEST_SUITE_P(
    View, RefusedMove,
    ::testing::Values(
        RefusedCase{
            "DeepZoomFarFromZero", {10, 1000, 1000.001, -1, 1}, true, ZoomAbout(500, 400, 10, 1)},
        RefusedCase{"ScaleBeyondOneE60", {1e59, -1, 1, -1, 1}, false, ZoomAbout(0, 0, 100, 1)},
        RefusedCase{
            "ScaleBelowOneEMinus60", {1e-59, -1e61, 1e61, -1, 1}, false, ZoomAbout(0, 0, 0.01, 1)},
        RefusedCase{"OriginBeyondAPixelCoordinate", {1e6, -1, 1, -1, 1}, false, Shift(5e9, 0)},
        RefusedCase{"AZeroFactor", Default, true, ZoomAbout(0, 0, 0, 1)}),
    test::CaseName{});

struct TextCase {
  const char* name;
  double value;
};

void PrintTo(const TextCase& c, std::ostream* out) {
  *out << c.name;
}

class BoundText : public ::testing::TestWithParam<TextCase> {};

// The formula language reads 1E-5 as 1 minus 5: a bound is always written in fixed
// notation, and reads back as the number it was made of.
TEST_P(BoundText, ReadsBackToItsValueUnderTheFormulaLanguage) {
  const TextCase& c = GetParam();
  const std::string text = ViewNumberText(c.value);
  EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
  const double read = Read(text);
  EXPECT_EQ(read, std::strtod(text.c_str(), nullptr)) << text;
  EXPECT_NEAR(read, c.value, std::fabs(c.value) * 1e-14) << text;
}

INSTANTIATE_TEST_SUITE_P(View, BoundText,
                         ::testing::Values(TextCase{"OneHundredThousandth", 1e-5},
                                           TextCase{"MinusOneHundredThousandth", -1e-5},
                                           TextCase{"ASumWithATail", 0.1 + 0.2},
                                           TextCase{"SeventeenDigits", 123456789.12345678},
                                           TextCase{"SmallNegative", -2.5e-12},
                                           TextCase{"OneE15", 1e15}, TextCase{"SevenE20", 7e20},
                                           TextCase{"OneE70Below", 1e-70}, TextCase{"Zero", 0.0}),
                         test::CaseName{});

}  // namespace
}  // namespace lw
