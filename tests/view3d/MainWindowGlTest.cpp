#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QOpenGLWidget>
#include <QTemporaryDir>
#include <memory>

#include "CaseNames.h"
#include "app/Program.h"
#include "app/Program3D.h"
#include "windows/AppearanceWindow.h"
#include "windows/DesktopProgram.h"
#include "windows/MainWindow.h"
#include "windows/Viewer3D.h"

namespace lw {
namespace {

class MainWindowGl : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OpenGLAvailable()) GTEST_SKIP() << "no OpenGL context on this platform";
    desktop =
        std::make_unique<DesktopProgram>(dir.path().toStdString(), std::vector<std::string>{});
    desktop->Main().resize(700, 500);
    desktop->Main().show();
    QApplication::processEvents();
  }
  Program& program() { return desktop->State(); }
  QOpenGLWidget* Panel() { return qobject_cast<QOpenGLWidget*>(desktop->Main().View3D()); }

  QTemporaryDir dir;
  std::unique_ptr<DesktopProgram> desktop;
};

TEST_F(MainWindowGl, TheSwitchShowsTheOpenGLPanelAndBuildsDrawIntoIt) {
  ASSERT_NE(Panel(), nullptr);
  EXPECT_FALSE(Panel()->isVisible());
  desktop->Main().Run(Command::Space3D);
  QApplication::processEvents();
  EXPECT_TRUE(Panel()->isVisible());
  program().Edits().AddGraph3D("x*x/6-y*y/6", PlotP3d{0x00FF00, ZOfXY});
  desktop->Main().Run(Command::BuildAll3D);
  program().Work().Wait();
  EXPECT_EQ(program().Status(), "Окей");
  const QImage frame = Panel()->grabFramebuffer();
  EXPECT_NE(frame.pixel(frame.width() / 2, frame.height() / 2) & 0xFFFFFF, 0u);
  desktop->Main().Run(Command::Space2D);
  QApplication::processEvents();
  EXPECT_FALSE(Panel()->isVisible());
}

struct ListCase {
  const char* name;
  int drawMode;
  int motion;
};

void PrintTo(const ListCase& c, std::ostream* out) {
  *out << c.name;
}

class AppearanceLists : public MainWindowGl, public ::testing::WithParamInterface<ListCase> {};

TEST_P(AppearanceLists, TheDrawingModeAndMotionListsTakeEffectAtOnce) {
  AppearanceWindow* look = desktop->Main().Windows().Appearance;
  ASSERT_NE(look, nullptr);
  // Start-up shows "полігонами" while the view draws lines.
  EXPECT_EQ(look->Combo(&AppearanceSettings::DrawMode3D)->currentIndex(), 2);
  EXPECT_EQ(program().ThreeD().Scene().frontMode, 1);
  look->Combo(&AppearanceSettings::DrawMode3D)->setCurrentIndex(GetParam().drawMode == 2 ? 0 : 2);
  look->Combo(&AppearanceSettings::DrawMode3D)->setCurrentIndex(GetParam().drawMode);
  look->Combo(&AppearanceSettings::MotionType)->setCurrentIndex(GetParam().motion);
  EXPECT_EQ(program().ThreeD().Scene().frontMode, GetParam().drawMode);
  EXPECT_EQ(program().ThreeD().Scene().backMode, GetParam().drawMode);
  EXPECT_EQ(program().ThreeD().Navigator().MotionMode(), GetParam().motion);
}

INSTANTIATE_TEST_SUITE_P(Lists, AppearanceLists,
                         ::testing::Values(ListCase{"PointsMoving", 0, 1},
                                           ListCase{"LinesTurning", 1, 0},
                                           ListCase{"PolygonsMoving", 2, 1}),
                         test::CaseName());

}  // namespace
}  // namespace lw
