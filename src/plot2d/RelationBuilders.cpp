// The builders of relations f(x, y) compared with 0: the filled region and the contour.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "plot2d/BuilderCommon.h"
#include "plot2d/Builders2D.h"
#include "plot2d/ColumnSweep.h"

namespace lw {
namespace {

// Walks every pixel of the clipped rectangle, setting the pixels whose value passes.
// Returns whether the walk's last sample had no value.
template <class Test>
bool FillWhere(Plot2DContext& ctx, const CompiledEntry& compiled, Colour colour, bool xorDrawing,
               Test passes) {
  PlotPicture& picture = ctx.picture;
  ColumnSweep<FormulaParser> sweep(ctx, ctx.explicitParser, compiled);
  const PixelWalk& walk = sweep.Walk();
  return sweep.RunColumns([&](FormulaParser& parser, ColumnBlock& block, int c) {
    const int px = walk.Px0 + c;
    sweep.Sample(parser, block, c, [&](int r, double value, bool hasValue, std::uint32_t) {
      if (!hasValue || !passes(value)) return;
      if (xorDrawing) {
        picture.XorPixel(px, walk.Py0 - r, colour);
      } else {
        picture.SetPixel(px, walk.Py0 - r, colour);
      }
    });
  });
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
struct ContourSamples {
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
inline bool CellCrosses(const ContourSamples& prev, const ContourSamples& col, std::size_t at) {
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

using ContourSweep = ColumnSweep<DivisionTrackingParser>;

// Samples column c into col; draws the cells between it and prev into pixel column px
// unless there is no previous column.
void ContourColumn(Plot2DContext& ctx, const ContourSweep& sweep, DivisionTrackingParser& parser,
                   ColumnBlock& block, int c, ContourSamples& col, const ContourSamples* prev,
                   int px, Colour colour, bool xorDrawing) {
  const int py0 = sweep.Walk().Py0;
  col.side[0] = NoValue;
  sweep.Sample(parser, block, c, [&](int r, double value, bool hasValue, std::uint32_t pair) {
    const auto at = static_cast<std::size_t>(r) + 1;
    if (!hasValue) {
      col.side[at] = NoValue;
      return;
    }
    col.value[at] = value;
    col.side[at] = SideOf(value);
    col.pair[at] = pair;
    // A crossed cell has values at all four corners; it is drawn unless a pole may lie
    // in it (the divisions differ between its corners).
    if (prev == nullptr || !CellCrosses(*prev, col, at)) return;
    const std::size_t below = at - 1;
    if (prev->pair[below] != pair || prev->pair[at] != pair || col.pair[below] != pair) return;
    if (xorDrawing) {
      ctx.picture.XorPixel(px, py0 - r, colour);
    } else {
      ctx.picture.SetPixel(px, py0 - r, colour);
    }
  });
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
bool ContourBand(Plot2DContext& ctx, const ContourSweep& sweep, DivisionTrackingParser& parser,
                 ColumnBlock& block, std::size_t size, int first, int last, Colour colour,
                 bool xorDrawing) {
  ContourSamples a, b;
  if (!a.Allocate(size) || !b.Allocate(size)) return false;
  ContourSamples* prev = &a;
  ContourSamples* cur = &b;
  ContourColumn(ctx, sweep, parser, block, std::max(first - 1, 0), *prev, nullptr, 0, colour,
                xorDrawing);
  if (first == 0) ctx.progress.Advance(1);
  const int px0 = sweep.Walk().Px0;
  ColumnBatches batches(ctx, px0 + std::max(first, 1) - 1);
  for (int c = std::max(first, 1); c < last && !Stopped(ctx.work); ++c) {
    ContourColumn(ctx, sweep, parser, block, c, *cur, prev, px0 + c - 1, colour, xorDrawing);
    ctx.progress.Advance(1);
    batches.FinishedUpTo(px0 + c);
    std::swap(prev, cur);
  }
  return true;
}

}  // namespace

bool BuildRelationRegion(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  CompiledEntry compiled(ctx.explicitParser, ctx.document.Graphs2D.Text(index), ctx.view,
                         ctx.status);
  if (!compiled.Usable()) return false;
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
  return true;
}

bool BuildRelationContour(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  const View2D& v = ctx.view;
  const std::size_t size = ContourColumnSize(v, WalkOf(v));
  {
    // Draw nothing for this entry when even one band's arrays cannot be had.
    ContourSamples a, b;
    if (!a.Allocate(size) || !b.Allocate(size)) return false;
  }
  CompiledEntry compiled(ctx.poleParser, ctx.document.Graphs2D.Text(index), v, ctx.status);
  if (!compiled.Usable()) return false;
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  const Colour colour =
      DrawingColour(entry.Color, xorDrawing, ctx.document.Appearance.BackgroundColor);
  // The first column is sampled even when the interval is empty, as its samples
  // decide the status.
  ContourSweep sweep(ctx, ctx.poleParser, compiled, true);
  // Bands of several columns, as each repeats the column before it.
  const int workers = sweep.Slots();
  const int grain = workers > 1 ? std::max(16, sweep.Columns() / (8 * workers)) : 0;
  const bool lastHadError = sweep.RunBands(
      grain, [&](DivisionTrackingParser& parser, ColumnBlock& block, int first, int last) {
        return ContourBand(ctx, sweep, parser, block, size, first, last, colour, xorDrawing);
      });
  compiled.Finish(lastHadError || Stopped(ctx.work));
  return true;
}

}  // namespace lw
