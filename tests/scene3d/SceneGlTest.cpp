#include "scene3d/SceneGl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "RecordingGl.h"

namespace lw {
namespace {

using Calls = std::vector<std::string>;

void AddTriangle(G3dObject& object, std::array<std::array<float, 3>, 3> corners) {
  G3dTriangle& t = AppendTriangle(object);
  for (int k = 0; k < 3; ++k) {
    const auto& c = corners[static_cast<std::size_t>(k)];
    AddCorner(t, k, object, c[0], c[1], c[2]);
  }
}

class SceneGl : public ::testing::Test {
 protected:
  SceneGl() { test::Gl() = {}; }
  Calls Take() { return std::exchange(test::Gl().calls, {}); }
};

// What the object's triangles look like on screen with flat shading: corner 0's
// normal and colour for the whole triangle.
std::vector<test::DrawnTriangle> Expected(const G3dObject& object) {
  std::vector<test::DrawnTriangle> out;
  object.triangles.ForEach([&](const G3dTriangle& t) {
    test::DrawnTriangle d;
    for (std::size_t k = 0; k < 3; ++k) {
      const G3dPoint& p = object.points[static_cast<std::size_t>(t.corners[k].point)];
      d.corners[k] = {p.x, p.y, p.z};
    }
    d.normal = t.corners[0].normal;
    d.colour = {t.corners[0].r, t.corners[0].g, t.corners[0].b};
    out.push_back(test::Canonical(d));
  });
  return out;
}

void MakeGrid(G3dObject& object, std::uint32_t rows, std::uint32_t columns) {
  for (std::uint32_t r = 0; r < rows; ++r) {
    for (std::uint32_t c = 0; c < columns; ++c) {
      AppendPoint(object, static_cast<float>(c), static_cast<float>(r),
                  std::sin(0.7f * static_cast<float>(c)) * std::cos(0.3f * static_cast<float>(r)));
    }
  }
  object.triangles.SetGrid(GridShape{rows, columns, 10, 20, 30});
}

struct ShapeCase {
  const char* name;
  std::uint32_t rows, columns;  // 0 rows: three stored triangles instead of a grid
};

class CompiledShape : public testing::TestWithParam<ShapeCase> {
 protected:
  CompiledShape() { test::Gl() = {}; }
};

// Drawn from arrays (strips for grids), every triangle shows as the object holds it:
// the same corners turning the same way, normal and colour, in order, list by list.
TEST_P(CompiledShape, ShowsEveryTriangleAsTheObjectHoldsIt) {
  const ShapeCase& c = GetParam();
  G3dObject object;
  if (c.rows == 0) {
    SetColour(object, 1, 2, 3);
    AddTriangle(object, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
    AddTriangle(object, {{{0, 0, 0}, {0, 1, 0}, {0, 0, 2}}});
    AddTriangle(object, {{{5, 5, 5}, {1, 0, 0}, {0, 1, 0}}});
    ComputeFlatNormals(object);
    object.triangles[0].corners[1].r = 99;  // only corner 0 counts
  } else {
    MakeGrid(object, c.rows, c.columns);
  }
  CompileObject(object, 7);
  std::vector<test::DrawnTriangle> drawn;
  for (std::uint32_t part = 0; part < object.displayListCount; ++part) {
    const auto& list = test::Gl().lists[7 + part];
    EXPECT_FALSE(list.empty()) << "list " << part;
    drawn.insert(drawn.end(), list.begin(), list.end());
  }
  EXPECT_EQ(drawn, Expected(object));
  EXPECT_FALSE(test::Gl().clockwiseFront) << "the front face is left as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Objects, CompiledShape,
    testing::Values(ShapeCase{"StoredTriangles", 0, 0}, ShapeCase{"OneCell", 2, 2},
                    ShapeCase{"Narrow", 5, 2}, ShapeCase{"Wide", 2, 9},
                    ShapeCase{"RowLongerThanAList", 3, 40000}, ShapeCase{"SeveralLists", 300, 257}),
    [](const testing::TestParamInfo<ShapeCase>& c) { return std::string(c.param.name); });

// A surface too big to turn smoothly also gets a light list: a coarser grid of its own
// points that spans the whole surface, within the light size, with true normals.
TEST_F(SceneGl, LargeSurfacesGetALightListOfTheWholeSurface) {
  G3dScene scene;
  scene.blocks.push_back(std::make_unique<G3dBlock>());
  G3dObject& big = AppendObject(*scene.blocks[0], "big");
  MakeGrid(big, 601, 500);
  G3dObject& small = AppendObject(*scene.blocks[0], "small");
  MakeGrid(small, 100, 100);
  RebuildDisplayLists(scene);
  EXPECT_EQ(small.lightList, 0u);
  ASSERT_NE(big.lightList, 0u);
  const auto& light = test::Gl().lists[big.lightList];
  EXPECT_LE(light.size(), LightTrianglesPerObject);
  EXPECT_GE(light.size(), LightTrianglesPerObject / 4);
  std::array<float, 2> low{1e9f, 1e9f}, high{-1e9f, -1e9f};
  for (const test::DrawnTriangle& t : light) {
    const auto at = [](const std::array<float, 3>& c) { return G3dPoint(c[0], c[1], c[2]); };
    // The canonical turn keeps the winding, so the normal can be worked out again.
    const auto normal = FlatNormal(at(t.corners[0]), at(t.corners[1]), at(t.corners[2]));
    for (std::size_t k = 0; k < 3; ++k) ASSERT_NEAR(t.normal[k], normal[k], 1e-5f);
    for (const auto& corner : t.corners) {
      for (std::size_t k = 0; k < 2; ++k) {
        low[k] = std::min(low[k], corner[k]);
        high[k] = std::max(high[k], corner[k]);
      }
    }
  }
  EXPECT_EQ(low, (std::array<float, 2>{0, 0}));
  EXPECT_EQ(high, (std::array<float, 2>{499, 600}));
  DrawObject(big, Detail::Light);
  Calls drawn = Take();
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "CallList " + std::to_string(big.lightList)), 1);
  EXPECT_EQ(std::count_if(drawn.begin(), drawn.end(),
                          [](const std::string& call) { return call.starts_with("CallList"); }),
            1);
}

TEST_F(SceneGl, RebuildReservesOneNamePerObjectInOrder) {
  G3dScene scene;
  scene.blocks.push_back(std::make_unique<G3dBlock>());
  RebuildDisplayLists(scene);  // nothing to compile: nothing happens
  EXPECT_TRUE(Take().empty());
  for (const char* name : {"a", "b"}) AppendObject(*scene.blocks[0], name);
  scene.blocks.push_back(std::make_unique<G3dBlock>());
  AppendObject(*scene.blocks[1], "c");
  RebuildDisplayLists(scene);
  EXPECT_EQ(scene.listBase, 1u);
  EXPECT_EQ(scene.listCount, 3);
  EXPECT_EQ(scene.blocks[1]->objects[0]->displayList, 3u);
  Calls calls = Take();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0], "GenLists 3");

  RebuildDisplayLists(scene);  // the old names go before new ones are taken
  calls = Take();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0], "DeleteLists 1 3");
  EXPECT_EQ(calls[1], "GenLists 3");

  for (auto& block : scene.blocks) ClearBlock(*block);
  RebuildDisplayLists(scene);  // emptied: the previous lists stay
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(scene.listBase, 4u);
  EXPECT_EQ(scene.listCount, 3);
}

TEST_F(SceneGl, DrawingAppliesTransformsAndSkipsHiddenObjects) {
  G3dBlock block;
  block.transform = {1, 2, 3, 10, 20, 30};
  G3dObject& shown = AppendObject(block, "shown");
  shown.displayList = 5;
  shown.transform.tx = 4;
  G3dObject& hidden = AppendObject(block, "hidden");
  hidden.displayList = 6;
  hidden.visible = false;
  DrawBlock(block);
  EXPECT_EQ(Take(), (Calls{"Push", "Translate 1 2 3", "Rotate 10 0 1 0", "Rotate 20 -1 0 0",
                           "Rotate 30 0 0 1", "Push", "Translate 4 0 0", "Rotate 0 0 1 0",
                           "Rotate 0 -1 0 0", "Rotate 0 0 0 1", "CallList 5", "Pop", "Pop"}));
}

// A figure of millions of triangles is compiled a list at a time between the view's
// events; each list holds a fixed number of triangles and is drawn in order.
TEST_F(SceneGl, LargeObjectsAreCompiledAndDrawnAListAtATime) {
  G3dScene scene;
  scene.blocks.push_back(std::make_unique<G3dBlock>());
  G3dObject& big = AppendObject(*scene.blocks[0], "big");
  for (std::size_t i = 0; i <= TrianglesPerList; ++i) {
    AddTriangle(big, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
  }
  AppendObject(*scene.blocks[0], "small");
  DisplayListCompiler compiler;
  compiler.Start(scene);
  EXPECT_EQ(scene.listCount, 3);
  Take();
  std::vector<std::vector<std::string>> slices;
  bool done = false;
  while (!done && slices.size() < 10) {
    done = compiler.Continue(scene, std::chrono::milliseconds(0));
    std::vector<std::string> started;
    for (const std::string& call : Take()) {
      if (call.starts_with("NewList")) started.push_back(call);
    }
    slices.push_back(started);
  }
  EXPECT_EQ(slices, (std::vector<std::vector<std::string>>{
                        {"NewList 1"}, {"NewList 2"}, {"NewList 3"}, {}}));
  EXPECT_EQ(big.displayListCount, 2u);
  DrawObject(big);
  const Calls drawn = Take();
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "CallList 1"), 1);
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "CallList 2"), 1);
}

}  // namespace
}  // namespace lw
