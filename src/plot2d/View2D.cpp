#include "plot2d/View2D.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lw {
namespace {

// The X interval keeps only what the view shows; which end is tested first depends on
// where the origin column lies.
void ClipX(View2D& v) {
  const double w = v.Width;
  const double origin = v.OriginX;
  if (v.OriginX <= 0) {
    if (v.XStart * v.ScaleX < -origin) v.XStart = -origin / v.ScaleX;
    if (w / v.ScaleX + v.XStart < v.XEnd) v.XEnd = w / v.ScaleX + v.XStart;
  } else if (v.OriginX < v.Width) {
    if (v.XStart * v.ScaleX < -origin) v.XStart = -origin / v.ScaleX;
    if (w - origin < v.XEnd * v.ScaleX) v.XEnd = (w - origin) / v.ScaleX;
  } else {
    if (w - origin < v.XEnd * v.ScaleX) v.XEnd = (w - origin) / v.ScaleX;
    if (v.XStart < v.XEnd - w / v.ScaleX) v.XStart = v.XEnd - w / v.ScaleX;
  }
}

void ClipY(View2D& v) {
  const double h = v.Height;
  const double origin = v.OriginY;
  if (v.OriginY <= 0) {
    if (origin < v.YEnd * v.ScaleY) v.YEnd = origin / v.ScaleY;
    if (v.YStart < v.YEnd - h / v.ScaleY) v.YStart = v.YEnd - h / v.ScaleY;
  } else if (v.OriginY < v.Height) {
    if (origin < v.YEnd * v.ScaleY) v.YEnd = origin / v.ScaleY;
    if (v.YStart * v.ScaleY < origin - h) v.YStart = (origin - h) / v.ScaleY;
  } else {
    if (v.YStart * v.ScaleY < origin - h) v.YStart = (origin - h) / v.ScaleY;
    if (h / v.ScaleY + v.YStart < v.YEnd) v.YEnd = h / v.ScaleY + v.YStart;
  }
}

}  // namespace

View2D MapView2D(const Params2D& params, bool autoScale, bool centering, int width, int height) {
  View2D v;
  v.Width = width;
  v.Height = height;
  v.ScaleX = params.ScaleX;
  v.ScaleY = params.ScaleY;
  v.XStart = params.XStart;
  v.XEnd = params.XEnd;
  v.YStart = params.YStart;
  v.YEnd = params.YEnd;
  v.VarX = params.VarX;
  v.VarY = params.VarY;
  if (autoScale) {
    v.ScaleX = width / (v.XEnd - v.XStart);
    v.ScaleY = height / (v.YEnd - v.YStart);
  }
  if (centering) {
    v.OriginX = width / 2;
    v.OriginY = height / 2;
  } else {
    v.OriginX = TruncToInt(width - (v.XStart + v.XEnd) * v.ScaleX) / 2;
    v.OriginY = TruncToInt(height + (v.YStart + v.YEnd) * v.ScaleY) / 2;
  }
  v.PixelStepX = 1.0 / v.ScaleX;
  v.PixelStepY = 1.0 / v.ScaleY;
  ClipX(v);
  ClipY(v);
  return v;
}

int ProgressMaximum(const View2D& view) {
  const std::int32_t columns = TruncToInt(std::fabs(view.XEnd - view.XStart) * view.ScaleX);
  return columns == std::numeric_limits<std::int32_t>::max() ? columns : columns + 1;
}

}  // namespace lw
