// Building through the menu and the build-parameters window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "WindowsTestSupport.h"
#include "app/Program2D.h"
#include "app/ProgramAnalysis.h"
#include "windows/ParamsWindow.h"
#include "windows/PlotView.h"
#include "windows/ProgressWindow.h"

namespace lw::test {
namespace {

// Counts pixels of one colour in the visible part of the picture.
int CountColour(Program& p, Colour c) {
  int n = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 400; ++x) n += p.TwoD().Picture().GetPixel(x, y) == c ? 1 : 0;
  }
  return n;
}

TEST(Build, BuildAllThroughTheMenuDrawsTheGraphs) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(400, 300);
  f.State().Edits().AddGraph2D("sin(x)", PlotP{0x0000FF, Function, 1, Equal});
  f.State().Edits().AddGraph2D("x*x+y*y<25", PlotP{0x00FF00, Relation, 0, Less});
  ASSERT_EQ(CountColour(f.State(), 0x0000FF), 0);
  f.Main().Action(Command::BuildAll2D)->trigger();
  f.Settle();
  EXPECT_GT(CountColour(f.State(), 0x0000FF), 100);
  EXPECT_FALSE(f.Windows().Progress->isVisible());
  EXPECT_TRUE(f.State().StatusTimerActive());
  EXPECT_EQ(f.State().Status(), "Окей");
}

TEST(Build, ProgressWindowShowsTheGraphNumberDuringTheBuild) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(200, 150);
  f.State().Edits().AddGraph2D("x", PlotP{0x0000FF, Function, 0, Equal});
  f.State().Edits().AddGraph2D("x*y", PlotP{0, ColorGamma, 0, Equal});
  f.Main().Action(Command::BuildAll2D)->trigger();
  f.Settle();
  EXPECT_EQ(f.Windows().Progress->windowTitle().toStdString(), "Стан побудови : графік №2");
  EXPECT_EQ(f.Windows().Progress->Maximum(), 201);
}

TEST(Build, BadParametersReportAndDrawNothing) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(200, 150);
  f.State().Edits().AddGraph2D("x", PlotP{0x0000FF, Function, 0, Equal});
  f.Windows().Params->Field(ParamField::ScaleY)->setText("0");
  f.Windows().Params->Field(ParamField::ScaleY)->textEdited("0");
  f.Windows().Params->BuildAllButton(false)->click();
  f.Settle();
  EXPECT_EQ(f.State().Status(), "Помилка вводу маштабу вісі Y");
  EXPECT_EQ(CountColour(f.State(), 0x0000FF), 0);
  EXPECT_FALSE(f.State().StatusTimerActive());
}

TEST(Build, BuildSelectedWithNoSelectionBuildsTheFirst) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(200, 150);
  f.State().Edits().AddGraph2D("x", PlotP{0x0000FF, Function, 0, Equal});
  f.State().Edits().AddGraph2D("-x", PlotP{0x00FF00, Function, 0, Equal});
  f.Windows().Params->BuildSelectedButton(false)->click();
  f.Settle();
  EXPECT_GT(CountColour(f.State(), 0x0000FF), 50);
  EXPECT_EQ(CountColour(f.State(), 0x00FF00), 0);
}

TEST(Build, ThePictureSurvivesASpaceSwitch) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(200, 150);
  f.State().Edits().AddGraph2D("x", PlotP{0x0000FF, Function, 0, Equal});
  f.Main().Action(Command::BuildAll2D)->trigger();
  f.Settle();
  const int before = CountColour(f.State(), 0x0000FF);
  f.Main().Action(Command::Space3D)->trigger();
  f.Main().Action(Command::Space2D)->trigger();
  EXPECT_EQ(CountColour(f.State(), 0x0000FF), before);
  f.Main().Action(Command::Clear2D)->trigger();
  EXPECT_EQ(CountColour(f.State(), 0x0000FF), 0);
}

TEST(Build, TemporaryGridTwiceLeavesThePictureAsItWas) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(200, 150);
  f.State().Edits().AddGraph2D("x", PlotP{0x0000FF, Function, 0, Equal});
  f.Main().Action(Command::BuildAll2D)->trigger();
  f.Settle();
  const QImage before = f.State().TwoD().Picture().ToImage(200, 150);
  f.Main().Action(Command::TemporaryGrid)->trigger();
  EXPECT_TRUE(f.Main().Action(Command::TemporaryGrid)->isChecked());
  EXPECT_NE(f.State().TwoD().Picture().ToImage(200, 150), before);
  f.Main().Action(Command::TemporaryGrid)->trigger();
  EXPECT_EQ(f.State().TwoD().Picture().ToImage(200, 150), before);
}

TEST(Build, ScanModeShowsThePointerPositionAndReadyWhenSwitchedOff) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(200, 150);
  f.State().Edits().SetBuildFlags(true, false, false);
  f.Main().Action(Command::BuildAll2D)->trigger();
  f.Settle();
  f.State().Analysis().ShowPointerPosition(120, 55);  // not in scan mode: nothing
  EXPECT_NE(f.State().Status().substr(0, 3), "X: ");
  f.Main().Action(Command::ScanMode)->trigger();
  EXPECT_TRUE(f.Main().Action(Command::ScanMode)->isChecked());
  f.State().Analysis().ShowPointerPosition(120, 55);
  const char sep = SystemDecimalSeparator();
  EXPECT_EQ(f.State().Status(), "X: 2    Y: 2");
  f.State().Analysis().ShowPointerPosition(105, 80);
  EXPECT_EQ(f.State().Status(), std::string("X: 0") + sep + "5    Y: -0" + sep + "5");
  f.Main().Action(Command::ScanMode)->trigger();
  EXPECT_EQ(f.State().Status(), "Готова");
}

// A plot view larger than the default picture (a maximised window on a large screen)
// shows graphs out to its right and bottom edges, never a black band.
TEST(Build, AViewLargerThanThePictureShowsGraphsToItsEdges) {
  ProgramFixture f;
  f.Main().show();
  f.Main().resize(2600, 1500);
  Pump(50);
  PlotView* view = f.Main().View2D();
  ASSERT_GT(view->width(), 1600);
  ASSERT_GT(view->height(), 1200);
  EXPECT_GE(f.State().TwoD().Picture().Width(), view->width());
  EXPECT_GE(f.State().TwoD().Picture().Height(), view->height());
  f.State().Edits().AddGraph2D("x*x+y*y-100", PlotP{0x00FF00, Relation, 0, Less});
  f.State().Edits().AddGraph2D("y+15", PlotP{0x0000FF, Relation, 0, Less});
  f.Main().Action(Command::BuildAll2D)->trigger();
  f.Settle();
  const QImage shown = view->grab().toImage();
  const int right = shown.width() - 1, bottom = shown.height() - 1;
  EXPECT_EQ(shown.pixel(right, bottom), qRgb(255, 0, 0));  // the strip below y = -15
  EXPECT_EQ(shown.pixel(right, 0), qRgb(255, 255, 255));
  EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), qRgb(0, 255, 0));
}

}  // namespace
}  // namespace lw::test
