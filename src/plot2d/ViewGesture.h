// Moving the 2D view by hand: a gesture is a map of view pixels (a zoom about a pixel,
// a shift), and moving the view means finding the build parameters whose next build
// shows the world moved by that map. The view changes only through the parameters
// and a build, so the fields, the saved document and every builder see the move.
#pragma once

#include <optional>

#include "document/BuildParameters.h"
#include "plot2d/View2D.h"

namespace lw {

// Each axis maps a pixel q of the view to k * q + t (rows for Y, growing downwards).
struct PixelMap {
  double kx = 1, ky = 1;
  double tx = 0, ty = 0;
  bool operator==(const PixelMap&) const = default;
};

// Zooms by fx along X and fy along Y about the pixel (px, py), which stays put;
// a factor above 1 zooms in.
PixelMap ZoomAbout(double px, double py, double fx, double fy);
// Shifts the view's content by (dx, dy) pixels: the graphs follow the hand.
PixelMap Shift(double dx, double dy);
// first, then second.
PixelMap Then(const PixelMap& first, const PixelMap& second);
// The map that takes the pixels of a picture drawn for `from` to where a build for
// `to` draws the same world points: the preview of a gesture.
PixelMap MapBetween(const View2D& from, const View2D& to);

// The factor of one wheel notch or one zoom key.
inline constexpr double ZoomStep = 1.25;

struct MovedView {
  ViewFields2D fields;  // the texts the fields take; centring is off
  View2D view;          // what the next build will show
};

// The parameters that show `from` (a view built or about to be built) moved by map
// on a view of width x height pixels. `validated` supplies what a move does not
// change (variables, tolerance, gradient); `current` the texts kept as they are
// (the scales while auto-scale is on).
// The intervals become what the view shows; with typed scales (auto-scale off) the
// scales take the zoom and the intervals keep the pixel size of the part of the view
// they filled, centred, as an origin no longer centred puts them. Every number is
// written in fixed notation so that the formula language reads back the value the
// view is made of. Empty when the move leaves what the fields and the mapping can
// hold: scales beyond 1e-60..1e60, a text longer than the formula language reads
// as one number, or an origin (the pixel of the world's 0) farther than 1e9 pixels,
// which also keeps a pixel wider than the texts' 15 digits can tell apart. A bound
// within a billionth of a pixel of zero is written as zero.
std::optional<MovedView> MoveView(const View2D& from, const Params2D& validated, bool autoScale,
                                  const ViewFields2D& current, const PixelMap& map, int width,
                                  int height);

// The text a moved bound or scale is written as: 15 significant digits, fixed.
std::string ViewNumberText(double value);

}  // namespace lw
