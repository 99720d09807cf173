// A whole desktop program in a temporary folder, with scripted answers in place of
// the dialogs.
#pragma once

#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Program.h"
#include "windows/DesktopProgram.h"
#include "windows/Dialogs.h"
#include "windows/MainWindow.h"

namespace lw::test {

// Answers queued by the test; an empty queue answers "cancel".
struct ScriptedAnswers {
  std::deque<Colour> colours;
  std::deque<LabelFont> fonts;
  std::deque<QString> files;
  std::deque<QString> filters;       // the filter line chosen with each opened or saved file
  std::vector<QString> filterLists;  // every list of filter lines a save dialog offered
  std::vector<QString> titles;       // every file dialog title asked, in order
  std::deque<QString> printFiles;    // each print dialog prints to this PDF file
  bool fitToPage = false;            // the picture print dialog's choice
  std::deque<bool> yesNo;            // answers to yes-or-no questions ("Так" = true)
  std::vector<QString> questions;    // every yes-or-no question asked, in order
  int colourAsks = 0;
  int printAsks = 0;
};

class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(ScriptedAnswers& answers) : answers_(answers) {}
  std::optional<Colour> ChooseColour(QWidget*, Colour) override;
  std::optional<LabelFont> ChooseFont(QWidget*, const LabelFont&) override;
  std::optional<QString> OpenFileName(QWidget*, const QString& title, const QString&,
                                      const QString&) override;
  std::optional<QString> SaveFileName(QWidget*, const QString& title, const QString&,
                                      const QString&) override;
  std::optional<ChosenFile> OpenFileAndFilter(QWidget*, const QString& title, const QString&,
                                              const QString&) override;
  std::optional<ChosenFile> SaveFileAndFilter(QWidget*, const QString& title, const QString& filter,
                                              const QString&) override;
  bool ChoosePrinter(QWidget*, QPrinter& printer) override;
  bool ChoosePicturePrinter(QWidget* parent, QPrinter& printer, bool& fitToPage) override;
  bool AskYesNo(QWidget*, const QString& question, const QString&) override;

 private:
  ScriptedAnswers& answers_;
};

class ProgramFixture {
 public:
  explicit ProgramFixture(std::vector<std::string> arguments = {});
  // Starts the program again in the same folder (the options file carries over).
  void Restart(std::vector<std::string> arguments = {});
  std::string Path(const std::string& name) const;

  Program& State() { return desktop->State(); }
  MainWindow& Main() { return desktop->Main(); }
  SecondaryWindows& Windows() { return desktop->Main().Windows(); }
  // Long commands run beside the interface: waits until the running one has ended.
  void Settle() { State().Work().Wait(); }

  QTemporaryDir dir;
  ScriptedAnswers answers;
  std::unique_ptr<DesktopProgram> desktop;
};

// Runs action once the next modal window is up (used to answer a modal window
// opened by the code under test).
void WhenModal(std::function<void(QWidget* modal)> action);

// Lets queued events run for about the given time.
void Pump(int milliseconds);

}  // namespace lw::test
