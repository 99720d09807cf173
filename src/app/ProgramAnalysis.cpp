#include "app/ProgramAnalysis.h"

#include <algorithm>

#include "app/StatusTexts.h"
#include "document/ParametricText.h"
#include "formula/FormulaParser.h"
#include "formula/NumberFormat.h"

namespace lw {

namespace {

constexpr std::array<ParamField, 4> kBoundFields{ParamField::XStart, ParamField::XEnd,
                                                 ParamField::YStart, ParamField::YEnd};
constexpr std::array<ParamField, 3> kNameFields3D{ParamField::VarX3D, ParamField::VarY3D,
                                                  ParamField::VarZ3D};

// Sets a cell of a grid row; false when it already held the text.
bool SetCell(std::vector<ScanRow>& rows, std::size_t row, int column, const std::string& text) {
  if (row >= rows.size() || column < 0 || column > 1) return false;
  std::string& cell = column == 0 ? rows[row].expression : rows[row].value;
  if (cell == text) return false;
  cell = text;
  return true;
}

}  // namespace

ProgramAnalysis::ProgramAnalysis(const AnalysisInputs& inputs)
    : in_(inputs), scan_(inputs.picture, inputs.view) {
  in_.observers.Add(this);
}

ProgramAnalysis::~ProgramAnalysis() {
  in_.observers.Remove(this);
}

void ProgramAnalysis::AddObserver(AnalysisObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void ProgramAnalysis::RemoveObserver(AnalysisObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void ProgramAnalysis::PictureChanged() {
  if (!band_) return;
  band_.reset();
  Notify(&AnalysisObserver::SelectionBandChanged);
}

void ProgramAnalysis::MarksChanged() {
  PresentPicture();
  Notify(&AnalysisObserver::ScannedPointsChanged);
}

// ----- 2D scanning -----

void ProgramAnalysis::TakeStoredOptions() {
  if (storedOptions_ == scan_.Options()) return;
  scan_.SetOptions(storedOptions_);
  PresentPicture();
  Notify(&AnalysisObserver::ScanOptionsChanged);
}

void ProgramAnalysis::SetScanOption(int index, bool on) {
  if (index < 0 || index >= ScanOptionCount) return;
  const auto i = static_cast<std::size_t>(index);
  if (scan_.Options()[i] == on) return;
  scan_.SetOption(static_cast<ScanOption>(index), on);
  storedOptions_[i] = on;
  PresentPicture();
  Notify(&AnalysisObserver::ScanOptionsChanged);
}

void ProgramAnalysis::ToggleScanMode() {
  if (in_.work.RefuseWhileBusy()) return;
  scan_.ToggleScanMode();
  if (!scan_.ScanMode()) in_.status.SetStatus(std::string(ReadyText));
  in_.observers.Notify(&ProgramObserver::OptionsChanged);
  PresentPicture();
}

// The scan marks live in the picture, which a running build replaces when it ends:
// scanning waits for the build.
void ProgramAnalysis::ButtonDown(int column, int row) {
  if (in_.work.Busy()) return;
  scan_.ButtonDown(column, row);
  if (!scan_.Options()[SelectArea] || !band_) return;
  band_.reset();
  Notify(&AnalysisObserver::SelectionBandChanged);
}

void ProgramAnalysis::PointerMoved(int column, int row) {
  if (in_.work.Busy()) return;
  ShowPointerPosition(column, row);
  if (!scan_.DragTo(column, row)) return;
  band_ = scan_.Selection();
  Notify(&AnalysisObserver::SelectionBandChanged);
}

void ProgramAnalysis::ButtonUp(int column, int row) {
  if (in_.work.RefuseWhileBusy()) return;
  const ScanSession::Click click = scan_.ScanAt(column, row, !in_.edits.Doc().Graphs2D.Empty());
  if (!click.taken) return;
  if (click.showValues) ShowScanValues(click.point);
  MarksChanged();
}

void ProgramAnalysis::ShowPointerPosition(int px, int py) {
  if (!scan_.ScanMode()) return;
  const char separator = SystemDecimalSeparator();
  const BuildParameters& p = in_.edits.Doc().Params;
  in_.status.SetStatus(
      p.Field(ParamField::VarX) + ": " + FormatGeneral(in_.view.WorldX(px), separator) + "    " +
      p.Field(ParamField::VarY) + ": " + FormatGeneral(in_.view.WorldY(py), separator));
}

void ProgramAnalysis::ShowScanValues(const ScanPoint& point) {
  panel_ = ComputeScanValues(in_.edits.Doc().Graphs2D, in_.edits.Doc().Params, in_.validated2D,
                             in_.explicitParser, point, SystemDecimalSeparator());
  Notify(&AnalysisObserver::ScanValuesChanged);
  Notify(&AnalysisObserver::ScanValuesRequested);
}

void ProgramAnalysis::EditScanCell(std::size_t row, int column, const std::string& text) {
  if (SetCell(panel_.rows, row, column, text)) Notify(&AnalysisObserver::ScanValuesChanged);
}

bool ProgramAnalysis::RefuseCurveRow(std::size_t row) {
  const PlotList2D& graphs = in_.edits.Doc().Graphs2D;
  if (row >= graphs.Count() || !IsParameterCurve(graphs.At(row).Kind)) return false;
  in_.status.SetStatus(std::string(CurveThroughPointText));
  return true;
}

void ProgramAnalysis::RelationThroughPoint(std::size_t row) {
  if (row >= panel_.rows.size() || RefuseCurveRow(row)) return;
  if (lw::RelationThroughPoint(panel_.rows[row])) Notify(&AnalysisObserver::ScanValuesChanged);
}

void ProgramAnalysis::FunctionThroughPoint(std::size_t row) {
  if (row >= panel_.rows.size() || RefuseCurveRow(row)) return;
  if (lw::FunctionThroughPoint(panel_.rows[row], panel_.yText))
    Notify(&AnalysisObserver::ScanValuesChanged);
}

// Through the program's list commands, so that the windows hear of the change and a
// text the document could not store is refused there.
void ProgramAnalysis::SaveScanExpressions() {
  const auto selection = in_.edits.Graphs2D().Selection();
  const std::size_t count = std::min(panel_.rows.size(), in_.edits.Doc().Graphs2D.Count());
  for (std::size_t j = 0; j < count; ++j) {
    if (in_.edits.Doc().Graphs2D.Text(j) == panel_.rows[j].expression) continue;
    in_.edits.Select2D(j);
    in_.edits.EditGraph2D(panel_.rows[j].expression, in_.edits.Doc().Graphs2D.At(j));
  }
  if (selection) in_.edits.Select2D(*selection);
}

std::array<std::string, 2> ProgramAnalysis::PointColumns() const {
  const BuildParameters& p = in_.edits.Doc().Params;
  return {p.Field(ParamField::VarX), p.Field(ParamField::VarY)};
}

std::vector<std::array<std::string, 2>> ProgramAnalysis::PointRows() const {
  return ScannedPointRows(scan_.Points(), SystemDecimalSeparator());
}

void ProgramAnalysis::DeletePoint(int row) {
  if (!scan_.PointAt(row)) return;
  scan_.DeletePoint(row);
  MarksChanged();
}

void ProgramAnalysis::ClearPoints() {
  scan_.ClearPoints();
  MarksChanged();
}

void ProgramAnalysis::ScanValuesAtPoint(int row) {
  if (const auto point = scan_.PointAt(row)) ShowScanValues(*point);
}

void ProgramAnalysis::BoundsFromSelection() {
  BuildParameters copy = in_.edits.Doc().Params;
  bounds_.FromSelection(copy, scan_.Selection(), scan_.Mapping(), SystemDecimalSeparator());
  for (ParamField field : kBoundFields) in_.edits.SetField(field, copy.Field(field));
}

void ProgramAnalysis::RestoreBounds() {
  for (std::size_t i = 0; i < kBoundFields.size(); ++i)
    in_.edits.SetField(kBoundFields[i], bounds_.Saved()[i]);
}

// ----- 3D scanning -----

void ProgramAnalysis::Open3DScan() {
  for (std::size_t i = 0; i < kNameFields3D.size(); ++i)
    panel3D_.names[i] = in_.edits.Doc().Params.Field(kNameFields3D[i]);
  Refresh3DScan();
  Notify(&AnalysisObserver::Scan3DChanged);
}

void ProgramAnalysis::SetCoordinate(int axis, const std::string& text) {
  if (axis < 0 || axis > 2) return;
  std::string& field = panel3D_.coordinates[static_cast<std::size_t>(axis)];
  if (field == text) return;
  field = text;
  Notify(&AnalysisObserver::Scan3DChanged);
}

void ProgramAnalysis::Edit3DCell(std::size_t row, int column, const std::string& text) {
  if (SetCell(panel3D_.rows, row, column, text)) Notify(&AnalysisObserver::Scan3DChanged);
}

bool ProgramAnalysis::Refresh3DScan() {
  const Scan3DResult result = lw::Refresh3DScan(
      in_.edits.Doc().Graphs3D, in_.edits.Doc().Params, in_.validated3D, in_.surfaceParser,
      panel3D_.coordinates, panel3D_.rows, SystemDecimalSeparator());
  if (!result.ok) in_.status.SetStatus(result.message);
  Notify(&AnalysisObserver::Scan3DChanged);
  return result.ok;
}

void ProgramAnalysis::FunctionThroughPoint3D(std::size_t row) {
  const Scan3DResult result = lw::FunctionThroughPoint3D(
      in_.edits.Doc().Graphs3D, in_.edits.Doc().Params, in_.validated3D, in_.surfaceParser,
      panel3D_.coordinates, row, panel3D_.rows, SystemDecimalSeparator());
  if (!result.ok) in_.status.SetStatus(result.message);
  Notify(&AnalysisObserver::Scan3DChanged);
}

void ProgramAnalysis::Save3DScanExpressions() {
  const auto selection = in_.edits.Graphs3D().Selection();
  const std::size_t count = std::min(panel3D_.rows.size(), in_.edits.Doc().Graphs3D.Count());
  for (std::size_t j = 0; j < count; ++j) {
    if (in_.edits.Doc().Graphs3D.Text(j) == panel3D_.rows[j].expression) continue;
    in_.edits.Select3D(j);
    in_.edits.EditGraph3D(panel3D_.rows[j].expression, in_.edits.Doc().Graphs3D.At(j));
  }
  if (selection) in_.edits.Select3D(*selection);
}

// ----- calculator and integral -----

void ProgramAnalysis::SetCalculatorClearsInput(bool on) {
  if (calculatorClearsInput_ == on) return;
  calculatorClearsInput_ = on;
  in_.observers.Notify(&ProgramObserver::OptionsChanged);
}

std::shared_ptr<IntegralFeedback> ProgramAnalysis::StartIntegral(
    const IntegralRequest& request, std::function<void(bool stopped)> done) {
  auto feedback = std::make_shared<IntegralFeedback>();
  const char separator = SystemDecimalSeparator();
  const bool started = in_.work.Start(
      [this, request, feedback, separator](WorkControl& control, WorkFeedback&) {
        integrator_.Calculate(request, *feedback, separator, &control);
      },
      std::move(done));
  return started ? feedback : nullptr;
}

}  // namespace lw
