// Axes, unit labels, variable names, bounds and grid of the 2D picture, and the
// temporary grid that is drawn and erased by inversion.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/Appearance.h"
#include "document/BuildParameters.h"
#include "plot2d/PlotPicture.h"
#include "plot2d/View2D.h"

namespace lw {

// Where ticks fall along both axes and where the axes are drawn.
struct TickLayout {
  double SpacingX = 0, SpacingY = 0;    // pixels between neighbouring ticks (>= 8)
  double UnitX = 1, UnitY = 1;          // world units per tick, a whole number
  std::int64_t FirstX = 1, FirstY = 1;  // index of the first tick that can be visible
  int AxisX = 0, AxisY = 0;             // column of the vertical axis, row of the horizontal
};

// Below 8 pixels per unit a tick spans trunc(8 / scale) + 1 whole units, so ticks stay
// at least 8 pixels apart and every label still equals the world coordinate of its tick.
TickLayout LayoutTicks(const View2D& view);

// Grid positions (step 9 of the axes): columns of the vertical lines and rows of the
// horizontal ones; the tick marks fall on the same positions.
struct GridPositions {
  std::vector<int> Columns;
  std::vector<int> Rows;
};
GridPositions GridOf(const View2D& view, const TickLayout& ticks);

// The decimal text of the whole number n (n may exceed the range of int64).
std::string WholeNumberText(double n);

// Draws whatever of unit labels, variable names, bounds, grid and axes the appearance
// asks for. The variable names are the texts of the two variable fields as typed.
void DrawAxes(PlotPicture& picture, const View2D& view, const AppearanceSettings& appearance,
              const BuildParameters& parameters);

// The temporary grid: the grid lines drawn over everything by inverting pixels, so that
// drawing the same lines again erases them. It remembers the lines it drew, so erasing
// restores the picture even after the view or the pen width changed in between.
class TemporaryGrid {
 public:
  // The menu's check mark.
  bool Enabled() const { return enabled_; }
  // Whether the inverted lines are in the picture now.
  bool InPicture() const { return inPicture_; }

  // Flips the check mark, then draws or erases the grid accordingly.
  void Toggle(PlotPicture& picture, const View2D& view);
  // Draws the grid of this view with the picture pen's current width.
  void Draw(PlotPicture& picture, const View2D& view);
  // Inverts the remembered lines again, when they are in the picture.
  void Erase(PlotPicture& picture);
  // Inverts the remembered lines once more after an Erase, whatever the view is now:
  // the same lines go back, e.g. once the picture has grown.
  void Restore(PlotPicture& picture);
  // The picture was refilled: the lines are gone without erasing.
  void PictureCleared() { inPicture_ = false; }

 private:
  // Inverts the lines and adds their layer to the record, or takes it out when they
  // were in the picture.
  void Invert(PlotPicture& picture);

  bool enabled_ = false;
  bool inPicture_ = false;
  GridPositions lines_;
  int width_ = 0, height_ = 0, penWidth_ = 1;
  std::uint64_t layer_ = 0;  // the record's layer of the lines in the picture
};

}  // namespace lw
