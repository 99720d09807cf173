// 2D scanning driven through the plot view's mouse events and the scan windows: the
// marks in the picture, the values grid, the point list and the selection bounds.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidget>
#include <QToolButton>
#include <string>
#include <vector>

#include "WindowsTestSupport.h"
#include "app/Program2D.h"
#include "app/ProgramAnalysis.h"
#include "windows/PlotView.h"
#include "windows/ScanListWindow.h"
#include "windows/ScanWindow.h"

namespace lw::test {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

void Mouse(QWidget* view, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(view, &event);
}

void Click(QWidget* view, QPoint at) {
  Mouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton);
  Mouse(view, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

void Drag(QWidget* view, QPoint from, QPoint to) {
  Mouse(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
  Mouse(view, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
  Mouse(view, QEvent::MouseMove, to, Qt::LeftButton);
  Mouse(view, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

std::vector<Colour> Pixels(Program& p) {
  std::vector<Colour> pixels;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) pixels.push_back(p.TwoD().Picture().GetPixel(x, y));
  }
  return pixels;
}

// A program with one graph built on a view of kWidth x kHeight, scale 10 around the
// middle, so a pixel is a tenth of a unit.
struct Scanned {
  Scanned() {
    f.Main().resize(800, 600);
    f.State().TwoD().SetViewSize(kWidth, kHeight);
    f.State().Edits().SetBuildFlags(true, false, false);  // centred, scale from the fields
    f.State().Edits().SetField(ParamField::ScaleX, "10");
    f.State().Edits().SetField(ParamField::ScaleY, "10");
    f.State().Edits().AddGraph2D("x/2", PlotP{0x0000FF, Function, 1, Equal});
    f.Main().Action(Command::BuildAll2D)->trigger();
    f.Settle();
    view = f.Main().View2D();
    view->resize(kWidth, kHeight);
    f.State().TwoD().SetViewSize(kWidth, kHeight);
  }
  void Toggle() { f.Main().Action(Command::ScanMode)->trigger(); }
  ProgramAnalysis& Analysis() { return f.State().Analysis(); }

  ProgramFixture f;
  QWidget* view = nullptr;
};

TEST(Scan, ModeSwitchesTheCursorAndSayingReadyWhenLeft) {
  Scanned s;
  s.Toggle();
  EXPECT_TRUE(s.f.Main().Action(Command::ScanMode)->isChecked());
  EXPECT_EQ(s.view->cursor().shape(), Qt::CrossCursor);
  s.f.State().SetStatus("x");
  s.Toggle();
  EXPECT_EQ(s.view->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(s.f.State().Status(), "Готова");
}

TEST(Scan, ClicksRecordPointsAndTheMarksLeaveExactlyWithScanMode) {
  Scanned s;
  const auto before = Pixels(s.f.State());
  Click(s.view, {50, 50});  // outside scan mode nothing happens
  EXPECT_TRUE(s.Analysis().Scan().Points().empty());
  s.Toggle();
  Click(s.view, {200, 150});
  Click(s.view, {250, 100});
  Click(s.view, {150, 80});
  ASSERT_EQ(s.Analysis().Scan().Points().size(), 3u);
  EXPECT_EQ(s.Analysis().Scan().Points()[1], (ScanPoint{5.0, 5.0}));
  EXPECT_NE(Pixels(s.f.State()), before);
  EXPECT_TRUE(s.f.Windows().Scan->isVisible());
  s.Toggle();
  EXPECT_EQ(Pixels(s.f.State()), before);
  s.Toggle();  // the same points come back
  EXPECT_NE(Pixels(s.f.State()), before);
}

TEST(Scan, NoGraphsNoPoints) {
  ProgramFixture f;
  f.Main().Action(Command::ScanMode)->trigger();
  Click(f.Main().View2D(), {20, 20});
  EXPECT_TRUE(f.State().Analysis().Scan().Points().empty());
  EXPECT_FALSE(f.Windows().Scan->isVisible());
  f.Main().Action(Command::Scan2D)->trigger();
  EXPECT_TRUE(f.Windows().Scan->isVisible());
  EXPECT_EQ(f.Windows().Scan->Grid()->rowCount(), 0);
  EXPECT_EQ(f.Windows().Scan->XField()->text().toStdString(), "0");
}

// The same builds with and without scanning; after leaving scan mode the pictures
// are equal, whether the builds cleared the picture or drew over it.
TEST(Scan, MarksStayExactAcrossBuildsWithAndWithoutClearing) {
  for (const bool clear : {true, false}) {
    Scanned plain;
    Scanned s;
    s.Toggle();
    Click(s.view, {200, 150});
    Click(s.view, {250, 100});
    Click(s.view, {150, 80});
    for (Scanned* run : {&plain, &s}) {
      AppearanceSettings look = run->f.State().Doc().Appearance;
      look.ClearBackground = clear;
      run->f.State().Edits().SetAppearance(look);
      run->f.State().Edits().SetField(ParamField::ScaleX, "20");
      run->f.Main().Action(Command::BuildAll2D)->trigger();
      run->f.Settle();
      run->f.Main().Action(Command::BuildSelected2D)->trigger();
      run->f.Settle();
    }
    Click(s.view, {100, 100});
    s.Toggle();
    EXPECT_EQ(Pixels(s.f.State()), Pixels(plain.f.State())) << clear;
  }
}

TEST(Scan, ClearingThePictureTakesTheMarksWithIt) {
  Scanned s;
  s.Toggle();
  Click(s.view, {200, 150});
  Click(s.view, {250, 100});
  s.f.Main().Action(Command::Clear2D)->trigger();
  const auto cleared = Pixels(s.f.State());
  EXPECT_EQ(s.Analysis().Scan().Points().size(), 2u);
  s.Toggle();
  EXPECT_EQ(Pixels(s.f.State()), cleared);
}

// Unticking a box that governs marks changes the picture; ticking it again brings
// back exactly the picture before. Box 7 selects areas and changes no mark.
class ScanMarkBox : public ::testing::TestWithParam<std::pair<int, bool>> {};

TEST_P(ScanMarkBox, TogglesExactlyItsMarks) {
  const auto [box, changes] = GetParam();
  Scanned s;
  s.Toggle();
  Click(s.view, {200, 150});
  Click(s.view, {250, 100});
  Click(s.view, {150, 80});
  const auto marked = Pixels(s.f.State());
  QCheckBox* check = s.f.Windows().Scan->Option(box);
  check->click();
  EXPECT_FALSE(check->isChecked());
  EXPECT_EQ(Pixels(s.f.State()) != marked, changes);
  check->click();
  EXPECT_EQ(Pixels(s.f.State()), marked);
}

INSTANTIATE_TEST_SUITE_P(Boxes, ScanMarkBox,
                         ::testing::Values(std::pair{1, true}, std::pair{2, true},
                                           std::pair{4, true}, std::pair{5, true},
                                           std::pair{6, false}),
                         [](const ::testing::TestParamInfo<std::pair<int, bool>>& p) {
                           return "Box" + std::to_string(p.param.first);
                         });

TEST(Scan, BoxOneOffRecordsNoPointAndBoxFourOffShowsNoWindow) {
  Scanned s;
  s.f.Windows().Scan->Option(0)->click();
  s.f.Windows().Scan->Option(3)->click();
  s.Toggle();
  Click(s.view, {200, 150});
  EXPECT_TRUE(s.Analysis().Scan().Points().empty());
  EXPECT_EQ(s.Analysis().Scan().LastPoint(), (ScanPoint{0.0, 0.0}));
  EXPECT_FALSE(s.f.Windows().Scan->isVisible());
}

TEST(Scan, PointerPositionInTheStatusBarOnlyInScanMode) {
  Scanned s;
  s.f.State().SetStatus("Окей");
  Mouse(s.view, QEvent::MouseMove, {215, 130}, Qt::NoButton);
  EXPECT_EQ(s.f.State().Status(), "Окей");
  s.Toggle();
  Mouse(s.view, QEvent::MouseMove, {215, 130}, Qt::NoButton);
  EXPECT_EQ(s.f.State().Status(), "X: 1.5    Y: 2");
}

TEST(Scan, ValuesGridNormalisesAndReportsErrors) {
  ProgramFixture f;
  f.State().Edits().AddGraph2D("sqrt(x)", PlotP{});
  f.State().Edits().AddGraph2D("(x", PlotP{});
  f.State().Edits().AddGraph2D("x^2+y^2+3", PlotP{});
  ProgramAnalysis& a = f.State().Analysis();
  a.ShowScanValues({-1.0, 2.0});
  QTableWidget* grid = f.Windows().Scan->Grid();
  ASSERT_EQ(grid->rowCount(), 3);
  EXPECT_EQ(grid->item(0, 0)->text().toStdString(), "SQRT(X)");
  EXPECT_EQ(grid->item(0, 1)->text().toStdString(), "не існує");
  EXPECT_EQ(grid->item(1, 1)->text().toStdString(), "Непарні круглі скобки");
  EXPECT_EQ(grid->item(2, 1)->text().toStdString(), "8");
  EXPECT_EQ(f.Windows().Scan->YField()->text().toStdString(), "2");
  grid->setCurrentCell(2, 0);
  f.Windows().Scan->Button(1)->click();  // relation through the point
  EXPECT_EQ(grid->item(2, 0)->text().toStdString(), "X^2+Y^2-5");
  EXPECT_EQ(grid->item(2, 1)->text().toStdString(), "0");
  EXPECT_EQ(f.State().Doc().Graphs2D.Text(2), "x^2+y^2+3");
  grid->item(0, 0)->setText("X+1");  // edited by hand
  f.Windows().Scan->Button(3)->click();
  EXPECT_EQ(f.State().Doc().Graphs2D.Text(2), "X^2+Y^2-5");
  EXPECT_EQ(f.State().Doc().Graphs2D.Text(0), "X+1");
}

TEST(Scan, FunctionThroughThePointShiftsOnlyWhenNeeded) {
  ProgramFixture f;
  f.State().Edits().AddGraph2D("X+1", PlotP{});
  f.State().Analysis().ShowScanValues({1.0, 5.0});
  QTableWidget* grid = f.Windows().Scan->Grid();
  f.Windows().Scan->Button(2)->click();  // the first row counts as selected
  EXPECT_EQ(grid->item(0, 0)->text().toStdString(), "X+4");
  EXPECT_EQ(grid->item(0, 1)->text().toStdString(), "5");
  f.State().Analysis().ShowScanValues({1.0, 2.0});
  f.Windows().Scan->Button(2)->click();
  EXPECT_EQ(grid->item(0, 0)->text().toStdString(), "X+1");
}

// A curve of T shows no value, and both shifts through the point refuse it aloud.
TEST(Scan, CurvesOfAParameterAreNotShiftedThroughAPoint) {
  ProgramFixture f;
  f.State().Edits().AddGraph2D("5*cos(t);5*sin(t);0;2*p", PlotP{0, ParametricCurve, 1, Equal});
  f.State().Analysis().ShowScanValues({5.0, 0.0});
  QTableWidget* grid = f.Windows().Scan->Grid();
  EXPECT_EQ(grid->item(0, 0)->text().toStdString(), "5*COS(T);5*SIN(T);0;2*P");
  EXPECT_EQ(grid->item(0, 1)->text().toStdString(), "не існує");
  for (const int button : {1, 2}) {
    f.State().Status();  // whatever it said before
    f.Windows().Scan->Button(button)->click();
    EXPECT_EQ(f.State().Status(),
              "Криву параметра T не провести через точку: вона не має значення в точці площини")
        << button;
    EXPECT_EQ(grid->item(0, 0)->text().toStdString(), "5*COS(T);5*SIN(T);0;2*P") << button;
  }
}

TEST(Scan, OptionsPanelGrowsAndShrinksBy155) {
  ProgramFixture f;
  ScanWindow* w = f.Windows().Scan;
  w->show();
  const int height = w->height();
  w->Button(6)->click();
  EXPECT_EQ(w->height(), height + 155);
  EXPECT_EQ(w->BottomPanel()->height(), 215);
  EXPECT_TRUE(w->Option(0)->isVisibleTo(w));
  w->Button(6)->click();
  EXPECT_EQ(w->height(), height);
  EXPECT_EQ(w->BottomPanel()->height(), 60);
  EXPECT_FALSE(w->Option(0)->isVisibleTo(w));
}

TEST(Scan, PointListDeletesClearsAndShowsValues) {
  Scanned s;
  const auto before = Pixels(s.f.State());
  s.f.Main().Action(Command::ScannedPoints)->trigger();
  EXPECT_FALSE(s.f.Windows().ScanList->isVisible());
  s.Toggle();
  Click(s.view, {200, 150});
  Click(s.view, {250, 100});
  Click(s.view, {150, 80});
  s.f.Main().Action(Command::ScannedPoints)->trigger();
  ScanListWindow* list = s.f.Windows().ScanList;
  ASSERT_TRUE(list->isVisible());
  ASSERT_EQ(list->Grid()->rowCount(), 3);
  EXPECT_EQ(list->Grid()->item(1, 0)->text().toStdString(), "5");
  EXPECT_EQ(list->Grid()->horizontalHeaderItem(0)->text().toStdString(), "X");
  list->Grid()->selectRow(1);
  list->ValuesButton()->click();
  EXPECT_EQ(s.f.Windows().Scan->XField()->text().toStdString(), "5");
  list->DeleteButton()->click();
  ASSERT_EQ(s.Analysis().Scan().Points().size(), 2u);
  EXPECT_EQ(list->Grid()->rowCount(), 2);
  EXPECT_EQ(s.Analysis().Scan().Points()[1], (ScanPoint{-5.0, 7.0}));
  list->ClearButton()->click();
  EXPECT_TRUE(s.Analysis().Scan().Points().empty());
  EXPECT_FALSE(list->isVisible());
  s.Toggle();
  EXPECT_EQ(Pixels(s.f.State()), before);
}

TEST(Scan, SelectionGivesTheBoundsAndTheyCanBeRestored) {
  Scanned s;
  s.Toggle();
  Drag(s.view, {300, 250}, {100, 50});  // lower right to upper left
  EXPECT_EQ(s.Analysis().Scan().Selection(), (SelectionRect{300, 250, 100, 50}));
  s.f.Windows().Scan->Button(4)->click();
  const BuildParameters& p = s.f.State().Doc().Params;
  EXPECT_EQ(p.Field(ParamField::XStart), "10");
  EXPECT_EQ(p.Field(ParamField::XEnd), "-10");
  EXPECT_EQ(p.Field(ParamField::YStart), "10");
  EXPECT_EQ(p.Field(ParamField::YEnd), "-10");
  s.f.Windows().Scan->Button(5)->click();
  EXPECT_EQ(p.Field(ParamField::XStart), "-20");
  EXPECT_EQ(p.Field(ParamField::YEnd), "20");
}

TEST(Scan, TheRubberBandShowsWhileDraggingOnly) {
  Scanned s;
  s.view->grab();  // the layout gives the view its size first; a resize repaints all
  s.Toggle();
  Mouse(s.view, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
  Mouse(s.view, QEvent::MouseMove, {140, 130}, Qt::LeftButton);
  ASSERT_TRUE(s.Analysis().Band().has_value());
  EXPECT_EQ(*s.Analysis().Band(), (SelectionRect{100, 100, 140, 130}));
  const auto shown = [&s] {
    return s.view->grab()
        .toImage()
        .copy(0, 0, kWidth, kHeight)
        .convertToFormat(QImage::Format_RGB32);
  };
  const auto picture = [&s] {
    return s.f.State()
        .TwoD()
        .Picture()
        .ToImage(kWidth, kHeight)
        .convertToFormat(QImage::Format_RGB32);
  };
  EXPECT_NE(shown(), picture());
  Mouse(s.view, QEvent::MouseButtonRelease, {140, 130}, Qt::NoButton);
  EXPECT_FALSE(s.Analysis().Band().has_value());
  EXPECT_EQ(shown(), picture());
}

TEST(Scan, OptionsTravelWithTheOptionsFile) {
  ProgramFixture f;
  f.Windows().Scan->Option(2)->click();
  f.State().SetAskToSave(false);
  EXPECT_TRUE(f.Main().close());
  f.Restart();
  EXPECT_FALSE(f.Windows().Scan->Option(2)->isChecked());
  EXPECT_FALSE(f.State().Analysis().Scan().Options()[JoinPoints]);
  EXPECT_TRUE(f.State().Analysis().Scan().Options()[ShowPoints]);
}

}  // namespace
}  // namespace lw::test
