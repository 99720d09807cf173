// The builders of relations f(x, y) compared with 0: the filled region and the contour.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "BuilderCommon.h"
#include "Builders2D.h"
#include "ParallelLoop.h"
#include "WorkerParsers.h"

namespace lw {
namespace {

// Walks every pixel of the clipped rectangle, setting the pixels whose value passes.
// Columns are independent, so they are sampled in parallel, each worker on its own
// copy of the engine. Returns whether the walk's last sample had no value.
template <class Test>
bool FillWhere(Plot2DContext& ctx, const CompiledEntry& compiled, Colour colour, bool xorDrawing,
               Test passes) {
  const View2D& v = ctx.view;
  PlotPicture& picture = ctx.picture;
  const PixelWalk walk = WalkOf(v);
  const std::vector<double> xs = ColumnSamples(v);
  const int columns = static_cast<int>(xs.size());
  bool lastHadError = ctx.explicitParser.HasError();
  WorkerParsers<FormulaParser> engines(ctx.explicitParser, compiled.Normalized(),
                                       ThreadsFor(ctx.work, ctx.explicitParser));
  ForEachPiece(ctx.work, engines.Slots(), columns, 0, [&](int first, int last, int slot) {
    FormulaParser& parser = engines[slot];
    double& xSlot = parser.VariableSlot(v.VarX);
    double& ySlot = parser.VariableSlot(v.VarY);
    ColumnBatches batches(ctx, walk.Px0 + first);
    for (int c = first; c < last && !Stopped(ctx.work); ++c) {
      const double x = xs[static_cast<std::size_t>(c)];
      const int px = walk.Px0 + c;
      double y = v.YStart;
      int py = walk.Py0;
      for (int r = 0; r < walk.Rows; ++r, --py, y += v.PixelStepY) {
        xSlot = x;
        ySlot = y;
        const double value = parser.EvaluateCompiled();
        if (parser.HasError() || !passes(value)) continue;
        if (xorDrawing) {
          picture.XorPixel(px, py, colour);
        } else {
          picture.SetPixel(px, py, colour);
        }
      }
      if (c == columns - 1) lastHadError = parser.HasError();
      ctx.progress.Advance(1);
      batches.FinishedUpTo(px + 1);
    }
  });
  return lastHadError;
}

// A sign change or a zero along an edge; tested by signs, not by the product, which
// would underflow to 0 for two tiny values of the same sign.
inline bool Crosses(double a, double b) {
  return (a <= 0 && b >= 0) || (a >= 0 && b <= 0);
}

// The side of zero a sample lies on, as bits: a cell whose four corners share a bit
// lies wholly on one side, so no edge of it crosses; with a zero among them the
// corners share none. NaN has a bit of its own and sends the cell to the exact test.
// A sample without a value has every bit, so it never makes a cell look crossed, and
// its own bit keeps the cell from being drawn.
enum SideBits : std::uint8_t {
  OnZero = 0,
  Above = 1,
  Below = 2,
  Undefined = 4,
  NoValueBit = 8,
  NoValue = Above | Below | Undefined | NoValueBit,
};

inline std::uint8_t SideOf(double value) {
  if (value > 0) return Above;
  if (value < 0) return Below;
  return value == 0 ? OnZero : Undefined;
}

// One column of samples at positions r + 1; position 0 is a sentinel without value.
struct SampleColumn {
  std::vector<double> value;
  std::vector<std::uint8_t> side;
  std::vector<std::uint32_t> pair;  // divisions by positive (low) and negative (high) divisors

  bool Allocate(std::size_t size) {
    try {
      value.assign(size, 0.0);
      side.assign(size, NoValue);
      pair.assign(size, 0);
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
};

// Whether all four corners of the cell between rows at-1 and at of prev and col have
// values and some edge has a sign change or a zero, tested first by the corners'
// sides: most cells lie wholly on one side, and a shared side bit says so at once.
inline bool CellCrosses(const SampleColumn& prev, const SampleColumn& col, std::size_t at) {
  const std::size_t below = at - 1;
  const std::uint8_t p0 = prev.side[below], p1 = prev.side[at];
  const std::uint8_t c0 = col.side[below], c1 = col.side[at];
  if ((p0 & p1 & c0 & c1) != 0) return false;
  const std::uint8_t any = p0 | p1 | c0 | c1;
  if (any & NoValueBit) return false;
  if ((any & Undefined) == 0) return true;
  const double a = prev.value[below], b = prev.value[at];
  const double c = col.value[below], d = col.value[at];
  return Crosses(a, c) || Crosses(b, d) || Crosses(a, b) || Crosses(c, d);
}

// Samples one column into col; draws the cells between it and prev into pixel column px
// unless there is no previous column.
void ContourColumn(Plot2DContext& ctx, DivisionTrackingParser& parser, const PixelWalk& walk,
                   double x, SampleColumn& col, const SampleColumn* prev, int px, Colour colour,
                   bool xorDrawing) {
  const View2D& v = ctx.view;
  double& xSlot = parser.VariableSlot(v.VarX);
  double& ySlot = parser.VariableSlot(v.VarY);
  col.side[0] = NoValue;
  double y = v.YStart;
  int py = walk.Py0;
  for (int r = 0; r < walk.Rows; ++r, --py, y += v.PixelStepY) {
    xSlot = x;
    ySlot = y;
    const double value = parser.EvaluateCompiled();
    const auto at = static_cast<std::size_t>(r) + 1;
    if (parser.HasError()) {
      col.side[at] = NoValue;
      continue;
    }
    col.value[at] = value;
    col.side[at] = SideOf(value);
    col.pair[at] = DivisionPair(parser);
    // A crossed cell has values at all four corners; it is drawn unless a pole may lie
    // in it (the divisions differ between its corners).
    if (prev == nullptr || !CellCrosses(*prev, col, at)) continue;
    const std::size_t below = at - 1;
    const std::uint32_t same = col.pair[at];
    if (prev->pair[below] != same || prev->pair[at] != same || col.pair[below] != same) continue;
    if (xorDrawing) {
      ctx.picture.XorPixel(px, py, colour);
    } else {
      ctx.picture.SetPixel(px, py, colour);
    }
  }
}

// The rows a contour column needs: one position per row plus the sentinel, with spare
// room; never less than the walk needs, even when the Y interval lies outside the view
// and the estimate is negative.
std::size_t ContourColumnSize(const View2D& v, const PixelWalk& walk) {
  const double estimate = std::trunc((v.YEnd - v.YStart) * v.ScaleY) + 7;
  std::size_t size = static_cast<std::size_t>(walk.Rows) + 2;
  if (estimate > static_cast<double>(size) && estimate < 1e7) {
    size = static_cast<std::size_t>(estimate);
  }
  return size;
}

// Columns [first, last) of the contour walk: a band that starts after column 0 samples
// the column before it again (drawing nothing there), so bands need nothing from each
// other. Column c >= 1 draws into pixel column Px0 + c - 1. False when the band's
// column arrays could not be obtained.
bool ContourBand(Plot2DContext& ctx, DivisionTrackingParser& parser, const PixelWalk& walk,
                 const std::vector<double>& xs, std::size_t size, int first, int last,
                 Colour colour, bool xorDrawing) {
  SampleColumn a, b;
  if (!a.Allocate(size) || !b.Allocate(size)) return false;
  SampleColumn* prev = &a;
  SampleColumn* cur = &b;
  const auto x = [&xs](int c) { return xs[static_cast<std::size_t>(c)]; };
  if (first == 0) {
    ContourColumn(ctx, parser, walk, x(0), *prev, nullptr, 0, colour, xorDrawing);
    ctx.progress.Advance(1);
  } else {
    ContourColumn(ctx, parser, walk, x(first - 1), *prev, nullptr, 0, colour, xorDrawing);
  }
  ColumnBatches batches(ctx, walk.Px0 + std::max(first, 1) - 1);
  for (int c = std::max(first, 1); c < last && !Stopped(ctx.work); ++c) {
    ContourColumn(ctx, parser, walk, x(c), *cur, prev, walk.Px0 + c - 1, colour, xorDrawing);
    ctx.progress.Advance(1);
    batches.FinishedUpTo(walk.Px0 + c);
    std::swap(prev, cur);
  }
  return true;
}

}  // namespace

void BuildRelationRegion(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  CompiledEntry compiled(ctx.explicitParser, ctx.document.Graphs2D.Text(index), ctx.view,
                         ctx.status);
  if (!compiled.Usable()) return;
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  const Colour colour =
      DrawingColour(entry.Color, xorDrawing, ctx.document.Appearance.BackgroundColor);
  const double t = ctx.params.Proxima;
  bool lastHadError = false;
  switch (entry.Relation) {
    case Equal:
      lastHadError =
          FillWhere(ctx, compiled, colour, xorDrawing, [t](double v) { return std::fabs(v) < t; });
      break;
    case Greater:
      lastHadError =
          FillWhere(ctx, compiled, colour, xorDrawing, [t](double v) { return v + t > 0; });
      break;
    case Less:
      lastHadError =
          FillWhere(ctx, compiled, colour, xorDrawing, [t](double v) { return v - t < 0; });
      break;
    case GreaterOrEqual:
      lastHadError =
          FillWhere(ctx, compiled, colour, xorDrawing, [t](double v) { return v + t >= 0; });
      break;
    case LessOrEqual:
      lastHadError =
          FillWhere(ctx, compiled, colour, xorDrawing, [t](double v) { return v - t <= 0; });
      break;
    default:
      lastHadError = FillWhere(ctx, compiled, colour, xorDrawing, [](double) { return false; });
      break;
  }
  compiled.Finish(lastHadError || Stopped(ctx.work));
}

void BuildRelationContour(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  const View2D& v = ctx.view;
  const PixelWalk walk = WalkOf(v);
  const std::size_t size = ContourColumnSize(v, walk);
  {
    // Draw nothing for this entry when even one band's arrays cannot be had.
    SampleColumn a, b;
    if (!a.Allocate(size) || !b.Allocate(size)) return;
  }
  CompiledEntry compiled(ctx.poleParser, ctx.document.Graphs2D.Text(index), v, ctx.status);
  if (!compiled.Usable()) return;
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  const Colour colour =
      DrawingColour(entry.Color, xorDrawing, ctx.document.Appearance.BackgroundColor);
  std::vector<double> xs = ColumnSamples(v);
  // The first column is sampled even when the interval is empty, as its samples
  // decide the status.
  if (xs.empty()) xs.push_back(v.XStart);
  const int columns = static_cast<int>(xs.size());
  WorkerParsers<DivisionTrackingParser> engines(ctx.poleParser, compiled.Normalized(),
                                                ThreadsFor(ctx.work, ctx.poleParser));
  // Bands of several columns, as each repeats the column before it.
  const int grain = std::max(16, columns / (8 * engines.Slots()));
  bool lastHadError = ctx.poleParser.HasError();
  ForEachPiece(ctx.work, engines.Slots(), columns, engines.Slots() > 1 ? grain : 0,
               [&](int first, int last, int slot) {
                 DivisionTrackingParser& parser = engines[slot];
                 if (!ContourBand(ctx, parser, walk, xs, size, first, last, colour, xorDrawing))
                   return;
                 if (last == columns && !Stopped(ctx.work)) lastHadError = parser.HasError();
               });
  compiled.Finish(lastHadError || Stopped(ctx.work));
}

}  // namespace lw
