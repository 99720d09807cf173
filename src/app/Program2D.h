// The 2D space of the desktop program: the picture and its mapping, the temporary
// grid, the plot view's size, the validated 2D parameters and the 2D builds, run
// against the document, the two 2D parsers, the 2D palette, the status line and long
// work, each handed over at construction. No widgets: the plot view shows the
// picture and hears of changes through PictureChanged.
#pragma once

#include <QImage>
#include <cstddef>
#include <functional>
#include <optional>

#include "app/DocumentEditor.h"
#include "app/LongWork.h"
#include "app/ProgramObserver.h"
#include "plot2d/PictureMirror.h"
#include "plot2d/Plot2DContext.h"
#include "plot2d/PlotPicture.h"
#include "plot2d/View2D.h"

namespace lw {

class FormulaParser;
class DivisionTrackingParser;
class Program;

class Program2D : public PicturePresenter {
 public:
  Program2D(DocumentEditor& edits, FormulaParser& explicitParser,
            DivisionTrackingParser& poleParser, const Palette& palette, StatusSink& status,
            LongWork& work, ProgramObservers& observers);
  Program2D(const Program2D&) = delete;
  Program2D& operator=(const Program2D&) = delete;

  // The scan marks in the picture, which clearing and growing it must keep in step;
  // set once the analysis tools that draw them exist.
  void SetScanMarks(ScanMarkOverlay* marks) { scanMarks_ = marks; }

  void BuildAll();
  void BuildSelected();
  void ClearPicture();
  void ToggleTemporaryGrid();
  bool TemporaryGridOn() const { return temporaryGrid_.Enabled(); }

  // The visible plot area (W x H) follows the plot view's size; the picture grows
  // with it (it is never smaller than the view, up to its maximum size).
  void SetViewSize(int width, int height);
  int ViewWidth() const { return viewWidth_; }
  int ViewHeight() const { return viewHeight_; }
  const View2D& View() const { return view_; }
  // Puts the origin in the middle of the plot area (start-up).
  void CentreOrigin();

  const PlotPicture& Picture() const { return picture_; }
  // What the plot view shows: the top-left W x H of the picture.
  QImage VisibleImage() const { return picture_.ToImage(viewWidth_, viewHeight_); }
  // Draws on the picture outside any build (an opened picture, a test's pixels) and
  // shows it again; the pixels it changed become a layer of the picture's record.
  void DrawOnPicture(const std::function<void(PlotPicture&)>& draw);
  // Puts an opened picture into the top-left corner, first clearing the picture to
  // the background colour when the appearance says so; the scan marks drawn before
  // are gone with the pixels they were in.
  void PastePicture(const QImage& image);
  // Shows the picture in the plot view again.
  void PresentPicture() override;
  // Makes the appearance's font the picture's label font at once.
  void ApplyLabelFont();

  // The parameters as the last build validated them.
  const Params2D& Validated() const { return params_; }
  // The colour step for the colour-scale window: the last validated gradient, or
  // the field's value when no build has validated one yet; empty, with the
  // gradient's error message, when neither is usable.
  std::optional<double> ScaleGradient();

 private:
  // Hands the analysis tools the picture their marks are drawn into and the mapping
  // they read the pointer through.
  friend class Program;

  Plot2DContext Context();
  void StartBuild(std::size_t first, std::size_t last);

  DocumentEditor& edits_;
  FormulaParser& explicitParser_;
  DivisionTrackingParser& poleParser_;
  const Palette& palette_;
  StatusSink& status_;
  LongWork& work_;
  ProgramObservers& observers_;
  ScanMarkOverlay* scanMarks_ = nullptr;
  Params2D params_;
  PlotPicture picture_;
  // The columns a running build has finished, on their way into picture_.
  PictureMirror buildMirror_;
  View2D view_;
  TemporaryGrid temporaryGrid_;
  int viewWidth_ = 539;
  int viewHeight_ = 468;
};

}  // namespace lw
