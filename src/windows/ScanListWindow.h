// The list of scanned points of the 2D scan: delete one, clear them all, or show the
// values of the graphs at the selected one.
#pragma once

#include "app/ProgramAnalysis.h"
#include "windows/WindowKit.h"

class QTableWidget;
class QToolButton;

namespace lw {

class ScanListWindow : public SecondaryWindow, private AnalysisObserver {
 public:
  ScanListWindow(QWidget* parent, ProgramAnalysis& analysis);
  ~ScanListWindow() override;
  // Fills the grid and shows the window; with no points only the grid is reset.
  void Open();
  QTableWidget* Grid() const { return grid_; }
  QToolButton* DeleteButton() const { return delete_; }
  QToolButton* ClearButton() const { return clear_; }
  QToolButton* ValuesButton() const { return values_; }

 private:
  void FillGrid();
  int SelectedRow() const;
  void ScannedPointsChanged() override;

  ProgramAnalysis& analysis_;
  QTableWidget* grid_;
  QToolButton* delete_;
  QToolButton* clear_;
  QToolButton* values_;
};

}  // namespace lw
