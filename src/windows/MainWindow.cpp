#include "windows/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>

#include "app/Program2D.h"
#include "app/Program3D.h"
#include "app/ProgramAnalysis.h"
#include "app/RecoveryFile.h"
#include "windows/AboutWindow.h"
#include "windows/AppearanceWindow.h"
#include "windows/CalculatorWindow.h"
#include "windows/ColourScaleWindow.h"
#include "windows/Dialogs.h"
#include "windows/GraphParamsDialog.h"
#include "windows/IntegralWindow.h"
#include "windows/MessageWindow.h"
#include "windows/NotepadWindow.h"
#include "windows/PaletteWindow.h"
#include "windows/ParamsWindow.h"
#include "windows/PlotView.h"
#include "windows/ProgressWindow.h"
#include "windows/QtConvert.h"
#include "windows/SavePromptWindow.h"
#include "windows/Scan3DWindow.h"
#include "windows/ScanListWindow.h"
#include "windows/ScanWindow.h"
#include "windows/ToolPanel.h"
#include "windows/Viewer3D.h"
#include "windows/WindowKit.h"

namespace lw {

namespace {
constexpr int statusBarHeight = 21;
constexpr int placementDelay = 500;
constexpr int settleInterval = 100;
constexpr int settleCheckCount = 10;
}  // namespace

MainWindow::MainWindow(Program& program, Dialogs& dialogs)
    : program_(program),
      twoD_(program.TwoD()),
      threeD_(program.ThreeD()),
      analysis_(program.Analysis()),
      dialogs_(dialogs),
      shutDown_(program, {[this] { return Placement(); },
                          [this] {
                            if (windows_.Notepad) windows_.Notepad->SaveIfModified();
                          },
                          [this] { close(); }}) {
  setWindowTitle(Q(program_.Caption()));
  resize(606, 492);
  BuildMenus();

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  views_ = new QStackedWidget(central);
  plotView_ = new PlotView(views_, twoD_, analysis_, program_.Navigation());
  panel3D_ = Make3DPanel(views_, threeD_);
  views_->addWidget(plotView_);
  views_->addWidget(panel3D_);
  row->addWidget(views_, 1);
  toolPanel_ = new ToolPanel(central, [this](Command c) { Run(c); });
  row->addWidget(toolPanel_);
  setCentralWidget(central);

  statusLabel_ = new QLabel(Q(program_.Status()), this);
  statusBar()->addWidget(statusLabel_, 1);
  statusBar()->setFixedHeight(statusBarHeight);
  statusBar()->setSizeGripEnabled(false);
  statusBar()->setAutoFillBackground(true);
  QPalette pal = statusBar()->palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::Mid).lighter(130));
  statusBar()->setPalette(pal);

  placementTimer_.setSingleShot(true);
  placementTimer_.setInterval(placementDelay);
  placementTimer_.callOnTimeout([this] { ApplyPlacement(); });
  settleTimer_.setInterval(settleInterval);
  settleTimer_.callOnTimeout([this] { SettlePlacement(); });

  program_.Observers().Add(this);
  program_.SetQuestions(this);
  // Typing into a field is one step until the field is left: coming back to it later
  // is another edit.
  focusWatch_ = connect(qApp, &QApplication::focusChanged, this,
                        [this] { program_.History().EndTypingStep(); });
  OptionsChanged();
  SpaceChanged();
}

MainWindow::~MainWindow() {
  // The windows destroyed with this one move the focus once this one is gone.
  disconnect(focusWatch_);
  program_.SetQuestions(nullptr);
  program_.Observers().Remove(this);
}

void MainWindow::BuildMenus() {
  std::vector<QMenu*> menus;
  for (std::string_view caption : MenuCaptions()) {
    menus.push_back(menuBar()->addMenu(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()))));
  }
  menus_ = menus;
  auto* spaceGroup = new QActionGroup(this);
  for (const MenuItemEntry& item : MenuItems()) {
    QMenu* menu = menus[static_cast<std::size_t>(item.menu)];
    if (item.caption == "-") {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(
        QString::fromUtf8(item.caption.data(), static_cast<qsizetype>(item.caption.size())));
    action->setShortcut(QKeySequence(
        QString::fromLatin1(item.shortcut.data(), static_cast<qsizetype>(item.shortcut.size()))));
    // Shortcuts work whichever window of the program is active, except those that
    // text fields of other windows use themselves.
    action->setShortcutContext(item.scope == KeyScope::Program ? Qt::ApplicationShortcut
                                                               : Qt::WindowShortcut);
    // A menu is a window of its own: the main window must hold the action too for its
    // window-wide key to be heard there.
    if (item.scope == KeyScope::MainWindow) addAction(action);
    if (!item.hint.empty()) {
      const QString hint = QString::fromUtf8(item.hint.data(), qsizetype(item.hint.size()));
      action->setToolTip(hint);
      action->setStatusTip(hint);
    }
    action->setCheckable(item.check != MenuCheck::None);
    if (item.check == MenuCheck::Radio) spaceGroup->addAction(action);
    const Command command = item.command;
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    actions_[command] = action;
  }
}

QAction* MainWindow::Action(Command command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

std::vector<QWidget*> MainWindow::WindowsInOrder() const {
  const SecondaryWindows& w = windows_;
  return {const_cast<MainWindow*>(this),        static_cast<QWidget*>(w.About),
          static_cast<QWidget*>(w.Params),      static_cast<QWidget*>(w.SavePrompt),
          static_cast<QWidget*>(w.ColourScale), static_cast<QWidget*>(w.Calculator),
          static_cast<QWidget*>(w.Notepad),     static_cast<QWidget*>(w.Progress),
          static_cast<QWidget*>(w.Message),     static_cast<QWidget*>(w.GraphParams),
          static_cast<QWidget*>(w.Appearance),  static_cast<QWidget*>(w.Scan),
          static_cast<QWidget*>(w.ScanList),    static_cast<QWidget*>(w.Scan3D),
          static_cast<QWidget*>(w.Palette),     static_cast<QWidget*>(w.Integral)};
}

// ----- state shown -----

void MainWindow::StatusChanged() {
  statusLabel_->setText(Q(program_.Status()));
}

void MainWindow::OptionsChanged() {
  toolPanel_->setVisible(program_.ShowToolPanel());
  statusBar()->setVisible(program_.ShowStatusBar());
  const std::pair<Command, bool> marks[] = {
      {Command::ToolPanel, program_.ShowToolPanel()},
      {Command::StatusBar, program_.ShowStatusBar()},
      {Command::Hints, program_.ShowHints()},
      {Command::AskToSave, program_.AskToSave()},
      {Command::ScanMode, analysis_.ScanMode()},
      {Command::TemporaryGrid, twoD_.TemporaryGridOn()},
  };
  for (const auto& [command, on] : marks) {
    if (QAction* a = Action(command); a && a->isChecked() != on) a->setChecked(on);
  }
  plotView_->setCursor(analysis_.ScanMode() ? Qt::CrossCursor : Qt::ArrowCursor);
  // Items with a hint show it as the pointer rests on them, while hints are on.
  for (QMenu* menu : menus_) menu->setToolTipsVisible(program_.ShowHints());
  ApplyHintsEverywhere();
}

void MainWindow::ApplyHintsEverywhere() {
  for (QWidget* window : WindowsInOrder()) {
    if (window) ApplyHints(window, program_.ShowHints());
  }
}

void MainWindow::SpaceChanged() {
  const bool threeD = program_.Space() == SpaceMode::Space3D;
  Action(threeD ? Command::Space3D : Command::Space2D)->setChecked(true);
  views_->setCurrentWidget(threeD ? panel3D_ : plotView_);
  // The projection follows the panel's size at every frame.
  if (threeD) panel3D_->update();
  if (windows_.Params) windows_.Params->ShowPage(threeD);
  if (windows_.Appearance) windows_.Appearance->ShowPage(threeD);
  if (!threeD) twoD_.SetViewSize(plotView_->width(), plotView_->height());
}

void MainWindow::CaptionChanged() {
  setWindowTitle(Q(program_.Caption()));
}

void MainWindow::PictureChanged() {
  plotView_->update();
}

// ----- questions -----

PromptAnswer MainWindow::AskToSaveChanges() {
  return windows_.SavePrompt ? windows_.SavePrompt->Ask() : PromptAnswer::Cancel;
}

namespace {
QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

std::optional<std::string> MainWindow::ChooseFileToOpen() {
  // With no document yet, the dialog starts among the examples installed with the program.
  const QString examples = QDir(Q(program_.ProgramDir())).filePath(QStringLiteral("examples"));
  const QString start =
      program_.CurrentFileName().empty() && QFileInfo::exists(examples) ? examples : QString();
  auto name = dialogs_.OpenFileNameAt(this, Text(OpenDialogTitle), Text(OpenDialogFilter),
                                      Text(DocumentExtension), start);
  if (!name) return std::nullopt;
  return S(*name);
}

std::optional<std::string> MainWindow::ChooseFileToSave() {
  auto name = dialogs_.SaveFileName(this, Text(SaveDialogTitle), Text(SaveDialogFilter),
                                    Text(DocumentExtension));
  if (!name) return std::nullopt;
  return S(*name);
}

QWidget* MainWindow::SizedView3D() {
  // The stack lays out only the page it shows; a 3D space never shown yet would
  // otherwise be drawn at the panel's initial size.
  if (views_->currentWidget() != panel3D_ && panel3D_->size() != views_->size()) {
    panel3D_->resize(views_->size());
  }
  return panel3D_;
}

// ----- start-up and shut-down -----

void MainWindow::StartUp(const std::vector<std::string>& arguments) {
  const Program::StartOptions start = program_.ReadOptions(arguments);
  restoreBounds_ = start.RestoreBounds;
  if (windows_.Scan) windows_.Scan->SyncOptions();
  if (windows_.Calculator) windows_.Calculator->SyncOptions();
  if (!start.DocumentPath.empty()) program_.LoadSets(start.DocumentPath);
  program_.Edits().ResetAppearanceLists();
  // What start-up set without a notice is where the history begins.
  program_.History().Forget();
  if (windows_.Appearance) windows_.Appearance->DocumentChanged();
  twoD_.SetViewSize(plotView_->width(), plotView_->height());
  twoD_.CentreOrigin();
  if (windows_.Notepad) windows_.Notepad->ApplyLook();
  placementTimer_.start();
}

void MainWindow::OfferRecovery() {
  for (LeftRecovery& left : program_.LeftRecoveries()) {
    const std::optional<RecoveredDocument> recovered = left.Read();
    if (!recovered) {
      left.Remove();  // damaged beyond use: offering it could only fail
      continue;
    }
    const QString name = recovered->Name.empty() ? QStringLiteral("Noname.lwf")
                                                 : QFileInfo(Q(recovered->Name)).fileName();
    const QString detail =
        name + QStringLiteral(", ") +
        QFileInfo(Q(left.Path())).lastModified().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    if (dialogs_.AskYesNo(this, Text(RestoreQuestionText), detail)) {
      program_.RestoreRecovered(*recovered);
      left.Remove();
      return;
    }
    left.Remove();
  }
}

void MainWindow::ApplyPlacement() {
  if (!restoreBounds_) return;
  const WindowBounds b = *restoreBounds_;
  restoreBounds_.reset();
  // Bounds from another screen layout (a monitor since removed) would put the window
  // out of reach; it then stays maximised.
  const QRect wanted(b.Left, b.Top, std::max(b.Width, 1), std::max(b.Height, 1));
  bool reachable = false;
  for (const QScreen* screen : QGuiApplication::screens()) {
    reachable = reachable || screen->availableGeometry().intersects(wanted);
  }
  if (!reachable || b.Width < 50 || b.Height < 50) return;
  showNormal();
  move(b.Left, b.Top);
  resize(b.Width, b.Height);
  // A window manager that draws different borders around a maximised window moves
  // the frame when it restores the normal state, after the move above: the place is
  // checked again for a moment, so a start and a quit leave the saved place as it was.
  placedAt_ = QPoint(b.Left, b.Top);
  settleChecks_ = 0;
  settleTimer_.start();
}

void MainWindow::SettlePlacement() {
  if (!placedAt_ || ++settleChecks_ > settleCheckCount || isMaximized() || isMinimized()) {
    settleTimer_.stop();
    placedAt_.reset();
    return;
  }
  if (pos() != *placedAt_) move(*placedAt_);
}

WindowPlacement MainWindow::Placement() {
  settleTimer_.stop();  // the place is taken as it stands now
  return {WindowBounds{x(), width(), y(), height()}, !isMaximized() && !isMinimized()};
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (shutDown_.Request() != ShutDown::Outcome::Close) {
    // Cancelled, or running work was asked to stop: the close comes again at its end.
    event->ignore();
    return;
  }
  event->accept();
  if (OnClosed) OnClosed();
}

}  // namespace lw
