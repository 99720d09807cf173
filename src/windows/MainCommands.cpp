// The main window's command routing: each command of the menu and the tool panel
// goes to the program or opens its window.
#include <QAction>
#include <QMessageBox>

#include "AboutWindow.h"
#include "AppearanceWindow.h"
#include "CalculatorWindow.h"
#include "ConstantSlidersWindow.h"
#include "Dialogs.h"
#include "GraphListPanel.h"
#include "HelpWindow.h"
#include "IntegralWindow.h"
#include "MainWindow.h"
#include "NotepadWindow.h"
#include "PaletteWindow.h"
#include "ParamsWindow.h"
#include "PictureCommands.h"
#include "PlotView.h"
#include "Program3D.h"
#include "ProgramAnalysis.h"
#include "QtConvert.h"
#include "Scan3dWindow.h"
#include "ScanListWindow.h"
#include "ScanWindow.h"

namespace lw {

namespace {

void Present(QWidget* window) {
  if (!window) return;
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void MainWindow::Run(Command command) {
  switch (command) {
    case Command::New:
    case Command::Open:
    case Command::Save:
    case Command::SaveAs:
      RunDocumentCommand(command);
      return;
    case Command::Exit:
      close();
      return;
    case Command::BuildAll2D:
      program_.BuildAll2D();
      activateWindow();
      return;
    case Command::BuildSelected2D:
      program_.BuildSelected2D();
      activateWindow();
      return;
    case Command::AddGraph2D:
      if (windows_.Params) windows_.Params->Graphs(false)->AddGraph();
      return;
    case Command::AddGraph3D:
      if (windows_.Params) windows_.Params->Graphs(true)->AddGraph();
      return;
    case Command::Clear2D:
      program_.ClearPicture();
      return;
    case Command::ScanMode:
      program_.ToggleScanMode();
      return;
    case Command::TemporaryGrid:
      program_.ToggleTemporaryGrid();
      return;
    case Command::BuildAll3D:
      program_.ThreeD().BuildAll();
      activateWindow();
      return;
    case Command::BuildSelected3D:
      program_.ThreeD().BuildSelected();
      activateWindow();
      return;
    case Command::Clear3D:
      program_.ThreeD().Clear();
      return;
    case Command::Open3DFile:
      if (auto chosen = dialogs_.OpenFileAndFilter(this, Q(std::string(Open3DTitle)),
                                                   Q(Open3DFilter()), QString())) {
        const std::string path = S(chosen->path);
        program_.ThreeD().OpenFile(path, KindOfChoice(S(chosen->filter), path));
      }
      return;
    case Command::Save3DFile:
      if (auto chosen =
              dialogs_.SaveFileAndFilter(this, Q(std::string(Save3DTitle)), Q(Save3DFilter()),
                                         Q(std::string(Save3DExtension)))) {
        const std::string path = S(chosen->path);
        program_.ThreeD().SaveFile(path, KindOfSaveChoice(S(chosen->filter), path));
      }
      return;
    case Command::Space2D:
      program_.SetSpace(SpaceMode::Space2D);
      return;
    case Command::Space3D:
      program_.SetSpace(SpaceMode::Space3D);
      return;
    case Command::ToolPanel:
      program_.SetShowToolPanel(!program_.ShowToolPanel());
      return;
    case Command::StatusBar:
      program_.SetShowStatusBar(!program_.ShowStatusBar());
      return;
    case Command::Hints:
      program_.SetShowHints(!program_.ShowHints());
      return;
    case Command::AskToSave:
      program_.SetAskToSave(!program_.AskToSave());
      return;
    case Command::Help:
      OpenHelp();
      return;
    default:
      RunWindowCommand(command);
      return;
  }
}

void MainWindow::RunDocumentCommand(Command command) {
  switch (command) {
    case Command::New:
      program_.NewFromTemplate();
      break;
    case Command::Open:
      program_.Open();
      break;
    case Command::Save:
      program_.Save();
      break;
    case Command::SaveAs:
      program_.SaveAs();
      break;
    default:
      break;
  }
}

void MainWindow::RunWindowCommand(Command command) {
  switch (command) {
    case Command::Scan2D:
      program_.Analysis().ShowScanValues(ScanPoint{0.0, 0.0});
      break;
    case Command::ScannedPoints:
      if (windows_.ScanList) windows_.ScanList->Open();
      break;
    case Command::Scan3D:
      if (windows_.Scan3d) windows_.Scan3d->Open();
      break;
    case Command::BuildParameters:
      Present(static_cast<QWidget*>(windows_.Params));
      break;
    case Command::Appearance:
      Present(static_cast<QWidget*>(windows_.Appearance));
      break;
    case Command::Palette:
      Present(static_cast<QWidget*>(windows_.Palette));
      break;
    case Command::Calculator:
      if (windows_.Calculator) windows_.Calculator->ShowForInput();
      break;
    case Command::Notepad:
      if (windows_.Notepad) windows_.Notepad->ShowForTyping();
      break;
    case Command::Integral:
      Present(static_cast<QWidget*>(windows_.Integral));
      break;
    case Command::About:
      if (windows_.About) windows_.About->exec();
      break;
    case Command::Print:
      PrintViewCommand(this, program_, dialogs_, SizedView3D());
      break;
    case Command::SavePicture:
      SavePicture2DCommand(this, program_, dialogs_);
      break;
    case Command::OpenPicture:
      if (OpenPicture2DCommand(this, program_, dialogs_)) View2D()->update();
      break;
    case Command::Save3DFrame:
      SaveFrame3DCommand(this, program_, dialogs_, SizedView3D());
      break;
    case Command::ConstantSliders2D:
    case Command::ConstantSliders3D:
      OpenConstantSliders(this, program_, command == Command::ConstantSliders3D);
      break;
    default:
      // Every command of the menu and the tool panel has its case above.
      break;
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
