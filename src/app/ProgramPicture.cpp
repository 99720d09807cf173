// The 2D half of the program object: builds, clearing, the temporary grid and the
// plot area's size.
#include <QLocale>
#include <memory>
#include <string>

#include "app/Program.h"
#include "app/ProgramAnalysis.h"
#include "app/StatusTexts.h"
#include "document/WorkControl.h"
#include "formula/FormulaParser.h"
#include "formula/NumberFormat.h"
#include "plot2d/BuildCommands.h"

namespace lw {

void Program::SetViewSize(int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  if (width == viewWidth_ && height == viewHeight_) return;
  viewWidth_ = width;
  viewHeight_ = height;
  // A view larger than the picture (a maximised window, a larger screen) makes it grow,
  // so the view never shows anything but the picture.
  Plot2DContext ctx = Context2D();
  FitPictureToView(ctx);
  Notify(&ProgramObserver::PictureChanged);
}

void Program::CentreOrigin() {
  view_.Width = viewWidth_;
  view_.Height = viewHeight_;
  view_.OriginX = viewWidth_ / 2;
  view_.OriginY = viewHeight_ / 2;
}

void Program::ApplyLabelFont() {
  picture_.SetFont(document_.Appearance.Font);
}

Plot2DContext Program::Context2D() {
  return Plot2DContext{document_,          params2D_, view_,      picture_,   *explicitParser_,
                       *poleParser_,       palette_,  *this,      Progress(), temporaryGrid_,
                       &analysis_->Scan(), this,      viewWidth_, viewHeight_};
}

void Program::PresentPicture() {
  Notify(&ProgramObserver::PictureChanged);
}

void Program::ClearPicture() {
  if (RefuseWhileBusy()) return;
  Plot2DContext ctx = Context2D();
  lw::ClearPicture(ctx);
}

void Program::ToggleTemporaryGrid() {
  if (RefuseWhileBusy()) return;
  temporaryGrid_.Toggle(picture_, view_);
  Notify(&ProgramObserver::OptionsChanged);
  Notify(&ProgramObserver::PictureChanged);
}

bool Program::ScanMode() const {
  return analysis_->Scan().ScanMode();
}

// Entering scan mode draws the marks of the scanned points, leaving it removes them.
void Program::ToggleScanMode() {
  if (RefuseWhileBusy()) return;
  analysis_->Scan().ToggleScanMode();
  if (!ScanMode()) SetStatus(std::string(ReadyText));
  Notify(&ProgramObserver::OptionsChanged);
  PresentPicture();
}

char Program::DecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode())
                                                        : '.';
}

void Program::ShowPointerPosition(int px, int py) {
  if (!ScanMode()) return;
  const char separator = DecimalSeparator();
  const BuildParameters& p = document_.Params;
  SetStatus(p.Field(ParamField::VarX) + ": " + FormatGeneral(view_.WorldX(px), separator) + "    " +
            p.Field(ParamField::VarY) + ": " + FormatGeneral(view_.WorldY(py), separator));
}

std::optional<double> Program::ScaleGradient() {
  if (params2D_.Gradient != 0) return params2D_.Gradient;
  // No build has validated the gradient yet: take the field as it stands, so the
  // scale never divides by a zero step.
  std::string text = document_.Params.Field(ParamField::Gradient);
  const double value = text.empty() ? 0.0 : explicitParser_->EvaluateNormalized(text);
  if (text.empty() || explicitParser_->HasError() || value == 0 || value != value) {
    SetStatus("Помилка вводу градіенту кольорів");
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

  void Draw(const WorkControl& control, WorkFeedback& feedback, PictureMirror& mirror,
            std::size_t first, std::size_t last) {
    Plot2DContext ctx{document,   params,      view,     picture, explicitParser, poleParser,
                      palette,    feedback,    feedback, grid,    nullptr,        nullptr,
                      view.Width, view.Height, &control, &mirror};
    DrawGraphs2D(ctx, first, last);
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

void Program::BuildAll2D() {
  if (RefuseWhileBusy()) return;
  StartBuild2D(0, document_.Graphs2D.Count());
}

void Program::BuildSelected2D() {
  if (RefuseWhileBusy()) return;
  GraphListEditor2D& editor = Graphs2D();
  int selected = editor.Selection() ? static_cast<int>(*editor.Selection()) : -1;
  if (!SelectEntryToBuild(document_.Graphs2D.Count(), selected)) return;
  const auto index = static_cast<std::size_t>(selected);
  Select2D(index);
  StartBuild2D(index, index + 1);
}

// The steps before and after the graphs run here; the graphs on the worker thread.
void Program::StartBuild2D(std::size_t first, std::size_t last) {
  Plot2DContext ctx = Context2D();
  if (!BeginBuild2D(ctx)) return;
  auto job = std::make_shared<Build2DJob>(document_, params2D_, view_, palette_, *explicitParser_,
                                          *poleParser_, picture_);
  // The view follows the graphs as their columns are finished; the picture the build
  // ends with replaces it whole.
  buildMirror_.Start(picture_.Width(), picture_.Height());
  StartWork(
      [this, job, first, last](WorkControl& control, WorkFeedback& feedback) {
        job->Draw(control, feedback, buildMirror_, first, last);
      },
      [this, job](bool stopped) {
        buildMirror_.Finish();
        picture_.CopyFrom(job->picture);
        explicitParser_->SeedRandom(job->explicitParser.RandomState());
        poleParser_->SeedRandom(job->poleParser.RandomState());
        Plot2DContext after = Context2D();
        FitPictureToView(after);  // the view may have grown while the graphs were drawn
        EndBuild2D(after);
        // What was drawn so far stays; the status says the rest is missing.
        if (stopped) SetStatus(std::string(BuildStoppedText));
      });
}

}  // namespace lw
