#include "windows/DesktopProgram.h"

#include <QApplication>
#include <QGuiApplication>

#include "windows/AboutWindow.h"
#include "windows/AppearanceWindow.h"
#include "windows/CalculatorWindow.h"
#include "windows/ColourScaleWindow.h"
#include "windows/Dialogs.h"
#include "windows/GraphParamsDialog.h"
#include "windows/IntegralWindow.h"
#include "windows/LayoutShortcuts.h"
#include "windows/MainWindow.h"
#include "windows/MessageWindow.h"
#include "windows/NotepadWindow.h"
#include "windows/PaletteWindow.h"
#include "windows/ParamsWindow.h"
#include "windows/ProgressWindow.h"
#include "windows/SavePromptWindow.h"
#include "windows/Scan3DWindow.h"
#include "windows/ScanListWindow.h"
#include "windows/ScanWindow.h"
#include "windows/WindowKit.h"

namespace lw {

DesktopProgram::DesktopProgram(std::string programDir, std::vector<std::string> arguments,
                               std::unique_ptr<Dialogs> dialogs)
    : program_(std::make_unique<Program>(std::move(programDir))),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>()),
      main_(std::make_unique<MainWindow>(*program_, *dialogs_)) {
  // Installed first, so that every window shown from now on is seen.
  shortcuts_ = std::make_unique<LayoutShortcuts>(QGuiApplication::platformName() == "xcb");
  qApp->installEventFilter(shortcuts_.get());
  captions_ = std::make_unique<CaptionFit>();
  qApp->installEventFilter(captions_.get());
  MainWindow* main = main_.get();
  Program& p = *program_;
  SecondaryWindows& w = main->Windows();
  w.About = new AboutWindow(main);
  w.Params = new ParamsWindow(main, p.Edits(), p.Observers(), p.Pal());
  w.SavePrompt = new SavePromptWindow(main);
  w.ColourScale = new ColourScaleWindow(main, p.TwoD(), p.Pal());
  w.Calculator = new CalculatorWindow(main, p.Analysis());
  w.Notepad = new NotepadWindow(main, p, *dialogs_);
  w.Notepad->AskToSaveChanges = [main] { return main->AskToSaveChanges(); };
  w.Progress = new ProgressWindow(main);
  p.SetProgress(w.Progress);
  w.Progress->SetStopHandler([&p] { p.StopWork(); });
  w.Message = new MessageWindow(main);
  w.Notepad->SetMessageWindow(w.Message);
  w.GraphParams = new GraphParamsDialog(main, *dialogs_);
  w.GraphParams->SetMessageWindow(w.Message);
  w.Params->SetGraphDialog(w.GraphParams);
  w.Appearance =
      new AppearanceWindow(main, p.Edits(), p.Observers(), p.TwoD(), p.ThreeD(), *dialogs_);
  w.Scan = new ScanWindow(main, p.Analysis());
  // The start-up hands the saved options and look to the windows that show them
  // (notepad, appearance, calculator and, made last of them, the scan values), so it
  // runs once they exist. The windows made after it hold none of those options; the
  // hint switch reaches them below.
  main->StartUp(arguments);
  w.ScanList = new ScanListWindow(main, p.Analysis());
  w.Scan3D = new Scan3DWindow(main, p.Analysis());
  w.Palette = new PaletteWindow(main, p, *dialogs_);
  w.Integral = new IntegralWindow(main, p.Analysis());
  // Windows made after the start-up follow the hint switch as well.
  main->OptionsChanged();
  w.Params->OnScale = [w] { w.ColourScale->Open(); };
  w.Scan->OnShowPoints = [w] { w.ScanList->Open(); };
  w.Params->OnBuild2D = [main](bool selectedOnly) {
    main->Run(selectedOnly ? Command::BuildSelected2D : Command::BuildAll2D);
  };
  w.Params->OnBuild3D = [main](bool selectedOnly) {
    main->Run(selectedOnly ? Command::BuildSelected3D : Command::BuildAll3D);
  };
}

DesktopProgram::~DesktopProgram() {
  // Work still running ends while the windows it reports to are still there.
  program_->StopWork();
  program_->Work().Wait();
  // The windows go first: they observe the program.
  program_->SetProgress(nullptr);
  main_.reset();
  qApp->removeEventFilter(captions_.get());
  qApp->removeEventFilter(shortcuts_.get());
}

}  // namespace lw
