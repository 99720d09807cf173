#include "plot2d/ColorGamma.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot2d/RasterMath.h"

namespace lw {
namespace {

// Entry i is (R, G, B) = (i, 2i mod 256, 255 - i).
Palette Ramp() {
  Palette p;
  for (int i = 0; i < 256; ++i) {
    p.Set(i, static_cast<Colour>(i) | (static_cast<Colour>((2 * i) & 0xFF) << 8) |
                 (static_cast<Colour>(255 - i) << 16));
  }
  return p;
}

TEST(GammaColorTest, StepOfAValue) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double v, gradient;
    int step;
  };
  const Case cases[] = {
      {0, 0.1, 32768},
      {0.05, 0.1, 32768},
      {-0.05, 0.1, 32767},
      {25.6, 0.1, 33024},                   // 256 steps: the next entry
      {-3276.8, 0.1, 0},                    // the bottom of the palette
      {3276.8, 0.1, 0},                     // 65536 steps on: the mapping repeats
      {1.0, -0.1, 32758},                   // a negative gradient turns the direction
      {std::ldexp(1.0, 40) + 5, 1, 32773},  // beyond 32 bits the period goes on
      {-std::ldexp(1.0, 40) - 1, 1, 32767},
      {1e300, 1e-300, 32768},  // quotient overflows: the colour of 0
      {inf, 1, 32768},
      {std::nan(""), 1, 32768},
      {2147483647.0, 1, 32767},  // (2^31 - 1 + 32768) mod 65536
      {-2147483648.0, 1, 32768},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(GammaStep(k.v, k.gradient), k.step) << k.v << " / " << k.gradient;
  }
}

TEST(GammaColorTest, BlendsNeighbouringEntriesWithRounding) {
  const Palette p = Ramp();
  EXPECT_EQ(GammaColor(0, 0.1, p), p.At(128));
  EXPECT_EQ(GammaStepColour(128 * 256, p), p.At(128));
  // Half way from entry 10 (10, 20, 245) to entry 11 (11, 22, 244): f = 128.
  const Colour half = GammaStepColour(10 * 256 + 128, p);
  EXPECT_EQ(half & 0xFF, 11u);           // 10 + round(128 / 255)
  EXPECT_EQ((half >> 8) & 0xFF, 21u);    // 20 + round(256 / 255)
  EXPECT_EQ((half >> 16) & 0xFF, 244u);  // 245 + round(-128 / 255) = 245 - 1
  // Entry 127 (127, 254, 128) towards 128 (128, 0, 127): G falls by 254 in 255 steps.
  EXPECT_EQ((GammaStepColour(127 * 256 + 255, p) >> 8) & 0xFF, 0u);
  // The last entry blends towards entry 0, where the mapping continues.
  EXPECT_EQ(GammaStepColour(65535, p), p.At(0));
  EXPECT_EQ(GammaStepColour(255 * 256, p), p.At(255));
}

TEST(GammaColorTest, RampTableAgreesWithTheDirectMapping) {
  const Palette p = Ramp();
  const GammaRamp ramp(p, 0.37);
  for (double v = -30000; v < 30000; v += 123.4567) EXPECT_EQ(ramp(v), GammaColor(v, 0.37, p));
}

// The blend avoids MulDiv's division; every step of palettes with steep rises and
// falls in each channel must still come out as the MulDiv blend gives it.
Colour MulDivBlend(int step, const Palette& p) {
  const Colour from = p.At(step >> 8), to = p.At(((step >> 8) + 1) & 0xFF);
  Colour result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const auto a = static_cast<std::int32_t>((from >> shift) & 0xFF);
    const auto b = static_cast<std::int32_t>((to >> shift) & 0xFF);
    result |= static_cast<Colour>((a + MulDiv(step & 0xFF, b - a, 255)) & 0xFF) << shift;
  }
  return result;
}

TEST(GammaColorTest, RampTableHoldsEveryStepColour) {
  Palette steep;
  PaletteRandom random(7);
  for (int i = 0; i < 256; ++i) {
    const int c = i % 3;
    for (int k = 0; k < 3; ++k) {
      const int v = i % 2 == 0 ? 0 : 255;  // 0 and 255 alternate: the largest distances
      steep.bytes[static_cast<std::size_t>(i * 3 + k)] =
          static_cast<std::uint8_t>(k == c ? v : random.Next() & 0xFF);
    }
  }
  for (const Palette& p : {steep, Ramp(), StartupPalette()}) {
    const GammaRamp ramp(p, 1.0);
    for (int step = 0; step < 65536; ++step) {
      // Value step - 32768 + 0.5 lies inside step `step`.
      ASSERT_EQ(ramp(step - 32768 + 0.5), MulDivBlend(step, p)) << step;
    }
  }
}

// The multiplication shortcut must give the quotient's step everywhere, including
// values on and next to step boundaries, where product and quotient round differently.
TEST(GammaColorTest, FastStepAgreesWithTheQuotient) {
  const Palette p = Ramp();
  for (double g : {0.1, 0.37, 1.0 / 3, -0.05, 1e-7, 3e5, 1e-300}) {
    const GammaRamp ramp(p, g);
    for (int k = -5000; k <= 5000; ++k) {
      const double boundary = k * g;
      for (double v : {boundary, std::nextafter(boundary, -1e308), std::nextafter(boundary, 1e308),
                       boundary * 1234.5, boundary + g / 2}) {
        ASSERT_EQ(ramp.Step(v), GammaStep(v, g)) << v << " / " << g;
      }
    }
  }
  const GammaRamp tenth(p, 0.1);
  for (double v = -1e4; v < 1e4; v += 0.0999) ASSERT_EQ(tenth.Step(v), GammaStep(v, 0.1)) << v;
  // Around the ends of the 32-bit range, where the shortcut hands over to the division.
  const GammaRamp one(p, 1.0);
  for (double edge : {2147483648.0, -2147483648.0}) {
    for (double offset : {-1.5, -0.75, -0.5, -1e-7, 0.0, 1e-7, 0.25, 0.5, 1.5}) {
      ASSERT_EQ(one.Step(edge + offset), GammaStep(edge + offset, 1.0)) << edge + offset;
    }
  }
  for (double v : {std::nan(""), 1e300, -1e300, 0.0, -0.0, 1e-320}) {
    ASSERT_EQ(one.Step(v), GammaStep(v, 1.0)) << v;
  }
}

TEST(ColourScaleTest, SpacingAndStepFollowTheGradient) {
  struct Case {
    double gradient;
    int spacing, step;
  };
  const Case cases[] = {
      {0.5, 40, 20}, {2, 20, 40},    {1, 20, 20},     {0.1, 200, 20},
      {0.05, 20, 1}, {0.01, 100, 1}, {-0.5, 40, -20}, {-3, 20, -60},
  };
  for (const Case& k : cases) {
    const ColourScaleState s = OpenColourScale(k.gradient, 329);
    EXPECT_EQ(s.LabelSpacing, k.spacing) << k.gradient;
    EXPECT_EQ(s.LabelStep, k.step) << k.gradient;
    EXPECT_EQ(s.RowOffset, -164);
    EXPECT_DOUBLE_EQ(s.ValuePerRow, k.gradient);
  }
}

TEST(ColourScaleTest, PaintsRampFrameAndTicks) {
  const Palette p = Ramp();
  PlotPicture image(129, 329);
  const ColourScaleState s = OpenColourScale(0.5, 329);
  PaintColourScale(image, s, 0.5, p);
  EXPECT_EQ(image.GetPixel(100, 164), p.At(128));  // value 0 in the middle
  EXPECT_EQ(image.GetPixel(40, 164), p.At(128));
  EXPECT_EQ(image.GetPixel(100, 0), GammaColor(-164 * 0.5, 0.5, p));
  for (int y = 0; y < 329; ++y) {
    EXPECT_EQ(image.GetPixel(0, y), 0u);
    EXPECT_EQ(image.GetPixel(39, y), 0u);
  }
  // Labels every 40 rows from row 4 (value -80): ticks in columns 30..37.
  for (int row = 4; row < 329; row += 40) {
    EXPECT_EQ(image.GetPixel(30, row), 0u) << row;
    EXPECT_EQ(image.GetPixel(37, row), 0u) << row;
    EXPECT_EQ(image.GetPixel(33, row + 1), 0xFFFFFFu) << row;
  }
}

TEST(ColourScaleTest, NegativeGradientPaintsWithoutHanging) {
  const Palette p = Ramp();
  PlotPicture image(129, 329);
  PaintColourScale(image, OpenColourScale(-0.001, 329), -0.001, p);
  EXPECT_EQ(image.GetPixel(39, 10), 0u);
}

}  // namespace
}  // namespace lw
