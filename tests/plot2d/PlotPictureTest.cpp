#include "plot2d/PlotPicture.h"

#include <gtest/gtest.h>

#include "CaseNames.h"

#include <climits>
#include <cmath>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "plot2d/RasterMath.h"

namespace lw {
namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000FF;

using PixelSet = std::set<std::pair<int, int>>;

PixelSet NonWhite(const PlotPicture& p) {
  PixelSet set;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      if (p.GetPixel(x, y) != kWhite) set.emplace(x, y);
    }
  }
  return set;
}

std::vector<Colour> Snapshot(const PlotPicture& p) {
  std::vector<Colour> all;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) all.push_back(p.GetPixel(x, y));
  }
  return all;
}

TEST(MulDivTest, RoundsHalvesAwayFromZero) {
  struct Case {
    int a, b, c, expected;
  };
  const Case cases[] = {
      {5, 3, 2, 8},         {-5, 3, 2, -8}, {5, -3, 2, -8},   {-5, -3, 2, 8},
      {1, 1, 3, 0},         {2, 1, 3, 1},   {1, 3, 2, 2},     {128, -255, 255, -128},
      {255, 200, 255, 200}, {7, 7, 0, -1},  {127, 1, 255, 0}, {128, 1, 255, 1},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(MulDiv(k.a, k.b, k.c), k.expected) << k.a << '*' << k.b << '/' << k.c;
  }
}

TEST(TruncToIntTest, TruncatesTowardZeroAndSaturates) {
  const std::pair<double, int> cases[] = {
      {1.9, 1},
      {-1.9, -1},
      {0.0, 0},
      {1e300, INT_MAX},
      {-1e300, INT_MIN},
      {std::numeric_limits<double>::infinity(), INT_MAX},
      {-std::numeric_limits<double>::infinity(), INT_MIN},
      {std::nan(""), 0},
      {2147483646.7, 2147483646},
  };
  for (const auto& [v, expected] : cases) EXPECT_EQ(TruncToInt(v), expected) << v;
}

// A column walk reaches exactly the samples whose rows lie in the picture, wherever
// the walk starts and however long it is; walking every sample it reaches touches
// nothing else.
TEST(PlotPictureTest, ColumnWalksStayInsideThePicture) {
  struct Case {
    int x, yBottom, count;
    int first, end;
  };
  const Case cases[] = {
      {2, 4, 5, 0, 5},        // the whole column, bottom row up
      {2, 6, 5, 2, 5},        // starts two rows below the picture
      {2, 2, 5, 0, 3},        // runs off the top after three rows
      {2, 8, 3, 0, 0},        // ends before it reaches the picture
      {2, -1, 5, 0, 0},       // starts above the picture
      {-1, 4, 5, 0, 0},       // left of the picture
      {4, 4, 5, 0, 0},        // right of it
      {0, 1 << 30, 5, 0, 0},  // the far start a clamped walk can have
      {3, 4, 0, 0, 0},        // no samples
  };
  for (const Case& c : cases) {
    PlotPicture picture(4, 5);
    picture.Fill(kWhite);
    const PlotPicture::Column column = picture.ColumnFrom(c.x, c.yBottom, c.count);
    EXPECT_EQ(column.First(), c.first) << c.x << ' ' << c.yBottom;
    EXPECT_EQ(column.End(), c.end) << c.x << ' ' << c.yBottom;
    PixelSet expected;
    auto pixel = column.Start();
    for (int r = column.First(); r < column.End(); ++r, pixel.Up()) {
      pixel.Set(kRed);
      expected.emplace(c.x, c.yBottom - r);
    }
    EXPECT_EQ(NonWhite(picture), expected) << c.x << ' ' << c.yBottom;
  }
}

TEST(PlotPictureTest, LinesLeaveOutTheirLastPixel) {
  struct Case {
    int x0, y0, x1, y1;
    PixelSet expected;
  };
  const Case cases[] = {
      {0, 0, 5, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
      {5, 0, 0, 0, {{5, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
      {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
      {2, 4, 2, 0, {{2, 4}, {2, 3}, {2, 2}, {2, 1}}},
      {3, 3, 3, 3, {}},
  };
  for (const Case& k : cases) {
    PlotPicture p(10, 10);
    p.MoveTo(k.x0, k.y0);
    p.LineTo(k.x1, k.y1);
    EXPECT_EQ(NonWhite(p), k.expected) << k.x0 << ',' << k.y0 << " -> " << k.x1 << ',' << k.y1;
  }
}

TEST(PlotPictureTest, XorPolylineHasNoHolesAndTwiceRestores) {
  PlotPicture p(12, 12);
  p.FillRect(0, 0, 6, 12, 0x123456);
  const auto before = Snapshot(p);
  p.SetPen(Pen{0x00FF00, Solid, 1, PenMode::Xor});
  auto draw = [&] {
    p.MoveTo(1, 1);
    p.LineTo(9, 1);
    p.LineTo(9, 9);
    p.LineTo(1, 4);
    p.LineTo(1, 1);
  };
  draw();
  EXPECT_EQ(p.GetPixel(9, 1), kWhite ^ 0x00FF00u);  // the joint is drawn once, not twice
  EXPECT_EQ(p.GetPixel(1, 1), 0x123456u ^ 0x00FF00u);
  draw();
  EXPECT_EQ(Snapshot(p), before);
}

TEST(PlotPictureTest, InvertModeComplementsAndTwiceRestores) {
  PlotPicture p(8, 8);
  p.SetPixel(2, 3, 0x102030);
  const auto before = Snapshot(p);
  p.SetPen(Pen{0x00FF00, Dot, 2, PenMode::Invert});
  p.MoveTo(0, 3);
  p.LineTo(8, 3);
  EXPECT_EQ(p.GetPixel(0, 3), 0x000000u);
  EXPECT_EQ(p.GetPixel(2, 3), 0x102030u ^ 0xFFFFFFu);
  p.MoveTo(0, 3);
  p.LineTo(8, 3);
  EXPECT_EQ(Snapshot(p), before);
}

TEST(PlotPictureTest, StylesFollowTheClassicPatterns) {
  struct Case {
    int style;
    std::vector<int> runs;  // on, off, on, ... from the start of the line
  };
  const Case cases[] = {
      {Solid, {40}},
      {Dash, {18, 6, 16}},
      {Dot, {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1}},
      {DashDot, {9, 6, 3, 6, 9, 6, 1}},
      {DashDotDot, {9, 3, 3, 3, 3, 3, 9, 3, 3, 1}},
  };
  for (const Case& k : cases) {
    PlotPicture p(40, 3);
    p.SetPen(Pen{0, k.style, 1, PenMode::Copy});
    p.MoveTo(0, 1);
    p.LineTo(40, 1);
    std::vector<int> runs;
    bool ink = true;
    int run = 0;
    for (int x = 0; x < 40; ++x) {
      const bool here = p.GetPixel(x, 1) == 0;
      if (here != ink) {
        runs.push_back(run);
        run = 0;
        ink = here;
      }
      ++run;
    }
    runs.push_back(run);
    EXPECT_EQ(runs, k.runs) << "style " << k.style;
  }
}

TEST(PlotPictureTest, PatternContinuesAcrossLineToAndRestartsAtMoveTo) {
  PlotPicture p(20, 3);
  p.SetPen(Pen{0, Dot, 1, PenMode::Copy});
  p.MoveTo(0, 1);
  p.LineTo(4, 1);   // on on on off
  p.LineTo(10, 1);  // off off on on on off
  const PixelSet expected{{0, 1}, {1, 1}, {2, 1}, {6, 1}, {7, 1}, {8, 1}};
  EXPECT_EQ(NonWhite(p), expected);
  p.MoveTo(12, 0);
  p.LineTo(14, 0);
  EXPECT_EQ(p.GetPixel(12, 0), 0u);
}

TEST(PlotPictureTest, WidePenCoversARunAcrossTheLine) {
  PlotPicture p(10, 10);
  p.SetPen(Pen{0, Solid, 3, PenMode::Copy});
  p.MoveTo(2, 5);
  p.LineTo(5, 5);
  const PixelSet expected{{2, 4}, {3, 4}, {4, 4}, {2, 5}, {3, 5}, {4, 5}, {2, 6}, {3, 6}, {4, 6}};
  EXPECT_EQ(NonWhite(p), expected);
}

// The walk clipped to a small picture must set exactly the pixels that the same line
// sets on a larger picture where it needs no clipping.
TEST(PlotPictureTest, ClippedLinesMatchTheUnclippedWalk) {
  const int offset = 100;
  int checked = 0;
  for (int x0 = -40; x0 <= 60; x0 += 13) {
    for (int y0 = -35; y0 <= 55; y0 += 11) {
      for (int x1 = -30; x1 <= 50; x1 += 17) {
        for (int y1 = -45; y1 <= 45; y1 += 19) {
          for (int width : {1, 2}) {
            PlotPicture small(20, 16);
            PlotPicture big(300, 300);
            small.SetPen(Pen{0, Solid, width, PenMode::Copy});
            big.SetPen(Pen{0, Solid, width, PenMode::Copy});
            small.MoveTo(x0, y0);
            small.LineTo(x1, y1);
            big.MoveTo(x0 + offset, y0 + offset);
            big.LineTo(x1 + offset, y1 + offset);
            for (int y = 0; y < 16; ++y) {
              for (int x = 0; x < 20; ++x) {
                ASSERT_EQ(small.GetPixel(x, y), big.GetPixel(x + offset, y + offset))
                    << x0 << ',' << y0 << " -> " << x1 << ',' << y1 << " at " << x << ',' << y;
              }
            }
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

TEST(PlotPictureTest, FarAwayEndsAreClippedWithoutWalkingThere) {
  PlotPicture p(20, 20);
  p.MoveTo(0, 0);
  p.LineTo(INT_MAX, INT_MAX);
  PixelSet diagonal;
  for (int i = 0; i < 20; ++i) diagonal.emplace(i, i);
  EXPECT_EQ(NonWhite(p), diagonal);

  PlotPicture q(20, 20);
  q.MoveTo(INT_MIN, 7);
  q.LineTo(5, 7);
  PixelSet row;
  for (int i = 0; i < 5; ++i) row.emplace(i, 7);
  EXPECT_EQ(NonWhite(q), row);
}

TEST(PlotPictureTest, RectanglesAndPixelsAreClipped) {
  PlotPicture p(10, 8);
  p.FillRect(-5, -5, 3, 2, kRed);
  EXPECT_EQ(NonWhite(p).size(), 6u);
  p.SetPixel(-1, 0, 0);
  p.SetPixel(10, 0, 0);
  EXPECT_EQ(p.GetPixel(-1, 0), PlotPicture::InvalidColour);
  EXPECT_EQ(p.GetPixel(3, 0), kWhite);

  PlotPicture q(10, 8);
  q.FrameRect(2, 2, 6, 5);
  EXPECT_EQ(NonWhite(q).size(), 10u);
  EXPECT_EQ(q.GetPixel(5, 4), 0u);
  EXPECT_EQ(q.GetPixel(6, 4), kWhite);
}

TEST(PlotPictureTest, EllipseOutlineIsSymmetricAndXorTwiceRestores) {
  PlotPicture p(16, 16);
  const auto before = Snapshot(p);
  p.SetPen(Pen{0x00FFFF, Solid, 1, PenMode::Xor});
  p.Ellipse(2, 3, 13, 12);
  const PixelSet drawn = NonWhite(p);
  EXPECT_FALSE(drawn.empty());
  for (const auto& [x, y] : drawn) {
    EXPECT_TRUE(drawn.count({2 + 12 - x, y})) << x << ',' << y;
    EXPECT_TRUE(drawn.count({x, 3 + 11 - y})) << x << ',' << y;
    EXPECT_TRUE(x >= 2 && x < 13 && y >= 3 && y < 12);
  }
  EXPECT_TRUE(drawn.count({2, 7}));
  EXPECT_TRUE(drawn.count({7, 3}));
  p.Ellipse(2, 3, 13, 12);
  EXPECT_EQ(Snapshot(p), before);
}

TEST(PlotPictureTest, ImageIsConvertedOnlyOnTheWayOut) {
  PlotPicture p(4, 3);
  p.SetPixel(1, 1, kRed);
  p.SetPixel(2, 1, 0xFF0000);  // blue
  const QImage image = p.ToImage(6, 3);
  EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(5, 0), qRgb(0, 0, 0));  // beyond the picture

  PlotPicture q(4, 3);
  q.PasteImage(image);
  EXPECT_EQ(q.GetPixel(1, 1), kRed);
  EXPECT_EQ(q.GetPixel(2, 1), 0xFF0000u);
}

struct TakeCase {
  const char* name;
  int w, h;
};

class PlotPictureTake : public ::testing::TestWithParam<TakeCase> {};

// Taking the image in place gives what a copy would give, and uses the picture up.
TEST_P(PlotPictureTake, GivesTheSameImageAsACopy) {
  const TakeCase c = GetParam();
  PlotPicture p(7, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) p.SetPixel(x, y, static_cast<Colour>(0x010203 * (y * 7 + x)));
  }
  const QImage copy = p.ToImage(c.w, c.h);
  const QImage taken = p.TakeImage(c.w, c.h);
  ASSERT_EQ(taken.size(), copy.size());
  for (int y = 0; y < copy.height(); ++y) {
    for (int x = 0; x < copy.width(); ++x)
      ASSERT_EQ(taken.pixel(x, y), copy.pixel(x, y)) << x << ',' << y;
  }
  EXPECT_EQ(p.Width(), 1);
  EXPECT_EQ(p.Height(), 1);
}

INSTANTIATE_TEST_SUITE_P(Parts, PlotPictureTake,
                         ::testing::Values(TakeCase{"Whole", 7, 5}, TakeCase{"TopLeft", 3, 2},
                                           TakeCase{"OneRow", 7, 1},
                                           TakeCase{"LargerThanThePicture", 9, 6}),
                         test::CaseName());

TEST(PlotPictureTest, TextStaysInsideItsExtentAndHasNoBackground) {
  PlotPicture p(80, 40);
  p.FillRect(0, 0, 80, 40, 0x00FF00);
  LabelFont font;
  font.Color = kRed;
  p.SetFont(font);
  const int w = p.TextWidth("123");
  const int h = p.TextHeight("1");
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  p.DrawText(10, 5, "123");
  int ink = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 80; ++x) {
      const Colour c = p.GetPixel(x, y);
      if (c == 0x00FF00) continue;
      EXPECT_EQ(c, kRed) << x << ',' << y;  // no smoothing, no background
      EXPECT_TRUE(x >= 10 && x < 10 + w + 1 && y >= 5 && y < 5 + h) << x << ',' << y;
      ++ink;
    }
  }
  EXPECT_GT(ink, 5);
  EXPECT_GT(p.TextWidth("100"), p.TextWidth("1"));
}

struct ViewSizeCase {
  const char* name;
  int viewWidth, viewHeight;
  int width, height;  // of the picture behind the view
};

class PictureSizeForView : public ::testing::TestWithParam<ViewSizeCase> {};

TEST_P(PictureSizeForView, IsTheDefaultAtLeastTheViewAtMostTheMaximum) {
  const ViewSizeCase c = GetParam();
  const PlotPicture::Size size = PlotPicture::SizeForView(c.viewWidth, c.viewHeight);
  EXPECT_EQ(size.width, c.width);
  EXPECT_EQ(size.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Views, PictureSizeForView,
                         ::testing::Values(ViewSizeCase{"Collapsed", 0, -5, 1600, 1200},
                                           ViewSizeCase{"Small", 539, 468, 1600, 1200},
                                           ViewSizeCase{"FullHdMaximised", 1920, 1000, 1920, 1200},
                                           ViewSizeCase{"Qhd", 2560, 1391, 2560, 1391},
                                           ViewSizeCase{"TallNarrow", 1000, 3000, 1600, 3000},
                                           ViewSizeCase{"BeyondTheMaximum", 9000, 20000, 8192,
                                                        8192}),
                         test::CaseName());

struct GrowCase {
  const char* name;
  int width, height;            // asked for
  int grownWidth, grownHeight;  // the result
};

class PlotPictureGrow : public ::testing::TestWithParam<GrowCase> {};

// A 6 x 4 picture with a different colour in every pixel grows (or not) to the case's
// size: the old pixels stay at the top left, every new one has the background.
TEST_P(PlotPictureGrow, KeepsTheTopLeftAndFillsTheRestWithTheBackground) {
  const GrowCase c = GetParam();
  constexpr Colour kBackground = 0x123456;
  PlotPicture p(6, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) p.SetPixel(x, y, static_cast<Colour>(y * 16 + x));
  }
  const bool changed = p.Grow(c.width, c.height, kBackground);
  EXPECT_EQ(changed, c.grownWidth != 6 || c.grownHeight != 4);
  ASSERT_EQ(p.Width(), c.grownWidth);
  ASSERT_EQ(p.Height(), c.grownHeight);
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      const Colour expected = x < 6 && y < 4 ? static_cast<Colour>(y * 16 + x) : kBackground;
      ASSERT_EQ(p.GetPixel(x, y), expected) << x << ',' << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PlotPictureGrow,
                         ::testing::Values(GrowCase{"Wider", 9, 4, 9, 4},
                                           GrowCase{"Taller", 6, 7, 6, 7},
                                           GrowCase{"Both", 10, 8, 10, 8},
                                           GrowCase{"SameSize", 6, 4, 6, 4},
                                           GrowCase{"NeverShrinks", 2, 2, 6, 4},
                                           GrowCase{"WiderButNotShorter", 8, 1, 8, 4},
                                           GrowCase{"AtMostTheMaximum", 9000, 5, 8192, 5}),
                         test::CaseName());

}  // namespace
}  // namespace lw
