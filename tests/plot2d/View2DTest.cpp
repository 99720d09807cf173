#include "plot2d/View2D.h"

#include <gtest/gtest.h>

#include "Plot2DFixture.h"
#include "plot2d/BuildCommands.h"

namespace lw {
namespace {

Params2D Params(double scale, double x0, double x1, double y0, double y1) {
  Params2D p;
  p.ScaleX = p.ScaleY = scale;
  p.XStart = x0;
  p.XEnd = x1;
  p.YStart = y0;
  p.YEnd = y1;
  return p;
}

TEST(MapView2DTest, OriginAndClippingOnAllThreeSidesOfEachAxis) {
  struct Case {
    const char* name;
    Params2D params;
    bool autoScale, centering;
    int originX, originY;
    double xStart, xEnd, yStart, yEnd;
  };
  const Case cases[] = {
      {"centred, nothing to clip", Params(10, -20, 20, -20, 20), false, true, 269, 234, -20, 20,
       -20, 20},
      {"centred, both ends cut", Params(10, -100, 100, -100, 100), false, true, 269, 234, -26.9,
       270.0 / 10, -23.4, 23.4},
      {"middle 20 at the middle column", Params(10, 0, 40, -20, 20), false, false, 69, 234, 0, 40,
       -20, 20},
      {"origin left of and below the view, nothing cut", Params(10, 100, 140, 100, 140), false,
       false, -930, 1434, 100, 140, 100, 140},
      {"origin left and below, both ends cut", Params(10, 100, 300, 100, 300), false, false, -1730,
       2234, 173, 539.0 / 10 + 173, 176.6, 468.0 / 10 + 176.6},
      {"origin right and above, both ends cut", Params(10, -300, -100, -300, -100), false, false,
       2269, -1766, -173 - 539.0 / 10, -173, -176.6 - 468.0 / 10, -176.6},
      {"auto-scale, centred", Params(10, -20, 20, -20, 20), true, true, 269, 234, -269 / 13.475, 20,
       -20, 20},
  };
  for (const Case& k : cases) {
    const View2D v = MapView2D(k.params, k.autoScale, k.centering, 539, 468);
    EXPECT_EQ(v.OriginX, k.originX) << k.name;
    EXPECT_EQ(v.OriginY, k.originY) << k.name;
    EXPECT_DOUBLE_EQ(v.XStart, k.xStart) << k.name;
    EXPECT_DOUBLE_EQ(v.XEnd, k.xEnd) << k.name;
    EXPECT_DOUBLE_EQ(v.YStart, k.yStart) << k.name;
    EXPECT_DOUBLE_EQ(v.YEnd, k.yEnd) << k.name;
    EXPECT_DOUBLE_EQ(v.PixelStepX, 1.0 / v.ScaleX) << k.name;
  }
}

TEST(MapView2DTest, AutoScaleFillsTheViewWithTheIntervals) {
  const View2D v = MapView2D(Params(10, -20, 20, -20, 20), true, true, 539, 468);
  EXPECT_DOUBLE_EQ(v.ScaleX, 13.475);
  EXPECT_DOUBLE_EQ(v.ScaleY, 11.7);
  const View2D w = MapView2D(Params(10, 3, 7, -1, 1), true, false, 400, 300);
  EXPECT_EQ(w.PixelX(3), 0);
  EXPECT_EQ(w.PixelX(7), 400);
  EXPECT_EQ(ProgressMaximum(w), 401);
}

TEST(MapView2DTest, MappingAndItsInverse) {
  const View2D v = MapView2D(Params(10, -20, 20, -20, 20), false, true, 539, 468);
  EXPECT_EQ(v.PixelX(1.0), 279);
  EXPECT_EQ(v.PixelY(1.0), 224);
  EXPECT_EQ(v.PixelX(-0.05), 268);  // truncation toward zero
  EXPECT_DOUBLE_EQ(v.WorldX(279), 1.0);
  EXPECT_DOUBLE_EQ(v.WorldY(224), 1.0);
  EXPECT_EQ(ProgressMaximum(v), 401);
}

TEST(MapView2DTest, ExtremeIntervalsGiveNoUndefinedCoordinates) {
  const View2D v = MapView2D(Params(10, 1e300, 2e300, -1e300, 1e300), false, false, 100, 100);
  EXPECT_EQ(v.PixelX(1e300), 2147483647);
  EXPECT_EQ(v.PixelY(1e300), -2147483647 - 1);
  EXPECT_GE(ProgressMaximum(v), 1);
}

using PrepareView2DTest = test::Plot2DFixture;

TEST_F(PrepareView2DTest, FillsViewProgressAndConstantsOnBothParsers) {
  doc.Params.Constants2D = {"A=3", "", "B=A*2", "C=1/0"};
  SetView(539, 468);
  SetScales("10", "2*5");
  SetInterval("20", "-20", "-20", "20");  // reversed ends are put in order
  progress.SetPosition(17);
  ASSERT_TRUE(PrepareView2D(ctx));
  EXPECT_EQ(view.OriginX, 269);
  EXPECT_DOUBLE_EQ(view.ScaleY, 10);
  EXPECT_DOUBLE_EQ(view.XStart, -20);
  EXPECT_EQ(progress.Position(), 0);
  EXPECT_EQ(progress.Maximum(), 401);
  for (FormulaParser* parser :
       {static_cast<FormulaParser*>(&explicitParser), static_cast<FormulaParser*>(&poleParser)}) {
    EXPECT_DOUBLE_EQ(parser->Variable('A'), 3);
    EXPECT_DOUBLE_EQ(parser->Variable('B'), 6);
    EXPECT_DOUBLE_EQ(parser->Variable('P'), Pi);
    EXPECT_DOUBLE_EQ(parser->Variable('E'), EulerE);
  }
}

TEST_F(PrepareView2DTest, BadFieldReportsAndLeavesTheViewAlone) {
  SetView(100, 80);
  ASSERT_TRUE(PrepareView2D(ctx));
  const View2D before = view;
  progress.SetMaximum(5);
  SetScales("10", "0");
  EXPECT_FALSE(PrepareView2D(ctx));
  EXPECT_EQ(status.Text(), "Помилка вводу маштабу вісі Y");
  EXPECT_EQ(view.OriginX, before.OriginX);
  EXPECT_DOUBLE_EQ(view.XEnd, before.XEnd);
  EXPECT_EQ(progress.Maximum(), 5);
}

}  // namespace
}  // namespace lw
