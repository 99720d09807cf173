#include "app/Program2D.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>

#include "app/StatusTexts.h"
#include "document/Feedback.h"
#include "document/WorkControl.h"
#include "formula/FormulaParser.h"
#include "plot2d/BuildCommands.h"

namespace lw {

Program2D::Program2D(DocumentEditor& edits, FormulaParser& explicitParser,
                     DivisionTrackingParser& poleParser, const Palette& palette, StatusSink& status,
                     LongWork& work, ProgramObservers& observers)
    : edits_(edits),
      explicitParser_(explicitParser),
      poleParser_(poleParser),
      palette_(palette),
      status_(status),
      work_(work),
      observers_(observers) {
  ApplyLabelFont();
  CentreOrigin();
  RememberFieldBounds();
  work_.AddTick([this] {
    if (buildMirror_.TakeInto(picture_)) PresentPicture();
  });
}

void Program2D::SetViewSize(int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  if (width == viewWidth_ && height == viewHeight_) return;
  viewWidth_ = width;
  viewHeight_ = height;
  kept_.reset();  // a kept picture of the old size would not fill the view
  // A view larger than the picture (a maximised window, a larger screen) makes it grow,
  // so the view never shows anything but the picture.
  Plot2DContext ctx = Context();
  FitPictureToView(ctx);
  observers_.Notify(&ProgramObserver::PictureChanged);
}

void Program2D::CentreOrigin() {
  view_.Width = viewWidth_;
  view_.Height = viewHeight_;
  view_.OriginX = viewWidth_ / 2;
  view_.OriginY = viewHeight_ / 2;
}

void Program2D::ApplyLabelFont() {
  picture_.SetFont(edits_.Doc().Appearance.Font);
}

Plot2DContext Program2D::Context() {
  return Plot2DContext{edits_.Doc(), params_,  view_,      picture_,         explicitParser_,
                       poleParser_,  palette_, status_,    work_.Progress(), temporaryGrid_,
                       scanMarks_,   this,     viewWidth_, viewHeight_};
}

void Program2D::PresentPicture() {
  if (!keepView_) kept_.reset();
  observers_.Notify(&ProgramObserver::PictureChanged);
}

void Program2D::DrawOnPicture(const std::function<void(PlotPicture&)>& draw) {
  // Whatever the drawing set pixel by pixel is kept as a layer of the record as well.
  const PlotPicture::Snapshot before =
      picture_.TakeSnapshot(0, 0, picture_.Width(), picture_.Height());
  draw(picture_);
  picture_.RecordChanges(before);
  PresentPicture();
}

void Program2D::PastePicture(const QImage& image) {
  if (edits_.Doc().Appearance.ClearBackground) ClearPicture();
  picture_.PasteImage(image);
  if (scanMarks_ != nullptr) scanMarks_->PictureCleared();
  PresentPicture();
}

void Program2D::ClearPicture() {
  if (work_.RefuseWhileBusy()) return;
  Plot2DContext ctx = Context();
  lw::ClearPicture(ctx);
  shown_.clear();
}

std::optional<View2D> Program2D::ViewOfFields() {
  const BuildParameters& fields = edits_.Doc().Params;
  Params2D params = params_;
  RecordingStatus quiet;
  if (!ValidateParams2D(fields, params, explicitParser_, quiet)) return std::nullopt;
  return MapView2D(params, fields.AutoScale, fields.Centering, std::max(viewWidth_, 1),
                   std::max(viewHeight_, 1));
}

bool Program2D::PrepareView() {
  Plot2DContext ctx = Context();
  if (!PrepareView2D(ctx)) return false;
  viewPrepared_ = true;
  return true;
}

void Program2D::ToggleTemporaryGrid() {
  if (work_.RefuseWhileBusy()) return;
  temporaryGrid_.Toggle(picture_, view_);
  observers_.Notify(&ProgramObserver::OptionsChanged);
  observers_.Notify(&ProgramObserver::PictureChanged);
}

std::optional<double> Program2D::ScaleGradient() {
  if (params_.Gradient != 0) return params_.Gradient;
  // No build has validated the gradient yet: take the field as it stands, so the
  // scale never divides by a zero step.
  std::string text = edits_.Doc().Params.Field(ParamField::Gradient);
  const double value = text.empty() ? 0.0 : explicitParser_.EvaluateNormalized(text);
  if (text.empty() || explicitParser_.HasError() || value == 0 || value != value) {
    status_.SetStatus("Помилка вводу градіенту кольорів");
    return std::nullopt;
  }
  return value;
}

namespace {

// What the graphs of a 2D build are drawn with on the worker thread: copies of
// everything they read, and a copy of the picture to draw into, so nothing the
// interface thread shows or edits meanwhile is shared with the worker.
struct Build2DJob {
  Build2DJob(const Document& doc, const Params2D& validated, const View2D& mapping,
             const Palette& colours, const FormulaParser& explicitSource,
             const FormulaParser& poleSource, const PlotPicture& source)
      : document(doc), params(validated), view(mapping), palette(colours) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      explicitParser.VariableSlot(letter) = explicitSource.Variable(letter);
      poleParser.VariableSlot(letter) = poleSource.Variable(letter);
    }
    // RAND continues the sequence the program's engines have drawn so far.
    explicitParser.SeedRandom(explicitSource.RandomState());
    poleParser.SeedRandom(poleSource.RandomState());
    picture.CopyFrom(source);
  }

  // mirror: where finished columns go on their way to the view; none, when the view
  // is to show only the finished picture.
  void Draw(const WorkControl& control, WorkFeedback& feedback, PictureMirror* mirror,
            const std::vector<std::size_t>& entries) {
    Plot2DContext ctx{document,   params,      view,     picture, explicitParser, poleParser,
                      palette,    feedback,    feedback, grid,    nullptr,        nullptr,
                      view.Width, view.Height, &control, mirror};
    DrawGraphs2D(ctx, entries);
  }

  Document document;
  Params2D params;
  View2D view;
  Palette palette;
  FormulaParser explicitParser;
  DivisionTrackingParser poleParser;
  PlotPicture picture{1, 1};
  TemporaryGrid grid;
};

}  // namespace

void Program2D::BuildAll(BuildShowing showing) {
  if (work_.RefuseWhileBusy()) return;
  std::vector<std::size_t> all(edits_.Doc().Graphs2D.Count());
  std::iota(all.begin(), all.end(), std::size_t{0});
  StartBuild(std::move(all), false, showing);
}

void Program2D::Redraw() {
  if (work_.RefuseWhileBusy()) return;
  StartBuild(shown_, true, BuildShowing::AsDrawn);
}

void Program2D::BuildSelected() {
  if (work_.RefuseWhileBusy()) return;
  const GraphListEditor2D& editor = edits_.Graphs2D();
  int selected = editor.Selection() ? static_cast<int>(*editor.Selection()) : -1;
  if (!SelectEntryToBuild(edits_.Doc().Graphs2D.Count(), selected)) return;
  const auto index = static_cast<std::size_t>(selected);
  edits_.Select2D(index);
  StartBuild({index}, false, BuildShowing::AsDrawn);
}

// The steps before and after the graphs run here; the graphs on the worker thread.
void Program2D::StartBuild(std::vector<std::size_t> entries, bool redraw, BuildShowing showing) {
  const bool asDrawn = showing == BuildShowing::AsDrawn;
  if (!asDrawn && !kept_) kept_ = VisibleImage();
  // Until it ends, nothing the build does to the picture reaches the view.
  keepView_ = !asDrawn;
  Plot2DContext ctx = Context();
  if (!BeginBuild2D(ctx, redraw)) {
    keepView_ = false;
    return;
  }
  viewPrepared_ = true;
  if (!redraw) RememberFieldBounds();
  // A cleared picture shows only what this build draws; otherwise the graphs add up.
  if (redraw || edits_.Doc().Appearance.ClearBackground) shown_.clear();
  for (const std::size_t i : entries) {
    if (std::find(shown_.begin(), shown_.end(), i) == shown_.end()) shown_.push_back(i);
  }
  auto job = std::make_shared<Build2DJob>(edits_.Doc(), params_, view_, palette_, explicitParser_,
                                          poleParser_, picture_);
  // The view follows the graphs as their columns are finished; the picture the build
  // ends with replaces it whole.
  if (asDrawn) buildMirror_.Start(picture_.Width(), picture_.Height());
  PictureMirror* mirror = asDrawn ? &buildMirror_ : nullptr;
  work_.Start(
      [job, mirror, entries = std::move(entries)](WorkControl& control, WorkFeedback& feedback) {
        job->Draw(control, feedback, mirror, entries);
      },
      [this, job](bool stopped) {
        buildMirror_.Finish();
        picture_.CopyFrom(job->picture);
        explicitParser_.SeedRandom(job->explicitParser.RandomState());
        poleParser_.SeedRandom(job->poleParser.RandomState());
        EndBuild(stopped);
      });
}

void Program2D::EndBuild(bool stopped) {
  // A build dropped for a newer value still puts its overlays back, so the next
  // build finds the picture as it expects, but the view keeps what it shows.
  const bool dropped = stopped && work_.Dropped();
  keepView_ = dropped && kept_.has_value();
  Plot2DContext after = Context();
  FitPictureToView(after);  // the view may have grown while the graphs were drawn
  EndBuild2D(after);
  keepView_ = false;
  // What was drawn so far stays; the status says the rest is missing.
  if (stopped && !dropped) status_.SetStatus(std::string(BuildStoppedText));
}

}  // namespace lw
