// The builders of curves of a parameter T: parametric (x, y) = (FX, FY)(T) and polar
// r = R(T), joined by lines or drawn as dots.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "document/FormulaSet.h"
#include "document/ParametricText.h"
#include "plot2d/BuilderCommon.h"
#include "plot2d/Builders2D.h"
#include "plot2d/CurveSampling.h"

namespace lw {
namespace {

// The coordinate formulas of a curve entry (FX and FY, or R) and the bounds of T.
struct CurveText {
  std::vector<std::string> formulas;
  double t0 = 0, t1 = 0;
};

// Cuts the entry's text and evaluates the bounds with the 2D constants; the message
// goes to the status bar and nothing comes back when the text is wrong.
std::optional<CurveText> ReadCurveText(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  const std::size_t parts = PartsOfKind(entry.Kind);
  const auto split = SplitParts(ctx.document.Graphs2D.Text(index), parts);
  if (!split) {
    ctx.status.SetStatus(PartsMessage(parts));
    return std::nullopt;
  }
  CurveText curve;
  curve.formulas.assign(split->begin(), split->end() - 2);
  std::array<double*, 2> bounds{&curve.t0, &curve.t1};
  for (std::size_t k = 0; k < 2; ++k) {
    std::string text = (*split)[parts - 2 + k];
    *bounds[k] = ctx.explicitParser.EvaluateNormalized(text);
    if (ctx.explicitParser.HasError()) {
      ctx.status.SetStatus(std::string(FormulaErrorMessages[ctx.explicitParser.ErrorCode()]));
      return std::nullopt;
    }
    if (!std::isfinite(*bounds[k])) {
      ctx.status.SetStatus(std::string(FormulaErrorMessages[Overflow]));
      return std::nullopt;
    }
  }
  return curve;
}

// The curve's formulas compiled once, with a copy per worker slot; turns values of T
// into points.
class CurveFormulas {
 public:
  CurveFormulas(Plot2DContext& ctx, const CurveText& curve, bool polar)
      : set_(ctx.poleParser, curve.formulas), polar_(polar) {
    set_.SetVariable(ctx.view.VarX, 0);  // as every builder starts
    set_.SetVariable(ctx.view.VarY, 0);
  }
  // The message of a formula wrong in itself, tried at the first value of T.
  std::optional<FormulaError> Trial(double t0) { return set_.Trial(CurveParameter, t0); }
  int Prepare(const WorkControl* work) {
    const int threads = set_.Threads(work);
    set_.MakeWorkers(threads);
    return threads;
  }

  void Evaluate(std::span<CurveSample> samples, int slot) {
    constexpr std::size_t kBlock = 256;
    std::array<double, kBlock> ts;
    std::array<std::array<double, kBlock>, 2> values;
    std::array<std::array<std::uint8_t, kBlock>, 2> codes;
    std::array<std::array<std::uint32_t, kBlock>, 2> divisions{};
    for (std::size_t first = 0; first < samples.size(); first += kBlock) {
      const std::size_t count = std::min(kBlock, samples.size() - first);
      for (std::size_t i = 0; i < count; ++i) ts[i] = samples[first + i].t;
      for (std::size_t f = 0; f < set_.Size(); ++f) {
        set_.Worker(f, slot).EvaluateBatch(
            CurveParameter, std::span(ts.data(), count),
            {values[f].data(), codes[f].data(), divisions[f].data()});
      }
      for (std::size_t i = 0; i < count; ++i)
        Place(samples[first + i], values, codes, divisions, i);
    }
  }

 private:
  template <class Values, class Codes, class Divisions>
  void Place(CurveSample& s, const Values& values, const Codes& codes, const Divisions& divisions,
             std::size_t i) const {
    if (polar_) {
      const double r = values[0][i];
      s.x = r * std::cos(s.t);
      s.y = r * std::sin(s.t);
      s.valid = codes[0][i] == NoFormulaError;
      s.divisions = divisions[0][i];
    } else {
      s.x = values[0][i];
      s.y = values[1][i];
      s.valid = codes[0][i] == NoFormulaError && codes[1][i] == NoFormulaError;
      s.divisions = divisions[0][i] | (std::uint64_t{divisions[1][i]} << 32);
    }
    s.valid = s.valid && std::isfinite(s.x) && std::isfinite(s.y);
  }

  FormulaSet<DivisionTrackingParser> set_;
  bool polar_;
};

CurveFrame FrameOf(const View2D& v) {
  // A little beyond the view, so a curve leaving it is still fine where it leaves.
  constexpr double kMargin = 2;
  return {v.ScaleX,
          v.ScaleY,
          static_cast<double>(v.OriginX),
          static_cast<double>(v.OriginY),
          -kMargin,
          -kMargin,
          v.Width + kMargin,
          v.Height + kMargin};
}

// The curve's samples, or nothing when the text is wrong (its message shown) or the
// work was stopped.
std::optional<std::vector<CurveSample>> Sample(Plot2DContext& ctx, std::size_t index,
                                               const PlotP& entry, bool joined) {
  const auto curve = ReadCurveText(ctx, index, entry);
  if (!curve) return std::nullopt;
  CurveFormulas formulas(ctx, *curve, entry.Kind == PolarCurve);
  if (const auto error = formulas.Trial(curve->t0)) {
    ctx.status.SetStatus(std::string(FormulaErrorMessages[*error]));
    return std::nullopt;
  }
  const int threads = formulas.Prepare(ctx.work);
  const CurveEvaluator evaluate = [&](std::span<CurveSample> samples, int slot) {
    formulas.Evaluate(samples, slot);
  };
  std::vector<CurveSample> samples =
      joined ? SampleCurve(curve->t0, curve->t1, FrameOf(ctx.view), ctx.work, threads, evaluate)
             : SampleEvenly(curve->t0, curve->t1, CurveDotSteps, ctx.work, threads, evaluate);
  if (samples.empty()) return std::nullopt;
  return samples;
}

// Pixel coordinates beyond this are cut off before they become integers, so that a
// point far away keeps the direction of the segment towards it.
constexpr double kFar = 1 << 24;

// The part of the segment (ax, ay)-(bx, by) inside the square of +-kFar; false when
// none is.
bool ClipFar(double& ax, double& ay, double& bx, double& by) {
  double enter = 0, leave = 1;
  const double dx = bx - ax, dy = by - ay;
  const std::array<std::array<double, 2>, 4> edges{
      {{-dx, ax + kFar}, {dx, kFar - ax}, {-dy, ay + kFar}, {dy, kFar - ay}}};
  for (const auto& [p, q] : edges) {
    if (p == 0) {
      if (q < 0) return false;
      continue;
    }
    const double r = q / p;
    if (p < 0) enter = std::max(enter, r);
    if (p > 0) leave = std::min(leave, r);
  }
  if (enter > leave) return false;
  const double x0 = ax, y0 = ay;
  ax = x0 + enter * dx;
  ay = y0 + enter * dy;
  bx = x0 + leave * dx;
  by = y0 + leave * dy;
  return true;
}

// Draws the joined segments as polylines with the picture's pen.
void DrawJoined(PlotPicture& picture, const View2D& v, const std::vector<CurveSample>& samples) {
  bool penAtPrevious = false;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    const CurveSample& a = samples[i - 1];
    const CurveSample& b = samples[i];
    if (!Joined(a, b)) {
      penAtPrevious = false;
      continue;
    }
    double ax = a.x * v.ScaleX + v.OriginX, ay = v.OriginY - a.y * v.ScaleY;
    double bx = b.x * v.ScaleX + v.OriginX, by = v.OriginY - b.y * v.ScaleY;
    const bool near = std::max({std::fabs(ax), std::fabs(ay), std::fabs(bx), std::fabs(by)}) < kFar;
    if (!near && !ClipFar(ax, ay, bx, by)) {
      penAtPrevious = false;
      continue;
    }
    if (!penAtPrevious || !near) picture.MoveTo(TruncToInt(ax), TruncToInt(ay));
    picture.LineTo(TruncToInt(bx), TruncToInt(by));
    penAtPrevious = near;
  }
}

// One pixel per dot; a dot on the pixel of the one before is left out, so that XOR
// drawing does not take it away again.
void DrawDots(PlotPicture& picture, const View2D& v, const std::vector<CurveSample>& samples,
              Colour colour, bool xorDrawing) {
  std::optional<std::array<int, 2>> last;
  for (const CurveSample& s : samples) {
    if (!s.valid) continue;
    const std::array<int, 2> p{v.PixelX(s.x), v.PixelY(s.y)};
    if (last == p) continue;
    last = p;
    if (xorDrawing) {
      picture.XorPixel(p[0], p[1], colour);
    } else {
      picture.SetPixel(p[0], p[1], colour);
    }
  }
}

void Finish(Plot2DContext& ctx, const std::vector<CurveSample>& samples) {
  ctx.progress.SetPosition(ctx.progress.Maximum() - 1);
  if (samples.back().valid) ctx.status.SetStatus(kBuildOkText);
}

}  // namespace

bool BuildParameterCurve(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  const auto samples = Sample(ctx, index, entry, true);
  if (!samples) return false;
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  const Colour colour =
      DrawingColour(entry.Color, xorDrawing, ctx.document.Appearance.BackgroundColor);
  ctx.picture.SetPen(Pen{colour, Solid, 1, xorDrawing ? PenMode::Xor : PenMode::Copy});
  DrawJoined(ctx.picture, ctx.view, *samples);
  ctx.picture.SetPen(Pen{colour, Solid, 1, PenMode::Copy});
  Finish(ctx, *samples);
  return true;
}

bool BuildParameterDots(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  const auto samples = Sample(ctx, index, entry, false);
  if (!samples) return false;
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  const Colour colour =
      DrawingColour(entry.Color, xorDrawing, ctx.document.Appearance.BackgroundColor);
  DrawDots(ctx.picture, ctx.view, *samples, colour, xorDrawing);
  Finish(ctx, *samples);
  return true;
}

}  // namespace lw
