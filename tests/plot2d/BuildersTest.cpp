#include <gtest/gtest.h>

#include <cstdlib>

#include "Plot2DFixture.h"
#include "plot2d/BuildCommands.h"
#include "plot2d/Builders2D.h"

namespace lw {
namespace {

using test::PixelSet;

class BuildersTest : public test::Plot2DFixture {
 protected:
  // A 4 x 4 view, one pixel per unit, samples at x, y = -2..2, pixel (x + 2, 2 - y).
  void TinyView() {
    SetView(4, 4);
    SetInterval("-2", "2", "-2", "2");
  }
  PixelSet BuildOnly(const std::string& formula, std::uint8_t kind, std::uint8_t interpolated,
                     std::uint8_t relation = Equal) {
    doc.Graphs2D.Clear();
    Add(formula, kind, interpolated, relation);
    BuildAll2D(ctx);
    return NonWhite();
  }
};

TEST_F(BuildersTest, BuilderChoiceByKindAndInterpolation) {
  EXPECT_EQ(BuilderFor(PlotP{0, Function, 0, 0}), Builder2D::FunctionPoints);
  EXPECT_EQ(BuilderFor(PlotP{0, Function, 1, 0}), Builder2D::FunctionCurve);
  EXPECT_EQ(BuilderFor(PlotP{0, Relation, 0, 0}), Builder2D::RelationRegion);
  EXPECT_EQ(BuilderFor(PlotP{0, Relation, 1, 0}), Builder2D::RelationContour);
  EXPECT_EQ(BuilderFor(PlotP{0, ColorGamma, 1, 0}), Builder2D::ColorGamma);
  EXPECT_EQ(BuilderFor(PlotP{0, ParametricCurve, 1, 0}), Builder2D::ParameterCurve);
  EXPECT_EQ(BuilderFor(PlotP{0, PolarCurve, 0, 0}), Builder2D::ParameterDots);
  EXPECT_EQ(BuilderFor(PlotP{0, 5, 0, 0}), Builder2D::None);
  EXPECT_EQ(BuilderFor(PlotP{0, 255, 1, 0}), Builder2D::None);
}

TEST_F(BuildersTest, PointsWithoutXDrawOneDotPerColumn) {
  const PixelSet drawn = BuildOnly("2", Function, 0);
  PixelSet expected;
  for (int px = 0; px <= 20; ++px) expected.emplace(px, 8);
  EXPECT_EQ(drawn, expected);
  EXPECT_EQ(status.Text(), "Окей");
  EXPECT_EQ(progress.Position(), 0);  // the build command resets it after each graph
}

TEST_F(BuildersTest, PointsOutsideTheYIntervalAreLeftOut) {
  const PixelSet expected{{7, 1}, {8, 6}, {9, 9}, {10, 10}, {11, 9}, {12, 6}, {13, 1}};
  EXPECT_EQ(BuildOnly("X*X", Function, 0), expected);
}

TEST_F(BuildersTest, CurveJoinsSamplesWithoutTheirLastPixels) {
  PixelSet expected;
  for (int k = 0; k < 20; ++k) expected.emplace(k, 20 - k);
  EXPECT_EQ(BuildOnly("X", Function, 1), expected);
}

TEST_F(BuildersTest, CurveSlidesAlongTheTopEdgeAndEntersFromIt) {
  const PixelSet drawn = BuildOnly("X*X", Function, 1);
  ASSERT_FALSE(drawn.empty());
  for (const auto& [x, y] : drawn) {
    EXPECT_GE(x, 6) << y;  // nothing while the curve is above the view
    EXPECT_LE(x, 14) << y;
  }
  EXPECT_TRUE(drawn.count({6, 0}));  // the first segment comes in from the top row
  EXPECT_TRUE(drawn.count({10, 10}));
}

TEST_F(BuildersTest, CurveIsBrokenAtAPole) {
  SetInterval("-9.5", "10.5", "-10", "10");  // samples at -0.5 and 0.5, none at 0
  const PixelSet drawn = BuildOnly("1/X", Function, 1);
  int column9 = 0, column10 = 0, column11 = 0;
  for (const auto& [x, y] : drawn) {
    column9 += x == 9;
    column10 += x == 10;
    column11 += x == 11;
  }
  EXPECT_GT(column9, 0);
  EXPECT_EQ(column10, 0);  // -0.5 and 0.5 are not joined
  EXPECT_GT(column11, 0);
  // Without a division the same jump is joined.
  const PixelSet joined = BuildOnly("SIGN(X)*4", Function, 1);
  EXPECT_TRUE(joined.count({9, 10}) || joined.count({10, 6}));
}

TEST_F(BuildersTest, CurveOfSqrtStartsAtTheFirstSampleWithAValue) {
  const PixelSet drawn = BuildOnly("SQRT(X)", Function, 1);
  ASSERT_FALSE(drawn.empty());
  for (const auto& [x, y] : drawn) EXPECT_GE(x, 10);
  EXPECT_TRUE(drawn.count({10, 10}));
}

TEST_F(BuildersTest, WrongFormulaIsReportedAndTheNextEntryIsStillBuilt) {
  Add("2+(X", Function, 0);
  BuildAll2D(ctx);
  EXPECT_TRUE(NonWhite().empty());
  EXPECT_EQ(status.Text(), "Непарні круглі скобки");
  Add("SIN COS X", Function, 1);
  BuildAll2D(ctx);
  EXPECT_EQ(status.Text(), "Синтаксична помилка");
  Add("3", Function, 0);
  BuildAll2D(ctx);
  EXPECT_EQ(status.Text(), "Окей");
  EXPECT_EQ(NonWhite().size(), 21u);
}

TEST_F(BuildersTest, NoValueAtTheTrialPointDoesNotStopTheBuilder) {
  EXPECT_EQ(BuildOnly("1/X", Function, 0).size(), 20u);
  EXPECT_EQ(status.Text(), "Окей");
}

TEST_F(BuildersTest, RegionTestsEachSignWithTheTolerance) {
  struct Case {
    const char* formula;
    std::uint8_t relation;
    const char* proxima;
    std::vector<int> columns;  // every row of these columns is set
  };
  const Case cases[] = {
      {"X", Greater, "0.2", {2, 3, 4}},
      {"X", Greater, "0", {3, 4}},
      {"X", GreaterOrEqual, "0", {2, 3, 4}},
      {"X", Less, "0", {0, 1}},
      {"X", LessOrEqual, "0", {0, 1, 2}},
      {"X-1", Equal, "0.2", {3}},
      {"X-1", Equal, "0", {}},
      {"X", 7, "0.2", {}},
      {"X", Less, "-1.5", {0}},
  };
  TinyView();
  for (const Case& k : cases) {
    doc.Params.Field(ParamField::Proxima) = k.proxima;
    PixelSet expected;
    for (int c : k.columns) {
      for (int py = 0; py <= 4; ++py) expected.emplace(c, py);
    }
    EXPECT_EQ(BuildOnly(k.formula, Relation, 0, k.relation), expected)
        << k.formula << " sign " << int(k.relation) << " t " << k.proxima;
  }
}

TEST_F(BuildersTest, RegionPixelsAreCountedFromTheStartPixel) {
  TinyView();
  PixelSet diagonal;
  for (int c = 0; c <= 4; ++c) diagonal.emplace(c, 4 - c);
  EXPECT_EQ(BuildOnly("X-Y", Relation, 0, Equal), diagonal);
  EXPECT_EQ(progress.Maximum(), 5);
}

TEST_F(BuildersTest, ContourDrawsZerosButNeverTheFirstColumnOrRow) {
  TinyView();
  PixelSet expected;
  for (int py = 0; py <= 3; ++py) {
    expected.emplace(1, py);  // cells between x = -1 and x = 0 (pixel column one left of x)
    expected.emplace(2, py);  // cells between x = 0 and x = 1
  }
  EXPECT_EQ(BuildOnly("X", Relation, 1), expected);
  // The relation sign and tolerance do not matter to the contour.
  EXPECT_EQ(BuildOnly("X", Relation, 1, Greater), expected);
}

TEST_F(BuildersTest, ContourLeavesOutPolesAndTinyValues) {
  SetView(6, 6);
  SetInterval("-2.5", "2.5", "-2.5", "2.5");
  EXPECT_FALSE(BuildOnly("X", Relation, 1).empty());
  EXPECT_TRUE(BuildOnly("1/X", Relation, 1).empty());  // a divisor changed sign there
  EXPECT_TRUE(BuildOnly("X*0+10^(-200)", Relation, 1).empty());
  EXPECT_EQ(status.Text(), "Окей");
}

// A value that is NaN without an error crosses nothing: where the formula is NaN
// (here for X < 0) no cell is drawn, on the border only edges between defined
// corners count, and elsewhere the ring is as without it.
TEST_F(BuildersTest, ContourLeavesOutUndefinedValues) {
  SetView(30, 30);
  SetInterval("-15", "15", "-15", "15");
  const PixelSet ring = BuildOnly("X*X+Y*Y-100", Relation, 1);
  const PixelSet half = BuildOnly("X*X+Y*Y-100+1E308*(X-ABS(X))*1E308*0", Relation, 1);
  PixelSet right;
  for (const auto& pixel : ring) {
    if (pixel.first >= 16) right.insert(pixel);  // every corner of the cell has X >= 0
  }
  ASSERT_FALSE(right.empty());
  PixelSet halfRight;
  for (const auto& pixel : half) {
    EXPECT_GE(pixel.first, 14) << pixel.first << ',' << pixel.second;
    if (pixel.first >= 16) halfRight.insert(pixel);
  }
  EXPECT_EQ(halfRight, right);
}

// A sample without a value (the formula reports an error there, unlike NaN) makes
// the cells around it undrawable: left of X = 0 for SQRT(X), and around the one point
// where a divisor is 0; elsewhere the ring is as without it.
TEST_F(BuildersTest, ContourLeavesOutTheCellsAroundSamplesWithoutAValue) {
  SetView(30, 30);
  SetInterval("-15", "15", "-15", "15");
  const PixelSet ring = BuildOnly("X*X+Y*Y-100", Relation, 1);
  PixelSet right;
  for (const auto& pixel : ring) {
    if (pixel.first >= 15) right.insert(pixel);  // cells from X = 0 on
  }
  ASSERT_FALSE(right.empty());
  EXPECT_EQ(BuildOnly("X*X+Y*Y-100+SQRT(X)*0", Relation, 1), right);
  const PixelSet holed = BuildOnly("X*X+Y*Y-100+0/((X-6)*(X-6)+(Y-8)*(Y-8))", Relation, 1);
  PixelSet missing;
  for (const auto& pixel : ring) {
    if (!holed.count(pixel)) missing.insert(pixel);
  }
  EXPECT_FALSE(missing.empty());
  for (const auto& [x, y] : missing) {
    EXPECT_LE(std::abs(x - 20), 1) << x << ',' << y;  // the cells beside X = 6, Y = 8
    EXPECT_LE(std::abs(y - 7), 1) << x << ',' << y;
  }
  for (const auto& pixel : holed) EXPECT_TRUE(ring.count(pixel)) << pixel.first;
}

TEST_F(BuildersTest, ContourOfACircleIsAConnectedRing) {
  SetView(30, 30);
  SetInterval("-15", "15", "-15", "15");
  const PixelSet ring = BuildOnly("X*X+Y*Y-100", Relation, 1);
  ASSERT_GT(ring.size(), 40u);
  for (const auto& [x, y] : ring) {
    // Every ring pixel has a ring neighbour (8-connected) and lies near radius 10.
    int neighbours = 0;
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) neighbours += (dx || dy) && ring.count({x + dx, y + dy});
    }
    EXPECT_GE(neighbours, 2) << x << ',' << y;
    const double r = std::hypot(x + 0.5 - 15, y - 0.5 - 15);
    EXPECT_NEAR(r, 10, 1.6) << x << ',' << y;
  }
}

TEST_F(BuildersTest, XorDrawingTwiceRestoresThePicture) {
  doc.Params.XorDrawing = true;
  doc.Appearance.ClearBackground = false;
  picture.FillRect(0, 0, 20, 32, 0x336699);
  const auto before = Snapshot();
  const struct {
    const char* formula;
    std::uint8_t kind, interpolated, relation;
  } cases[] = {
      {"X*X/4-5", Function, 0, 0},    {"X*X/4-5", Function, 1, 0},
      {"SIN(X)*5", Function, 1, 0},   {"X*X+Y*Y-50", Relation, 0, Less},
      {"X*X+Y*Y-50", Relation, 1, 0}, {"X*Y", ColorGamma, 0, 0},
  };
  for (const auto& k : cases) {
    doc.Graphs2D.Clear();
    Add(k.formula, k.kind, k.interpolated, k.relation, 0x00C0FF);
    BuildAll2D(ctx);
    EXPECT_NE(Snapshot(), before) << k.formula;
    BuildAll2D(ctx);
    EXPECT_EQ(Snapshot(), before) << k.formula << " kind " << int(k.kind);
  }
}

TEST_F(BuildersTest, XorOnThePlainBackgroundShowsTheEntryColour) {
  doc.Params.XorDrawing = true;
  doc.Appearance.BackgroundColor = 0x202020;
  Add("0", Function, 0, 0, 0x00C0FF);
  BuildAll2D(ctx);
  EXPECT_EQ(picture.GetPixel(5, 10), 0x00C0FFu);
  EXPECT_EQ(picture.GetPixel(5, 11), 0x202020u);
  // A colour map XORed onto the background shows the palette's own colours.
  TinyView();
  picture.Fill(0x202020);
  doc.Graphs2D.Clear();
  Add("0", ColorGamma, 0);
  BuildAll2D(ctx);
  EXPECT_EQ(picture.GetPixel(2, 2), palette.At(128));
}

TEST_F(BuildersTest, ColourMapPaintsEveryPixelWithItsValue) {
  TinyView();
  doc.Graphs2D.Clear();
  Add("0", ColorGamma, 0);
  BuildAll2D(ctx);
  for (int px = 0; px <= 4; ++px) {
    for (int py = 0; py <= 4; ++py) EXPECT_EQ(picture.GetPixel(px, py), palette.At(128));
  }
  EXPECT_EQ(picture.GetPixel(5, 0), kWhite);
  doc.Params.Field(ParamField::Gradient) = "1/256";
  doc.Graphs2D.Clear();
  Add("X", ColorGamma, 0);
  BuildAll2D(ctx);
  EXPECT_EQ(picture.GetPixel(3, 2), palette.At(129));
  EXPECT_EQ(picture.GetPixel(0, 2), palette.At(126));
}

// Intervals far from 0, where one pixel step no longer changes the coordinate, and Y
// intervals that lie wholly outside the view: every builder must still finish.
TEST_F(BuildersTest, DegenerateWalksFinish) {
  struct Case {
    const char *x0, *x1, *y0, *y1;
    bool centering;
  };
  const Case cases[] = {
      {"1E16", "1E16+100", "-10", "10", false},  // 1E16 + 1 step == 1E16
      {"-10", "10", "1E16", "1E16+100", false},
      {"-10", "10", "100", "140", true},  // clipping leaves YStart above YEnd
      {"100", "140", "-10", "10", true},
  };
  for (const Case& k : cases) {
    SetInterval(k.x0, k.x1, k.y0, k.y1);
    doc.Params.Centering = k.centering;
    doc.Graphs2D.Clear();
    Add("X+Y", Function, 0);
    Add("X+Y", Function, 1);
    Add("X-Y", Relation, 0, Less);
    Add("X-Y", Relation, 1);
    Add("X*Y", ColorGamma, 0);
    BuildAll2D(ctx);
    EXPECT_EQ(status.TimerStarts() > 0, true) << k.x0 << ' ' << k.y0;
  }
}

}  // namespace
}  // namespace lw
