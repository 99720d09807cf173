#include "analysis/ScanSession.h"

#include <algorithm>

#include "plot2d/PlotPicture.h"
#include "plot2d/RasterMath.h"

namespace lw {
namespace {

// Marks of points far outside the view stay far outside, without the pixel
// arithmetic overflowing.
constexpr std::int64_t kFarAway = 1'000'000'000;

int Clamped(std::int64_t v) {
  return static_cast<int>(std::clamp(v, -kFarAway, kFarAway));
}

int Column(const ScanMapping& m, double x, double offset) {
  return Clamped(std::int64_t{TruncToInt(x * m.ScaleX + offset)} + m.OriginX);
}

int Row(const ScanMapping& m, double y, double offset) {
  return Clamped(std::int64_t{TruncToInt(-y * m.ScaleY + offset)} + m.OriginY);
}

void DrawSquares(PlotPicture& picture, const ScanMarkSet& marks) {
  for (const ScanPoint& p : marks.points) {
    const PixelPoint c = MarkPosition(marks.mapping, p);
    picture.FrameRect(c.column - 3, c.row - 3, c.column + 3, c.row + 3);
  }
}

// The closing segment is drawn as the end of the polyline, in one direction only,
// so that drawing it a second time meets exactly the same pixels.
void DrawPolyline(PlotPicture& picture, const ScanMarkSet& marks) {
  if (marks.points.empty()) return;
  const PixelPoint first = MarkPosition(marks.mapping, marks.points.front());
  picture.MoveTo(first.column, first.row);
  for (std::size_t i = 1; i < marks.points.size(); ++i) {
    const PixelPoint c = MarkPosition(marks.mapping, marks.points[i]);
    picture.LineTo(c.column, c.row);
  }
  if (marks.closing) picture.LineTo(first.column, first.row);
}

void DrawCircle(PlotPicture& picture, const ScanMarkSet& marks) {
  const ScanMapping& m = marks.mapping;
  const ScanPoint& p = marks.last;
  picture.Ellipse(Column(m, p.x, -4.0), Row(m, p.y, -4.0), Column(m, p.x, 4.0), Row(m, p.y, 4.0));
}

bool Empty(const ScanMarkSet& marks) {
  return !marks.circle && (marks.points.empty() || (!marks.squares && !marks.lines));
}

}  // namespace

ScanPoint PixelToWorld(const ScanMapping& mapping, int column, int row) {
  return {(column - mapping.OriginX) / mapping.ScaleX, (mapping.OriginY - row) / mapping.ScaleY};
}

PixelPoint MarkPosition(const ScanMapping& mapping, const ScanPoint& point) {
  return {Column(mapping, point.x, 0.0), Row(mapping, point.y, 0.0)};
}

void DrawScanMarkSet(PlotPicture& picture, const ScanMarkSet& marks) {
  const Pen saved = picture.CurrentPen();
  picture.SetPen(Pen{0, Solid, 1, PenMode::Invert});
  if (marks.squares) DrawSquares(picture, marks);
  if (marks.lines) DrawPolyline(picture, marks);
  if (marks.circle) DrawCircle(picture, marks);
  picture.SetPen(saved);
}

ScanSession::ScanSession(PlotPicture& picture, const View2D& view)
    : picture_(picture), view_(view) {}

std::optional<ScanPoint> ScanSession::PointAt(int row) const {
  if (row < 1 || static_cast<std::size_t>(row) > points_.size()) return std::nullopt;
  return points_[static_cast<std::size_t>(row - 1)];
}

ScanMarkSet ScanSession::Wanted() const {
  ScanMarkSet marks;
  if (!scanMode_) return marks;
  marks.points = points_;
  marks.mapping = Mapping();
  marks.last = last_;
  marks.squares = options_[ShowPoints];
  marks.lines = options_[JoinPoints];
  marks.closing = marks.lines && options_[ClosePolyline] && points_.size() >= 3;
  marks.circle = options_[MarkLastPoint];
  return marks;
}

void ScanSession::Redraw() {
  ScanMarkSet wanted = Wanted();
  const bool wantAny = !Empty(wanted);
  if (drawn_ && wantAny && *drawn_ == wanted) return;
  if (drawn_) {
    DrawScanMarkSet(picture_, *drawn_);
    picture_.DropPixelLayer(layer_);
  }
  drawn_.reset();
  if (!wantAny) return;
  DrawScanMarkSet(picture_, wanted);
  layer_ = picture_.EndPixelLayer();
  drawn_ = std::move(wanted);
}

void ScanSession::SetOptions(const ScanOptions& options) {
  options_ = options;
  Redraw();
}

void ScanSession::SetOption(ScanOption option, bool on) {
  if (option < 0 || option >= ScanOptionCount) return;
  options_[static_cast<std::size_t>(option)] = on;
  Redraw();
}

void ScanSession::ToggleScanMode() {
  scanMode_ = !scanMode_;
  Redraw();
}

void ScanSession::ButtonDown(int column, int row) {
  if (options_[SelectArea]) selection_ = {column, row, column, row};
  buttonDown_ = true;
}

std::optional<SelectionRect> ScanSession::DragTo(int column, int row) {
  if (!scanMode_ || !buttonDown_ || !options_[SelectArea]) return std::nullopt;
  const SelectionRect old = selection_;
  selection_.endColumn = column;
  selection_.endRow = row;
  return old;
}

ScanSession::Click ScanSession::ScanAt(int column, int row, bool graphsExist) {
  buttonDown_ = false;
  Click click;
  if (!scanMode_ || !graphsExist) return click;
  click.taken = true;
  click.point = PixelToWorld(Mapping(), column, row);
  click.showValues = options_[ShowValuesWindow];
  last_ = click.point;
  if (options_[AppendPoints]) points_.push_back(click.point);
  Redraw();
  return click;
}

void ScanSession::DeletePoint(int row) {
  if (row < 1 || static_cast<std::size_t>(row) > points_.size()) return;
  points_.erase(points_.begin() + (row - 1));
  Redraw();
}

void ScanSession::ClearPoints() {
  points_.clear();
  Redraw();
}

void ScanSession::InvertMarks(PlotPicture& picture) {
  if (drawn_) {
    DrawScanMarkSet(picture, *drawn_);
    picture.DropPixelLayer(layer_);
    drawn_.reset();
    return;
  }
  ScanMarkSet wanted = Wanted();
  if (Empty(wanted)) return;
  DrawScanMarkSet(picture, wanted);
  layer_ = picture.EndPixelLayer();
  drawn_ = std::move(wanted);
}

}  // namespace lw
