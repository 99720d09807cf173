// The 2D half of the program object: builds, clearing, the temporary grid and the
// plot area's size.
#include <QLocale>
#include <string>

#include "BuildCommands.h"
#include "FormulaParser.h"
#include "NumberFormat.h"
#include "Program.h"
#include "ProgramAnalysis.h"
#include "StatusTexts.h"

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
  Plot2DContext ctx = Context2D();
  lw::ClearPicture(ctx);
}

void Program::ToggleTemporaryGrid() {
  temporaryGrid_.Toggle(picture_, view_);
  Notify(&ProgramObserver::OptionsChanged);
  Notify(&ProgramObserver::PictureChanged);
}

bool Program::ScanMode() const {
  return analysis_->Scan().ScanMode();
}

// Entering scan mode draws the marks of the scanned points, leaving it removes them.
void Program::ToggleScanMode() {
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

void Program::BuildAll2D() {
  Plot2DContext ctx = Context2D();
  lw::BuildAll2D(ctx);
}

void Program::BuildSelected2D() {
  GraphListEditor2D& editor = Graphs2D();
  int selected = editor.Selection() ? static_cast<int>(*editor.Selection()) : -1;
  Plot2DContext ctx = Context2D();
  lw::BuildSelected2D(ctx, selected);
  if (selected >= 0) Select2D(static_cast<std::size_t>(selected));
}

}  // namespace lw
