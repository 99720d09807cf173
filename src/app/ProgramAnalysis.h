// The analysis state of the desktop program: the 2D scan session with its values
// panel, point list, selection, saved bounds and stored options; the 3D scan panel;
// the calculator and the integral engine. What it reads and edits is handed over at
// construction (AnalysisInputs). No widgets: the analysis windows show what this
// holds and forward their buttons here.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Calculator.h"
#include "analysis/Integral.h"
#include "analysis/Scan3D.h"
#include "analysis/ScanSession.h"
#include "analysis/ScanValues.h"
#include "app/DocumentEditor.h"
#include "app/IntegralFeedback.h"
#include "app/LongWork.h"
#include "app/ProgramObserver.h"
#include "document/OptionsFile.h"

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

// What the analysis tools read and change, and where they report.
struct AnalysisInputs {
  DocumentEditor& edits;  // the document; saved expressions and bounds go through it
  const Params2D& validated2D;
  const Params3D& validated3D;
  FormulaParser& explicitParser;
  FormulaParser& surfaceParser;
  StatusSink& status;
  LongWork& work;               // scanning waits while long work runs
  ProgramObservers& observers;  // the scan marks changed the picture; it was presented
  PlotPicture& picture;         // where the scan marks are drawn
  const View2D& view;           // the 2D mapping the pointer is read through
};

class ProgramAnalysis : public ProgramObserver {
 public:
  explicit ProgramAnalysis(const AnalysisInputs& inputs);
  ~ProgramAnalysis() override;
  ProgramAnalysis(const ProgramAnalysis&) = delete;
  ProgramAnalysis& operator=(const ProgramAnalysis&) = delete;

  void AddObserver(AnalysisObserver* observer);
  void RemoveObserver(AnalysisObserver* observer);

  // ----- 2D scanning -----
  ScanSession& Scan() { return scan_; }
  const ScanSession& Scan() const { return scan_; }
  // The seven options as the options file carries them: read at start-up, kept in
  // step with every change the scan window makes.
  const ScanOptions& StoredOptions() const { return storedOptions_; }
  void SetStoredOptions(const ScanOptions& options) { storedOptions_ = options; }
  // The scan window takes the stored options into the session.
  void TakeStoredOptions();
  // A click on one of the seven check boxes.
  void SetScanOption(int index, bool on);

  // Scan mode: the pointer's position in the status bar, clicks scan. Entering it draws
  // the marks of the scanned points, leaving it removes them.
  bool ScanMode() const { return scan_.ScanMode(); }
  void ToggleScanMode();

  // In scan mode, the world point under the pointer (a pixel of the plot view) as the
  // status text: "X: 1.5    Y: -2".
  void ShowPointerPosition(int px, int py);
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
  // Neither shift applies to a curve of T (its row has no value): the status bar
  // says so.
  void RelationThroughPoint(std::size_t row);
  void FunctionThroughPoint(std::size_t row);
  void SaveScanExpressions();

  // The scanned points window: its column titles (the 2D variable names), its rows,
  // and the operations on a 1-based row.
  std::array<std::string, 2> PointColumns() const;
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
  // The calculator's option "Очищати ввід", which the options file carries.
  bool CalculatorClearsInput() const { return calculatorClearsInput_; }
  void SetCalculatorClearsInput(bool on);
  Integrator& Integral() { return integrator_; }
  // Calculates the integral beside the interface: its lines and progress, for the
  // window to take on its own timer; done runs on this thread at the end. Nothing,
  // with BusyText, while other long work runs.
  std::shared_ptr<IntegralFeedback> StartIntegral(const IntegralRequest& request,
                                                  std::function<void(bool stopped)> done);
  // Asks the running integral to stop; safe at any time.
  void StopIntegral() { in_.work.Stop(); }

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
  // True, with the reason in the status bar, when row j is a curve of T.
  bool RefuseCurveRow(std::size_t row);
  void PresentPicture() { in_.observers.Notify(&ProgramObserver::PictureChanged); }

  AnalysisInputs in_;
  std::vector<AnalysisObserver*> observers_;
  ScanSession scan_;
  ScanOptions storedOptions_ = Options{}.ScanOptions;
  std::optional<SelectionRect> band_;
  ScanValuesPanel panel_;
  BoundsMemory bounds_;
  Scan3DPanel panel3D_;
  Calculator calculator_;
  bool calculatorClearsInput_ = Options{}.CalculatorClearInput;
  Integrator integrator_;
};

}  // namespace lw
