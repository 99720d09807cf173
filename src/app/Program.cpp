#include "app/Program.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <ctime>

#include "app/Navigator2D.h"
#include "app/Program2D.h"
#include "app/Program3D.h"
#include "app/ProgramAnalysis.h"
#include "app/ProgramFolder.h"
#include "app/RecoveryFile.h"
#include "app/RecoveryKeeper.h"
#include "app/StatusTexts.h"
#include "formula/FormulaParser.h"

namespace lw {

Program::Program(std::string programDir)
    : programDir_(std::move(programDir)),
      session_(document_, *this, *this, programDir_),
      work_(std::make_unique<LongWork>(status_)),
      edits_(document_, session_, status_, *work_, observers_),
      explicitParser_(std::make_unique<FormulaParser>()),
      poleParser_(std::make_unique<DivisionTrackingParser>()),
      surfaceParser_(std::make_unique<FormulaParser>()) {
  // The start-up palette is the same at every start; only later randomising differs.
  palette_ = StartupPalette();
  random_.Seed(static_cast<std::uint32_t>(std::time(nullptr)));
  twoD_ = std::make_unique<Program2D>(edits_, *explicitParser_, *poleParser_, palette_, status_,
                                      *work_, observers_);
  threeD_ = std::make_unique<Program3D>(edits_, *surfaceParser_, status_, *work_, observers_);
  analysis_ = std::make_unique<ProgramAnalysis>(
      AnalysisInputs{edits_, twoD_->Validated(), threeD_->Validated(), *explicitParser_,
                     *surfaceParser_, status_, *work_, observers_, twoD_->picture_, twoD_->view_});
  twoD_->SetScanMarks(&analysis_->Scan());
  work_->AddBusyListener([this] { Notify(&ProgramObserver::WorkChanged); });
  navigator_ = std::make_unique<Navigator2D>(*this);
  history_ = std::make_unique<EditHistory>(*this);
}

Program::~Program() {
  navigator_.reset();
  work_.reset();  // a job still running is stopped before what it reads goes
}

std::string Program::OptionsPath() const {
  const QString name =
      QString::fromUtf8(OptionsFileName.data(), static_cast<qsizetype>(OptionsFileName.size()));
  const QString programDir = QString::fromStdString(programDir_);
  // The options live beside the program. An installed program's folder cannot be
  // written (the options would be lost at every exit) or, run by root, belongs to
  // the package manager, so its options go to the user's configuration folder.
  if (!IsInstalledDataFolder(programDir_) && QFileInfo(programDir).isWritable()) {
    return QDir(programDir).filePath(name).toStdString();
  }
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("linewright/") + name)
      .toStdString();
}

std::string Program::HelpPath() const {
  return QDir(QString::fromStdString(programDir_))
      .filePath(QStringLiteral("Help/index.html"))
      .toStdString();
}

FormulaParser& Program::ExplicitParser() {
  return *explicitParser_;
}

FormulaParser& Program::PoleParser() {
  return *poleParser_;
}

FormulaParser& Program::SurfaceParser() {
  return *surfaceParser_;
}

PromptAnswer Program::AskToSaveChanges() {
  return questions_ ? questions_->AskToSaveChanges() : PromptAnswer::Cancel;
}

std::optional<std::string> Program::ChooseFileToOpen() {
  return questions_ ? questions_->ChooseFileToOpen() : std::nullopt;
}

std::optional<std::string> Program::ChooseFileToSave() {
  return questions_ ? questions_->ChooseFileToSave() : std::nullopt;
}

void Program::StopWork() {
  if (work_->Busy()) {
    work_->Stop();
  } else if (threeD_->Drawing()) {
    threeD_->StopDrawing();
  }
}

void Program::DocumentReplaced() {
  twoD_->ApplyLabelFont();
  twoD_->RememberFieldBounds();
  Notify(&ProgramObserver::DocumentChanged);
  Notify(&ProgramObserver::GraphsChanged);
}

void Program::CaptionChanged(const std::string&) {
  Notify(&ProgramObserver::CaptionChanged);
}

void Program::DocumentSaved() {
  history_->EndTypingStep();
  if (recovery_) recovery_->MarkClean();
}

// ----- recovery -----

std::string Program::DefaultRecoveryFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("recovery"))
      .toStdString();
}

void Program::KeepRecovery(const std::string& folder) {
  recovery_.reset();
  recoveryFolder_ = folder;
  recovery_ = std::make_unique<RecoveryKeeper>(*this, folder);
}

std::vector<LeftRecovery> Program::LeftRecoveries() const {
  if (recoveryFolder_.empty()) return {};
  return LeftRecovery::Find(recoveryFolder_);
}

void Program::RestoreRecovered(const RecoveredDocument& recovered) {
  // The palette first, so that the fresh history the document starts holds it.
  palette_ = recovered.State.Colours;
  session_.RestoreUnsaved(recovered.State.Doc, recovered.Name);
  Notify(&ProgramObserver::PaletteChanged);
  if (recovery_) recovery_->MarkUnsaved();
}

// ----- palette -----

void Program::RandomizePalette() {
  if (RefuseWhileBusy()) return;
  lw::RandomizePalette(palette_, random_);
  Notify(&ProgramObserver::PaletteChanged);
}

void Program::FillPalette(int count, bool alternate) {
  if (RefuseWhileBusy()) return;
  lw::FillPalette(palette_, count, alternate);
  Notify(&ProgramObserver::PaletteChanged);
}

void Program::CopyPaletteTo3D() {
  if (RefuseWhileBusy()) return;
  threeD_->SetPalette(palette_);
}

void Program::SetPaletteEntry(int index, Colour colour) {
  if (palette_.At(index) == colour || RefuseWhileBusy()) return;
  palette_.Set(index, colour);
  Notify(&ProgramObserver::PaletteChanged);
}

void Program::SetPalette(const Palette& palette) {
  if (palette_ == palette) return;
  palette_ = palette;
  Notify(&ProgramObserver::PaletteChanged);
}

bool Program::SavePalette(const std::string& path) {
  return SavePaletteCommand(path, palette_, *this);
}

bool Program::LoadPalette(const std::string& path) {
  if (RefuseWhileBusy()) return false;
  const bool loaded = LoadPaletteCommand(path, palette_, *this);
  if (loaded) Notify(&ProgramObserver::PaletteChanged);
  return loaded;
}

// ----- option switches -----

void Program::SetShowToolPanel(bool on) {
  if (showToolPanel_ == on) return;
  showToolPanel_ = on;
  Notify(&ProgramObserver::OptionsChanged);
}

void Program::SetShowStatusBar(bool on) {
  if (showStatusBar_ == on) return;
  showStatusBar_ = on;
  Notify(&ProgramObserver::OptionsChanged);
}

void Program::SetShowHints(bool on) {
  if (showHints_ == on) return;
  showHints_ = on;
  Notify(&ProgramObserver::OptionsChanged);
}

void Program::SetAskToSave(bool on) {
  if (session_.AskToSave() == on) return;
  session_.SetAskToSave(on);
  Notify(&ProgramObserver::OptionsChanged);
}

template <class T>
void Program::SetCarried(T& option, const T& value) {
  if (option == value) return;
  option = value;
  Notify(&ProgramObserver::OptionsChanged);
}

void Program::SetNotepadColour(Colour colour) {
  SetCarried(options_.NotepadColour, colour);
}

void Program::SetNotepadFont(const LabelFont& font) {
  SetCarried(options_.NotepadFont, font);
}

void Program::SetNotepadFile(const std::string& path) {
  SetCarried(options_.NotepadFile, path);
}

void Program::SetSpace(SpaceMode mode) {
  if (space_ == mode || RefuseWhileBusy()) return;
  space_ = mode;
  threeD_->SetShown(mode == SpaceMode::Space3D);
  Notify(&ProgramObserver::SpaceChanged);
}

// ----- options file -----

Program::StartOptions Program::ReadOptions(const std::vector<std::string>& arguments) {
  options_ = ReadOptionsFile(OptionsPath());
  analysis_->SetStoredOptions(options_.ScanOptions);
  analysis_->SetCalculatorClearsInput(options_.CalculatorClearInput);
  StartOptions start;
  if (options_.NormalState) {
    start.RestoreBounds =
        WindowBounds{options_.Left, options_.Width, options_.Top, options_.Height};
  }
  SetAskToSave(options_.AskToSave);
  SetShowToolPanel(options_.ShowToolPanel);
  SetShowHints(options_.ShowHints);
  SetShowStatusBar(options_.ShowStatusBar);
  start.DocumentPath = StartupDocumentPath(options_, arguments);
  return start;
}

void Program::WriteOptions(const WindowBounds& bounds, bool normalState) {
  options_.Left = bounds.Left;
  options_.Width = bounds.Width;
  options_.Top = bounds.Top;
  options_.Height = bounds.Height;
  options_.NormalState = normalState;
  options_.ScanOptions = analysis_->StoredOptions();
  options_.CalculatorClearInput = analysis_->CalculatorClearsInput();
  options_.AskToSave = AskToSave();
  options_.ShowToolPanel = showToolPanel_;
  options_.ShowHints = showHints_;
  options_.ShowStatusBar = showStatusBar_;
  options_.DocumentPath = CurrentFileName();
  const std::string path = OptionsPath();
  QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());  // a new config folder
  WriteOptionsFile(path, options_);
}

}  // namespace lw
