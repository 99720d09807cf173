// The builders of relations f(x, y) compared with 0: the filled region and the contour.
#include <cmath>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "BuilderCommon.h"
#include "Builders2D.h"

namespace lw {
namespace {

// Walks every pixel of the clipped rectangle, setting the pixels whose value passes.
template <class Test>
void FillWhere(Plot2DContext& ctx, Colour colour, bool xorDrawing, Test passes) {
  FormulaParser& parser = ctx.explicitParser;
  const View2D& v = ctx.view;
  PlotPicture& picture = ctx.picture;
  const PixelWalk walk = WalkOf(v);
  double x = v.XStart;
  ColumnBatch batch;
  if (!(x <= v.XEnd) || !batch.Allocate(v, walk.Rows)) return;
  int px = walk.Px0;
  do {
    batch.Evaluate(parser, v, x);
    int py = walk.Py0;
    for (int r = 0; r < walk.Rows; ++r, --py) {
      if (!batch.HasValue(r) || !passes(batch.Value(r))) continue;
      if (xorDrawing) {
        picture.XorPixel(px, py, colour);
      } else {
        picture.SetPixel(px, py, colour);
      }
    }
    ctx.progress.SetPosition(ctx.progress.Position() + 1);
    ++px;
  } while (NextSample(x, v.XEnd, v.PixelStepX));
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
// unless this is the first column.
void ContourColumn(Plot2DContext& ctx, const PixelWalk& walk, double x, ColumnBatch& batch,
                   SampleColumn& col, const SampleColumn* prev, int px, Colour colour,
                   bool xorDrawing) {
  batch.Evaluate(ctx.poleParser, ctx.view, x);
  col.side[0] = NoValue;
  int py = walk.Py0;
  for (int r = 0; r < walk.Rows; ++r, --py) {
    const auto at = static_cast<std::size_t>(r) + 1;
    if (!batch.HasValue(r)) {
      col.side[at] = NoValue;
      continue;
    }
    const double value = batch.Value(r);
    col.value[at] = value;
    col.side[at] = SideOf(value);
    col.pair[at] = batch.Divisions(r);
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
  ctx.progress.SetPosition(ctx.progress.Position() + 1);
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
  switch (entry.Relation) {
    case Equal:
      FillWhere(ctx, colour, xorDrawing, [t](double v) { return std::fabs(v) < t; });
      break;
    case Greater:
      FillWhere(ctx, colour, xorDrawing, [t](double v) { return v + t > 0; });
      break;
    case Less:
      FillWhere(ctx, colour, xorDrawing, [t](double v) { return v - t < 0; });
      break;
    case GreaterOrEqual:
      FillWhere(ctx, colour, xorDrawing, [t](double v) { return v + t >= 0; });
      break;
    case LessOrEqual:
      FillWhere(ctx, colour, xorDrawing, [t](double v) { return v - t <= 0; });
      break;
    default:
      FillWhere(ctx, colour, xorDrawing, [](double) { return false; });
      break;
  }
  compiled.Finish();
}

void BuildRelationContour(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  const View2D& v = ctx.view;
  const PixelWalk walk = WalkOf(v);
  // One position per row plus the sentinel, with spare room; never less than the walk
  // needs, even when the Y interval lies outside the view and the estimate is negative.
  const double estimate = std::trunc((v.YEnd - v.YStart) * v.ScaleY) + 7;
  std::size_t size = static_cast<std::size_t>(walk.Rows) + 2;
  if (estimate > static_cast<double>(size) && estimate < 1e7) {
    size = static_cast<std::size_t>(estimate);
  }
  SampleColumn a, b;
  ColumnBatch batch;
  if (!a.Allocate(size) || !b.Allocate(size) || !batch.Allocate(v, walk.Rows)) return;
  CompiledEntry compiled(ctx.poleParser, ctx.document.Graphs2D.Text(index), v, ctx.status);
  if (!compiled.Usable()) return;
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  const Colour colour =
      DrawingColour(entry.Color, xorDrawing, ctx.document.Appearance.BackgroundColor);
  SampleColumn* prev = &a;
  SampleColumn* cur = &b;
  double x = v.XStart;
  ContourColumn(ctx, walk, x, batch, *prev, nullptr, 0, colour, xorDrawing);
  int px = walk.Px0;
  while (NextSample(x, v.XEnd, v.PixelStepX)) {
    ContourColumn(ctx, walk, x, batch, *cur, prev, px, colour, xorDrawing);
    std::swap(prev, cur);
    ++px;
  }
  compiled.Finish();
}

}  // namespace lw
