// The world-to-pixel mapping of the 2D plot area.
#pragma once

#include <cstdint>

#include "document/BuildParameters.h"
#include "plot2d/RasterMath.h"

namespace lw {

struct View2D {
  double ScaleX = 1, ScaleY = 1;          // pixels per world unit
  double XStart = 0, XEnd = 0;            // sampled X interval, clipped to what the view shows
  double YStart = 0, YEnd = 0;            // accepted Y interval, clipped likewise
  std::int32_t OriginX = 0, OriginY = 0;  // pixel of the world point (0, 0)
  double PixelStepX = 1, PixelStepY = 1;  // world size of one pixel column and row
  char VarX = 'X', VarY = 'Y';
  int Width = 0, Height = 0;  // the plot view W x H the mapping was made for

  int PixelX(double x) const { return TruncToInt(x * ScaleX + OriginX); }
  int PixelY(double y) const { return TruncToInt(-y * ScaleY + OriginY); }
  double WorldX(int px) const { return (px - static_cast<double>(OriginX)) / ScaleX; }
  double WorldY(int py) const { return (static_cast<double>(OriginY) - py) / ScaleY; }
};

// The mapping of validated parameters onto a view of width x height pixels:
// auto-scale, origin (centred or middle of the intervals) and clipping of both
// intervals to what the view shows.
View2D MapView2D(const Params2D& params, bool autoScale, bool centering, int width, int height);

// The number of pixel columns a builder walks: the build-progress maximum.
int ProgressMaximum(const View2D& view);

}  // namespace lw
