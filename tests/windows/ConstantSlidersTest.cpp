// The slider window "Повзунки констант": constants rewritten in the document as the
// slider moves, one build per burst of values, the play, and saving what was set.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include "WindowsTestSupport.h"
#include "app/Program2D.h"
#include "app/Program3D.h"
#include "document/SettingsFile.h"
#include "formula/FormulaParser.h"
#include "windows/ConstantSlidersWindow.h"
#include "windows/ParamsWindow.h"
#include "windows/PlotView.h"
#include "windows/ProgressWindow.h"
#include "windows/ToolPanel.h"

namespace lw::test {
namespace {

class Sliders : public ::testing::Test {
 protected:
  Sliders() {
    f.State().TwoD().SetViewSize(200, 150);
    f.State().Edits().SetConstants(false, {"A=3", "", "K=2*P"});
    f.State().Edits().SetConstants(true, {"B=1"});
    f.State().Edits().AddGraph2D("sin(x)*A+K", PlotP{0x0000FF, Function, 1, Equal});
    f.State().Edits().AddGraph3D("x*B", PlotP3d{0x00FF00, ZOfXY});
  }
  ConstantSlidersWindow& Open2D() {
    f.Main().Action(Command::ConstantSliders2D)->trigger();
    return Window();
  }
  ConstantSlidersWindow& Window() {
    auto* w = FindConstantSliders(&f.Main());
    EXPECT_NE(w, nullptr);
    return *w;
  }
  const std::vector<std::string>& Lines2D() { return f.State().Doc().Params.Constants2D; }

  ProgramFixture f;
};

TEST_F(Sliders, ListsAdjustableConstantsAndGivesTheReasonForOthers) {
  ConstantSlidersWindow& w = Open2D();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8(SlidersCaption.data()));
  ASSERT_EQ(w.Rows().size(), 2u);
  const auto& a = w.Rows()[0];
  EXPECT_EQ(a.name->text(), "A");
  ASSERT_NE(a.slider, nullptr);
  EXPECT_EQ(a.value->text(), "3");
  EXPECT_EQ(a.lower->text(), "-27");
  EXPECT_EQ(a.upper->text(), "33");
  EXPECT_EQ(a.step->text(), "0.6");
  EXPECT_EQ(a.slider->maximum(), 100);
  EXPECT_EQ(a.slider->value(), 50);
  const auto& k = w.Rows()[1];
  EXPECT_EQ(k.slider, nullptr);
  ASSERT_NE(k.fixed, nullptr);
  EXPECT_EQ(k.fixed->toolTip(), QString::fromUtf8(ExpressionReason.data()));
}

TEST_F(Sliders, EveryControlHasAHintThatFollowsTheSwitch) {
  ConstantSlidersWindow& w = Open2D();
  const auto& a = w.Rows()[0];
  for (QWidget* c : std::vector<QWidget*>{a.name, a.slider, a.value, a.lower, a.upper, a.step,
                                          a.play, w.Speed(), w.Page2D()}) {
    EXPECT_FALSE(c->toolTip().isEmpty()) << c->metaObject()->className();
  }
  f.Main().Action(Command::Hints)->trigger();
  EXPECT_TRUE(a.slider->toolTip().isEmpty());
  f.Main().Action(Command::Hints)->trigger();
  EXPECT_FALSE(a.slider->toolTip().isEmpty());
}

TEST_F(Sliders, DraggingRewritesTheLineAndRebuildsOnceForABurst) {
  ConstantSlidersWindow& w = Open2D();
  QSlider* slider = w.Rows()[0].slider;
  // Three moves before the event loop runs: A = 3.6, 4.2, 4.8.
  for (int step : {51, 52, 53}) slider->setValue(step);
  EXPECT_EQ(Lines2D(), (std::vector<std::string>{"A=4.8", "", "K=2*P"}));
  EXPECT_EQ(f.Windows().Params->Constants(false)->toPlainText(), "A=4.8\n\nK=2*P");
  EXPECT_EQ(w.Sliders().Rebuilds().Finished(), 0);
  Pump(20);
  f.Settle();
  EXPECT_EQ(w.Sliders().Rebuilds().Finished(), 1);
  EXPECT_DOUBLE_EQ(f.State().ExplicitParser().Variable('A'), 4.8);
  EXPECT_EQ(f.State().Status(), "Окей");
  EXPECT_FALSE(f.Windows().Progress->isVisible());
  EXPECT_EQ(w.Rows()[0].value->text(), "4.8");
}

TEST_F(Sliders, TypedValuesAndRangesAreCheckedAndApplied) {
  ConstantSlidersWindow& w = Open2D();
  const auto& a = w.Rows()[0];
  a.value->setText("2*p");
  emit a.value->returnPressed();
  EXPECT_EQ(Lines2D()[0], "A=6.28318530717959");
  a.value->setText("1/0");
  emit a.value->returnPressed();
  EXPECT_EQ(f.State().Status(), BadConstantValueText);
  EXPECT_EQ(Lines2D()[0], "A=6.28318530717959");
  a.lower->setText("1");
  a.upper->setText("5");
  a.step->setText("0,5");
  emit a.step->returnPressed();
  EXPECT_EQ(a.slider->maximum(), 8);
  EXPECT_EQ(a.slider->value(), 8);  // 6.28 lies above the range: the slider stops at 5
  a.slider->setValue(1);
  EXPECT_EQ(Lines2D()[0], "A=1.5");
  a.upper->setText("0");
  emit a.upper->returnPressed();
  EXPECT_EQ(f.State().Status(), BadRangeText);
  EXPECT_EQ(a.upper->text(), "5");
}

TEST_F(Sliders, EnterInAFieldAppliesItAndKeepsTheWindowOpen) {
  ConstantSlidersWindow& w = Open2D();
  QLineEdit* value = w.Rows()[0].value;
  value->setFocus();
  value->setText("4");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(value, &enter);
  EXPECT_EQ(Lines2D()[0], "A=4");
  EXPECT_TRUE(w.isVisible());
}

TEST_F(Sliders, ChangingTheListElsewhereRefreshesTheRows) {
  ConstantSlidersWindow& w = Open2D();
  f.State().Edits().SetConstants(false, {"A=7", "C=2,25"});
  ASSERT_EQ(w.Rows().size(), 2u);
  EXPECT_EQ(w.Rows()[0].value->text(), "7");
  EXPECT_EQ(w.Rows()[1].name->text(), "C");
  w.Rows()[1].slider->setValue(w.Rows()[1].slider->value() + 1);
  EXPECT_EQ(Lines2D()[1], "C=2,7");  // the user's decimal comma is kept
}

TEST_F(Sliders, PlaySweepsAndTurnsAtTheBoundsAndAnyOtherCommandStopsIt) {
  ConstantSlidersWindow& w = Open2D();
  const auto& a = w.Rows()[0];
  a.lower->setText("2");
  a.upper->setText("4");
  a.step->setText("1");
  emit a.step->returnPressed();
  w.Speed()->setValue(100);
  a.play->click();
  EXPECT_TRUE(w.Sliders().Playing());
  std::vector<std::string> seen;
  for (int i = 0; i < 5; ++i) {
    w.Sliders().AdvancePlay();
    seen.push_back(Lines2D()[0]);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"A=4", "A=3", "A=2", "A=3", "A=4"}));
  EXPECT_TRUE(a.play->isChecked());
  // Its timer steps it too.
  for (int i = 0; i < 400 && Lines2D()[0] == "A=4"; ++i) Pump(5);
  EXPECT_NE(Lines2D()[0], "A=4");
  // A click on the speed field changes the speed but does not stop the play.
  QMouseEvent onSpeed(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w.Speed(), &onSpeed);
  EXPECT_TRUE(w.Sliders().Playing());
  QKeyEvent key(QEvent::KeyPress, Qt::Key_F8, Qt::NoModifier);  // "Ви&терти"
  QCoreApplication::sendEvent(&f.Main(), &key);
  EXPECT_FALSE(w.Sliders().Playing());
  EXPECT_FALSE(a.play->isChecked());
  const std::string stopped = Lines2D()[0];
  Pump(50);
  EXPECT_EQ(Lines2D()[0], stopped);
  a.play->click();
  EXPECT_TRUE(w.Sliders().Playing());
  QMouseEvent onMenu(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(f.Main().menuBar(), &onMenu);
  EXPECT_FALSE(w.Sliders().Playing());
}

// The plot view shows the last finished picture while a build that follows the
// slider runs, never the cleared one it draws into.
TEST_F(Sliders, ThePlotViewKeepsTheFinishedPictureWhileTheNextIsBuilt) {
  f.Main().show();
  Pump(20);
  f.Main().Action(Command::BuildAll2D)->trigger();
  f.Settle();
  PlotView* view = f.Main().View2D();
  const QImage finished = view->grab().toImage();
  f.State().Edits().SetConstants(false, {"A=20", "", "K=2*P"});
  f.State().TwoD().BuildAll(BuildShowing::WhenFinished);
  ASSERT_TRUE(f.State().Busy());
  EXPECT_EQ(view->grab().toImage(), finished);
  f.Settle();
  EXPECT_NE(view->grab().toImage(), finished);
}

TEST_F(Sliders, TheThreeDMenuOpensTheThreeDConstantsAndRebuildsTheSurfaces) {
  f.Main().Action(Command::ConstantSliders3D)->trigger();
  ConstantSlidersWindow& w = Window();
  EXPECT_TRUE(w.Page3D()->isChecked());
  ASSERT_EQ(w.Rows().size(), 1u);
  w.Rows()[0].slider->setValue(60);  // B = 1 + 10 * 0.2
  Pump(20);
  f.Settle();
  EXPECT_EQ(f.State().Doc().Params.Constants3D[0], "B=3");
  EXPECT_DOUBLE_EQ(f.State().SurfaceParser().Variable('B'), 3.0);
  EXPECT_EQ(f.State().ThreeD().Block().objects.size(), 2u);
}

TEST_F(Sliders, SavingStoresTheValueAndChangesNothingElse) {
  const std::string path = f.Path("doc.lwf");
  ASSERT_TRUE(f.State().SaveSets(path));
  QFile before(QString::fromStdString(path));
  ASSERT_TRUE(before.open(QIODevice::ReadOnly));
  QByteArray expected = before.readAll();
  expected.replace("\nA=3\n", "\nA=1.2\n");
  ConstantSlidersWindow& w = Open2D();
  w.Rows()[0].slider->setValue(47);
  Pump(20);
  ASSERT_TRUE(f.State().SaveSets(path));
  QFile after(QString::fromStdString(path));
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.readAll(), expected);
  ASSERT_TRUE(f.State().LoadSets(path));
  EXPECT_EQ(Lines2D()[0], "A=1.2");
  EXPECT_EQ(w.Rows()[0].value->text(), "1.2");
}

TEST_F(Sliders, TheToolButtonOpensTheWindow) {
  const auto& tools = f.Main().Tools()->Buttons();
  const auto button = std::find_if(tools.begin(), tools.end(), [](QToolButton* b) {
    return b->toolTip().startsWith(QStringLiteral("Повзунки констант"));
  });
  ASSERT_NE(button, tools.end());
  (*button)->click();
  EXPECT_TRUE(Window().isVisible());
}

}  // namespace
}  // namespace lw::test
