#include "app/DocumentEditor.h"

namespace lw {

DocumentEditor::DocumentEditor(Document& document, DocumentSession& session, StatusSink& status,
                               LongWork& work, ProgramObservers& observers)
    : document_(document), session_(session), status_(status), work_(work), observers_(observers) {}

void DocumentEditor::SetField(ParamField which, const std::string& text) {
  std::string& field = document_.Params.Field(which);
  if (field == text) return;
  field = text;
  Notify(&ProgramObserver::ParametersChanged);
}

void DocumentEditor::SetConstants(bool threeD, const std::vector<std::string>& lines) {
  auto& target = threeD ? document_.Params.Constants3D : document_.Params.Constants2D;
  if (target == lines) return;
  target = lines;
  Notify(&ProgramObserver::ParametersChanged);
}

void DocumentEditor::SetBuildFlags(bool centering, bool autoScale, bool xorDrawing) {
  BuildParameters& p = document_.Params;
  if (p.Centering == centering && p.AutoScale == autoScale && p.XorDrawing == xorDrawing) return;
  p.Centering = centering;
  p.AutoScale = autoScale;
  p.XorDrawing = xorDrawing;
  Notify(&ProgramObserver::ParametersChanged);
}

void DocumentEditor::SetViewFields(const ViewFields2D& view) {
  if (StoreViewFields(document_.Params, view)) Notify(&ProgramObserver::ParametersChanged);
}

void DocumentEditor::BeginGesture() {
  if (gestureDepth_++ == 0) Notify(&ProgramObserver::GestureBegan);
}

void DocumentEditor::EndGesture() {
  if (gestureDepth_ == 0) return;
  if (--gestureDepth_ == 0) Notify(&ProgramObserver::GestureEnded);
}

void DocumentEditor::SetAppearance(const AppearanceSettings& appearance) {
  if (document_.Appearance == appearance) return;
  document_.Appearance = appearance;
  Notify(&ProgramObserver::AppearanceChanged);
}

void DocumentEditor::Restore(const Document& doc) {
  const bool parameters = document_.Params != doc.Params;
  const bool appearance = document_.Appearance != doc.Appearance;
  const bool graphs = document_.Graphs2D != doc.Graphs2D || document_.Graphs3D != doc.Graphs3D;
  // Assigned member by member: the list editors hold the lists themselves.
  document_ = doc;
  session_.Graphs2D().ShowSelectedGraph();
  session_.Graphs3D().ShowSelectedGraph();
  if (parameters) Notify(&ProgramObserver::ParametersChanged);
  if (appearance) Notify(&ProgramObserver::AppearanceChanged);
  if (graphs) Notify(&ProgramObserver::GraphsChanged);
}

void DocumentEditor::ResetAppearanceLists() {
  AppearanceSettings& a = document_.Appearance;
  a.AxesLineStyle = Solid;
  a.GridLineStyle = Dot;
  a.DrawMode3D = 2;
  a.MotionType = 0;
}

void DocumentEditor::Select2D(std::size_t index) {
  if (session_.Graphs2D().Selection() == index) return;
  session_.Graphs2D().Select(index);
  Notify(&ProgramObserver::GraphsChanged);
}

void DocumentEditor::Select3D(std::size_t index) {
  if (session_.Graphs3D().Selection() == index) return;
  session_.Graphs3D().Select(index);
  Notify(&ProgramObserver::GraphsChanged);
}

bool DocumentEditor::StoreGraph(bool stored) {
  if (!stored) {
    refusal_ = UnstorableFormulaText;
    status_.SetStatus(std::string(UnstorableFormulaText));
  }
  Notify(&ProgramObserver::GraphsChanged);
  return stored;
}

bool DocumentEditor::RefuseWhileBusy() {
  if (!work_.RefuseWhileBusy()) return false;
  refusal_ = BusyText;
  return true;
}

bool DocumentEditor::AddGraph2D(const std::string& text, const PlotP& entry) {
  if (RefuseWhileBusy()) return false;
  return StoreGraph(session_.Graphs2D().Add(text, entry));
}

bool DocumentEditor::AddGraph3D(const std::string& text, const PlotP3d& entry) {
  if (RefuseWhileBusy()) return false;
  return StoreGraph(session_.Graphs3D().Add(text, entry));
}

// With nothing selected there is nothing to edit; that is not an error.
bool DocumentEditor::EditGraph2D(const std::string& text, const PlotP& entry) {
  if (RefuseWhileBusy()) return false;
  if (!session_.Graphs2D().Selection()) return true;
  return StoreGraph(session_.Graphs2D().Edit(text, entry));
}

bool DocumentEditor::EditGraph3D(const std::string& text, const PlotP3d& entry) {
  if (RefuseWhileBusy()) return false;
  if (!session_.Graphs3D().Selection()) return true;
  return StoreGraph(session_.Graphs3D().Edit(text, entry));
}

void DocumentEditor::CutGraph2D() {
  if (work_.RefuseWhileBusy()) return;
  session_.Graphs2D().Cut();
  Notify(&ProgramObserver::GraphsChanged);
}

void DocumentEditor::CutGraph3D() {
  if (work_.RefuseWhileBusy()) return;
  session_.Graphs3D().Cut();
  Notify(&ProgramObserver::GraphsChanged);
}

void DocumentEditor::PasteGraph2D() {
  if (work_.RefuseWhileBusy()) return;
  session_.Graphs2D().Paste();
  Notify(&ProgramObserver::GraphsChanged);
}

void DocumentEditor::PasteGraph3D() {
  if (work_.RefuseWhileBusy()) return;
  session_.Graphs3D().Paste();
  Notify(&ProgramObserver::GraphsChanged);
}

}  // namespace lw
