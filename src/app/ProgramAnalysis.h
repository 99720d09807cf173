// The analysis state of the desktop program: the 2D scan session with its values
// panel, point list, selection and saved bounds; the 3D scan panel; the calculator
// and the integral engine. No widgets: the analysis windows show what this holds
// and forward their buttons here.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Calculator.h"
#include "analysis/Integral.h"
#include "analysis/Scan3D.h"
#include "analysis/ScanSession.h"
#include "analysis/ScanValues.h"
#include "app/Program.h"

namespace lw {

// What the analysis windows follow; each notification says which part changed.
class AnalysisObserver {
 public:
  virtual ~AnalysisObserver() = default;
  virtual void ScanValuesChanged() {}    // rows or fields of the 2D scan values panel
  virtual void ScanValuesRequested() {}  // the panel was filled for a point: show it
  virtual void ScannedPointsChanged() {}
  virtual void ScanOptionsChanged() {}
  virtual void SelectionBandChanged() {}  // the rubber band shown on the plot view
  virtual void Scan3DChanged() {}
};

// The 3D scan window's contents.
struct Scan3DPanel {
  std::array<std::string, 3> names;  // VarX3D, VarY3D, VarZ3D as typed
  Coordinates3D coordinates{"0.0", "0.0", "0.0"};
  std::vector<ScanRow> rows;
};

class ProgramAnalysis : public ProgramObserver {
 public:
  ProgramAnalysis(Program& program, PlotPicture& picture, const View2D& view);
  ~ProgramAnalysis() override;
  ProgramAnalysis(const ProgramAnalysis&) = delete;
  ProgramAnalysis& operator=(const ProgramAnalysis&) = delete;

  void AddObserver(AnalysisObserver* observer);
  void RemoveObserver(AnalysisObserver* observer);

  // ----- 2D scanning -----
  ScanSession& Scan() { return scan_; }
  const ScanSession& Scan() const { return scan_; }
  // The options file was read: the session takes its seven options.
  void TakeStoredOptions();
  // A click on one of the seven check boxes.
  void SetScanOption(int index, bool on);

  // Mouse events of the plot view, in its pixels.
  void ButtonDown(int column, int row);
  void PointerMoved(int column, int row);
  void ButtonUp(int column, int row);
  // The selection rectangle while it is shown on the plot view.
  const std::optional<SelectionRect>& Band() const { return band_; }

  // Fills the values panel for a world point and asks for the window.
  void ShowScanValues(const ScanPoint& point);
  const ScanValuesPanel& Panel() const { return panel_; }
  // The user edited a cell of the values grid (row: graph index; column 0 or 1).
  void EditScanCell(std::size_t row, int column, const std::string& text);
  void RelationThroughPoint(std::size_t row);
  void FunctionThroughPoint(std::size_t row);
  void SaveScanExpressions();

  // The scanned points window: its rows, and the operations on a 1-based row.
  std::vector<std::array<std::string, 2>> PointRows() const;
  void DeletePoint(int row);
  void ClearPoints();
  void ScanValuesAtPoint(int row);

  void BoundsFromSelection();
  void RestoreBounds();

  // ----- 3D scanning -----
  const Scan3DPanel& Panel3D() const { return panel3D_; }
  void Open3DScan();
  void SetCoordinate(int axis, const std::string& text);
  void Edit3DCell(std::size_t row, int column, const std::string& text);
  // False, with the reason in the status bar, when a coordinate cannot be read.
  bool Refresh3DScan();
  void FunctionThroughPoint3D(std::size_t row);
  void Save3DScanExpressions();

  // ----- calculator and integral -----
  Calculator& Calc() { return calculator_; }
  Integrator& Integral() { return integrator_; }

  // ProgramObserver: presenting the picture repaints the view, which takes the
  // rubber band away.
  void PictureChanged() override;

 private:
  template <class Fn>
  void Notify(Fn fn) {
    const auto copy = observers_;
    for (AnalysisObserver* o : copy) (o->*fn)();
  }
  void MarksChanged();

  Program& program_;
  std::vector<AnalysisObserver*> observers_;
  ScanSession scan_;
  std::optional<SelectionRect> band_;
  ScanValuesPanel panel_;
  BoundsMemory bounds_;
  Scan3DPanel panel3D_;
  Calculator calculator_;
  Integrator integrator_;
};

}  // namespace lw
