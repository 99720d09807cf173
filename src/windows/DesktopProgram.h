// The desktop program put together: the program object, the dialogs and the sixteen
// windows, created in their fixed order with the start-up run in the middle.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "windows/Dialogs.h"

namespace lw {

class CaptionFit;
class LayoutShortcuts;
class MainWindow;
class Program;

class DesktopProgram {
 public:
  // programDir holds the template and the options file; arguments are the command
  // line without the program name. dialogs defaults to the Qt dialogs.
  DesktopProgram(std::string programDir, std::vector<std::string> arguments,
                 std::unique_ptr<Dialogs> dialogs = nullptr);
  ~DesktopProgram();

  Program& State() { return *program_; }
  MainWindow& Main() { return *main_; }
  Dialogs& Asks() { return *dialogs_; }

 private:
  std::unique_ptr<Program> program_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<LayoutShortcuts> shortcuts_;
  std::unique_ptr<CaptionFit> captions_;
};

}  // namespace lw
