#include "plot2d/ViewGesture.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "document/ConstantLines.h"
#include "formula/FormulaParser.h"

namespace lw {

namespace {

// The formula language reads a number of at most 99 characters; these keep the
// scales' fixed texts well within that.
constexpr double minScale = 1e-60;
constexpr double maxScale = 1e60;
// A bound closer to zero than this part of a pixel is zero: its fixed text would
// otherwise run to hundreds of digits.
constexpr double negligible = 1e-9;
// Pixel coordinates are 32-bit; an origin farther than this would saturate them.
// It also keeps a pixel wider than a billionth of the numbers in view, which the
// fields' 15 digits tell apart with room to spare.
constexpr double maxOrigin = 1e9;

// The value a build will read from the text, or nothing when the formula language
// refuses it (a number too long to read).
std::optional<double> ReadBack(FormulaParser& parser, const std::string& text) {
  std::string copy = text;
  const double value = parser.EvaluateNormalized(copy);
  if (parser.HasError()) return std::nullopt;
  return value;
}

// The half extent, in pixels, of the part of the view the interval fills.
double HalfExtent(double start, double end, double scale, int size, bool autoScale) {
  const double whole = size / 2.0;
  if (autoScale) return whole;
  const double drawn = (end - start) * scale / 2.0;
  // A view never built has no extent: the interval then fills the view.
  if (!(drawn >= 1.0)) return whole;
  return std::min(whole, drawn);
}

double Snapped(double value, double scale) {
  return std::fabs(value) * scale < negligible ? 0.0 : value;
}

bool Usable(double scale, double origin, double start, double end) {
  return std::isfinite(start) && std::isfinite(end) && scale >= minScale && scale <= maxScale &&
         std::fabs(origin) <= maxOrigin;
}

}  // namespace

PixelMap ZoomAbout(double px, double py, double fx, double fy) {
  return PixelMap{fx, fy, px * (1.0 - fx), py * (1.0 - fy)};
}

PixelMap Shift(double dx, double dy) {
  return PixelMap{1.0, 1.0, dx, dy};
}

PixelMap Then(const PixelMap& first, const PixelMap& second) {
  return PixelMap{second.kx * first.kx, second.ky * first.ky, second.kx * first.tx + second.tx,
                  second.ky * first.ty + second.ty};
}

PixelMap MapBetween(const View2D& from, const View2D& to) {
  PixelMap map;
  map.kx = to.ScaleX / from.ScaleX;
  map.ky = to.ScaleY / from.ScaleY;
  map.tx = to.OriginX - map.kx * from.OriginX;
  map.ty = to.OriginY - map.ky * from.OriginY;
  return map;
}

std::string ViewNumberText(double value) {
  return ConstantValueText(value);
}

std::optional<MovedView> MoveView(const View2D& from, const Params2D& validated, bool autoScale,
                                  const ViewFields2D& current, const PixelMap& map, int width,
                                  int height) {
  if (!(map.kx > 0) || !(map.ky > 0) || width < 1 || height < 1) return std::nullopt;
  // A world point at pixel q of `from` lies at k * q + t afterwards.
  const double scaleX = from.ScaleX * map.kx;
  const double scaleY = from.ScaleY * map.ky;
  const double originX = map.kx * from.OriginX + map.tx;
  const double originY = map.ky * from.OriginY + map.ty;
  // With centring off the middle of each interval goes to the middle of the view, so
  // the intervals are the pixels around the middle, read through the new mapping.
  const double hx = HalfExtent(from.XStart, from.XEnd, from.ScaleX, width, autoScale);
  const double hy = HalfExtent(from.YStart, from.YEnd, from.ScaleY, height, autoScale);
  const double middleX = width / 2.0;
  const double middleY = height / 2.0;
  const double xStart = (middleX - hx - originX) / scaleX;
  const double xEnd = (middleX + hx - originX) / scaleX;
  const double yStart = (originY - (middleY + hy)) / scaleY;
  const double yEnd = (originY - (middleY - hy)) / scaleY;
  if (!Usable(scaleX, originX, xStart, xEnd) || !Usable(scaleY, originY, yStart, yEnd))
    return std::nullopt;

  MovedView moved;
  moved.fields = current;
  moved.fields.Centering = false;
  auto& texts = moved.fields.texts;
  if (!autoScale) {
    texts[0] = ViewNumberText(scaleX);
    texts[1] = ViewNumberText(scaleY);
  }
  texts[2] = ViewNumberText(Snapped(xStart, scaleX));
  texts[3] = ViewNumberText(Snapped(xEnd, scaleX));
  texts[4] = ViewNumberText(Snapped(yStart, scaleY));
  texts[5] = ViewNumberText(Snapped(yEnd, scaleY));

  // The next build reads the texts, not the doubles above.
  FormulaParser parser;
  std::array<double, 6> read{};
  for (std::size_t i = autoScale ? 2 : 0; i < texts.size(); ++i) {
    const std::optional<double> value = ReadBack(parser, texts[i]);
    if (!value) return std::nullopt;
    read[i] = *value;
  }
  Params2D params = validated;
  if (!autoScale) {
    params.ScaleX = read[0];
    params.ScaleY = read[1];
  }
  params.XStart = read[2];
  params.XEnd = read[3];
  params.YStart = read[4];
  params.YEnd = read[5];
  if (!(params.XStart < params.XEnd) || !(params.YStart < params.YEnd)) return std::nullopt;
  moved.view = MapView2D(params, autoScale, false, width, height);
  return moved;
}

}  // namespace lw
