#include "scene3d/ParametricSurface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>

#include "document/Document.h"
#include "document/Feedback.h"
#include "document/FormulaSet.h"
#include "document/ParallelLoop.h"
#include "document/ParametricText.h"
#include "formula/FormulaParser.h"
#include "scene3d/PointCursor.h"

namespace lw {
namespace {

// Points of a row evaluated per call of the engine's batch path.
constexpr std::size_t kRowBlock = 256;

// The four bounds U0, U1, V0, V1, each a constant formula of the 3D constants; the
// message of the first that has no value.
std::optional<std::string> EvaluateBounds(FormulaParser& parser,
                                          const std::vector<std::string>& parts,
                                          std::array<double, 4>& bounds) {
  for (std::size_t k = 0; k < bounds.size(); ++k) {
    std::string text = parts[3 + k];
    bounds[k] = parser.EvaluateNormalized(text);
    if (parser.HasError()) return std::string(FormulaErrorMessages[parser.ErrorCode()]);
    if (!std::isfinite(bounds[k])) return std::string(FormulaErrorMessages[Overflow]);
  }
  return std::nullopt;
}

// Samples every row of V into the object's points, in parallel over rows; returns
// whether the last point had no value in some coordinate. A stopped build leaves the
// object empty.
bool SampleRows(Build3DContext& context, FormulaSet<FormulaParser>& formulas,
                const std::vector<double>& us, const std::vector<double>& vs, G3dObject& object) {
  const int threads = formulas.Threads(context.work);
  formulas.MakeWorkers(threads);
  const std::size_t n = us.size();
  object.points.GrowUninitialised(vs.size() * n);
  const int rows = static_cast<int>(vs.size());
  bool lastFailed = false;
  ForEachPiece(context.work, threads, rows, 0, [&](int first, int last, int slot) {
    std::array<std::array<double, kRowBlock>, 3> values;
    std::array<std::array<std::uint8_t, kRowBlock>, 3> codes;
    for (int r = first; r < last && !Stopped(context.work); ++r) {
      const double held = vs[static_cast<std::size_t>(r)];
      PointCursor cursor(object.points, static_cast<std::size_t>(r) * n);
      bool failed = false;
      for (std::size_t j = 0; j < n; j += kRowBlock) {
        const std::size_t count = std::min(kRowBlock, n - j);
        const FormulaParser::BatchInput inputs[] = {
            {SurfaceParameterV, std::span(&held, 1)},
            {SurfaceParameterU, std::span(us).subspan(j, count)}};
        for (std::size_t c = 0; c < 3; ++c) {
          formulas.Worker(c, slot).EvaluateBatch(inputs, {values[c].data(), codes[c].data()});
        }
        for (std::size_t i = 0; i < count; ++i) {
          std::array<float, 3> point{};
          failed = false;
          for (std::size_t c = 0; c < 3; ++c) {
            // No value here: that coordinate lies on its plane, as in the other forms.
            const bool has = codes[c][i] == NoFormulaError;
            point[c] = has ? static_cast<float>(values[c][i]) : 0.0f;
            failed = failed || !has;
          }
          cursor.Place(point);
        }
      }
      if (r == rows - 1) lastFailed = failed;
      context.progress.Advance(1);
    }
  });
  if (Stopped(context.work)) ClearObject(object);
  return lastFailed;
}

}  // namespace

std::optional<std::vector<double>> ParameterSamples(double start, double end, double step,
                                                    std::size_t limit) {
  if (!(step > 0) || !std::isfinite(start) || !std::isfinite(end)) return std::nullopt;
  const double steps = std::ceil(std::fabs(end - start) / step);
  if (!(steps < static_cast<double>(limit))) return std::nullopt;
  const auto n = static_cast<std::size_t>(steps);
  std::vector<double> samples(n + 1);
  for (std::size_t i = 0; i <= n; ++i) {
    samples[i] = n == 0 ? start : std::lerp(start, end, static_cast<double>(i) / n);
  }
  return samples;
}

void BuildParametricSurface(Build3DContext& context, std::size_t entryIndex, const PlotP3d& entry,
                            std::size_t objectIndex) {
  const Params3D& p = context.params;
  const auto parts = SplitParts(context.document.Graphs3D.Text(entryIndex), ParametricSurfaceParts);
  if (!parts) {
    context.status.SetStatus(PartsMessage(ParametricSurfaceParts));
    return;
  }
  std::array<double, 4> bounds{};
  if (auto message = EvaluateBounds(context.surfaceParser, *parts, bounds)) {
    context.status.SetStatus(*message);
    return;
  }
  FormulaSet<FormulaParser> formulas(context.surfaceParser,
                                     {(*parts)[0], (*parts)[1], (*parts)[2]});
  if (const auto error =
          formulas.Trial(SurfaceParameterU, bounds[0], SurfaceParameterV, bounds[2])) {
    context.status.SetStatus(std::string(FormulaErrorMessages[*error]));
    return;
  }
  const auto us = ParameterSamples(bounds[0], bounds[1], p.StepX);
  const auto vs = ParameterSamples(bounds[2], bounds[3], p.StepY);
  if (!us || !vs || us->size() * vs->size() > MaxGridPoints) {
    // The axis at fault, or the denser one when only the whole grid is too large.
    const int axis = !us ? 0 : !vs ? 1 : us->size() >= vs->size() ? 0 : 1;
    context.status.SetStatus(std::string(StepMessage(axis)));
    return;
  }
  G3dObject& object = *context.block.objects[objectIndex];
  ClearObject(object);
  SetColour(object, static_cast<std::uint8_t>(entry.Color),
            static_cast<std::uint8_t>(entry.Color >> 8),
            static_cast<std::uint8_t>(entry.Color >> 16));
  const bool lastFailed = SampleRows(context, formulas, *us, *vs, object);
  if (Stopped(context.work)) return;  // the caller drops the unfinished object
  object.triangles.SetGrid(GridShape{static_cast<std::uint32_t>(vs->size()),
                                     static_cast<std::uint32_t>(us->size()), object.r, object.g,
                                     object.b});
  if (vs->size() > 1) context.progress.Advance(static_cast<int>(vs->size() - 1));
  if (!lastFailed) context.status.SetStatus("Окей");
}

}  // namespace lw
