// The program object of the desktop program: it owns the document and its session,
// the three shared formula engines, the 2D palette, the option switches and the
// parts that do the rest: the status line, long work, the document editor, the 2D
// space (picture, mapping, builds), the 3D space and the analysis tools. Each part
// gets what it needs at construction and reports through the observer list, never
// through this object. Windows hold the part they show (the parameters window the
// editor, the plot view the 2D space, the scan and calculator windows the analysis
// tools); the main window runs the menu commands through this object and its parts.
// No widgets, so every command runs in tests without a display.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/DocumentEditor.h"
#include "app/DocumentSession.h"
#include "app/EditHistory.h"
#include "app/LongWork.h"
#include "app/ProgramObserver.h"
#include "app/StatusLine.h"
#include "app/StatusTexts.h"
#include "document/OptionsFile.h"

namespace lw {

class FormulaParser;
class DivisionTrackingParser;
class Navigator2D;
class Program2D;
class Program3D;
class ProgramAnalysis;
class RecoveryKeeper;
class LeftRecovery;
struct RecoveredDocument;

enum class SpaceMode { Space2D, Space3D };

// The questions a command may have to ask the user; the windows answer them.
class UserQuestions {
 public:
  virtual ~UserQuestions() = default;
  virtual PromptAnswer AskToSaveChanges() = 0;
  virtual std::optional<std::string> ChooseFileToOpen() = 0;
  virtual std::optional<std::string> ChooseFileToSave() = 0;
};

// Main window placement as the options file keeps it.
struct WindowBounds {
  int Left = 0, Width = 0, Top = 0, Height = 0;
  bool operator==(const WindowBounds&) const = default;
};

class Program : public StatusSink, private DocumentUi {
 public:
  // programDir is the folder of the executable: the template, the options file and
  // the help pages live there.
  explicit Program(std::string programDir);
  ~Program() override;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Every part reports here; a window adds itself to hear of changes.
  ProgramObservers& Observers() { return observers_; }
  void SetQuestions(UserQuestions* questions) { questions_ = questions; }

  const std::string& ProgramDir() const { return programDir_; }
  // The options file: in the program folder, or in the user's configuration folder
  // (linewright/ under it) when the program folder cannot be written.
  std::string OptionsPath() const;
  std::string HelpPath() const;

  // ----- document -----
  const Document& Doc() const { return document_; }
  FormulaParser& ExplicitParser();
  FormulaParser& PoleParser();
  FormulaParser& SurfaceParser();

  // Every edit of the parameters, the appearance and the graph lists goes through
  // the editor, so the windows hear of it.
  DocumentEditor& Edits() { return edits_; }

  const std::string& CurrentFileName() const { return session_.CurrentFileName(); }
  std::string Caption() const { return session_.Caption(); }

  // The document commands; they ask through UserQuestions where they must.
  void NewFromTemplate() {
    if (!RefuseWhileBusy()) session_.NewFromTemplate();
  }
  void Open() {
    if (!RefuseWhileBusy()) session_.Open();
  }
  void Save() {
    if (!RefuseWhileBusy()) session_.Save();
  }
  void SaveAs() {
    if (!RefuseWhileBusy()) session_.SaveAs();
  }
  bool LoadSets(const std::string& path) { return session_.LoadSets(path); }
  bool SaveSets(const std::string& path) { return session_.SaveSets(path); }
  PromptOutcome ConfirmDiscard() { return session_.ConfirmDiscard(); }

  // ----- undo and redo -----
  // Every notified change of the document and the palette is a step of it.
  EditHistory& History() { return *history_; }

  // ----- recovery after the program was killed -----
  // The recovery files' folder in the user's data folder.
  static std::string DefaultRecoveryFolder();
  // From now on the unsaved document is kept in a recovery file of this program in
  // folder (the document as it stands counts as the one on disk).
  void KeepRecovery(const std::string& folder);
  RecoveryKeeper* Recovery() { return recovery_.get(); }
  // The recovery files in the folder given to KeepRecovery left by programs no
  // longer running, newest first, each held for this program while it lives.
  std::vector<LeftRecovery> LeftRecoveries() const;
  // Opens a recovered document, unsaved, under the name it had.
  void RestoreRecovered(const RecoveredDocument& recovered);

  // ----- graph lists -----
  const GraphListEditor2D& Graphs2D() const { return edits_.Graphs2D(); }
  const GraphListEditor3D& Graphs3D() const { return edits_.Graphs3D(); }

  // ----- palette -----
  const Palette& Pal() const { return palette_; }
  void RandomizePalette();
  void SeedRandom(std::uint32_t seed) { random_.Seed(seed); }
  void FillPalette(int count, bool alternate);
  void CopyPaletteTo3D();
  void SetPaletteEntry(int index, Colour colour);
  // The whole table at once (undo, redo).
  void SetPalette(const Palette& palette);
  bool SavePalette(const std::string& path);
  bool LoadPalette(const std::string& path);

  // ----- the 2D space (picture, mapping, builds), the 3D space, the analysis tools -----
  Program2D& TwoD() { return *twoD_; }
  const Program2D& TwoD() const { return *twoD_; }
  Program3D& ThreeD() { return *threeD_; }
  ProgramAnalysis& Analysis() { return *analysis_; }
  // Moving the 2D view by hand (wheel, drag, keys).
  Navigator2D& Navigation() { return *navigator_; }

  // ----- long work (builds, integrals, 3D files) beside the interface -----
  void SetProgress(ProgressSink* progress) { work_->SetProgress(progress); }
  ProgressSink& Progress() { return work_->Progress(); }
  bool Busy() const { return work_->Busy(); }
  BackgroundWork& Work() { return work_->Work(); }
  // Asks the running work to stop; safe at any time.
  // Stops the running job, or the 3D view's drawing of a large figure.
  void StopWork();
  // Stops the running work as out of date (a newer value follows): no stop text.
  void DropWork() { work_->Drop(); }
  // Starts job on the worker thread with the status line and progress bar of
  // WorkFeedback, mirrored into the real ones while it runs; done runs on this thread
  // when it has ended. False (with BusyText) when other work runs.
  bool StartWork(LongWork::Job job, std::function<void(bool stopped)> done) {
    return work_->Start(std::move(job), std::move(done));
  }
  // For a command that must not run beside long work: true, with BusyText in the
  // status bar, while work runs.
  bool RefuseWhileBusy() { return work_->RefuseWhileBusy(); }

  // ----- status -----
  void SetStatus(const std::string& text) override { status_.SetStatus(text); }
  void StartStatusTimer() override { status_.StartStatusTimer(); }
  const std::string& Status() const { return status_.Text(); }
  bool StatusTimerActive() const { return status_.TimerActive(); }
  int StatusTimerRemaining() const { return status_.TimerRemaining(); }
  void SetStatusTimerInterval(int milliseconds) { status_.SetTimerInterval(milliseconds); }

  // ----- option switches -----
  bool ShowToolPanel() const { return showToolPanel_; }
  bool ShowStatusBar() const { return showStatusBar_; }
  bool ShowHints() const { return showHints_; }
  bool AskToSave() const { return session_.AskToSave(); }
  void SetShowToolPanel(bool on);
  void SetShowStatusBar(bool on);
  void SetShowHints(bool on);
  void SetAskToSave(bool on);
  SpaceMode Space() const { return space_; }
  void SetSpace(SpaceMode mode);

  // The notepad's colour, font and file, which the options file carries; each setter
  // returns early when nothing changed. (The scan and calculator options the file
  // carries are the analysis tools'.)
  Colour NotepadColour() const { return options_.NotepadColour; }
  const LabelFont& NotepadFont() const { return options_.NotepadFont; }
  const std::string& NotepadFile() const { return options_.NotepadFile; }
  void SetNotepadColour(Colour colour);
  void SetNotepadFont(const LabelFont& font);
  void SetNotepadFile(const std::string& path);

  // ----- options file -----
  struct StartOptions {
    std::string DocumentPath;  // to reopen; empty for none
    std::optional<WindowBounds> RestoreBounds;
  };
  // Reads the options file and applies its switches; the last command-line argument
  // replaces the document to reopen.
  StartOptions ReadOptions(const std::vector<std::string>& arguments);
  void WriteOptions(const WindowBounds& bounds, bool normalState);

 private:
  template <class Fn>
  void Notify(Fn fn) {
    observers_.Notify(fn);
  }
  template <class T>
  void SetCarried(T& option, const T& value);

  // DocumentUi
  PromptAnswer AskToSaveChanges() override;
  std::optional<std::string> ChooseFileToOpen() override;
  std::optional<std::string> ChooseFileToSave() override;
  void DocumentReplaced() override;
  void CaptionChanged(const std::string& caption) override;
  void DocumentSaved() override;

  std::string programDir_;
  ProgramObservers observers_;
  UserQuestions* questions_ = nullptr;
  StatusLine status_{observers_};
  Document document_;
  DocumentSession session_;
  // Reset first of all: it stops and waits for a job still running, before what the
  // job reads goes.
  std::unique_ptr<LongWork> work_;
  DocumentEditor edits_;
  std::unique_ptr<FormulaParser> explicitParser_;
  std::unique_ptr<DivisionTrackingParser> poleParser_;
  std::unique_ptr<FormulaParser> surfaceParser_;
  Palette palette_;
  PaletteRandom random_;

  bool showToolPanel_ = false;
  bool showStatusBar_ = false;
  bool showHints_ = true;
  SpaceMode space_ = SpaceMode::Space2D;
  Options options_;
  std::unique_ptr<Program2D> twoD_;
  std::unique_ptr<Program3D> threeD_;
  std::unique_ptr<ProgramAnalysis> analysis_;
  std::unique_ptr<EditHistory> history_;
  std::string recoveryFolder_;
  std::unique_ptr<RecoveryKeeper> recovery_;
  // Last, so that it goes first: it hears of and starts work of the parts above.
  std::unique_ptr<Navigator2D> navigator_;
};

}  // namespace lw
