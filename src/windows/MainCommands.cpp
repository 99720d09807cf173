// The main window's command routing: each command of the menu and the tool panel
// goes to the program or opens its window.
#include <QAction>
#include <QMessageBox>
#include <array>
#include <cstddef>
#include <iterator>

#include "app/Navigator2D.h"
#include "app/Program2D.h"
#include "app/Program3D.h"
#include "app/ProgramAnalysis.h"
#include "windows/AboutWindow.h"
#include "windows/AppearanceWindow.h"
#include "windows/CalculatorWindow.h"
#include "windows/ConstantSlidersWindow.h"
#include "windows/Dialogs.h"
#include "windows/GraphListPanel.h"
#include "windows/HelpWindow.h"
#include "windows/IntegralWindow.h"
#include "windows/MainWindow.h"
#include "windows/NotepadWindow.h"
#include "windows/PaletteWindow.h"
#include "windows/ParamsWindow.h"
#include "windows/PictureCommands.h"
#include "windows/PlotView.h"
#include "windows/QtConvert.h"
#include "windows/Scan3DWindow.h"
#include "windows/ScanListWindow.h"
#include "windows/ScanWindow.h"

namespace lw {

namespace {

void Present(QWidget* window) {
  if (!window) return;
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

// What each command does, one entry per Command in the order of its declaration:
// a command added without an entry here, or out of order, stops the build.
const std::array<MainWindow::Handler, CommandCount>& MainWindow::Handlers() {
  using C = Command;
  using W = MainWindow&;
  struct Entry {
    Command command;
    Handler run;
  };
  static constexpr Entry kEntries[] = {
      {C::None, [](W) {}},
      {C::New, [](W w) { w.program_.NewFromTemplate(); }},
      {C::Open, [](W w) { w.program_.Open(); }},
      {C::Save, [](W w) { w.program_.Save(); }},
      {C::SaveAs, [](W w) { w.program_.SaveAs(); }},
      {C::Print, [](W w) { PrintViewCommand(&w, w.program_, w.dialogs_, w.SizedView3D()); }},
      {C::Exit, [](W w) { w.close(); }},
      {C::BuildAll2D,
       [](W w) {
         w.twoD_.BuildAll();
         w.activateWindow();
       }},
      {C::BuildSelected2D,
       [](W w) {
         w.twoD_.BuildSelected();
         w.activateWindow();
       }},
      {C::AddGraph2D,
       [](W w) {
         if (w.windows_.Params) w.windows_.Params->Graphs(false)->AddGraph();
       }},
      {C::Clear2D, [](W w) { w.twoD_.ClearPicture(); }},
      {C::Scan2D,
       [](W w) {
         w.analysis_.ShowScanValues(ScanPoint{0.0, 0.0});
       }},
      {C::ScannedPoints,
       [](W w) {
         if (w.windows_.ScanList) w.windows_.ScanList->Open();
       }},
      {C::ScanMode, [](W w) { w.analysis_.ToggleScanMode(); }},
      {C::TemporaryGrid, [](W w) { w.twoD_.ToggleTemporaryGrid(); }},
      {C::OpenPicture,
       [](W w) {
         if (OpenPicture2DCommand(&w, w.program_, w.dialogs_)) w.View2D()->update();
       }},
      {C::SavePicture, [](W w) { SavePicture2DCommand(&w, w.program_, w.dialogs_); }},
      {C::BuildAll3D,
       [](W w) {
         w.threeD_.BuildAll();
         w.activateWindow();
       }},
      {C::BuildSelected3D,
       [](W w) {
         w.threeD_.BuildSelected();
         w.activateWindow();
       }},
      {C::AddGraph3D,
       [](W w) {
         if (w.windows_.Params) w.windows_.Params->Graphs(true)->AddGraph();
       }},
      {C::Clear3D, [](W w) { w.threeD_.Clear(); }},
      {C::Scan3D,
       [](W w) {
         if (w.windows_.Scan3D) w.windows_.Scan3D->Open();
       }},
      {C::Save3DFrame,
       [](W w) { SaveFrame3DCommand(&w, w.program_, w.dialogs_, w.SizedView3D()); }},
      {C::Open3DFile, [](W w) { w.Open3DFileCommand(); }},
      {C::Save3DFile, [](W w) { w.Save3DFileCommand(); }},
      {C::Space2D, [](W w) { w.program_.SetSpace(SpaceMode::Space2D); }},
      {C::Space3D, [](W w) { w.program_.SetSpace(SpaceMode::Space3D); }},
      {C::ToolPanel, [](W w) { w.program_.SetShowToolPanel(!w.program_.ShowToolPanel()); }},
      {C::StatusBar, [](W w) { w.program_.SetShowStatusBar(!w.program_.ShowStatusBar()); }},
      {C::Hints, [](W w) { w.program_.SetShowHints(!w.program_.ShowHints()); }},
      {C::AskToSave, [](W w) { w.program_.SetAskToSave(!w.program_.AskToSave()); }},
      {C::BuildParameters, [](W w) { Present(static_cast<QWidget*>(w.windows_.Params)); }},
      {C::Appearance, [](W w) { Present(static_cast<QWidget*>(w.windows_.Appearance)); }},
      {C::Palette, [](W w) { Present(static_cast<QWidget*>(w.windows_.Palette)); }},
      {C::Calculator,
       [](W w) {
         if (w.windows_.Calculator) w.windows_.Calculator->ShowForInput();
       }},
      {C::Notepad,
       [](W w) {
         if (w.windows_.Notepad) w.windows_.Notepad->ShowForTyping();
       }},
      {C::Integral, [](W w) { Present(static_cast<QWidget*>(w.windows_.Integral)); }},
      {C::About,
       [](W w) {
         if (w.windows_.About) w.windows_.About->exec();
       }},
      {C::Help, [](W w) { w.OpenHelp(); }},
      {C::ConstantSliders2D, [](W w) { OpenConstantSliders(&w, w.program_, false); }},
      {C::ConstantSliders3D, [](W w) { OpenConstantSliders(&w, w.program_, true); }},
      {C::ZoomIn2D, [](W w) { w.program_.Navigation().ZoomAtMiddle(true); }},
      {C::ZoomOut2D, [](W w) { w.program_.Navigation().ZoomAtMiddle(false); }},
      {C::PanLeft2D, [](W w) { w.program_.Navigation().Pan(-1, 0); }},
      {C::PanRight2D, [](W w) { w.program_.Navigation().Pan(1, 0); }},
      {C::PanUp2D, [](W w) { w.program_.Navigation().Pan(0, 1); }},
      {C::PanDown2D, [](W w) { w.program_.Navigation().Pan(0, -1); }},
      {C::RestoreBounds2D, [](W w) { w.program_.Navigation().RestoreBounds(); }},
      {C::Undo, [](W w) { w.program_.History().Undo(); }},
      {C::Redo, [](W w) { w.program_.History().Redo(); }},
  };
  static_assert(std::size(kEntries) == CommandCount, "a command has no handler");
  static_assert(
      [] {
        for (std::size_t i = 0; i < CommandCount; ++i) {
          if (kEntries[i].command != Command(i)) return false;
        }
        return true;
      }(),
      "the handlers are not in the order of the Command enumeration");
  static const std::array<Handler, CommandCount> handlers = [] {
    std::array<Handler, CommandCount> all{};
    for (std::size_t i = 0; i < CommandCount; ++i) all[i] = kEntries[i].run;
    return all;
  }();
  return handlers;
}

void MainWindow::Run(Command command) {
  Handlers()[std::size_t(command)](*this);
}

void MainWindow::Open3DFileCommand() {
  if (auto chosen = dialogs_.OpenFileAndFilter(this, Q(std::string(Open3DTitle)), Q(Open3DFilter()),
                                               QString())) {
    const std::string path = S(chosen->path);
    threeD_.OpenFile(path, KindOfChoice(S(chosen->filter), path));
  }
}

void MainWindow::Save3DFileCommand() {
  // No default extension: the chosen line's is added below, after the typed name's
  // own extension has had its say.
  if (auto chosen = dialogs_.SaveFileAndFilter(this, Q(std::string(Save3DTitle)), Q(Save3DFilter()),
                                               QString())) {
    const SaveChoice save = SaveChoiceOf(S(chosen->filter), S(chosen->path));
    threeD_.SaveFile(save.path, save.kind);
  }
}

void MainWindow::OpenHelp() {
  // One help viewer for the whole run, made the first time it is asked for.
  auto* help = findChild<HelpWindow*>();
  if (!help) help = new HelpWindow(this);
  const QString path = Q(program_.HelpPath());
  if (!help->ShowContents(path)) {
    QMessageBox::warning(this, QStringLiteral("Linewright"),
                         QStringLiteral("Довідку не знайдено - ") + path);
  }
}

}  // namespace lw
