#include "scene3d/G3dNavigator.h"

#include <gtest/gtest.h>

#include "CaseNames.h"

namespace lw {
namespace {

struct DragCase {
  const char* name;
  int mode;
  std::vector<NavigatorButton> held;
  int dx, dy;
  std::array<int, 6> values;  // X, Y, Z, rX, rY, rZ as typed
  G3dTransform expected;
};

void PrintTo(const DragCase& c, std::ostream* out) {
  *out << c.name;
}

class Drag : public ::testing::TestWithParam<DragCase> {};

TEST_P(Drag, MovesTheCameraByTheSensitivities) {
  const DragCase& c = GetParam();
  G3dScene scene;
  G3dNavigator navigator(&scene);
  navigator.SetMotionMode(c.mode);
  navigator.SetSensitivities(c.values);
  bool navigating = false;
  for (NavigatorButton b : c.held) {
    navigator.MouseDown(b, 100, 200);
    navigating = navigating || b != NavigatorButton::Other;
  }
  EXPECT_EQ(navigator.MouseMove(100 + c.dx, 200 + c.dy), navigating);
  const G3dTransform& t = scene.camera;
  EXPECT_FLOAT_EQ(t.tx, c.expected.tx);
  EXPECT_FLOAT_EQ(t.ty, c.expected.ty);
  EXPECT_FLOAT_EQ(t.tz, c.expected.tz);
  EXPECT_FLOAT_EQ(t.angleY, c.expected.angleY);
  EXPECT_FLOAT_EQ(t.angleX, c.expected.angleX);
  EXPECT_FLOAT_EQ(t.angleZ, c.expected.angleZ);
}

using B = NavigatorButton;
constexpr std::array<int, 6> Defaults{10, -10, 10, 100, 100, 100};

INSTANTIATE_TEST_SUITE_P(
    Navigator, Drag,
    ::testing::Values(
        DragCase{"LeftTurnsAboutY", 0, {B::Left}, 10, 0, Defaults, {0, 0, 0, 10, 0, 0}},
        DragCase{"LeftTurnsAboutMinusX",
                 0,
                 {B::Left},
                 0,
                 5,
                 {10, 10, 10, 100, 200, 100},
                 {0, 0, 0, 0, 10, 0}},
        DragCase{"LeftMoves", 1, {B::Left}, 20, 30, Defaults, {2, 3, 0, 0, 0, 0}},
        DragCase{"RightTurnsAboutZAndMovesInDepth",
                 0,
                 {B::Right},
                 10,
                 20,
                 Defaults,
                 {0, 0, -2, 0, 0, -10}},
        DragCase{"RightIgnoresTheMode", 1, {B::Right}, 10, 20, Defaults, {0, 0, -2, 0, 0, -10}},
        DragCase{
            "BothButtonsActAsLeft", 0, {B::Left, B::Right}, 10, 0, Defaults, {0, 0, 0, 10, 0, 0}},
        DragCase{"NoButtonChangesNothing", 0, {}, 10, 10, Defaults, {0, 0, 0, 0, 0, 0}},
        DragCase{"MiddleButtonChangesNothing", 0, {B::Other}, 10, 10, Defaults, {0, 0, 0, 0, 0, 0}},
        DragCase{"ZeroSensitivityCountsAsOne",
                 0,
                 {B::Left},
                 10,
                 0,
                 {10, 10, 10, 0, 100, 100},
                 {0, 0, 0, 0.1f, 0, 0}}),
    test::CaseName());

TEST(Navigator, ReleasingTheButtonStopsTheDragAndMovesAreRelative) {
  G3dScene scene;
  G3dNavigator navigator(&scene);
  navigator.SetSensitivities(Defaults);
  navigator.MouseDown(B::Left, 0, 0);
  navigator.MouseMove(4, 0);
  navigator.MouseMove(10, 0);  // 6 more from the last position
  EXPECT_FLOAT_EQ(scene.camera.angleY, 10.0f);
  navigator.MouseUp(B::Left);
  EXPECT_FALSE(navigator.MouseMove(50, 0));
  EXPECT_FLOAT_EQ(scene.camera.angleY, 10.0f);
  // A new press starts from its own position; angles are never reset.
  navigator.MouseDown(B::Left, 50, 0);
  navigator.MouseMove(55, 0);
  EXPECT_FLOAT_EQ(scene.camera.angleY, 15.0f);
}

TEST(Navigator, ConstructionFactorsUntilSensitivitiesAreSet) {
  G3dNavigator navigator;
  EXPECT_EQ(navigator.Sensitivities(), (std::array<float, 6>{0.1f, 0.1f, 0.1f, 1, 1, 1}));
  navigator.SetSensitivities({10, -10, 0, 100, 50, 0});
  EXPECT_EQ(navigator.Sensitivities(), (std::array<float, 6>{0.1f, -0.1f, 0.01f, 1, 0.5f, 0.01f}));
}

struct WheelCase {
  const char* name;
  int mode;
  float tz;
  std::vector<double> notches;
  float expectedTz;
};

void PrintTo(const WheelCase& c, std::ostream* out) {
  *out << c.name;
}

class WheelMoves : public ::testing::TestWithParam<WheelCase> {};

// The wheel moves the camera along its line of sight only, by a step that scales with
// the distance, in either motion mode.
TEST_P(WheelMoves, AlongTheLineOfSightByAStepOfTheDistance) {
  const WheelCase& c = GetParam();
  G3dScene scene;
  scene.camera = {3, -2, c.tz, 10, 20, 30};
  G3dNavigator navigator(&scene);
  navigator.SetMotionMode(c.mode);
  for (double n : c.notches) navigator.Wheel(n);
  EXPECT_FLOAT_EQ(scene.camera.tz, c.expectedTz);
  EXPECT_FLOAT_EQ(scene.camera.tx, 3);
  EXPECT_FLOAT_EQ(scene.camera.ty, -2);
  EXPECT_FLOAT_EQ(scene.camera.angleY, 10);
  EXPECT_FLOAT_EQ(scene.camera.angleX, 20);
  EXPECT_FLOAT_EQ(scene.camera.angleZ, 30);
}

INSTANTIATE_TEST_SUITE_P(
    Navigator, WheelMoves,
    ::testing::Values(WheelCase{"OneNotchCloserWhenTurning", 0, -20, {1}, -16},
                      WheelCase{"OneNotchCloserWhenMoving", 1, -20, {1}, -16},
                      WheelCase{"OneNotchFarther", 0, -40, {-1}, -50},
                      WheelCase{"TheSameNotchIsAShorterStepNearby", 1, -4, {1}, -3.2f},
                      WheelCase{"InAndOutComeBack", 0, -20, {1, 1, -1, -1}, -20},
                      WheelCase{"HalfNotchesOfATouchpad", 0, -20, {0.5, 0.5}, -16},
                      WheelCase{"InsideTheNearPlaneAFixedStep", 0, -0.5f, {1}, -0.3f},
                      WheelCase{"PastTheCentreStillMoves", 1, 2, {-1}, 1.8f},
                      WheelCase{"NoTurnNoMove", 0, -20, {0}, -20}),
    test::CaseName());

struct ModeStoreCase {
  const char* name;
  int front, back;
  int expectedFront, expectedBack;
};

void PrintTo(const ModeStoreCase& c, std::ostream* out) {
  *out << c.name;
}

class StoreModes : public ::testing::TestWithParam<ModeStoreCase> {};

TEST_P(StoreModes, NegativeLeavesASideAndOutOfRangeIsRefused) {
  G3dScene scene;  // lines on both sides at first
  StorePolygonMode(scene, GetParam().front, GetParam().back);
  EXPECT_EQ(scene.frontMode, GetParam().expectedFront);
  EXPECT_EQ(scene.backMode, GetParam().expectedBack);
}

INSTANTIATE_TEST_SUITE_P(Modes, StoreModes,
                         ::testing::Values(ModeStoreCase{"BothPoints", 0, 0, 0, 0},
                                           ModeStoreCase{"BothPolygons", 2, 2, 2, 2},
                                           ModeStoreCase{"KeepFront", -1, 0, 1, 0},
                                           ModeStoreCase{"KeepBack", 2, -1, 2, 1},
                                           ModeStoreCase{"OutOfRangeRefused", 3, 7, 1, 1}),
                         test::CaseName());

}  // namespace
}  // namespace lw
