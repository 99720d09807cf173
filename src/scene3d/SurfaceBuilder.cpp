#include "scene3d/SurfaceBuilder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <span>
#include <string_view>
#include <vector>

#include "document/Document.h"
#include "document/Feedback.h"
#include "document/ParallelLoop.h"
#include "document/WorkerParsers.h"
#include "formula/FormulaParser.h"
#include "scene3d/ParametricSurface.h"
#include "scene3d/PointCursor.h"

namespace lw {
namespace {

// The X message ends in the Cyrillic capital letter.
constexpr std::array<std::string_view, 3> kStepMessages{
    "Помилка вводу кроку вісі Х", "Помилка вводу кроку вісі Y", "Помилка вводу кроку вісі Z"};

struct GridAxis {
  float start, end, step;
  char variable;
  int coordinate;  // 0 x, 1 y, 2 z
};

struct SurfaceGrid {
  GridAxis outer, inner;
  int computed;  // the coordinate that receives F
};

// Forms other than 1, 2 and 3 are built as form 0.
SurfaceGrid GridOf(const Params3D& p, std::uint32_t form) {
  const GridAxis x{p.XStart3D, p.XEnd3D, p.StepX, p.VarX3D, 0};
  const GridAxis y{p.YStart3D, p.YEnd3D, p.StepY, p.VarY3D, 1};
  const GridAxis z{p.ZStart3D, p.ZEnd3D, p.StepZ, p.VarZ3D, 2};
  switch (form & 0xFF) {
    case YOfXZ:
      return {x, z, 1};
    case XOfYZ:
      return {z, y, 0};
    default:
      return {y, x, 2};
  }
}

// Points of a grid row evaluated per call of the engine's batch path.
constexpr std::size_t kRowBlock = 256;

// The points row by row; returns whether the last sample had no value. Rows are
// independent, so with several threads they are computed in parallel, each worker on
// its own copy of the engine, and each row's points are put straight at their final
// places in the object. A stopped build leaves the object empty.
bool SamplePoints(Build3DContext& context, const std::string& normalized, const SurfaceGrid& grid,
                  const std::vector<float>& outer, const std::vector<float>& inner,
                  G3dObject& object) {
  FormulaParser& source = context.surfaceParser;
  WorkerParsers<FormulaParser> engines(source, normalized, ThreadsFor(context.work, source));
  const std::size_t n = inner.size();
  const std::size_t base = object.points.size();
  object.points.GrowUninitialised(outer.size() * n);
  bool lastFailed = source.HasError();
  const int rows = static_cast<int>(outer.size());
  const auto outerAt = static_cast<std::size_t>(grid.outer.coordinate);
  const auto innerAt = static_cast<std::size_t>(grid.inner.coordinate);
  const auto computedAt = static_cast<std::size_t>(grid.computed);
  // Each row is evaluated a block of points per call: the outer variable held, the
  // inner one running along the row (set in that order, as the points set them).
  const std::vector<double> along(inner.begin(), inner.end());
  ForEachPiece(context.work, engines.Slots(), rows, 0, [&](int first, int last, int slot) {
    FormulaParser& parser = engines[slot];
    std::array<double, kRowBlock> results;
    std::array<std::uint8_t, kRowBlock> codes;
    for (int r = first; r < last && !Stopped(context.work); ++r) {
      const double held = outer[static_cast<std::size_t>(r)];
      PointCursor cursor(object.points, base + static_cast<std::size_t>(r) * n);
      std::array<float, 3> c{};
      c[outerAt] = outer[static_cast<std::size_t>(r)];
      for (std::size_t j = 0; j < n; j += kRowBlock) {
        const std::size_t count = std::min(kRowBlock, n - j);
        const FormulaParser::BatchInput inputs[] = {
            {grid.outer.variable, std::span(&held, 1)},
            {grid.inner.variable, std::span(along).subspan(j, count)}};
        parser.EvaluateBatch(inputs, {results.data(), codes.data()});
        for (std::size_t i = 0; i < count; ++i) {
          c[innerAt] = inner[j + i];
          // No value here: the point lies on the plane.
          c[computedAt] = codes[i] == NoFormulaError ? static_cast<float>(results[i]) : 0.0f;
          cursor.Place(c);
        }
      }
      if (r == rows - 1 && n > 0) lastFailed = parser.HasError();
      context.progress.Advance(1);
    }
  });
  if (Stopped(context.work)) ClearObject(object);
  return lastFailed;
}

// Two triangles per cell, (k, k+n, k+n+1) and (k, k+n+1, k+1), row by row: the
// object takes them as a grid, which works out each triangle, its corners' colour
// and its flat normal from the points whenever they are read.
void Triangulate(ProgressSink& progress, std::size_t rows, std::size_t n, G3dObject& object) {
  object.triangles.SetGrid(GridShape{static_cast<std::uint32_t>(rows),
                                     static_cast<std::uint32_t>(n), object.r, object.g, object.b});
  if (rows > 1) progress.Advance(static_cast<int>(rows - 1));
}

constexpr std::array<char, 3> kAxisNames{'X', 'Y', 'Z'};

// Why the grid cannot be sampled, with the axis at fault; nothing when it can.
std::optional<GridRefusal> RefusalOf(const SurfaceGrid& grid) {
  const GridAxis* axes[] = {&grid.outer, &grid.inner};
  std::array<std::size_t, 2> counts{};
  for (std::size_t k = 0; k < 2; ++k) {
    const GridAxis& a = *axes[k];
    const std::optional<std::size_t> count = AxisSampleCount(a.start, a.end, a.step);
    const char name = kAxisNames[static_cast<std::size_t>(a.coordinate)];
    if (!count) {
      return GridRefusal{a.coordinate, std::string("the step along ") + name +
                                           " is too small to move the running sum"};
    }
    if (*count > MaxGridPoints) {
      return GridRefusal{a.coordinate, "more than " + std::to_string(MaxGridPoints) +
                                           " grid points along " + name};
    }
    counts[k] = *count;
  }
  if (counts[0] * counts[1] <= MaxGridPoints) return std::nullopt;
  const int denser = counts[0] >= counts[1] ? grid.outer.coordinate : grid.inner.coordinate;
  return GridRefusal{denser, std::to_string(counts[0]) + " x " + std::to_string(counts[1]) +
                                 " grid points, more than " + std::to_string(MaxGridPoints) +
                                 " (too many along " +
                                 kAxisNames[static_cast<std::size_t>(denser)] + ")"};
}

struct Stroke {
  std::array<std::array<float, 3>, 3> corners;
};

// "a - d" computed in double and stored as a float.
float Minus(float a, double d) {
  return static_cast<float>(static_cast<double>(a) - d);
}

// Strokes 1..9 draw the axes and their arrows, 10..20 the letters and unit marks.
std::array<Stroke, 20> AxesStrokes(const Params3D& p) {
  const float xs = p.XStart3D, xe = p.XEnd3D, ys = p.YStart3D, ye = p.YEnd3D;
  const float zs = p.ZStart3D, ze = p.ZEnd3D;
  const float a = 0.2f, b = 0.4f, c = 0.6f, d = 0.8f;
  return {{
      {{{{xs, 0, 0}, {xs, 0, 0}, {xe, 0, 0}}}},
      {{{{xe, 0, 0}, {Minus(xe, 0.5), -a, 0}, {xe, 0, 0}}}},
      {{{{xe, 0, 0}, {Minus(xe, 0.5), a, 0}, {xe, 0, 0}}}},
      {{{{0, ys, 0}, {0, ys, 0}, {0, ye, 0}}}},
      {{{{0, ye, 0}, {0, Minus(ye, 0.5), -a}, {0, ye, 0}}}},
      {{{{0, ye, 0}, {0, Minus(ye, 0.5), a}, {0, ye, 0}}}},
      {{{{0, 0, zs}, {0, 0, zs}, {0, 0, ze}}}},
      {{{{0, 0, ze}, {-a, 0, Minus(ze, 0.5)}, {0, 0, ze}}}},
      {{{{0, 0, ze}, {a, 0, Minus(ze, 0.5)}, {0, 0, ze}}}},
      {{{{xe, b, 0}, {xe, b, 0}, {Minus(xe, 0.2), d, 0}}}},
      {{{{Minus(xe, 0.2), b, 0}, {Minus(xe, 0.2), b, 0}, {xe, d, 0}}}},
      {{{{0, ye, -b}, {0, ye, -b}, {0, Minus(ye, 0.1), -c}}}},
      {{{{0, Minus(ye, 0.2), -b}, {0, Minus(ye, 0.2), -b}, {0, Minus(ye, 0.1), -c}}}},
      {{{{0, Minus(ye, 0.1), -d}, {0, Minus(ye, 0.1), -d}, {0, Minus(ye, 0.1), -c}}}},
      {{{{b, 0, Minus(ze, 0.2)}, {b, 0, ze}, {b, 0, ze}}}},
      {{{{b, 0, ze}, {b, 0, ze}, {d, 0, Minus(ze, 0.2)}}}},
      {{{{d, 0, Minus(ze, 0.2)}, {d, 0, Minus(ze, 0.2)}, {d, 0, ze}}}},
      {{{{1, a, 0}, {1, -a, 0}, {1, -a, 0}}}},
      {{{{0, 1, a}, {0, 1, -a}, {0, 1, -a}}}},
      {{{{a, 0, 1}, {-a, 0, 1}, {-a, 0, 1}}}},
  }};
}

void AddStrokes(G3dObject& object, const std::array<Stroke, 20>& strokes, std::size_t first,
                std::size_t last) {
  for (std::size_t s = first; s < last; ++s) {
    G3dTriangle& t = AppendTriangle(object);
    for (int k = 0; k < 3; ++k) {
      const auto& p = strokes[s].corners[static_cast<std::size_t>(k)];
      AddCorner(t, k, object, p[0], p[1], p[2]);
    }
  }
}

}  // namespace

std::optional<std::size_t> AxisSampleCount(float start, float end, float step, std::size_t limit) {
  std::size_t count = 0;
  for (float v = start; v <= end;) {
    if (count > limit) return count;
    ++count;
    const float next = v + step;
    if (next == v) return std::nullopt;  // the sum no longer moves: it would never end
    v = next;
  }
  return count;
}

std::optional<std::vector<float>> AxisSamples(float start, float end, float step,
                                              std::size_t limit) {
  const std::optional<std::size_t> count = AxisSampleCount(start, end, step, limit);
  if (!count || *count > limit) return std::nullopt;
  std::vector<float> samples(*count);
  float v = start;
  for (float& sample : samples) {
    sample = v;
    v += step;
  }
  return samples;
}

std::optional<GridRefusal> CheckGrids(const Params3D& params, const PlotList3D& graphs,
                                      std::span<const std::size_t> indices) {
  for (const std::size_t j : indices) {
    // A parametric surface's grid follows from its own text; its builder checks it.
    if ((graphs.At(j).Form & 0xFF) == ParametricSurface) continue;
    if (auto refusal = RefusalOf(GridOf(params, graphs.At(j).Form))) return refusal;
  }
  return std::nullopt;
}

std::string_view StepMessage(int axis) {
  return kStepMessages[static_cast<std::size_t>(axis)];
}

void BuildSurface(Build3DContext& context, std::size_t entryIndex, const PlotP3d& entry,
                  std::size_t objectIndex) {
  if ((entry.Form & 0xFF) == ParametricSurface) {
    BuildParametricSurface(context, entryIndex, entry, objectIndex);
    return;
  }
  FormulaParser& parser = context.surfaceParser;
  const Params3D& p = context.params;
  std::string text = context.document.Graphs3D.Text(entryIndex);
  for (const char letter : {p.VarX3D, p.VarY3D, p.VarZ3D}) {
    parser.SetVariable(std::string_view(&letter, 1), 0.0);
  }
  FormulaParser::Normalize(text);
  parser.Compile(text);
  parser.EvaluateCompiled();
  if (parser.HasError() && parser.ErrorCode() <= NotAnExpression) {
    context.status.SetStatus(std::string(FormulaErrorMessages[parser.ErrorCode()]));
    parser.ReleaseCompiled();
    return;
  }
  const SurfaceGrid grid = GridOf(p, entry.Form);
  if (const auto refusal = RefusalOf(grid)) {
    context.status.SetStatus(std::string(kStepMessages[static_cast<std::size_t>(refusal->axis)]));
    parser.ReleaseCompiled();
    return;
  }
  std::vector<float> outer = *AxisSamples(grid.outer.start, grid.outer.end, grid.outer.step);
  std::vector<float> inner = *AxisSamples(grid.inner.start, grid.inner.end, grid.inner.step);
  G3dObject& object = *context.block.objects[objectIndex];
  ClearObject(object);
  SetColour(object, static_cast<std::uint8_t>(entry.Color),
            static_cast<std::uint8_t>(entry.Color >> 8),
            static_cast<std::uint8_t>(entry.Color >> 16));
  const bool lastFailed = SamplePoints(context, text, grid, outer, inner, object);
  parser.ReleaseCompiled();
  if (Stopped(context.work)) return;  // the caller drops the unfinished object
  Triangulate(context.progress, outer.size(), inner.size(), object);
  if (!lastFailed) context.status.SetStatus("Окей");
}

void BuildAxes(Build3DContext& context) {
  if (context.block.objects.empty()) return;
  G3dObject& axes = *context.block.objects[0];
  ClearObject(axes);
  axes.visible = false;
  const AppearanceSettings& look = context.document.Appearance;
  if (!look.Axes3D && !look.AxisLetters3D) return;
  const Colour main = look.MainColour3D;
  SetColour(axes, static_cast<std::uint8_t>(main), static_cast<std::uint8_t>(main >> 8),
            static_cast<std::uint8_t>(main >> 16));
  axes.visible = true;
  const auto strokes = AxesStrokes(context.params);
  if (look.Axes3D) AddStrokes(axes, strokes, 0, 9);
  if (look.AxisLetters3D) AddStrokes(axes, strokes, 9, 20);
}

}  // namespace lw
