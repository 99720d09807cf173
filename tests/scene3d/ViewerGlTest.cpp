#include "scene3d/ViewerGl.h"

#include <gtest/gtest.h>

#include "CaseNames.h"
#include "RecordingGl.h"

namespace lw {
namespace {

using Calls = std::vector<std::string>;

class ViewerGl : public ::testing::Test {
 protected:
  ViewerGl() { test::Gl() = {}; }
  Calls Take() { return std::exchange(test::Gl().calls, {}); }
};

TEST_F(ViewerGl, SetUpSendsMaterialThenTheViewersLightThenLinePolygons) {
  G3dScene scene;
  SetUpContext(scene);
  EXPECT_EQ(Take(), (Calls{
                        "Enable DEPTH_TEST",
                        "Enable COLOR_MATERIAL",
                        "ShadeModel FLAT",
                        "Material FRONT_AND_BACK AMBIENT 0.25 0.22 0.26 1",
                        "Material FRONT_AND_BACK DIFFUSE 0.63 0.57 0.6 1",
                        "Material FRONT_AND_BACK SPECULAR 0.99 0.91 0.81 1",
                        "Material FRONT_AND_BACK EMISSION 0.2 0.2 0.2 1",
                        "Material FRONT_AND_BACK SHININESS 27.799999",  // 27.8f in six decimals
                        "Enable LIGHTING",
                        "LightModel LIGHT_MODEL_TWO_SIDE 1",
                        "MatrixMode MODELVIEW",
                        "LoadIdentity",
                        "Enable LIGHT0",
                        "Light LIGHT0 POSITION 0 0 1 0",
                        "Light LIGHT0 SPOT_DIRECTION 0 0 -1",
                        "Light LIGHT0 AMBIENT 0 0 0 1",
                        "Light LIGHT0 DIFFUSE 1 1 1 1",
                        "Light LIGHT0 SPECULAR 1 1 1 1",
                        "PolygonMode FRONT LINE",
                        "PolygonMode BACK LINE",
                    }));
}

struct ProjectionCase {
  const char* name;
  int width, height;
  float farPlane;
  Calls expected;
};

void PrintTo(const ProjectionCase& c, std::ostream* out) {
  *out << c.name;
}

class Projection : public ViewerGl, public ::testing::WithParamInterface<ProjectionCase> {};

TEST_P(Projection, PerspectiveOfThePanel) {
  const ProjectionCase& c = GetParam();
  G3dScene scene;
  scene.farPlane = c.farPlane;
  SetProjection(scene, c.width, c.height);
  EXPECT_EQ(Take(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Panels, Projection,
    ::testing::Values(ProjectionCase{"Wide",
                                     800,
                                     400,
                                     1000.0f,
                                     {"MatrixMode PROJECTION", "LoadIdentity",
                                      "Perspective 30 2 1 1000", "Viewport 0 0 800 400"}},
                      ProjectionCase{"Tall",
                                     300,
                                     600,
                                     100.0f,
                                     {"MatrixMode PROJECTION", "LoadIdentity",
                                      "Perspective 30 0.5 1 100", "Viewport 0 0 300 600"}},
                      // A panel of no height keeps a finite aspect ratio instead of dividing by 0.
                      ProjectionCase{"NoHeight",
                                     640,
                                     0,
                                     1000.0f,
                                     {"MatrixMode PROJECTION", "LoadIdentity",
                                      "Perspective 30 640 1 1000", "Viewport 0 0 640 1"}}),
    test::CaseName());

struct ModeCase {
  const char* name;
  int front, back;
  Calls expected;
};

void PrintTo(const ModeCase& c, std::ostream* out) {
  *out << c.name;
}

class PolygonModes : public ViewerGl, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(PolygonModes, SentForBothSides) {
  G3dScene scene;
  scene.frontMode = GetParam().front;
  scene.backMode = GetParam().back;
  ApplyPolygonMode(scene);
  EXPECT_EQ(Take(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PolygonModes,
    ::testing::Values(
        ModeCase{"Points", 0, 0, {"PolygonMode FRONT POINT", "PolygonMode BACK POINT"}},
        ModeCase{"Lines", 1, 1, {"PolygonMode FRONT LINE", "PolygonMode BACK LINE"}},
        ModeCase{"Polygons", 2, 2, {"PolygonMode FRONT FILL", "PolygonMode BACK FILL"}},
        ModeCase{
            "FilledFrontPointsBack", 2, 0, {"PolygonMode FRONT FILL", "PolygonMode BACK POINT"}}),
    test::CaseName());

TEST_F(ViewerGl, AFrameClearsAppliesTheCameraDrawsEveryBlockAndFinishes) {
  G3dScene scene;
  scene.camera = G3dTransform{1, 2, -20, 30, 40, 50};
  scene.blocks.push_back(std::make_unique<G3dBlock>());
  G3dObject& object = AppendObject(*scene.blocks[0], "a");
  object.displayList = 5;
  PaintScene(scene);
  EXPECT_EQ(Take(), (Calls{"Clear colour depth",
                           "MatrixMode MODELVIEW",
                           "LoadIdentity",
                           "Translate 1 2 -20",
                           "Rotate 30 0 1 0",
                           "Rotate 40 -1 0 0",
                           "Rotate 50 0 0 1",
                           "Push",
                           "Translate 0 0 0",
                           "Rotate 0 0 1 0",
                           "Rotate 0 -1 0 0",
                           "Rotate 0 0 0 1",
                           "Push",
                           "Translate 0 0 0",
                           "Rotate 0 0 1 0",
                           "Rotate 0 -1 0 0",
                           "Rotate 0 0 0 1",
                           "CallList 5",
                           "Pop",
                           "Pop",
                           "Finish"}));
}

}  // namespace
}  // namespace lw
