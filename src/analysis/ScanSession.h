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

namespace lw {

class PlotPicture;

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

class ScanSession {
 public:
  explicit ScanSession(PlotPicture& picture);
  ScanSession(const ScanSession&) = delete;
  ScanSession& operator=(const ScanSession&) = delete;

  bool ScanMode() const { return scanMode_; }
  const std::vector<ScanPoint>& Points() const { return points_; }
  const ScanPoint& LastPoint() const { return last_; }
  const ScanOptions& Options() const { return options_; }
  const ScanMapping& Mapping() const { return mapping_; }

  // The mapping of the last successful view preparation; marks already in the
  // picture stay where they were drawn until the next redraw.
  void SetMapping(const ScanMapping& mapping) { mapping_ = mapping; }
  // All seven options at once (the options file); the marks follow.
  void SetOptions(const ScanOptions& options);
  // A click on one check box: the marks it governs appear or go.
  void SetOption(ScanOption option, bool on);

  void ToggleScanMode();

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

  // Around a 2D build: the marks leave the picture before it and return after it,
  // at the positions of the mapping then current.
  void BeforeBuild();
  void AfterBuild();
  // The picture was cleared or loaded behind the session's back: the marks are no
  // longer in it, so they are drawn again rather than erased.
  void PictureReplaced();

 private:
  ScanMarkSet Wanted() const;
  void Redraw();

  PlotPicture& picture_;
  std::vector<ScanPoint> points_;
  ScanPoint last_{-100.0, -100.0};
  ScanOptions options_{true, true, true, true, true, true, true};
  ScanMapping mapping_;
  bool scanMode_ = false;
  bool building_ = false;
  std::optional<ScanMarkSet> drawn_;
};

}  // namespace lw
