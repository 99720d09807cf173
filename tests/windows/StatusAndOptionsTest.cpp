// The status timer, the option switches, and the options file across two runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "WindowsTestSupport.h"
#include "app/Program2D.h"
#include "windows/CalculatorWindow.h"
#include "windows/PlotView.h"
#include "windows/SavePromptWindow.h"
#include "windows/ScanWindow.h"
#include "windows/ToolPanel.h"

namespace lw::test {
namespace {

TEST(StatusTimer, ReadyReturnsAfterTheIntervalAndARunningTimerIsNotRestarted) {
  ProgramFixture f;
  Program& p = f.State();
  p.SetStatusTimerInterval(1000);
  p.SetStatus("перше");
  p.StartStatusTimer();
  Pump(300);
  p.SetStatus("друге");
  p.StartStatusTimer();
  EXPECT_EQ(f.Main().StatusLabel()->text(), "друге");
  QElapsedTimer clock;
  clock.start();
  while (p.Status() != "Готова" && clock.elapsed() < 3000) Pump(10);
  EXPECT_EQ(p.Status(), "Готова");
  // Only what was left of the first run (about 700 ms): a restarted timer would
  // have taken the full second.
  EXPECT_LT(clock.elapsed(), 950);
  EXPECT_EQ(f.Main().StatusLabel()->text(), "Готова");
  EXPECT_FALSE(p.StatusTimerActive());
}

TEST(StatusTimer, TenSecondsByDefault) {
  ProgramFixture f;
  f.State().StartStatusTimer();
  EXPECT_TRUE(f.State().StatusTimerActive());
  EXPECT_GT(f.State().StatusTimerRemaining(), 9000);
}

TEST(Options, ToolPanelAndStatusBarFollowTheirSwitches) {
  ProgramFixture f;
  f.Main().resize(800, 600);
  f.Main().show();
  Pump(50);
  const QSize before = f.Main().View2D()->size();
  EXPECT_FALSE(f.Main().Tools()->isVisible());
  f.Main().Action(Command::ToolPanel)->trigger();
  Pump(50);
  EXPECT_TRUE(f.Main().Tools()->isVisible());
  EXPECT_EQ(f.Main().View2D()->width(), before.width() - 67);
  EXPECT_EQ(f.State().TwoD().ViewWidth(), f.Main().View2D()->width());
  f.Main().Action(Command::ToolPanel)->trigger();
  f.Main().Action(Command::StatusBar)->trigger();
  Pump(50);
  EXPECT_TRUE(f.Main().statusBar()->isVisible());
  EXPECT_EQ(f.Main().statusBar()->height(), 21);
  f.Main().Action(Command::StatusBar)->trigger();
  Pump(50);
  EXPECT_EQ(f.Main().View2D()->size(), before);
  EXPECT_EQ(f.State().TwoD().ViewWidth(), before.width());
  EXPECT_EQ(f.State().TwoD().ViewHeight(), before.height());
  f.State().SetAskToSave(false);
}

TEST(Options, WrittenAtShutDownAndAppliedAtTheNextStart) {
  ProgramFixture f;
  f.Main().Action(Command::AskToSave)->trigger();  // off: no prompt on closing
  f.Main().Action(Command::ToolPanel)->trigger();
  f.Main().Action(Command::StatusBar)->trigger();
  f.Main().Action(Command::Hints)->trigger();
  f.Windows().Scan->Option(2)->setChecked(false);
  f.Windows().Calculator->ClearInput()->setChecked(false);
  f.Main().showNormal();
  f.Main().move(100, 100);
  f.Main().resize(800, 600);
  Pump(50);
  EXPECT_TRUE(f.Main().close());
  ASSERT_TRUE(QFile::exists(QString::fromStdString(f.Path("Linewright.dat"))));

  f.Restart();
  EXPECT_FALSE(f.State().AskToSave());
  EXPECT_FALSE(f.Main().Action(Command::AskToSave)->isChecked());
  EXPECT_TRUE(f.State().ShowToolPanel());
  EXPECT_TRUE(f.Main().Action(Command::ToolPanel)->isChecked());
  EXPECT_TRUE(f.State().ShowStatusBar());
  EXPECT_FALSE(f.State().ShowHints());
  EXPECT_FALSE(f.Main().Action(Command::Hints)->isChecked());
  EXPECT_FALSE(f.Windows().Scan->Option(2)->isChecked());
  EXPECT_TRUE(f.Windows().Scan->Option(1)->isChecked());
  EXPECT_FALSE(f.Windows().Calculator->ClearInput()->isChecked());
  // Hints are off on the windows made after the start-up too.
  for (QToolButton* b : f.Main().Tools()->Buttons()) EXPECT_TRUE(b->toolTip().isEmpty());
  // The saved placement comes half a second after the start.
  f.Main().showMaximized();
  EXPECT_TRUE(f.Main().PlacementPending());
  for (int i = 0; i < 300 && f.Main().PlacementPending(); ++i) Pump(10);
  EXPECT_FALSE(f.Main().PlacementPending());
  EXPECT_FALSE(f.Main().isMaximized());
  EXPECT_EQ(f.Main().size(), QSize(800, 600));
}

TEST(Options, BoundsOffEveryScreenLeaveTheWindowMaximised) {
  ProgramFixture f;
  f.Main().Action(Command::AskToSave)->trigger();
  f.Main().showNormal();
  f.Main().move(-30000, -30000);
  f.Main().resize(800, 600);
  Pump(50);
  EXPECT_TRUE(f.Main().close());
  f.Restart();
  f.Main().showMaximized();
  for (int i = 0; i < 300 && f.Main().PlacementPending(); ++i) Pump(10);
  Pump(50);
  EXPECT_TRUE(f.Main().isMaximized());
  f.State().SetAskToSave(false);
}

TEST(Options, CancelInTheSavePromptKeepsTheProgramRunning) {
  ProgramFixture f;
  f.Main().show();
  WhenModal([](QWidget* modal) {
    auto* prompt = dynamic_cast<SavePromptWindow*>(modal);
    ASSERT_NE(prompt, nullptr);
    prompt->CancelButton()->click();
  });
  EXPECT_FALSE(f.Main().close());
  EXPECT_TRUE(f.Main().isVisible());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(f.Path("Linewright.dat"))));
  f.State().SetAskToSave(false);
}

TEST(Options, TheLastArgumentIsTheDocumentToOpen) {
  ProgramFixture f;
  f.State().Edits().SetField(ParamField::ScaleX, "33");
  ASSERT_TRUE(f.State().SaveSets(f.Path("a.lwf")));
  f.State().Edits().SetField(ParamField::ScaleX, "44");
  ASSERT_TRUE(f.State().SaveSets(f.Path("b.lwf")));
  f.State().SetAskToSave(false);
  f.Restart({f.Path("a.lwf"), f.Path("b.lwf")});
  EXPECT_EQ(f.State().Doc().Params.Field(ParamField::ScaleX), "44");
  EXPECT_EQ(f.Main().windowTitle(), "Linewright - b.lwf");
  f.State().SetAskToSave(false);
}

}  // namespace
}  // namespace lw::test
