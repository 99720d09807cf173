// The builders of explicit functions y = f(x), and the choice of builder per entry.
#include <algorithm>
#include <cstdint>

#include "plot2d/BuilderCommon.h"
#include "plot2d/Builders2D.h"

namespace lw {
namespace {

// The function builders move the progress bar only once, at their end.
void ProgressNearlyDone(ProgressSink& progress) {
  progress.SetPosition(progress.Maximum() - 1);
}

}  // namespace

Builder2D BuilderFor(const PlotP& entry) {
  switch (entry.Kind) {
    case Function:
      return entry.Interpolated ? Builder2D::FunctionCurve : Builder2D::FunctionPoints;
    case Relation:
      return entry.Interpolated ? Builder2D::RelationContour : Builder2D::RelationRegion;
    case ColorGamma:
      return Builder2D::ColorGamma;
    case ParametricCurve:
    case PolarCurve:
      return entry.Interpolated ? Builder2D::ParameterCurve : Builder2D::ParameterDots;
    default:
      return Builder2D::None;
  }
}

namespace {

// A field of pixels becomes one layer of the record: the pixels of the graph's colour
// in the walk's rectangle (with a pixel to spare around it), or, for colour maps and
// XOR drawing, all the pixels there.
void RecordField(Plot2DContext& ctx, Builder2D builder, const PlotP& entry) {
  const View2D& v = ctx.view;
  const PixelWalk walk = WalkOf(v);
  const int columns = std::max(CountSamples(v.XStart, v.XEnd, v.PixelStepX), 1);
  const int left = walk.Px0 - 1, right = walk.Px0 + columns + 1;
  const int top = walk.Py0 - walk.Rows, bottom = walk.Py0 + 2;
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  if (builder == Builder2D::ColorGamma || xorDrawing) {
    ctx.picture.RecordField(left, top, right, bottom);
  } else {
    ctx.picture.RecordColourField(
        left, top, right, bottom,
        DrawingColour(entry.Color, false, ctx.document.Appearance.BackgroundColor));
  }
}

}  // namespace

// Curves, dots and text record themselves as shapes; fields of pixels and XOR drawing
// are recorded here, once the builder is done, as layers of pixels.
void BuildEntry2D(Plot2DContext& ctx, std::size_t index) {
  const PlotP& entry = ctx.document.Graphs2D.At(index);
  const Builder2D builder = BuilderFor(entry);
  if (!RunBuilder(ctx, index, builder)) return;
  if (builder == Builder2D::RelationRegion || builder == Builder2D::RelationContour ||
      builder == Builder2D::ColorGamma) {
    RecordField(ctx, builder, entry);
  } else if (ctx.document.Params.XorDrawing) {
    ctx.picture.EndPixelLayer();
  }
}

bool RunBuilder(Plot2DContext& ctx, std::size_t index, Builder2D builder) {
  const PlotP& entry = ctx.document.Graphs2D.At(index);
  switch (builder) {
    case Builder2D::FunctionPoints:
      return BuildFunctionPoints(ctx, index, entry);
    case Builder2D::FunctionCurve:
      return BuildFunctionCurve(ctx, index, entry);
    case Builder2D::RelationRegion:
      return BuildRelationRegion(ctx, index, entry);
    case Builder2D::RelationContour:
      return BuildRelationContour(ctx, index, entry);
    case Builder2D::ColorGamma:
      return BuildColorGamma(ctx, index, entry);
    case Builder2D::ParameterCurve:
      return BuildParameterCurve(ctx, index, entry);
    case Builder2D::ParameterDots:
      return BuildParameterDots(ctx, index, entry);
    case Builder2D::None:
      break;
  }
  return false;
}

bool BuildFunctionPoints(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  FormulaParser& parser = ctx.explicitParser;
  const View2D& v = ctx.view;
  CompiledEntry compiled(parser, ctx.document.Graphs2D.Text(index), v, ctx.status);
  if (!compiled.Usable()) return false;
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  const Colour colour =
      DrawingColour(entry.Color, xorDrawing, ctx.document.Appearance.BackgroundColor);
  double& xSlot = parser.VariableSlot(v.VarX);
  double x = v.XStart;
  if (x <= v.XEnd) {
    do {
      xSlot = x;
      const double y = parser.EvaluateCompiled();
      if (parser.HasError() || !(v.YStart <= y && y <= v.YEnd)) continue;
      if (xorDrawing) {
        ctx.picture.XorDot(v.PixelX(x), v.PixelY(y), colour);
      } else {
        ctx.picture.Dot(v.PixelX(x), v.PixelY(y), colour);
      }
    } while (NextSample(x, v.XEnd, v.PixelStepX));
  }
  ProgressNearlyDone(ctx.progress);
  compiled.Finish();
  return true;
}

// Curves are drawn with a solid one-pixel pen whatever the axes or grid left in the
// picture's pen, so a graph never inherits their dash pattern or width.
bool BuildFunctionCurve(Plot2DContext& ctx, std::size_t index, const PlotP& entry) {
  DivisionTrackingParser& parser = ctx.poleParser;
  const View2D& v = ctx.view;
  PlotPicture& picture = ctx.picture;
  CompiledEntry compiled(parser, ctx.document.Graphs2D.Text(index), v, ctx.status);
  if (!compiled.Usable()) return false;
  const bool xorDrawing = ctx.document.Params.XorDrawing;
  const Colour colour =
      DrawingColour(entry.Color, xorDrawing, ctx.document.Appearance.BackgroundColor);
  picture.SetPen(Pen{colour, Solid, 1, xorDrawing ? PenMode::Xor : PenMode::Copy});
  const int topRow = TruncToInt(v.OriginY - v.YEnd * v.ScaleY);
  const int bottomRow = TruncToInt(v.OriginY - v.YStart * v.ScaleY);
  double& xSlot = parser.VariableSlot(v.VarX);
  bool penUp = true;
  bool first = true;
  double prevY = 0;
  std::uint32_t prevPair = 0;
  double x = v.XStart;
  if (x <= v.XEnd) {
    do {
      xSlot = x;
      const double y = parser.EvaluateCompiled();
      const std::uint32_t pair = DivisionPair(parser);
      const int px = v.PixelX(x);
      if (penUp) {
        penUp = false;
        picture.MoveTo(px, v.PixelY(y));
        prevY = y;
      }
      if (parser.HasError() || (!first && pair != prevPair)) {
        penUp = true;  // no value, or a pole between the samples: start a new piece
      } else if (y > v.YEnd && prevY > v.YEnd) {
        picture.MoveTo(px, topRow);  // above the top edge: slide along it
      } else if (y < v.YStart && prevY < v.YStart) {
        picture.MoveTo(px, bottomRow);
      } else {
        picture.LineTo(px, v.PixelY(y));
      }
      prevY = y;
      prevPair = pair;
      first = false;
    } while (NextSample(x, v.XEnd, v.PixelStepX));
  }
  picture.SetPen(Pen{colour, Solid, 1, PenMode::Copy});
  ProgressNearlyDone(ctx.progress);
  compiled.Finish();
  return true;
}

}  // namespace lw
