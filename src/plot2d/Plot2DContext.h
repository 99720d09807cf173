// Everything a 2D build works on, handed down by reference: the owner (the desktop
// program's state, or the command-line front end) keeps the objects alive.
#pragma once

#include "Axes.h"
#include "BuildParameters.h"
#include "Document.h"
#include "Feedback.h"
#include "FormulaParser.h"
#include "Palette.h"
#include "PlotPicture.h"
#include "View2D.h"
#include "WorkControl.h"

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
};

}  // namespace lw
