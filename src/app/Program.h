// The program object of the desktop program: it owns the document and its session,
// the validated parameters, the three shared formula engines, the palettes, the 2D
// picture and its mapping, and the option switches, and offers the program's
// commands to the windows. It has no widgets, so every command runs in tests without
// a display; the windows observe it and forward user actions to it.
#pragma once

#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/BackgroundWork.h"
#include "app/DocumentSession.h"
#include "app/WorkFeedback.h"
#include "document/OptionsFile.h"
#include "plot2d/Axes.h"
#include "plot2d/PictureMirror.h"
#include "plot2d/Plot2DContext.h"
#include "plot2d/PlotPicture.h"
#include "plot2d/View2D.h"

namespace lw {

class FormulaParser;
class DivisionTrackingParser;
class Program3D;
class ProgramAnalysis;

enum class SpaceMode { Space2D, Space3D };

// What a command that must not run beside long work says instead.
inline constexpr std::string_view BusyText =
    "Зачекайте: ще триває обчислення (Esc у вікні стану його перериває)";
// What a stopped build leaves in the status bar.
inline constexpr std::string_view BuildStoppedText = "Побудову перервано.";

inline constexpr std::string_view UnstorableFormulaText =
    "Вираз не можна зберегти: символи поза кодовою сторінкою 1251 або понад 998 знаків";

// What the windows show of the program; each notification says which part changed.
class ProgramObserver {
 public:
  virtual ~ProgramObserver() = default;
  virtual void StatusChanged() {}
  virtual void OptionsChanged() {}  // the four option switches, scan mode, temporary grid
  virtual void SpaceChanged() {}
  virtual void DocumentChanged() {}    // the whole document was replaced (load, new)
  virtual void ParametersChanged() {}  // a build-parameter text, list or flag
  virtual void AppearanceChanged() {}
  virtual void CaptionChanged() {}
  virtual void GraphsChanged() {}  // a graph list or its selection
  virtual void PictureChanged() {}
  virtual void PaletteChanged() {}
  virtual void WorkChanged() {}  // long work started or ended
};

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

class Program : public StatusSink, private DocumentUi, private PicturePresenter {
 public:
  // programDir is the folder of the executable: the template, the options file and
  // the help pages live there.
  explicit Program(std::string programDir);
  ~Program() override;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  void AddObserver(ProgramObserver* observer);
  void RemoveObserver(ProgramObserver* observer);
  void SetQuestions(UserQuestions* questions) { questions_ = questions; }

  const std::string& ProgramDir() const { return programDir_; }
  // The options file: in the program folder, or in the user's configuration folder
  // (linewright/ under it) when the program folder cannot be written.
  std::string OptionsPath() const;
  std::string HelpPath() const;

  // ----- document -----
  Document& Doc() { return document_; }
  const Document& Doc() const { return document_; }
  Params2D& Validated2D() { return params2D_; }
  Params3D& Validated3D() { return params3D_; }
  FormulaParser& ExplicitParser();
  FormulaParser& PoleParser();
  FormulaParser& SurfaceParser();

  // What the build-parameters and appearance windows edit; each returns early when
  // nothing changed.
  void SetField(ParamField field, const std::string& text);
  void SetConstants(bool threeD, const std::vector<std::string>& lines);
  void SetBuildFlags(bool centering, bool autoScale, bool xorDrawing);
  void SetAppearance(const AppearanceSettings& appearance);
  // The start-up selections of the appearance window's four lists (axes solid, grid
  // dotted, 3D polygons, motion turn), set without running their handlers.
  void ResetAppearanceLists();

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

  // ----- graph lists -----
  GraphListEditor2D& Graphs2D() { return session_.Graphs2D(); }
  GraphListEditor3D& Graphs3D() { return session_.Graphs3D(); }
  // Every change of a list goes through these, so the windows hear of it. A formula
  // text the document could not store is refused with UnstorableFormulaText (false).
  void Select2D(std::size_t index);
  void Select3D(std::size_t index);
  bool AddGraph2D(const std::string& text, const PlotP& entry);
  bool AddGraph3D(const std::string& text, const PlotP3d& entry);
  bool EditGraph2D(const std::string& text, const PlotP& entry);
  bool EditGraph3D(const std::string& text, const PlotP3d& entry);
  void CutGraph2D();
  void CutGraph3D();
  void PasteGraph2D();
  void PasteGraph3D();

  // ----- palette -----
  Palette& Pal() { return palette_; }
  Palette& Pal3D() { return palette3D_; }
  void RandomizePalette();
  void SeedRandom(std::uint32_t seed) { random_.Seed(seed); }
  void FillPalette(int count, bool alternate);
  void CopyPaletteTo3D();
  void SetPaletteEntry(int index, Colour colour);
  bool SavePalette(const std::string& path);
  bool LoadPalette(const std::string& path);

  // ----- 2D picture and builds -----
  void SetProgress(ProgressSink* progress) { progress_ = progress; }
  ProgressSink& Progress() { return progress_ ? *progress_ : silentProgress_; }
  void BuildAll2D();
  void BuildSelected2D();
  void ClearPicture();
  void ToggleTemporaryGrid();
  bool TemporaryGridOn() const { return temporaryGrid_.Enabled(); }
  void ToggleScanMode();
  bool ScanMode() const;
  // In scan mode, the world point under the pointer (a pixel of the plot view) as the
  // status text: "X: 1.5    Y: -2".
  void ShowPointerPosition(int px, int py);
  // The decimal separator of numbers shown to the user (the system's).
  static char DecimalSeparator();
  // The visible plot area (W x H) follows the plot view's size; the picture grows
  // with it (it is never smaller than the view, up to its maximum size).
  void SetViewSize(int width, int height);
  int ViewWidth() const { return viewWidth_; }
  int ViewHeight() const { return viewHeight_; }
  PlotPicture& Picture() { return picture_; }
  // Shows the picture in the plot view again.
  void PresentPicture() override;
  const View2D& View() const { return view_; }
  // Makes font the picture's label font at once (the appearance window's font button).
  void ApplyLabelFont();
  // Puts the 2D origin in the middle of the plot area (start-up).
  void CentreOrigin();
  // The colour step for the colour-scale window: the last validated gradient, or
  // the field's value when no build has validated one yet; empty, with the
  // gradient's error message, when neither is usable.
  std::optional<double> ScaleGradient();

  // ----- 3D space: scene, navigator, camera and the 3D commands -----
  Program3D& ThreeD() { return *threeD_; }

  // ----- scanning, calculator and integral -----
  ProgramAnalysis& Analysis() { return *analysis_; }

  // ----- long work (builds, integrals, 3D files) beside the interface -----
  // The work runs with every core unless threads > 0 (for tests).
  bool Busy() const { return work_->Busy(); }
  BackgroundWork& Work() { return *work_; }
  // Asks the running work to stop; safe at any time.
  void StopWork() { work_->Stop(); }
  // Starts job on the worker thread with the status line and progress bar of
  // WorkFeedback, mirrored into the real ones while it runs; done runs on this thread
  // when it has ended. False (with BusyText) when other work runs.
  bool StartWork(std::function<void(WorkControl&, WorkFeedback&)> job,
                 std::function<void(bool stopped)> done);
  // For a command that must not run beside long work: true, with BusyText in the
  // status bar, while work runs.
  bool RefuseWhileBusy();

  // ----- status -----
  void SetStatus(const std::string& text) override;
  void StartStatusTimer() override;
  const std::string& Status() const { return status_; }
  bool StatusTimerActive() const { return statusTimer_.isActive(); }
  int StatusTimerRemaining() const { return statusTimer_.remainingTime(); }
  void SetStatusTimerInterval(int milliseconds) { statusTimer_.setInterval(milliseconds); }

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

  // The options of other windows that the options file carries, and the notepad's
  // colour, font and file.
  Options& CarriedOptions() { return options_; }
  std::array<bool, 7>& ScanOptions() { return options_.ScanOptions; }
  bool& CalculatorClearsInput() { return options_.CalculatorClearInput; }

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
    const auto copy = observers_;
    for (ProgramObserver* o : copy) (o->*fn)();
  }
  bool StoreGraph(bool stored);
  Plot2DContext Context2D();
  void StartBuild2D(std::size_t first, std::size_t last);

  // DocumentUi
  PromptAnswer AskToSaveChanges() override;
  std::optional<std::string> ChooseFileToOpen() override;
  std::optional<std::string> ChooseFileToSave() override;
  void DocumentReplaced() override;
  void CaptionChanged(const std::string& caption) override;

  std::string programDir_;
  std::vector<ProgramObserver*> observers_;
  UserQuestions* questions_ = nullptr;
  Document document_;
  DocumentSession session_;
  Params2D params2D_;
  Params3D params3D_;
  std::unique_ptr<FormulaParser> explicitParser_;
  std::unique_ptr<DivisionTrackingParser> poleParser_;
  std::unique_ptr<FormulaParser> surfaceParser_;
  Palette palette_;
  Palette palette3D_;
  PaletteRandom random_;
  PlotPicture picture_;
  // The columns a running 2D build has finished, on their way into picture_.
  PictureMirror buildMirror_;
  View2D view_;
  TemporaryGrid temporaryGrid_;
  SilentProgress silentProgress_;
  ProgressSink* progress_ = nullptr;
  int viewWidth_ = 539;
  int viewHeight_ = 468;

  std::string status_ = "Готова";
  QTimer statusTimer_;

  bool showToolPanel_ = false;
  bool showStatusBar_ = false;
  bool showHints_ = true;
  SpaceMode space_ = SpaceMode::Space2D;
  Options options_;
  // Last, so that they go first: they observe this object.
  std::unique_ptr<Program3D> threeD_;
  std::unique_ptr<ProgramAnalysis> analysis_;
  // Destroyed first of all: it stops and waits for a job still running.
  WorkFeedback workFeedback_;
  std::unique_ptr<BackgroundWork> work_;
};

}  // namespace lw
