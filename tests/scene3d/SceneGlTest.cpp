#include "scene3d/SceneGl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

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

TEST_F(SceneGl, CompileSendsCornerZerosNormalAndColourOnce) {
  G3dObject object;
  SetColour(object, 1, 2, 3);
  AddTriangle(object, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
  ComputeFlatNormals(object);
  object.triangles[0].corners[1].r = 99;  // only corner 0 counts
  CompileObject(object, 7);
  EXPECT_EQ(object.displayList, 7u);
  EXPECT_EQ(Take(), (Calls{"NewList 7", "Begin triangles", "Normal 0 0 1", "Colour 1 2 3",
                           "Vertex 0 0 0", "Vertex 1 0 0", "Vertex 0 1 0", "End", "EndList"}));
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
