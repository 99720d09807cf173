// The main window: menu, tool panel, status bar, and the 2D plot view or the 3D
// panel. It shows the program's state and routes every command.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/Program.h"
#include "app/ShutDown.h"
#include "windows/CommandTable.h"

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;

namespace lw {

class AboutWindow;
class AppearanceWindow;
class CalculatorWindow;
class ColourScaleWindow;
class Dialogs;
class GraphParamsDialog;
class IntegralWindow;
class MessageWindow;
class NotepadWindow;
class PaletteWindow;
class ParamsWindow;
class PlotView;
class ProgressWindow;
class SavePromptWindow;
class Scan3DWindow;
class ScanListWindow;
class ScanWindow;
class ToolPanel;

// Windows 2 to 16, owned by the main window as their Qt parent.
struct SecondaryWindows {
  AboutWindow* About = nullptr;
  ParamsWindow* Params = nullptr;
  SavePromptWindow* SavePrompt = nullptr;
  ColourScaleWindow* ColourScale = nullptr;
  CalculatorWindow* Calculator = nullptr;
  NotepadWindow* Notepad = nullptr;
  ProgressWindow* Progress = nullptr;
  MessageWindow* Message = nullptr;
  GraphParamsDialog* GraphParams = nullptr;
  AppearanceWindow* Appearance = nullptr;
  ScanWindow* Scan = nullptr;
  ScanListWindow* ScanList = nullptr;
  Scan3DWindow* Scan3D = nullptr;
  PaletteWindow* Palette = nullptr;
  IntegralWindow* Integral = nullptr;
};

class MainWindow : public QMainWindow, public ProgramObserver, public UserQuestions {
 public:
  MainWindow(Program& program, Dialogs& dialogs);
  ~MainWindow() override;

  SecondaryWindows& Windows() { return windows_; }
  // Every window in creation order, this one first.
  std::vector<QWidget*> WindowsInOrder() const;

  // The one-time start-up: options file, the document to reopen, the defaults of
  // the appearance lists, the notepad's look, and the placement timer.
  void StartUp(const std::vector<std::string>& arguments);
  void Run(Command command);
  // Offers back, one by one, the unsaved documents of programs that were killed; the
  // first one taken is opened, each one declined is dropped.
  void OfferRecovery();

  QAction* Action(Command command) const;
  QLabel* StatusLabel() const { return statusLabel_; }
  ToolPanel* Tools() const { return toolPanel_; }
  PlotView* View2D() const { return plotView_; }
  QWidget* View3D() const { return panel3D_; }
  bool PlacementPending() const { return placementTimer_.isActive() || settleTimer_.isActive(); }
  void SetPlacementDelay(int milliseconds) { placementTimer_.setInterval(milliseconds); }
  // Runs once the close request was granted and the options were written. A close
  // asked for while work runs is granted (or not) only after the work has ended.
  std::function<void()> OnClosed;

  // ProgramObserver
  void StatusChanged() override;
  void OptionsChanged() override;
  void SpaceChanged() override;
  void CaptionChanged() override;
  void PictureChanged() override;

  // UserQuestions
  PromptAnswer AskToSaveChanges() override;
  std::optional<std::string> ChooseFileToOpen() override;
  std::optional<std::string> ChooseFileToSave() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  using Handler = void (*)(MainWindow& window);
  static const std::array<Handler, CommandCount>& Handlers();
  void BuildMenus();
  // The 3D panel at the size it has when shown, for pictures taken of it.
  QWidget* SizedView3D();
  void Open3DFileCommand();
  void Save3DFileCommand();
  void ApplyHintsEverywhere();
  void ApplyPlacement();
  // Moves the window's frame to where the options file placed it, once the window
  // manager has taken the window out of the maximised state.
  void SettlePlacement();
  void OpenHelp();
  WindowPlacement Placement();

  Program& program_;
  // The parts of the program the main window's own views and commands work on.
  Program2D& twoD_;
  Program3D& threeD_;
  ProgramAnalysis& analysis_;
  Dialogs& dialogs_;
  SecondaryWindows windows_;
  std::map<Command, QAction*> actions_;
  std::vector<QMenu*> menus_;
  QStackedWidget* views_ = nullptr;
  PlotView* plotView_ = nullptr;
  QWidget* panel3D_ = nullptr;  // the OpenGL view, or a black panel without OpenGL
  ToolPanel* toolPanel_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QTimer placementTimer_;
  std::optional<WindowBounds> restoreBounds_;
  QTimer settleTimer_;
  std::optional<QPoint> placedAt_;  // the frame position being settled
  int settleChecks_ = 0;
  ShutDown shutDown_;
  QMetaObject::Connection focusWatch_;
};

}  // namespace lw
