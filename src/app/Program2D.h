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
#include <vector>

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

// How a build shows itself: column by column as its graphs are drawn, or only once it
// has finished, the view keeping the picture shown before until then. Builds that
// follow a moving constant take the second way, or every step would show a cleared
// picture.
enum class BuildShowing { AsDrawn, WhenFinished };

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

  void BuildAll(BuildShowing showing = BuildShowing::AsDrawn);
  void BuildSelected();
  // Builds again, at the parameters as they stand, the graphs the picture shows, on a
  // cleared picture: the view moved by hand.
  void Redraw();
  // The entries the picture shows: those built since it was last cleared.
  const std::vector<std::size_t>& Shown() const { return shown_; }
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
  // What the plot view shows: the top-left W x H of the picture, or the picture kept
  // while builds shown only when finished run.
  QImage VisibleImage() const { return kept_ ? *kept_ : picture_.ToImage(viewWidth_, viewHeight_); }
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
  // True once a build (or PrepareView) has made the mapping from the parameters.
  bool HasView() const { return viewPrepared_; }
  // Makes the mapping from the parameters without building (the first move of a view
  // never built); false, with the bad field's message, when they are refused.
  bool PrepareView();
  // The mapping a build would make from the fields as they stand, without making it
  // (the parameters are checked silently; the build reports what is wrong).
  std::optional<View2D> ViewOfFields();
  // The view fields as the document was opened with or last built from: what the
  // view moved by hand comes back to.
  const ViewFields2D& FieldBounds() const { return fieldBounds_; }
  void RememberFieldBounds() { fieldBounds_ = ViewFieldsOf(edits_.Doc().Params); }
  // The colour step for the colour-scale window: the last validated gradient, or
  // the field's value when no build has validated one yet; empty, with the
  // gradient's error message, when neither is usable.
  std::optional<double> ScaleGradient();

 private:
  // Hands the analysis tools the picture their marks are drawn into and the mapping
  // they read the pointer through.
  friend class Program;

  Plot2DContext Context();
  // redraw: a move of the view, which clears the picture and is not a build from
  // the fields.
  void StartBuild(std::vector<std::size_t> entries, bool redraw, BuildShowing showing);
  // On the interface thread once the graphs are drawn into picture_.
  void EndBuild(bool stopped);

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
  // What the view shows while a build shown only when finished runs, and after one
  // dropped for a newer value, until a picture is presented in earnest.
  std::optional<QImage> kept_;
  bool keepView_ = false;
  int viewWidth_ = 539;
  int viewHeight_ = 468;
  bool viewPrepared_ = false;
  std::vector<std::size_t> shown_;
  ViewFields2D fieldBounds_;
};

}  // namespace lw
