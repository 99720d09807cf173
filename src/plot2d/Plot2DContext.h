// Everything a 2D build works on, handed down by reference: the owner (the desktop
// program's state, or the command-line front end) keeps the objects alive.
#pragma once

#include "document/BuildParameters.h"
#include "document/Document.h"
#include "document/Feedback.h"
#include "document/Palette.h"
#include "document/WorkControl.h"
#include "formula/FormulaParser.h"
#include "plot2d/Axes.h"
#include "plot2d/PictureMirror.h"
#include "plot2d/PlotPicture.h"
#include "plot2d/View2D.h"

namespace lw {

// The scan marks of 2D scanning live in the picture as inverted pixels; a build takes
// them out before drawing graphs and puts them back afterwards.
class ScanMarkOverlay {
 public:
  virtual ~ScanMarkOverlay() = default;
  // Whether scanning mode is on, so its marks are in the picture.
  virtual bool Active() const = 0;
  // Inverts the marks' pixels: draws them when absent, erases them when present.
  virtual void InvertMarks(PlotPicture& picture) = 0;
  // Whether marks are in the picture now (scanning may be on with none drawn).
  virtual bool MarksInPicture() const { return Active(); }
  // The picture was filled anew, so the marks left it without being erased.
  virtual void PictureCleared() {}
};

// Shows the picture in the plot view (a copy of its top-left W x H part).
class PicturePresenter {
 public:
  virtual ~PicturePresenter() = default;
  virtual void PresentPicture() = 0;
};

struct Plot2DContext {
  const Document& document;  // build parameters, appearance and the 2D graph list
  Params2D& params;
  View2D& view;
  PlotPicture& picture;
  FormulaParser& explicitParser;
  DivisionTrackingParser& poleParser;
  const Palette& palette;
  StatusSink& status;
  ProgressSink& progress;
  TemporaryGrid& temporaryGrid;
  ScanMarkOverlay* scanMarks = nullptr;   // none until scanning exists
  PicturePresenter* presenter = nullptr;  // none without a screen
  int viewWidth = 800;                    // the plot view's current size W x H
  int viewHeight = 600;
  // The threads the builders may use and the stop request; none builds serially.
  const WorkControl* work = nullptr;
  // Where finished columns go while the build runs, for the view; none without one.
  PictureMirror* mirror = nullptr;
};

// Hands columns [x0, x1) of the picture, finished by the calling thread, to the
// build's mirror.
inline void PublishColumns(const Plot2DContext& ctx, int x0, int x1) {
  if (ctx.mirror != nullptr) ctx.mirror->Publish(ctx.picture, x0, x1);
}

// The pixel columns one thread finishes, left to right, published a batch at a time
// and the rest when the thread leaves its piece.
class ColumnBatches {
 public:
  ColumnBatches(const Plot2DContext& ctx, int firstPixel)
      : ctx_(ctx), first_(firstPixel), end_(firstPixel) {}
  ~ColumnBatches() { PublishColumns(ctx_, first_, end_); }
  ColumnBatches(const ColumnBatches&) = delete;
  ColumnBatches& operator=(const ColumnBatches&) = delete;

  // Every column before pixelEnd is finished.
  void FinishedUpTo(int pixelEnd) {
    end_ = pixelEnd;
    if (end_ - first_ < kBatch) return;
    PublishColumns(ctx_, first_, end_);
    first_ = end_;
  }

 private:
  static constexpr int kBatch = 32;
  const Plot2DContext& ctx_;
  int first_;
  int end_;
};

}  // namespace lw
