#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <fstream>
#include <memory>

#include "CaseNames.h"
#include "TempDir.h"
#include "app/Program.h"
#include "app/Program3D.h"
#include "windows/Viewer3D.h"

namespace lw {
namespace {

constexpr int Side = 400;

bool Lit(const QImage& image, int x, int y) {
  return (image.pixel(x, y) & 0xFFFFFF) != 0;
}

int LitCount(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += Lit(image, x, y) ? 1 : 0;
  }
  return count;
}

class Viewer3DGl : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OpenGLAvailable()) GTEST_SKIP() << "no OpenGL context on this platform";
    program = std::make_unique<Program>(dir.File(""));
    program->SetSpace(SpaceMode::Space3D);
    view = std::make_unique<Viewer3D>(nullptr, space());
    view->resize(Side, Side);
    view->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    view.reset();
    program.reset();
  }
  Program3D& space() { return program->ThreeD(); }
  // The plane z = 0 over the default grid, -6..6 on X and Y, seen from (0, 0, -40).
  void BuildPlane(int drawMode) {
    program->Edits().AddGraph3D("0", PlotP3d{0x00FFFF, ZOfXY});
    space().SetDrawMode(drawMode);
    space().BuildAll();
    program->Work().Wait();
  }
  QImage Frame() { return view->grabFramebuffer(); }
  void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(view.get(), &event);
  }
  void Drag(QPoint from, QPoint to, Qt::MouseButton button) {
    Send(QEvent::MouseButtonPress, from, button, button);
    Send(QEvent::MouseMove, to, Qt::NoButton, button);
    Send(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
  }

  testing::TempDir dir;
  std::unique_ptr<Program> program;
  std::unique_ptr<Viewer3D> view;
};

TEST_F(Viewer3DGl, ABuiltPlaneLightsThePixelsWhereItProjects) {
  BuildPlane(2);
  const QImage frame = Frame();
  ASSERT_EQ(frame.width(), Side);
  // 6 units at distance 40 with a 30-degree field of view: about 112 pixels from
  // the middle.
  for (int offset : {0, 60, 100, -100}) {
    EXPECT_TRUE(Lit(frame, Side / 2 + offset, Side / 2)) << offset;
    EXPECT_TRUE(Lit(frame, Side / 2, Side / 2 + offset)) << offset;
  }
  for (int offset : {125, 190, -125, -190}) {
    EXPECT_FALSE(Lit(frame, Side / 2 + offset, Side / 2)) << offset;
    EXPECT_FALSE(Lit(frame, Side / 2, Side / 2 + offset)) << offset;
  }
}

TEST_F(Viewer3DGl, AnEmptySpaceIsBlack) {
  EXPECT_EQ(LitCount(Frame()), 0);
}

// Points, lines and filled polygons of one surface: each mode shows more than the
// one before, and the filled one covers the projected square.
TEST_F(Viewer3DGl, PolygonModesChangeThePicture) {
  BuildPlane(0);
  const int points = LitCount(Frame());
  space().SetDrawMode(1);
  const int lines = LitCount(Frame());
  space().SetDrawMode(2);
  const int filled = LitCount(Frame());
  EXPECT_GT(points, 500);
  EXPECT_GT(lines, 2 * points);
  EXPECT_GT(filled, lines);
  EXPECT_GT(filled, 200 * 200);
}

struct DragCase {
  const char* name;
  QPoint by;
  Qt::MouseButton button;
  int mode;
  G3dTransform camera;  // after the drag, from (0, 0, -40)
};

void PrintTo(const DragCase& c, std::ostream* out) {
  *out << c.name;
}

class Dragging : public Viewer3DGl, public ::testing::WithParamInterface<DragCase> {};

TEST_P(Dragging, TurnsOrMovesTheCameraAndRepaints) {
  BuildPlane(2);
  space().SetMotionType(GetParam().mode);
  const QImage before = Frame();
  const QPoint from(200, 200);
  Drag(from, from + GetParam().by, GetParam().button);
  const G3dTransform& c = space().Scene().camera;
  const G3dTransform& e = GetParam().camera;
  EXPECT_FLOAT_EQ(c.angleY, e.angleY);
  EXPECT_FLOAT_EQ(c.angleX, e.angleX);
  EXPECT_FLOAT_EQ(c.angleZ, e.angleZ);
  EXPECT_FLOAT_EQ(c.tx, e.tx);
  EXPECT_FLOAT_EQ(c.ty, e.ty);
  EXPECT_FLOAT_EQ(c.tz, e.tz);
  EXPECT_NE(Frame(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, Dragging,
    ::testing::Values(
        DragCase{"LeftTurns10DegreesAboutY", {10, 0}, Qt::LeftButton, 0, {0, 0, -40, 10, 0, 0}},
        DragCase{"LeftMoves", {20, 0}, Qt::LeftButton, 1, {2, 0, -40, 0, 0, 0}},
        DragCase{"RightTurnsAboutZAndMovesInDepth",
                 {30, -50},
                 Qt::RightButton,
                 0,
                 {0, 0, -35, 0, 0, -30}}),
    test::CaseName());

TEST_F(Viewer3DGl, TurnedEdgeOnThePlaneAlmostVanishes) {
  BuildPlane(2);
  const int flat = LitCount(Frame());
  Drag({100, 200}, {190, 200}, Qt::LeftButton);  // 90 degrees about Y
  EXPECT_FLOAT_EQ(space().Scene().camera.angleY, 90.0f);
  EXPECT_LT(LitCount(Frame()), flat / 20);
}

TEST_F(Viewer3DGl, TurningDoesNotCompileTheListsAgainButABuildDoes) {
  BuildPlane(2);
  Frame();
  const G3dScene& scene = space().Scene();
  const std::uint32_t base = scene.listBase;
  ASSERT_NE(base, 0u);
  EXPECT_EQ(scene.listCount, 2);  // axes and the plane
  Drag({100, 200}, {150, 220}, Qt::LeftButton);
  Frame();
  EXPECT_EQ(scene.listBase, base);
  space().BuildAll();
  program->Work().Wait();
  EXPECT_EQ(scene.listCount, 2);
  EXPECT_GT(LitCount(Frame()), 0);
}

TEST_F(Viewer3DGl, APanelOfNoHeightDrawsWithoutStopping) {
  BuildPlane(2);
  view->resize(Side, 0);
  QApplication::processEvents();
  Frame();
  view->resize(Side, Side);
  QApplication::processEvents();
  EXPECT_GT(LitCount(Frame()), 0);
}

// A square of two-sided faces as another program would write it: CR LF lines, a
// layer table and one four-corner face.
TEST_F(Viewer3DGl, AnOpenedDxfIsCentredAndShownFromDistance20) {
  const std::string path = dir.File("square.dxf");
  {
    std::ofstream out(path, std::ios::binary);
    out << "0\r\nSECTION\r\n2\r\nTABLES\r\n0\r\nTABLE\r\n2\r\nLAYER\r\n0\r\nLAYER\r\n2\r\nSQ\r\n"
           "0\r\nENDTAB\r\n0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n"
           "0\r\n3DFACE\r\n8\r\nSQ\r\n62\r\n1\r\n"
           "10\r\n10.0\r\n20\r\n10.0\r\n30\r\n5.0\r\n11\r\n14.0\r\n21\r\n10.0\r\n31\r\n5.0\r\n"
           "12\r\n14.0\r\n22\r\n14.0\r\n32\r\n5.0\r\n13\r\n10.0\r\n23\r\n14.0\r\n33\r\n5.0\r\n"
           "0\r\nENDSEC\r\n0\r\nEOF\r\n";
  }
  space().SetDrawMode(2);
  ASSERT_TRUE(space().OpenFile(path));
  program->Work().Wait();
  ASSERT_EQ(space().LastFileResult(), 0);
  EXPECT_EQ(space().Scene().camera.tz, -20.0f);
  const QImage frame = Frame();
  // 2 units at distance 20: about 75 pixels from the middle.
  EXPECT_TRUE(Lit(frame, Side / 2, Side / 2));
  EXPECT_TRUE(Lit(frame, Side / 2 + 60, Side / 2 - 60));
  EXPECT_FALSE(Lit(frame, Side / 2 + 90, Side / 2));
}

}  // namespace
}  // namespace lw
