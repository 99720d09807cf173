#include "SceneGl.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lw
