// "Побудова :": the build parameters of both spaces on two pages, the graph lists,
// and the buttons that build.
#pragma once

#include <array>
#include <functional>

#include "app/DocumentEditor.h"
#include "windows/WindowKit.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace lw {

class GraphListPanel;
class GraphParamsDialog;

class ParamsWindow : public SecondaryWindow, public ProgramObserver {
 public:
  // The window edits the document through edits and hears of changes from observers;
  // new graphs take their colour from palette.
  ParamsWindow(QWidget* parent, DocumentEditor& edits, ProgramObservers& observers,
               const Palette& palette);
  // The graph-parameters dialog (window 10) is made after this window.
  void SetGraphDialog(GraphParamsDialog* dialog);
  ~ParamsWindow() override;

  // Shows the "2D" or the "3D" page.
  void ShowPage(bool threeD);
  bool ShowsPage3D() const;

  QLineEdit* Field(ParamField field) const { return fields_[static_cast<std::size_t>(field) - 1]; }
  QPlainTextEdit* Constants(bool threeD) const { return threeD ? memo2_ : memo1_; }
  QCheckBox* FlagBox(int number) const { return flags_[static_cast<std::size_t>(number - 1)]; }
  GraphListPanel* Graphs(bool threeD) const { return threeD ? graphs3D_ : graphs2D_; }
  QPushButton* BuildAllButton(bool threeD) const { return buildAll_[threeD ? 1 : 0]; }
  QPushButton* BuildSelectedButton(bool threeD) const { return buildSelected_[threeD ? 1 : 0]; }
  QPushButton* ScaleButton() const { return scaleButton_; }
  QPushButton* PageButton(bool threeD) const { return pageButtons_[threeD ? 1 : 0]; }

  // Opens the colour-scale window; the main window connects it.
  std::function<void()> OnScale;
  // The build buttons of both pages; the main window connects them, so a build from
  // here ends with the keyboard back in the main window as from its menu.
  std::function<void(bool selectedOnly)> OnBuild2D;
  std::function<void(bool selectedOnly)> OnBuild3D;

  void DocumentChanged() override;
  void ParametersChanged() override;
  void GraphsChanged() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* MakePage2D();
  QWidget* MakePage3D();
  void AddPageFoot(QWidget* page, QGridLayout* grid, bool threeD);
  QWidget* MakeBuildRow(bool threeD);
  void AddField(QGridLayout* grid, int row, ParamField field, const char* label, Colour colour);
  void ShowDocument();

  DocumentEditor& edits_;
  ProgramObservers& observers_;
  const Palette& palette_;
  bool showing_ = false;  // the controls are being set from the program
  std::array<QLineEdit*, 25> fields_{};
  std::array<QCheckBox*, 3> flags_{};
  QPlainTextEdit* memo1_ = nullptr;
  QPlainTextEdit* memo2_ = nullptr;
  GraphListPanel* graphs2D_ = nullptr;
  GraphListPanel* graphs3D_ = nullptr;
  std::array<QPushButton*, 2> buildAll_{};
  std::array<QPushButton*, 2> buildSelected_{};
  std::array<QPushButton*, 2> pageButtons_{};
  QPushButton* scaleButton_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QWidget* contents_ = nullptr;  // inside the scroll area
};

}  // namespace lw
