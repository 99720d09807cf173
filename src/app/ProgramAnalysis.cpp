#include "app/ProgramAnalysis.h"

#include <algorithm>

#include "formula/FormulaParser.h"

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

ProgramAnalysis::ProgramAnalysis(Program& program, PlotPicture& picture, const View2D& view)
    : program_(program), scan_(picture, view) {
  program_.AddObserver(this);
}

ProgramAnalysis::~ProgramAnalysis() {
  program_.RemoveObserver(this);
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
  program_.PresentPicture();
  Notify(&AnalysisObserver::ScannedPointsChanged);
}

// ----- 2D scanning -----

void ProgramAnalysis::TakeStoredOptions() {
  ScanOptions options{};
  std::copy(program_.ScanOptions().begin(), program_.ScanOptions().end(), options.begin());
  if (options == scan_.Options()) return;
  scan_.SetOptions(options);
  program_.PresentPicture();
  Notify(&AnalysisObserver::ScanOptionsChanged);
}

void ProgramAnalysis::SetScanOption(int index, bool on) {
  if (index < 0 || index >= ScanOptionCount) return;
  const auto i = static_cast<std::size_t>(index);
  if (scan_.Options()[i] == on) return;
  scan_.SetOption(static_cast<ScanOption>(index), on);
  program_.ScanOptions()[i] = on;
  program_.PresentPicture();
  Notify(&AnalysisObserver::ScanOptionsChanged);
}

// The scan marks live in the picture, which a running build replaces when it ends:
// scanning waits for the build.
void ProgramAnalysis::ButtonDown(int column, int row) {
  if (program_.Busy()) return;
  scan_.ButtonDown(column, row);
  if (!scan_.Options()[SelectArea] || !band_) return;
  band_.reset();
  Notify(&AnalysisObserver::SelectionBandChanged);
}

void ProgramAnalysis::PointerMoved(int column, int row) {
  if (program_.Busy()) return;
  program_.ShowPointerPosition(column, row);
  if (!scan_.DragTo(column, row)) return;
  band_ = scan_.Selection();
  Notify(&AnalysisObserver::SelectionBandChanged);
}

void ProgramAnalysis::ButtonUp(int column, int row) {
  if (program_.RefuseWhileBusy()) return;
  const ScanSession::Click click = scan_.ScanAt(column, row, !program_.Doc().Graphs2D.Empty());
  if (!click.taken) return;
  if (click.showValues) ShowScanValues(click.point);
  MarksChanged();
}

void ProgramAnalysis::ShowScanValues(const ScanPoint& point) {
  panel_ = ComputeScanValues(program_.Doc().Graphs2D, program_.Doc().Params, program_.Validated2D(),
                             program_.ExplicitParser(), point, Program::DecimalSeparator());
  Notify(&AnalysisObserver::ScanValuesChanged);
  Notify(&AnalysisObserver::ScanValuesRequested);
}

void ProgramAnalysis::EditScanCell(std::size_t row, int column, const std::string& text) {
  if (SetCell(panel_.rows, row, column, text)) Notify(&AnalysisObserver::ScanValuesChanged);
}

void ProgramAnalysis::RelationThroughPoint(std::size_t row) {
  if (row >= panel_.rows.size()) return;
  if (lw::RelationThroughPoint(panel_.rows[row])) Notify(&AnalysisObserver::ScanValuesChanged);
}

void ProgramAnalysis::FunctionThroughPoint(std::size_t row) {
  if (row >= panel_.rows.size()) return;
  if (lw::FunctionThroughPoint(panel_.rows[row], panel_.yText))
    Notify(&AnalysisObserver::ScanValuesChanged);
}

// Through the program's list commands, so that the windows hear of the change and a
// text the document could not store is refused there.
void ProgramAnalysis::SaveScanExpressions() {
  const auto selection = program_.Graphs2D().Selection();
  const std::size_t count = std::min(panel_.rows.size(), program_.Doc().Graphs2D.Count());
  for (std::size_t j = 0; j < count; ++j) {
    if (program_.Doc().Graphs2D.Text(j) == panel_.rows[j].expression) continue;
    program_.Select2D(j);
    program_.EditGraph2D(panel_.rows[j].expression, program_.Doc().Graphs2D.At(j));
  }
  if (selection) program_.Select2D(*selection);
}

std::vector<std::array<std::string, 2>> ProgramAnalysis::PointRows() const {
  return ScannedPointRows(scan_.Points(), Program::DecimalSeparator());
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
  BuildParameters copy = program_.Doc().Params;
  bounds_.FromSelection(copy, scan_.Selection(), scan_.Mapping(), Program::DecimalSeparator());
  for (ParamField field : kBoundFields) program_.SetField(field, copy.Field(field));
}

void ProgramAnalysis::RestoreBounds() {
  for (std::size_t i = 0; i < kBoundFields.size(); ++i)
    program_.SetField(kBoundFields[i], bounds_.Saved()[i]);
}

// ----- 3D scanning -----

void ProgramAnalysis::Open3DScan() {
  for (std::size_t i = 0; i < kNameFields3D.size(); ++i)
    panel3D_.names[i] = program_.Doc().Params.Field(kNameFields3D[i]);
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
      program_.Doc().Graphs3D, program_.Doc().Params, program_.Validated3D(),
      program_.SurfaceParser(), panel3D_.coordinates, panel3D_.rows, Program::DecimalSeparator());
  if (!result.ok) program_.SetStatus(result.message);
  Notify(&AnalysisObserver::Scan3DChanged);
  return result.ok;
}

void ProgramAnalysis::FunctionThroughPoint3D(std::size_t row) {
  const Scan3DResult result = lw::FunctionThroughPoint3D(
      program_.Doc().Graphs3D, program_.Doc().Params, program_.Validated3D(),
      program_.SurfaceParser(), panel3D_.coordinates, row, panel3D_.rows,
      Program::DecimalSeparator());
  if (!result.ok) program_.SetStatus(result.message);
  Notify(&AnalysisObserver::Scan3DChanged);
}

void ProgramAnalysis::Save3DScanExpressions() {
  const auto selection = program_.Graphs3D().Selection();
  const std::size_t count = std::min(panel3D_.rows.size(), program_.Doc().Graphs3D.Count());
  for (std::size_t j = 0; j < count; ++j) {
    if (program_.Doc().Graphs3D.Text(j) == panel3D_.rows[j].expression) continue;
    program_.Select3D(j);
    program_.EditGraph3D(panel3D_.rows[j].expression, program_.Doc().Graphs3D.At(j));
  }
  if (selection) program_.Select3D(*selection);
}

}  // namespace lw
