// The 2D view moved by hand in the desktop program: the wheel and drags over the
// plot view, the keys of the 2D menu, one gesture per burst, the preview and the
// build that replaces it, and bringing the bounds back.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include "CaseNames.h"
#include "WindowsTestSupport.h"
#include "app/Navigator2D.h"
#include "app/Program2D.h"
#include "app/ProgramAnalysis.h"
#include "windows/PlotView.h"

namespace lw::test {
namespace {

struct Heard : ProgramObserver {
  int began = 0, ended = 0, parameters = 0;
  void GestureBegan() override { ++began; }
  void GestureEnded() override { ++ended; }
  void ParametersChanged() override { ++parameters; }
};

class Navigation : public ::testing::Test {
 protected:
  static constexpr int kWidth = 600, kHeight = 400;

  Navigation() {
    f.Main().resize(800, 600);
    Plot().resize(kWidth, kHeight);
    f.State().TwoD().SetViewSize(kWidth, kHeight);
    f.State().Edits().AddGraph2D("x", PlotP{0x0000FF});
    Nav().SetBurstGap(30);
    f.State().TwoD().BuildAll();
    f.Settle();
    original = ViewFieldsOf(f.State().Doc().Params);
    f.State().Observers().Add(&heard);
  }
  ~Navigation() override { f.State().Observers().Remove(&heard); }

  Navigator2D& Nav() { return f.State().Navigation(); }
  const View2D& View() { return f.State().TwoD().View(); }
  const std::string& Field(ParamField which) { return f.State().Doc().Params.Field(which); }
  PlotView& Plot() { return *f.Main().View2D(); }

  // Until the builds the moves asked for have ended.
  void FinishMoves() {
    for (int i = 0; i < 500; ++i) {
      QCoreApplication::processEvents();
      f.Settle();
      if (!Nav().Rebuilds().Pending() && !Nav().Rebuilds().Building() && !f.State().Busy()) return;
    }
    ADD_FAILURE() << "the builds of the moves did not end";
  }
  void EndBurst() { Pump(60); }

  void WheelAt(int x, int y, int delta, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QWheelEvent e(QPointF(x, y), Plot().mapToGlobal(QPointF(x, y)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, keys, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&Plot(), &e);
  }
  void Mouse(QEvent::Type type, Qt::MouseButton button, int x, int y) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent e(type, QPointF(x, y), Plot().mapToGlobal(QPointF(x, y)), button, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&Plot(), &e);
  }
  void DragWith(Qt::MouseButton button, int x0, int y0, int x1, int y1) {
    Mouse(QEvent::MouseButtonPress, button, x0, y0);
    for (int step = 1; step <= 4; ++step) {
      Mouse(QEvent::MouseMove, Qt::NoButton, x0 + (x1 - x0) * step / 4, y0 + (y1 - y0) * step / 4);
    }
    Mouse(QEvent::MouseButtonRelease, button, x1, y1);
  }

  ProgramFixture f;
  Heard heard;
  ViewFields2D original;
};

// A world point may land a pixel off: origins are whole pixels.
constexpr double kPixel = 1.001;

double WorldX(const View2D& v, double px) {
  return (px - v.OriginX) / v.ScaleX;
}
double WorldY(const View2D& v, double py) {
  return (v.OriginY - py) / v.ScaleY;
}

TEST_F(Navigation, ThreeNotchesNarrowXAboutThePointerAndThePictureFollows) {
  const View2D before = View();
  const int x = kWidth / 4, y = kHeight / 3;
  for (int i = 0; i < 3; ++i) WheelAt(x, y, 120);
  // The preview shows at once; the build replaces it.
  ASSERT_TRUE(Nav().Preview().has_value());
  EXPECT_NEAR(Nav().Preview()->Map().kx, ZoomStep * ZoomStep * ZoomStep, 1e-6);
  FinishMoves();
  EXPECT_FALSE(Nav().Preview().has_value());
  const View2D after = View();
  EXPECT_NEAR(after.ScaleX / before.ScaleX, ZoomStep * ZoomStep * ZoomStep, 1e-9);
  EXPECT_NEAR(WorldX(after, x), WorldX(before, x), kPixel / after.ScaleX);
  EXPECT_NEAR(WorldY(after, y), WorldY(before, y), kPixel / after.ScaleY);
  EXPECT_LT(std::stod(Field(ParamField::XEnd)) - std::stod(Field(ParamField::XStart)),
            std::stod(original.texts[3]) - std::stod(original.texts[2]));
  EXPECT_FALSE(f.State().Doc().Params.Centering);
  // The graph was drawn again: the shown list still holds it.
  EXPECT_EQ(f.State().TwoD().Shown(), std::vector<std::size_t>{0});
}

struct WheelKeysCase {
  const char* name;
  Qt::KeyboardModifiers keys;
  double kx, ky;
};

void PrintTo(const WheelKeysCase& c, std::ostream* out) {
  *out << c.name;
}

class WheelKeys : public Navigation, public ::testing::WithParamInterface<WheelKeysCase> {};

TEST_P(WheelKeys, ChooseTheAxesAndTheDirection) {
  const WheelKeysCase& c = GetParam();
  const View2D before = View();
  WheelAt(50, 60, c.kx >= 1 && c.ky >= 1 ? 120 : -120, c.keys);
  FinishMoves();
  EXPECT_NEAR(View().ScaleX / before.ScaleX, c.kx, 1e-9);
  EXPECT_NEAR(View().ScaleY / before.ScaleY, c.ky, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Navigation, WheelKeys,
    ::testing::Values(WheelKeysCase{"UpZoomsIn", Qt::NoModifier, ZoomStep, ZoomStep},
                      WheelKeysCase{"DownZoomsOut", Qt::NoModifier, 1 / ZoomStep, 1 / ZoomStep},
                      WheelKeysCase{"ShiftZoomsXOnly", Qt::ShiftModifier, ZoomStep, 1},
                      WheelKeysCase{"ControlZoomsYOnly", Qt::ControlModifier, 1, ZoomStep}),
    CaseName{});

TEST_F(Navigation, AWheelBurstIsOneGestureWithOneNoticePerNotch) {
  for (int i = 0; i < 4; ++i) WheelAt(100, 100, 120);
  EXPECT_EQ(heard.began, 1);
  EXPECT_EQ(heard.ended, 0);
  EXPECT_TRUE(f.State().Edits().InGesture());
  EXPECT_EQ(heard.parameters, 4);
  EndBurst();
  EXPECT_EQ(heard.ended, 1);
  EXPECT_FALSE(f.State().Edits().InGesture());
  WheelAt(100, 100, -120);  // after the gap: a gesture of its own
  EndBurst();
  EXPECT_EQ(heard.began, 2);
  EXPECT_EQ(heard.ended, 2);
  FinishMoves();
}

// A burst of notches and a drag are one undo step each: undo gives the field texts
// back exactly and rebuilds the view, redo brings the moved ones.
TEST_F(Navigation, EachGestureIsOneUndoStep) {
  const std::size_t before = f.State().History().Steps().UndoCount();
  for (int i = 0; i < 3; ++i) WheelAt(120, 90, 120);
  EndBurst();
  FinishMoves();
  const ViewFields2D zoomed = ViewFieldsOf(f.State().Doc().Params);
  DragWith(Qt::MiddleButton, 300, 200, 340, 180);
  FinishMoves();
  const ViewFields2D panned = ViewFieldsOf(f.State().Doc().Params);
  EXPECT_EQ(f.State().History().Steps().UndoCount(), before + 2);
  ASSERT_TRUE(f.State().History().Undo());
  FinishMoves();
  EXPECT_EQ(ViewFieldsOf(f.State().Doc().Params).texts, zoomed.texts);
  ASSERT_TRUE(f.State().History().Undo());
  FinishMoves();
  EXPECT_EQ(ViewFieldsOf(f.State().Doc().Params).texts, original.texts);
  EXPECT_EQ(f.State().Doc().Params.Centering, original.Centering);
  EXPECT_EQ(f.State().TwoD().Shown(), std::vector<std::size_t>{0}) << "the view was rebuilt";
  ASSERT_TRUE(f.State().History().Redo());
  ASSERT_TRUE(f.State().History().Redo());
  FinishMoves();
  EXPECT_EQ(ViewFieldsOf(f.State().Doc().Params).texts, panned.texts);
}

TEST_F(Navigation, AMiddleDragPansTheGraphsWithTheHandAsOneGesture) {
  const View2D before = View();
  DragWith(Qt::MiddleButton, 200, 150, 260, 110);
  EXPECT_EQ(heard.began, 1);
  EXPECT_EQ(heard.ended, 1);
  FinishMoves();
  const View2D after = View();
  // The world point that was under the press is under the release.
  EXPECT_NEAR(WorldX(after, 260), WorldX(before, 200), kPixel / after.ScaleX);
  EXPECT_NEAR(WorldY(after, 110), WorldY(before, 150), kPixel / after.ScaleY);
  EXPECT_DOUBLE_EQ(after.ScaleX, before.ScaleX);
}

TEST_F(Navigation, GesturesNestAndAreToldOnceAtTheOutermost) {
  DocumentEditor& edits = f.State().Edits();
  {
    GestureScope outer(edits);
    edits.BeginGesture();
    edits.SetField(ParamField::XEnd, "30");
    edits.EndGesture();
    EXPECT_TRUE(edits.InGesture());
    EXPECT_EQ(heard.ended, 0);
  }
  edits.EndGesture();  // one end too many is ignored
  EXPECT_EQ(heard.began, 1);
  EXPECT_EQ(heard.ended, 1);
  EXPECT_EQ(heard.parameters, 1);
  EXPECT_FALSE(edits.InGesture());
}

TEST_F(Navigation, AClickWithoutAMoveChangesNothing) {
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, 100, 100);
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, 100, 100);
  EXPECT_EQ(heard.began, 0);
  EXPECT_EQ(heard.parameters, 0);
  EXPECT_EQ(ViewFieldsOf(f.State().Doc().Params), original);
}

TEST_F(Navigation, InScanModeADragScansAndTheWheelStillZooms) {
  f.State().Analysis().ToggleScanMode();
  const std::size_t points = f.State().Analysis().Scan().Points().size();
  DragWith(Qt::LeftButton, 100, 100, 150, 120);
  DragWith(Qt::MiddleButton, 100, 100, 150, 120);
  EXPECT_EQ(ViewFieldsOf(f.State().Doc().Params), original);
  EXPECT_EQ(f.State().Analysis().Scan().Points().size(), points + 2);
  const View2D before = View();
  WheelAt(100, 100, 120);
  FinishMoves();
  EXPECT_NEAR(View().ScaleX / before.ScaleX, ZoomStep, 1e-9);
}

struct KeyCase {
  const char* name;
  Command command;
  double kx;
  double shiftX, shiftY;  // of the world, in tenths of the view
};

void PrintTo(const KeyCase& c, std::ostream* out) {
  *out << c.name;
}

class Keys : public Navigation, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keys, ZoomAboutTheMiddleOrPanByATenth) {
  const KeyCase& c = GetParam();
  const View2D before = View();
  const double w = f.State().TwoD().ViewWidth(), h = f.State().TwoD().ViewHeight();
  f.Main().Action(c.command)->trigger();
  FinishMoves();
  const View2D after = View();
  EXPECT_NEAR(after.ScaleX / before.ScaleX, c.kx, 1e-9);
  // The world point now in the middle was shiftX tenths of the view away from it.
  EXPECT_NEAR(WorldX(after, w / 2), WorldX(before, w / 2 + c.shiftX * w / 10),
              kPixel / after.ScaleX);
  EXPECT_NEAR(WorldY(after, h / 2), WorldY(before, h / 2 - c.shiftY * h / 10),
              kPixel / after.ScaleY);
}

INSTANTIATE_TEST_SUITE_P(Navigation, Keys,
                         ::testing::Values(KeyCase{"ZoomIn", Command::ZoomIn2D, ZoomStep, 0, 0},
                                           KeyCase{"ZoomOut", Command::ZoomOut2D, 1 / ZoomStep, 0,
                                                   0},
                                           KeyCase{"Left", Command::PanLeft2D, 1, -1, 0},
                                           KeyCase{"Right", Command::PanRight2D, 1, 1, 0},
                                           KeyCase{"Up", Command::PanUp2D, 1, 0, 1},
                                           KeyCase{"Down", Command::PanDown2D, 1, 0, -1}),
                         CaseName{});

TEST_F(Navigation, RestoringBringsBackTheFieldTextsExactlyAsOneGesture) {
  f.State().Edits().SetField(ParamField::XStart, "-2*P");
  f.State().TwoD().BuildAll();  // built from the fields: these are the bounds to come back to
  f.Settle();
  const ViewFields2D built = ViewFieldsOf(f.State().Doc().Params);
  const View2D builtView = View();
  WheelAt(30, 40, 240);
  DragWith(Qt::LeftButton, 100, 100, 10, 10);
  EndBurst();
  FinishMoves();
  ASSERT_NE(ViewFieldsOf(f.State().Doc().Params), built);
  const int gestures = heard.began;
  f.Main().Action(Command::RestoreBounds2D)->trigger();
  EXPECT_EQ(heard.began, gestures + 1);
  EXPECT_EQ(heard.ended, heard.began);
  EXPECT_EQ(ViewFieldsOf(f.State().Doc().Params), built);
  // The preview goes at once to where the build will draw.
  ASSERT_TRUE(Nav().Preview().has_value());
  EXPECT_EQ(Nav().Preview()->to.OriginX, builtView.OriginX);
  EXPECT_DOUBLE_EQ(Nav().Preview()->to.ScaleY, builtView.ScaleY);
  FinishMoves();
  EXPECT_FALSE(Nav().Preview().has_value());
  EXPECT_EQ(View().OriginX, builtView.OriginX);
  EXPECT_DOUBLE_EQ(View().ScaleX, builtView.ScaleX);
}

TEST_F(Navigation, OpeningADocumentMakesItsBoundsTheOnesToComeBackTo) {
  WheelAt(30, 40, 120);
  EndBurst();
  FinishMoves();
  const std::string path = f.Path("moved.lwf");
  ASSERT_TRUE(f.State().SaveSets(path));
  ASSERT_TRUE(f.State().LoadSets(path));
  const ViewFields2D opened = ViewFieldsOf(f.State().Doc().Params);
  WheelAt(300, 40, -120);
  EndBurst();
  FinishMoves();
  f.State().Navigation().RestoreBounds();
  EXPECT_EQ(ViewFieldsOf(f.State().Doc().Params), opened);
  FinishMoves();
}

TEST_F(Navigation, TheMenuListsTheMovesWithHintsOnKeysOfTheMainWindow) {
  for (Command c : {Command::ZoomIn2D, Command::ZoomOut2D, Command::PanLeft2D, Command::PanRight2D,
                    Command::PanUp2D, Command::PanDown2D, Command::RestoreBounds2D}) {
    QAction* a = f.Main().Action(c);
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->toolTip().isEmpty()) << a->text().toStdString();
    EXPECT_EQ(a->shortcutContext(), Qt::WindowShortcut) << a->text().toStdString();
    // A menu is a window of its own: the main window holds the action for its key.
    EXPECT_TRUE(f.Main().actions().contains(a)) << a->text().toStdString();
  }
  EXPECT_EQ(f.Main().Action(Command::ZoomIn2D)->text(), QString::fromUtf8("&Наблизити"));
  EXPECT_EQ(f.Main().Action(Command::ZoomOut2D)->text(), QString::fromUtf8("&Віддалити"));
}

}  // namespace
}  // namespace lw::test
