#include "app/Program.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <ctime>

#include "app/Program3D.h"
#include "app/ProgramAnalysis.h"
#include "app/ProgramFolder.h"
#include "app/StatusTexts.h"
#include "formula/FormulaParser.h"

namespace lw {

namespace {
constexpr int statusTimerMilliseconds = 10000;
}

Program::Program(std::string programDir)
    : programDir_(std::move(programDir)),
      session_(document_, *this, *this, programDir_),
      explicitParser_(std::make_unique<FormulaParser>()),
      poleParser_(std::make_unique<DivisionTrackingParser>()),
      surfaceParser_(std::make_unique<FormulaParser>()) {
  statusTimer_.setSingleShot(true);
  statusTimer_.setInterval(statusTimerMilliseconds);
  statusTimer_.callOnTimeout([this] { SetStatus(std::string(ReadyText)); });
  // The start-up palette is the same at every start; only later randomising differs.
  palette_ = StartupPalette();
  palette3D_ = palette_;
  random_.Seed(static_cast<std::uint32_t>(std::time(nullptr)));
  picture_.SetFont(document_.Appearance.Font);
  CentreOrigin();
  threeD_ = std::make_unique<Program3D>(*this);
  analysis_ = std::make_unique<ProgramAnalysis>(*this, picture_, view_);
  work_ = std::make_unique<BackgroundWork>();
  work_->SetTick([this] {
    workFeedback_.MirrorTo(*this, Progress());
    if (buildMirror_.TakeInto(picture_)) PresentPicture();
  });
  work_->AddBusyListener([this] { Notify(&ProgramObserver::WorkChanged); });
}

Program::~Program() {
  work_.reset();  // a job still running is stopped before what it reads goes
}

bool Program::RefuseWhileBusy() {
  if (!Busy()) return false;
  SetStatus(std::string(BusyText));
  return true;
}

bool Program::StartWork(std::function<void(WorkControl&, WorkFeedback&)> job,
                        std::function<void(bool stopped)> done) {
  if (RefuseWhileBusy()) return false;
  workFeedback_.Reset(Progress().Maximum(), Progress().Position());
  return work_->Start(
      [this, job = std::move(job)](WorkControl& control) { job(control, workFeedback_); },
      std::move(done));
}

void Program::AddObserver(ProgramObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void Program::RemoveObserver(ProgramObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
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

// ----- document -----

void Program::SetField(ParamField which, const std::string& text) {
  std::string& field = document_.Params.Field(which);
  if (field == text) return;
  field = text;
  Notify(&ProgramObserver::ParametersChanged);
}

void Program::SetConstants(bool threeD, const std::vector<std::string>& lines) {
  auto& target = threeD ? document_.Params.Constants3D : document_.Params.Constants2D;
  if (target == lines) return;
  target = lines;
  Notify(&ProgramObserver::ParametersChanged);
}

void Program::SetBuildFlags(bool centering, bool autoScale, bool xorDrawing) {
  BuildParameters& p = document_.Params;
  if (p.Centering == centering && p.AutoScale == autoScale && p.XorDrawing == xorDrawing) return;
  p.Centering = centering;
  p.AutoScale = autoScale;
  p.XorDrawing = xorDrawing;
  Notify(&ProgramObserver::ParametersChanged);
}

void Program::SetAppearance(const AppearanceSettings& appearance) {
  if (document_.Appearance == appearance) return;
  document_.Appearance = appearance;
  Notify(&ProgramObserver::AppearanceChanged);
}

void Program::ResetAppearanceLists() {
  AppearanceSettings& a = document_.Appearance;
  a.AxesLineStyle = Solid;
  a.GridLineStyle = Dot;
  a.DrawMode3D = 2;
  a.MotionType = 0;
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

void Program::DocumentReplaced() {
  picture_.SetFont(document_.Appearance.Font);
  Notify(&ProgramObserver::DocumentChanged);
  Notify(&ProgramObserver::GraphsChanged);
}

void Program::CaptionChanged(const std::string&) {
  Notify(&ProgramObserver::CaptionChanged);
}

// ----- graph lists -----

void Program::Select2D(std::size_t index) {
  if (Graphs2D().Selection() == index) return;
  Graphs2D().Select(index);
  Notify(&ProgramObserver::GraphsChanged);
}

void Program::Select3D(std::size_t index) {
  if (Graphs3D().Selection() == index) return;
  Graphs3D().Select(index);
  Notify(&ProgramObserver::GraphsChanged);
}

bool Program::StoreGraph(bool stored) {
  if (!stored) SetStatus(std::string(UnstorableFormulaText));
  Notify(&ProgramObserver::GraphsChanged);
  return stored;
}

bool Program::AddGraph2D(const std::string& text, const PlotP& entry) {
  if (RefuseWhileBusy()) return false;
  return StoreGraph(Graphs2D().Add(text, entry));
}

bool Program::AddGraph3D(const std::string& text, const PlotP3d& entry) {
  if (RefuseWhileBusy()) return false;
  return StoreGraph(Graphs3D().Add(text, entry));
}

// With nothing selected there is nothing to edit; that is not an error.
bool Program::EditGraph2D(const std::string& text, const PlotP& entry) {
  if (RefuseWhileBusy()) return false;
  if (!Graphs2D().Selection()) return true;
  return StoreGraph(Graphs2D().Edit(text, entry));
}

bool Program::EditGraph3D(const std::string& text, const PlotP3d& entry) {
  if (RefuseWhileBusy()) return false;
  if (!Graphs3D().Selection()) return true;
  return StoreGraph(Graphs3D().Edit(text, entry));
}

void Program::CutGraph2D() {
  if (RefuseWhileBusy()) return;
  Graphs2D().Cut();
  Notify(&ProgramObserver::GraphsChanged);
}

void Program::CutGraph3D() {
  if (RefuseWhileBusy()) return;
  Graphs3D().Cut();
  Notify(&ProgramObserver::GraphsChanged);
}

void Program::PasteGraph2D() {
  if (RefuseWhileBusy()) return;
  Graphs2D().Paste();
  Notify(&ProgramObserver::GraphsChanged);
}

void Program::PasteGraph3D() {
  if (RefuseWhileBusy()) return;
  Graphs3D().Paste();
  Notify(&ProgramObserver::GraphsChanged);
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
  palette3D_ = palette_;
}

void Program::SetPaletteEntry(int index, Colour colour) {
  if (palette_.At(index) == colour || RefuseWhileBusy()) return;
  palette_.Set(index, colour);
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

// ----- status -----

void Program::SetStatus(const std::string& text) {
  if (status_ == text) return;
  status_ = text;
  Notify(&ProgramObserver::StatusChanged);
}

void Program::StartStatusTimer() {
  // A running timer is not restarted: "Готова" comes 10 s after the first message.
  if (!statusTimer_.isActive()) statusTimer_.start();
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

void Program::SetSpace(SpaceMode mode) {
  if (space_ == mode || RefuseWhileBusy()) return;
  space_ = mode;
  Notify(&ProgramObserver::SpaceChanged);
}

// ----- options file -----

Program::StartOptions Program::ReadOptions(const std::vector<std::string>& arguments) {
  options_ = ReadOptionsFile(OptionsPath());
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
