// The values of the 3D graphs at a typed point, and shifting an expression so that
// its surface passes through that point.
#pragma once

#include <array>

#include "app/ProgramAnalysis.h"
#include "windows/WindowKit.h"

class QLineEdit;
class QTableWidget;
class QToolButton;

namespace lw {

class Program;

class Scan3DWindow : public SecondaryWindow, private AnalysisObserver {
 public:
  Scan3DWindow(QWidget* parent, Program& program);
  ~Scan3DWindow() override;
  // The menu command: names from the build parameters, values at the typed point.
  void Open();
  QTableWidget* Grid() const { return grid_; }
  QLineEdit* Coordinate(int axis) const { return coordinates_[static_cast<std::size_t>(axis)]; }
  QLineEdit* Name(int axis) const { return names_[static_cast<std::size_t>(axis)]; }
  // The tool buttons, left to right.
  QToolButton* RefreshButton() const { return refresh_; }
  QToolButton* ThroughPointButton() const { return throughPoint_; }
  QToolButton* SaveButton() const { return save_; }
  QToolButton* CloseButton() const { return close_; }

 private:
  std::size_t SelectedRow() const;
  void Scan3DChanged() override;

  Program& program_;
  QTableWidget* grid_;
  std::array<QLineEdit*, 3> names_{};
  std::array<QLineEdit*, 3> coordinates_{};
  QToolButton* refresh_ = nullptr;
  QToolButton* throughPoint_ = nullptr;
  QToolButton* save_ = nullptr;
  QToolButton* close_ = nullptr;
};

}  // namespace lw
