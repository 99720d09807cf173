// Moving the 2D view by hand: the wheel zooms about the pointer, a drag pans, keys
// zoom about the middle and pan by a tenth of the view, and one command brings back
// the bounds the document was opened or last built with. Each move rewrites the view
// fields through the document editor (a wheel burst, a drag or a run of keys is one
// gesture), shows the current picture moved at once as a preview, and asks for the
// graphs the picture showed to be built again at the new bounds; a newer move stops
// a build still running. No widgets: the plot view forwards the hand and paints the
// preview.
#pragma once

#include <QImage>
#include <QTimer>
#include <cstdint>
#include <optional>

#include "app/ProgramObserver.h"
#include "app/RebuildRequest.h"
#include "document/Feedback.h"
#include "plot2d/View2D.h"
#include "plot2d/ViewGesture.h"

class QPainter;
class QRect;

namespace lw {

class Program;

enum class ZoomAxes { Both, XOnly, YOnly };

// The picture as it was when the gesture began, and where its pixels go.
struct ViewPreview {
  QImage picture;                       // the top-left W x H of the picture
  View2D from;                          // the mapping it was drawn with
  View2D to;                            // the mapping the coming build draws with
  std::uint32_t background = 0xFFFFFF;  // 0x00BBGGRR, for what the moved picture leaves bare
  PixelMap Map() const { return MapBetween(from, to); }
};

// Paints the part area of the plot view from the preview.
void PaintViewPreview(QPainter& painter, const ViewPreview& preview, const QRect& area);

class Navigator2D : public ProgramObserver {
 public:
  explicit Navigator2D(Program& program);
  ~Navigator2D() override;
  Navigator2D(const Navigator2D&) = delete;
  Navigator2D& operator=(const Navigator2D&) = delete;

  // notches > 0 (away from the user) zoom in by ZoomStep each about the pixel
  // (px, py). Notches and keys coming less than the burst gap apart are one gesture.
  void Wheel(int px, int py, double notches, ZoomAxes axes);
  void ZoomAtMiddle(bool in);
  // Looks a tenth of the view further in a direction: columns +1 right, rows +1 up.
  void Pan(int columns, int rows);
  // The view fields as the document was opened with or last built from, and a build.
  void RestoreBounds();

  // A drag that pans: a press without a move changes nothing.
  void PressDrag(int px, int py);
  void DragTo(int px, int py);
  void ReleaseDrag();
  bool Dragging() const { return drag_.has_value(); }

  const std::optional<ViewPreview>& Preview() const { return preview_; }
  RebuildRequest& Rebuilds() { return rebuild_; }
  // Builds of moves that ran to their end, not stopped by a newer move.
  int Pictures() const { return pictures_; }
  void SetBurstGap(int milliseconds) { burstTimer_.setInterval(milliseconds); }
  bool InBurst() const { return burst_.has_value(); }

  // ProgramObserver
  void WorkChanged() override;
  void DocumentChanged() override;

 private:
  struct Burst {
    View2D from;   // where the burst began
    PixelMap map;  // its steps so far
  };
  struct Drag {
    int x = 0, y = 0;
    std::optional<View2D> from;  // set at the first move
  };
  // The view the next move starts from: the one a build under way draws, else the
  // one the picture shows (made from the fields when nothing was built yet).
  std::optional<View2D> Base();
  // Moves from by map: fields, preview, build request. False when refused.
  bool Move(const View2D& from, const PixelMap& map);
  void StepInBurst(const PixelMap& map);
  void EndBurst();
  void StartPreview(const View2D& to);
  void Build();
  void Settle();
  void RestoreProgress();
  void Repaint();

  Program& program_;
  RebuildRequest rebuild_;
  QTimer burstTimer_;
  std::optional<Burst> burst_;
  std::optional<Drag> drag_;
  std::optional<ViewPreview> preview_;
  std::optional<View2D> target_;
  // Moves made, and the move the last build started from.
  unsigned serial_ = 0;
  unsigned builtSerial_ = 0;
  bool building_ = false;
  bool superseded_ = false;
  int pictures_ = 0;
  SilentProgress silent_;
  ProgressSink* programProgress_ = nullptr;  // while a build of a move runs
};

}  // namespace lw
