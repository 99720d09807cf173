// The list of scanned points of the 2D scan: delete one, clear them all, or show the
// values of the graphs at the selected one.
#pragma once

#include <array>

#include "app/ProgramAnalysis.h"
#include "windows/WindowKit.h"

class QTableWidget;
class QToolButton;

namespace lw {

class Program;

class ScanListWindow : public SecondaryWindow, private AnalysisObserver {
 public:
  ScanListWindow(QWidget* parent, Program& program);
  ~ScanListWindow() override;
  // Fills the grid and shows the window; with no points only the grid is reset.
  void Open();
  QTableWidget* Grid() const { return grid_; }
  // The tool buttons, left to right (0..3).
  QToolButton* Button(int index) const { return buttons_[static_cast<std::size_t>(index)]; }

 private:
  void FillGrid();
  int SelectedRow() const;
  void ScannedPointsChanged() override;

  Program& program_;
  QTableWidget* grid_;
  std::array<QToolButton*, 4> buttons_{};
};

}  // namespace lw
