#include "plot2d/ColorGamma.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "plot2d/Axes.h"
#include "plot2d/BuilderCommon.h"
#include "plot2d/Builders2D.h"
#include "plot2d/ColumnSweep.h"
#include "plot2d/RasterMath.h"

namespace lw {

int GammaStep(double v, double gradient) {
  const double quotient = v / gradient;
  if (std::fabs(quotient) < 2147483647.0) {
    // floor by truncation and correction: the colour-map loop runs this per pixel.
    std::int32_t t = static_cast<std::int32_t>(quotient);
    if (static_cast<double>(t) > quotient) --t;
    // Unsigned arithmetic gives the remainder modulo 65536 for negative steps too.
    return static_cast<int>((static_cast<std::uint32_t>(t) + 32768u) & 0xFFFFu);
  }
  const double q = std::floor(quotient);
  if (!std::isfinite(q)) return 32768;
  double k = std::fmod(q, 65536.0) + 32768.0;
  if (k < 0) k += 65536.0;
  if (k >= 65536.0) k -= 65536.0;
  return static_cast<int>(k);
}

Colour GammaStepColour(int step, const Palette& palette) {
  const int i = (step >> 8) & 0xFF;
  const auto f = static_cast<std::uint32_t>(step & 0xFF);
  const Colour from = palette.At(i);
  const Colour to = palette.At((i + 1) & 0xFF);
  Colour result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    // MulDiv(f, b - a, 255) without its division, as the table of every step is
    // filled for each colour map: round(f * |d| / 255), halves away from zero, is
    // ((f * |d| + 127) * 0x8081) >> 23 for every f and d of 0..255.
    const std::uint32_t a = (from >> shift) & 0xFF;
    const std::uint32_t b = (to >> shift) & 0xFF;
    const std::uint32_t d = b >= a ? b - a : a - b;
    const std::uint32_t q = ((f * d + 127u) * 0x8081u) >> 23;
    result |= ((b >= a ? a + q : a - q) & 0xFF) << shift;
  }
  return result;
}

Colour GammaColor(double v, double gradient, const Palette& palette) {
  return GammaStepColour(GammaStep(v, gradient), palette);
}

GammaRamp::GammaRamp(const Palette& palette, double gradient)
    : colours_(65536), gradient_(gradient), inverse_(1.0 / gradient) {
  for (int k = 0; k < 65536; ++k)
    colours_[static_cast<std::size_t>(k)] = GammaStepColour(k, palette);
}

namespace {

// One column of the map; samples outside the picture are evaluated too, as the last
// evaluation's error decides the status.
template <bool Xor>
void GammaColumn(const ColumnSweep<FormulaParser>& sweep, FormulaParser& parser, ColumnBlock& block,
                 int c, const GammaRamp& ramp, Colour mask, const PlotPicture::Column& column) {
  const int first = column.First();
  const int end = column.End();
  auto pixel = column.Start();
  sweep.Sample(parser, block, c, [&](int r, double value, bool hasValue, std::uint32_t) {
    if (r < first || r >= end) return;
    // No value: the pixel keeps what it had.
    if (hasValue) {
      if constexpr (Xor) {
        // The background XOR makes the map show its true colours on the background.
        pixel.Xor(ramp(value) ^ mask);
      } else {
        pixel.Set(ramp(value));
      }
    }
    pixel.Up();
  });
}

}  // namespace

bool BuildColorGamma(Plot2DContext& ctx, std::size_t index, const PlotP&) {
  CompiledEntry compiled(ctx.explicitParser, ctx.document.Graphs2D.Text(index), ctx.view,
                         ctx.status);
  if (!compiled.Usable()) return false;
  const GammaRamp ramp(ctx.palette, ctx.params.Gradient);
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  const Colour mask = ctx.document.Appearance.BackgroundColor & 0x00FFFFFF;
  ColumnSweep<FormulaParser> sweep(ctx, ctx.explicitParser, compiled);
  const PixelWalk& walk = sweep.Walk();
  const bool lastHadError = sweep.RunColumns([&](FormulaParser& parser, ColumnBlock& block, int c) {
    const PlotPicture::Column column = ctx.picture.ColumnFrom(walk.Px0 + c, walk.Py0, walk.Rows);
    if (xorDrawing) {
      GammaColumn<true>(sweep, parser, block, c, ramp, mask, column);
    } else {
      GammaColumn<false>(sweep, parser, block, c, ramp, mask, column);
    }
  });
  compiled.Finish(lastHadError || Stopped(ctx.work));
  return true;
}

ColourScaleState OpenColourScale(double gradient, int rampHeight) {
  ColourScaleState s;
  s.ValuePerRow = gradient;
  // Spacing and step follow the size of the gradient; its sign only turns the labels.
  const double g = std::fabs(gradient);
  if (g >= 1) {
    s.LabelSpacing = 20;
    s.LabelStep = TruncToInt(20 * g);
  } else if (g > 0.05) {
    s.LabelSpacing = TruncToInt(20 / g);
    s.LabelStep = 20;
  } else {
    s.LabelSpacing = TruncToInt(1 / g);
    s.LabelStep = 1;
  }
  if (s.LabelSpacing <= 0) s.LabelSpacing = 20;  // a zero or undefined gradient
  if (gradient < 0) s.LabelStep = -s.LabelStep;
  s.RowOffset = (-rampHeight) / 2;
  return s;
}

void PaintColourScale(PlotPicture& image, const ColourScaleState& state, double gradient,
                      const Palette& palette, const LabelFont& font) {
  const int w = image.Width();
  const int h = image.Height();
  for (int i = 0; i < h; ++i) {
    const double value = (static_cast<double>(state.RowOffset) + i) * state.ValuePerRow;
    image.SetPen(Pen{GammaColor(value, gradient, palette), Solid, 1, PenMode::Copy});
    image.MoveTo(40, i);
    image.LineTo(w, i);
  }
  image.SetPen(Pen{0, Solid, 1, PenMode::Copy});
  image.MoveTo(39, 0);
  image.LineTo(39, h);
  image.MoveTo(0, 0);
  image.LineTo(0, h);
  image.FillRect(1, 0, 38, h, 0xFFFFFF);
  image.SetFont(font);
  const int textHeight = image.TextHeight("1");
  const std::int64_t spacing = state.LabelSpacing > 0 ? state.LabelSpacing : 20;
  std::int64_t c = -(state.RowOffset % spacing + spacing);
  std::int64_t n = (state.RowOffset / spacing - 1) * static_cast<std::int64_t>(state.LabelStep);
  for (; c < h + spacing; c += spacing, n += state.LabelStep) {
    if (c <= -50 || c >= h + 50) continue;
    const int row = static_cast<int>(c);
    image.MoveTo(30, row);
    image.LineTo(38, row);
    image.DrawText(3, row - textHeight / 2, std::to_string(n));
  }
}

}  // namespace lw
