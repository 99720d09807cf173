// The program's 2D commands, which windows reach on the program object: the 2D space
// does the work; scan mode is the analysis tools' and shows in the picture.
#include <string>

#include "app/Program.h"
#include "app/Program2D.h"
#include "app/ProgramAnalysis.h"
#include "app/StatusTexts.h"

namespace lw {

void Program::BuildAll2D() {
  twoD_->BuildAll();
}

void Program::BuildSelected2D() {
  twoD_->BuildSelected();
}

void Program::ClearPicture() {
  twoD_->ClearPicture();
}

void Program::ToggleTemporaryGrid() {
  twoD_->ToggleTemporaryGrid();
}

bool Program::TemporaryGridOn() const {
  return twoD_->TemporaryGridOn();
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
  twoD_->PresentPicture();
}

void Program::ShowPointerPosition(int px, int py) {
  analysis_->ShowPointerPosition(px, py);
}

void Program::SetViewSize(int width, int height) {
  twoD_->SetViewSize(width, height);
}

int Program::ViewWidth() const {
  return twoD_->ViewWidth();
}

int Program::ViewHeight() const {
  return twoD_->ViewHeight();
}

const PlotPicture& Program::Picture() const {
  return twoD_->Picture();
}

void Program::DrawOnPicture(const std::function<void(PlotPicture&)>& draw) {
  twoD_->DrawOnPicture(draw);
}

void Program::PastePicture(const QImage& image) {
  twoD_->PastePicture(image);
}

const View2D& Program::View() const {
  return twoD_->View();
}

void Program::ApplyLabelFont() {
  twoD_->ApplyLabelFont();
}

void Program::CentreOrigin() {
  twoD_->CentreOrigin();
}

std::optional<double> Program::ScaleGradient() {
  return twoD_->ScaleGradient();
}

}  // namespace lw
