// Scan mode of the 2D plot: the scanned points, the seven scan options and the marks
// they ask for. Every mark is drawn into the picture with an inverting pen, so drawing
// it again removes it; the session remembers exactly what it drew (points, options and
// mapping of that moment) and removes that before drawing anew, so the picture holds
// exactly the wanted marks whatever changed in between.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "plot2d/Plot2DContext.h"
#include "plot2d/View2D.h"

namespace lw {

struct ScanPoint {
  double x = 0.0;
  double y = 0.0;
  bool operator==(const ScanPoint&) const = default;
};

// The part of the 2D view mapping that scanning needs.
struct ScanMapping {
  double ScaleX = 1.0;
  double ScaleY = 1.0;
  std::int32_t OriginX = 0;
  std::int32_t OriginY = 0;
  bool operator==(const ScanMapping&) const = default;
};

inline ScanMapping MappingOf(const View2D& view) {
  return {view.ScaleX, view.ScaleY, view.OriginX, view.OriginY};
}

struct PixelPoint {
  int column = 0;
  int row = 0;
  bool operator==(const PixelPoint&) const = default;
};

// The world point under a pixel of the plot view.
ScanPoint PixelToWorld(const ScanMapping& mapping, int column, int row);
// Where a point's mark goes: trunc(x * ScaleX) + OriginX, trunc(-y * ScaleY) + OriginY.
PixelPoint MarkPosition(const ScanMapping& mapping, const ScanPoint& point);

// The check boxes of the scan values window, in their order there.
enum ScanOption : int {
  AppendPoints = 0,      // a click appends the point to the list
  ShowPoints = 1,        // squares at the points
  JoinPoints = 2,        // a polyline through the points in list order
  ShowValuesWindow = 3,  // a click fills and shows the scan values window
  MarkLastPoint = 4,     // a circle round the last scanned point
  ClosePolyline = 5,     // with the polyline and at least 3 points, last joined to first
  SelectArea = 6,        // dragging draws the selection rectangle
};
inline constexpr int ScanOptionCount = 7;
using ScanOptions = std::array<bool, ScanOptionCount>;

// One complete set of marks, as drawn or as wanted.
struct ScanMarkSet {
  std::vector<ScanPoint> points;
  ScanMapping mapping;
  ScanPoint last;
  bool squares = false;
  bool lines = false;
  bool closing = false;
  bool circle = false;
  bool operator==(const ScanMarkSet&) const = default;
};

// Inverts the pixels of the set's marks; the picture's pen is restored afterwards.
void DrawScanMarkSet(PlotPicture& picture, const ScanMarkSet& marks);

// Pixel corners of a rectangle dragged over the plot view: where the button went
// down and where the pointer is now.
struct SelectionRect {
  int startColumn = 0;
  int startRow = 0;
  int endColumn = 0;
  int endRow = 0;
  bool operator==(const SelectionRect&) const = default;
};

// The 2D builds take the marks out of the picture and put them back through the
// overlay interface; the mapping is always that of the view the session was given.
class ScanSession : public ScanMarkOverlay {
 public:
  ScanSession(PlotPicture& picture, const View2D& view);
  ScanSession(const ScanSession&) = delete;
  ScanSession& operator=(const ScanSession&) = delete;

  bool ScanMode() const { return scanMode_; }
  const std::vector<ScanPoint>& Points() const { return points_; }
  const ScanPoint& LastPoint() const { return last_; }
  const ScanOptions& Options() const { return options_; }
  ScanMapping Mapping() const { return MappingOf(view_); }
  // The point of a 1-based list row, if there is one.
  std::optional<ScanPoint> PointAt(int row) const;

  // All seven options at once (the options file); the marks follow.
  void SetOptions(const ScanOptions& options);
  // A click on one check box: the marks it governs appear or go.
  void SetOption(ScanOption option, bool on);

  void ToggleScanMode();

  // A mouse button pressed over the plot view: starts a selection when box 7 is on.
  void ButtonDown(int column, int row);
  // The pointer moved. While scan mode, the button and box 7 are all on, returns the
  // old rectangle (to be inverted away on the plot view) and stores the new end corner.
  std::optional<SelectionRect> DragTo(int column, int row);
  const SelectionRect& Selection() const { return selection_; }

  struct Click {
    bool taken = false;       // scan mode on and graphs present
    bool showValues = false;  // the scan values window is to be filled for point
    ScanPoint point;
  };
  // A mouse button released over the plot view at a pixel.
  Click ScanAt(int column, int row, bool graphsExist);

  // Removes the point of a 1-based list row; a row outside the list removes nothing.
  void DeletePoint(int row);
  void ClearPoints();

  // ScanMarkOverlay: a build calls InvertMarks before drawing graphs into a picture it
  // does not clear (the marks leave) and after it (the marks return at the positions
  // of the view then current).
  bool Active() const override { return scanMode_; }
  void InvertMarks(PlotPicture& picture) override;
  bool MarksInPicture() const override { return drawn_.has_value(); }
  // The picture was filled anew: the marks are gone without erasing. They return with
  // the next InvertMarks or the next change of points or options.
  void PictureCleared() override { drawn_.reset(); }

 private:
  ScanMarkSet Wanted() const;
  void Redraw();

  PlotPicture& picture_;
  const View2D& view_;
  std::vector<ScanPoint> points_;
  ScanPoint last_{-100.0, -100.0};
  ScanOptions options_{true, true, true, true, true, true, true};
  SelectionRect selection_;
  bool buttonDown_ = false;
  bool scanMode_ = false;
  std::optional<ScanMarkSet> drawn_;
  std::uint64_t layer_ = 0;  // the record's layer of the marks in the picture
};

}  // namespace lw
