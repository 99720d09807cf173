// The 2D scan values window: the values of every 2D graph at the scanned point, the
// through-point rewriting of an expression, bounds from the selection, and the seven
// scan options, which travel with the options file.
#pragma once

#include <QStyle>
#include <array>
#include <functional>
#include <vector>

#include "app/ProgramAnalysis.h"
#include "windows/WindowKit.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QVBoxLayout;
class QLineEdit;
class QTableWidget;
class QToolButton;

namespace lw {

// Pieces shared by the scan windows.
QToolButton* AddFlatButton(QWidget* parent, QHBoxLayout* bar, QStyle::StandardPixmap icon,
                           const char* hint);
QToolButton* AddFlatButton(QWidget* parent, QHBoxLayout* bar, const QIcon& icon, const char* hint);
// The two-column grid "Вирази :" / "Значення :".
QTableWidget* MakeValuesGrid(QWidget* parent);
// Columns the user can resize, no row numbers, long numbers cut in the middle.
void SetUpValuesColumns(QTableWidget* grid);
// Shows rows in the grid without reporting them back as edits.
void FillValuesGrid(QTableWidget* grid, const std::vector<ScanRow>& rows);
QLineEdit* MakeReadOnlyField(QWidget* parent);

// The frame of both scan windows: a margin-free column whose first row is the tool
// bar the window fills in.
struct ScanFrame {
  QVBoxLayout* column;
  QHBoxLayout* bar;
};
ScanFrame MakeScanFrame(QWidget* window);

class ScanWindow : public SecondaryWindow, private AnalysisObserver {
 public:
  ScanWindow(QWidget* parent, ProgramAnalysis& analysis);
  ~ScanWindow() override;
  // The options file was read: the session and the boxes take its options.
  void SyncOptions();
  QCheckBox* Option(int index) const { return options_[static_cast<std::size_t>(index)]; }
  QTableWidget* Grid() const { return grid_; }
  // The tool buttons, left to right (0..7).
  QToolButton* Button(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
  QLineEdit* XField() const { return xValue_; }
  QLineEdit* YField() const { return yValue_; }
  QFrame* BottomPanel() const { return panel_; }

  // The first tool button: the scanned points window.
  std::function<void()> OnShowPoints;

 private:
  void BuildToolBar(QHBoxLayout* bar);
  void BuildPanel();
  void ToggleOptionsPanel();
  std::size_t SelectedRow() const;

  // AnalysisObserver
  void ScanValuesChanged() override;
  void ScanValuesRequested() override;
  void ScanOptionsChanged() override;

  ProgramAnalysis& analysis_;
  QTableWidget* grid_;
  QFrame* panel_ = nullptr;
  QLineEdit* xName_ = nullptr;
  QLineEdit* xValue_ = nullptr;
  QLineEdit* yName_ = nullptr;
  QLineEdit* yValue_ = nullptr;
  QGroupBox* optionsGroup_ = nullptr;
  std::array<QCheckBox*, 7> options_{};
  std::array<QToolButton*, 8> buttons_{};
  bool optionsShown_ = false;
};

}  // namespace lw
