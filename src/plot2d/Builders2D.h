// The 2D graph builders: each draws one entry of the 2D list into the picture
// through the view that PrepareView2D has just made.
#pragma once

#include <cstddef>

#include "document/GraphLists.h"
#include "plot2d/Plot2DContext.h"

namespace lw {

// What a finished builder leaves in the status bar.
inline constexpr const char* kBuildOkText = "Окей";

enum class Builder2D {
  None,
  FunctionPoints,
  FunctionCurve,
  RelationRegion,
  RelationContour,
  ColorGamma,
  ParameterCurve,
  ParameterDots,
};

// The builder an entry gets by its kind and interpolation flag; a kind outside 0..4
// builds nothing.
Builder2D BuilderFor(const PlotP& entry);

// Each builder returns false when it drew nothing because the formula itself was wrong.
// y = f(x): one pixel per pixel column.
bool BuildFunctionPoints(Plot2DContext& ctx, std::size_t index, const PlotP& entry);
// y = f(x): samples joined by lines, broken where the formula has no value or a divisor
// changed sign between two samples.
bool BuildFunctionCurve(Plot2DContext& ctx, std::size_t index, const PlotP& entry);
// f(x, y) compared with 0, with the tolerance Proxima: every pixel that satisfies it.
bool BuildRelationRegion(Plot2DContext& ctx, std::size_t index, const PlotP& entry);
// f(x, y) = 0 as sign changes between neighbouring pixels, poles left out.
bool BuildRelationContour(Plot2DContext& ctx, std::size_t index, const PlotP& entry);
// f(x, y) as colours of the palette, one ramp step per Gradient.
bool BuildColorGamma(Plot2DContext& ctx, std::size_t index, const PlotP& entry);

// A curve of T (parametric FX;FY;T0;T1 or polar R;T0;T1): samples joined by lines,
// about a pixel apart, broken where a formula has no value or a divisor changed sign.
bool BuildParameterCurve(Plot2DContext& ctx, std::size_t index, const PlotP& entry);
// The same curve as one pixel per sample, at a fixed number of samples.
bool BuildParameterDots(Plot2DContext& ctx, std::size_t index, const PlotP& entry);

// Runs the builder of entry index of the document's 2D list, and records what it drew.
void BuildEntry2D(Plot2DContext& ctx, std::size_t index);
// Runs the given builder for entry index, as chosen by BuilderFor; false when it drew
// nothing because the formula was refused (or there is no builder).
bool RunBuilder(Plot2DContext& ctx, std::size_t index, Builder2D builder);

}  // namespace lw
