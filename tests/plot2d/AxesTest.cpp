#include "plot2d/Axes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "Plot2DFixture.h"
#include "plot2d/BuildCommands.h"

namespace lw {
namespace {

using test::PixelSet;

View2D ViewWith(double scale, int originX, int originY, int w, int h) {
  View2D v;
  v.ScaleX = v.ScaleY = scale;
  v.OriginX = originX;
  v.OriginY = originY;
  v.Width = w;
  v.Height = h;
  return v;
}

TEST(LayoutTicksTest, SmallScalesTickEveryFewWholeUnits) {
  struct Case {
    double scale;
    double unit;
  };
  const Case cases[] = {{100, 1}, {8, 1}, {7.9, 2},  {4, 3},
                        {2.5, 4}, {1, 9}, {0.3, 27}, {0.01, 801}};
  for (const Case& k : cases) {
    const TickLayout t = LayoutTicks(ViewWith(k.scale, 50, 50, 100, 100));
    EXPECT_DOUBLE_EQ(t.UnitX, k.unit) << k.scale;
    EXPECT_DOUBLE_EQ(t.UnitY, k.unit) << k.scale;
    EXPECT_GE(t.SpacingX, 8) << k.scale;
    // The label of tick k is k * unit, which must be the world coordinate there.
    for (int tick = 1; tick < 5; ++tick) {
      EXPECT_NEAR(tick * t.SpacingX / k.scale, tick * t.UnitX, 1e-9 * tick * t.UnitX);
    }
  }
}

TEST(LayoutTicksTest, AxisPositionAndFirstTickForEachSideOfTheOrigin) {
  struct Case {
    int originX, originY;
    int axisX, axisY;
    std::int64_t firstX, firstY;
  };
  const Case cases[] = {
      {30, 20, 30, 20, 1, 1},  // inside
      {-25, -47, 0, 0, 2, 4},  // left and above
      {85, 77, 60, 40, 2, 3},  // right and below
      {0, 40, 0, 40, 1, 1},    // on the edges counts as inside
  };
  for (const Case& k : cases) {
    const TickLayout t = LayoutTicks(ViewWith(10, k.originX, k.originY, 60, 40));
    EXPECT_EQ(t.AxisX, k.axisX) << k.originX;
    EXPECT_EQ(t.AxisY, k.axisY) << k.originY;
    EXPECT_EQ(t.FirstX, k.firstX) << k.originX;
    EXPECT_EQ(t.FirstY, k.firstY) << k.originY;
  }
}

TEST(LayoutTicksTest, GridPositionsOnBothSidesOfTheOrigin) {
  const View2D v = ViewWith(10, 25, 12, 50, 30);
  const GridPositions g = GridOf(v, LayoutTicks(v));
  EXPECT_EQ(g.Columns, (std::vector<int>{35, 45, 15, 5}));
  EXPECT_EQ(g.Rows, (std::vector<int>{22, 2}));
  const View2D left = ViewWith(10, -25, 12, 50, 30);
  EXPECT_EQ(GridOf(left, LayoutTicks(left)).Columns, (std::vector<int>{-5, 5, 15, 25, 35, 45}));
}

TEST(WholeNumberTextTest, PrintsWholeNumbers) {
  EXPECT_EQ(WholeNumberText(7), "7");
  EXPECT_EQ(WholeNumberText(-27), "-27");
  EXPECT_EQ(WholeNumberText(1e20), "100000000000000000000");
}

class AxesTest : public test::Plot2DFixture {
 protected:
  AxesTest() {
    SetScales("10", "10");
    SetView(30, 20);
    doc.Appearance.ShowAxes = true;
    doc.Appearance.AxesColor = 0x000000;
  }
  void Draw() {
    ASSERT_TRUE(PrepareView2D(ctx));
    picture.Fill(kWhite);
    DrawAxes(picture, view, doc.Appearance, doc.Params);
  }
};

TEST_F(AxesTest, AxesLieAtTheOriginOrAtTheEdgeItIsBeyond) {
  doc.Params.Centering = false;
  struct Case {
    const char *x0, *x1, *y0, *y1;
    int axisX, axisY;
  };
  const Case cases[] = {
      {"-1", "2", "-1", "1", 10, 10},   // origin inside
      {"5", "8", "5", "7", 0, 20},      // origin left of and below the view
      {"-8", "-5", "-7", "-5", 30, 0},  // origin right of and above the view
  };
  for (const Case& k : cases) {
    SetInterval(k.x0, k.x1, k.y0, k.y1);
    Draw();
    for (int y = 0; y < 20; ++y)
      EXPECT_EQ(picture.GetPixel(k.axisX, y), 0u) << k.x0 << " row " << y;
    for (int x = 0; x < 30; ++x)
      EXPECT_EQ(picture.GetPixel(x, k.axisY), 0u) << k.x0 << " col " << x;
  }
}

TEST_F(AxesTest, ArrowsAndTicksOfAnAxisInside) {
  Draw();  // origin (15, 10), ticks at 5, 25 and rows 0, 20
  const PixelSet drawn = NonWhite();
  EXPECT_TRUE(drawn.count({14, 2}) && drawn.count({16, 2}));  // arrow head at the top
  for (int y = 7; y <= 12; ++y) {
    EXPECT_TRUE(drawn.count({5, y})) << y;
    EXPECT_TRUE(drawn.count({25, y})) << y;
  }
  EXPECT_FALSE(drawn.count({5, 13}));
  EXPECT_FALSE(drawn.count({5, 6}));
  PixelSet expected;
  for (int x = 0; x < 30; ++x) expected.emplace(x, 10);
  for (int y = 0; y < 20; ++y) expected.emplace(15, y);
  for (int y = 7; y <= 12; ++y) expected.insert({{5, y}, {25, y}});
  for (int y = 0; y < 10; ++y) {
    // the two arrow strokes from (15, 0) to (12, 10) and (18, 10)
    expected.emplace(15 - (2 * y * 3 + 10) / 20, y);
    expected.emplace(15 + (2 * y * 3 + 10) / 20, y);
  }
  for (int x = 30; x > 20; --x) {
    // the strokes from (30, 10) to (20, 7) and (20, 13), right of the view
    expected.emplace(x, 10 - (2 * (30 - x) * 3 + 10) / 20);
    expected.emplace(x, 10 + (2 * (30 - x) * 3 + 10) / 20);
  }
  EXPECT_EQ(drawn, expected);
}

TEST_F(AxesTest, GridBoundsAndStylesUseTheGridPen) {
  doc.Appearance.ShowAxes = false;
  doc.Appearance.ShowGrid = true;
  doc.Appearance.GridLineStyle = Solid;
  doc.Appearance.GridColor = 0x00FF00;
  Draw();
  for (int y = 0; y < 20; ++y) EXPECT_EQ(picture.GetPixel(5, y), 0x00FF00u);
  EXPECT_EQ(picture.GetPixel(15, 5), kWhite);  // no grid line on the axis itself
  doc.Appearance.ShowGrid = false;
  doc.Appearance.ShowBounds = true;
  SetInterval("-1", "1", "-0.5", "0.5");
  Draw();  // sampled area x 5..25, y 5..15; bounds one pixel outside
  EXPECT_EQ(picture.GetPixel(4, 16), 0x00FF00u);
  EXPECT_EQ(picture.GetPixel(26, 4), 0x00FF00u);
  EXPECT_EQ(picture.GetPixel(15, 4), 0x00FF00u);
  EXPECT_EQ(picture.GetPixel(15, 5), kWhite);
}

// Label ink must lie inside the extents of the labels the period selects.
TEST_F(AxesTest, UnitLabelsFallEveryPeriodTicks) {
  doc.Appearance.ShowAxes = false;
  doc.Appearance.ShowUnits = true;
  SetView(200, 150);
  SetScales("10", "10");
  SetInterval("-20", "20", "-20", "20");
  picture.SetFont(doc.Appearance.Font);
  const int period = static_cast<int>(picture.TextWidth("100") / 10.0) + 2;
  const int textH = picture.TextHeight("1");
  Draw();
  // X labels: origin (100, 75), ticks every 10 px, labels at k = 1, 1 + period, ...
  std::vector<bool> allowed(200, false);
  bool anyRight = false;
  for (int k = 1; 100 + 10 * k < 200; ++k) {
    if ((k - 1) % period) continue;
    for (int x = 100 + 10 * k; x < 100 + 10 * k + picture.TextWidth(std::to_string(k)); ++x) {
      allowed[std::min(x, 199)] = true;
    }
    anyRight = true;
  }
  for (int k = 2; 100 - 10 * k > 0; ++k) {
    if ((k - 1) % period) continue;
    for (int x = 100 - 10 * k; x < 100 - 10 * k + picture.TextWidth(std::to_string(-k)); ++x) {
      allowed[x] = true;
    }
  }
  ASSERT_TRUE(anyRight);
  int ink = 0;
  for (int y = 75 + 7; y < 75 + 7 + textH; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (picture.GetPixel(x, y) == kWhite) continue;
      ++ink;
      EXPECT_TRUE(allowed[x]) << "ink at " << x << ',' << y;
    }
  }
  EXPECT_GT(ink, 0);
  // No label at the tick of -1 unit, right of the vertical axis' labels column.
  for (int y = 75 + 7; y < 75 + 7 + textH; ++y) {
    for (int x = 90; x < 100; ++x) EXPECT_EQ(picture.GetPixel(x, y), kWhite);
  }
}

// Origin left of the view: the Y labels end 7 pixels left of a column just wide enough
// for the text of 10 units plus 14 pixels; origin above: X labels hang from row 7.
TEST_F(AxesTest, LabelsOfAnOriginLeftOfAndAboveTheView) {
  doc.Appearance.ShowAxes = false;
  doc.Appearance.ShowUnits = true;
  doc.Params.Centering = false;
  SetView(200, 150);
  SetInterval("100", "120", "-30", "-20");  // origin (-1000, -175)
  picture.SetFont(doc.Appearance.Font);
  const int anchorX = picture.TextWidth("10") + 14;
  const int textH = picture.TextHeight("1");
  Draw();
  int yLabelInk = 0, xLabelInk = 0;
  for (const auto& [x, y] : NonWhite()) {
    if (y >= 7 && y < 7 + textH) {
      ++xLabelInk;  // the row of X labels, hanging from the top edge
      continue;
    }
    EXPECT_LT(x, anchorX - 7 + 1) << x << ',' << y;  // right-aligned Y labels
    ++yLabelInk;
  }
  EXPECT_GT(xLabelInk, 0);
  EXPECT_GT(yLabelInk, 0);
}

TEST_F(AxesTest, VariableNamesAsTyped) {
  doc.Appearance.ShowAxes = false;
  doc.Appearance.ShowVariableNames = true;
  doc.Params.Field(ParamField::VarY) = "time";
  SetView(200, 150);
  Draw();
  const int width = picture.TextWidth("time");
  int ink = 0;
  for (const auto& [x, y] : NonWhite()) {
    if (x >= 107 && x < 107 + width && y >= 2 && y < 2 + picture.TextHeight("t")) ++ink;
  }
  EXPECT_GT(ink, 0);
  const int xWidth = picture.TextWidth("X");
  int xInk = 0;
  for (const auto& [x, y] : NonWhite()) xInk += x >= 200 - xWidth - 3 && x < 197 && y < 75;
  EXPECT_GT(xInk, 0);
}

// Auto-scale over an interval whose width overflows gives a scale of 0; huge origins
// and tiny scales must not hang the tick loops or overflow anything.
TEST_F(AxesTest, DegenerateScalesAndOriginsFinish) {
  doc.Appearance.ShowUnits = true;
  doc.Appearance.ShowGrid = true;
  doc.Appearance.ShowBounds = true;
  doc.Params.AutoScale = true;
  SetInterval("-1E300*1E8", "1E300*1E8", "-10", "10");
  Draw();
  EXPECT_EQ(picture.GetPixel(15, 3), 0u);  // the vertical axis is still drawn
  for (double scale : {1e-300, 1e-9, 7.99, 1e300}) {
    for (int origin : {-2147483647 - 1, -5, 2147483647}) {
      View2D v = ViewWith(scale, origin, origin, 30, 20);
      v.XEnd = v.YEnd = 1;
      picture.Fill(kWhite);
      DrawAxes(picture, v, doc.Appearance, doc.Params);
      const GridPositions g = GridOf(v, LayoutTicks(v));
      EXPECT_LE(g.Columns.size(), 10u) << scale << ' ' << origin;
    }
  }
}

class TemporaryGridTest : public test::Plot2DFixture {};

TEST_F(TemporaryGridTest, TogglingTwiceRestoresBitForBit) {
  SetScales("3", "3");
  ASSERT_TRUE(PrepareView2D(ctx));
  picture.FillRect(3, 3, 15, 12, 0x123456);
  picture.SetPen(Pen{0, Solid, 2, PenMode::Copy});
  const auto before = Snapshot();
  grid.Toggle(picture, view);
  EXPECT_TRUE(grid.Enabled());
  EXPECT_NE(Snapshot(), before);
  EXPECT_EQ(picture.CurrentPen().mode, PenMode::Copy);
  grid.Toggle(picture, view);
  EXPECT_FALSE(grid.Enabled());
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(TemporaryGridTest, ErasesWhatItDrewAfterTheViewAndPenChanged) {
  ASSERT_TRUE(PrepareView2D(ctx));
  const auto before = Snapshot();
  grid.Toggle(picture, view);
  SetScales("2", "5");
  SetView(30, 25);
  ASSERT_TRUE(PrepareView2D(ctx));
  picture.SetPen(Pen{0, Solid, 4, PenMode::Copy});
  grid.Toggle(picture, view);
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace lw
