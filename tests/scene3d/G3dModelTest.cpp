#include "G3dModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ModelChecks.h"

namespace lw {
namespace {

void AddTriangle(G3dObject& object, std::array<std::array<float, 3>, 3> corners) {
  G3dTriangle& t = AppendTriangle(object);
  for (int k = 0; k < 3; ++k) {
    const auto& c = corners[static_cast<std::size_t>(k)];
    AddCorner(t, k, object, c[0], c[1], c[2]);
  }
}

TEST(G3dModel, AddCornerSharesEqualPositions) {
  G3dObject object;
  SetColour(object, 10, 20, 30);
  G3dTriangle& t = AppendTriangle(object);
  EXPECT_EQ(AddCorner(t, 0, object, 1, 2, 3), 0);
  EXPECT_EQ(AddCorner(t, 1, object, 4, 5, 6), 1);
  EXPECT_EQ(AddCorner(t, 2, object, 1, 2, 3), 0);
  ASSERT_EQ(object.points.size(), 2u);
  ASSERT_EQ(object.points[0].vertices.size(), 2u);
  EXPECT_EQ(object.points[0].vertices[0], &t.corners[0]);
  EXPECT_EQ(object.points[0].vertices[1], &t.corners[2]);
  EXPECT_EQ(t.corners[1].r, 10);
  EXPECT_EQ(t.corners[1].b, 30);
  ExpectConsistent(object);
}

struct FindCase {
  const char* name;
  float x, y, z;
  std::int32_t expected;
};

TEST(G3dModel, FindPointComparesAsFloats) {
  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  G3dObject object;
  AppendPoint(object, 0.0f, 1.0f, 2.0f);
  AppendPoint(object, 5.0f, 5.0f, 5.0f);
  AppendPoint(object, 0.0f, 1.0f, 2.0f);  // a later duplicate never hides the first
  AppendPoint(object, nan, 0.0f, 0.0f);
  AppendPoint(object, -0.0f, -0.0f, 7.0f);
  const FindCase cases[] = {
      {"first of equals", 0.0f, 1.0f, 2.0f, 0},
      {"negative zero equals zero", -0.0f, 1.0f, 2.0f, 0},
      {"zero equals stored negative zero", 0.0f, 0.0f, 7.0f, 4},
      {"NaN equals nothing", nan, 0.0f, 0.0f, -1},
      {"last bit differs", std::nextafter(5.0f, 6.0f), 5.0f, 5.0f, -1},
      {"plain hit", 5.0f, 5.0f, 5.0f, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindPoint(object, c.x, c.y, c.z), c.expected) << c.name;
  }
}

TEST(G3dModel, FindPointSeesPointsAppendedLaterAndMovedPoints) {
  G3dObject object;
  G3dBlock block;
  EXPECT_EQ(FindPoint(object, 1, 1, 1), -1);
  AppendPoint(object, 1, 1, 1);
  EXPECT_EQ(FindPoint(object, 1, 1, 1), 0);
  for (int i = 0; i < 1000; ++i) AppendPoint(object, static_cast<float>(i), 0, 0);
  EXPECT_EQ(FindPoint(object, 999, 0, 0), 1000);
  EXPECT_EQ(FindPoint(object, 1, 0, 0), 2);
  ClearObject(object);
  EXPECT_EQ(FindPoint(object, 1, 1, 1), -1);

  // Centring moves the points; the lookup follows them.
  G3dObject& moved = AppendObject(block, "m");
  AppendPoint(moved, 2, 0, 0);
  AppendPoint(moved, 4, 0, 0);
  EXPECT_EQ(FindPoint(moved, 4, 0, 0), 1);
  CentreBlock(block);
  EXPECT_EQ(FindPoint(moved, 4, 0, 0), -1);
  EXPECT_EQ(FindPoint(moved, 1, 0, 0), 1);
}

TEST(G3dModel, VerticesListGrowsPastItsInlineRoom) {
  G3dObject object;
  for (int i = 0; i < 20; ++i) AddTriangle(object, {{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}});
  ASSERT_EQ(object.points.size(), 2u);
  EXPECT_EQ(object.points[0].vertices.size(), 40u);
  EXPECT_EQ(object.points[1].vertices.size(), 20u);
  ExpectConsistent(object);
}

TEST(G3dModel, CornerAddressesSurviveGrowth) {
  G3dObject object;
  AddTriangle(object, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
  const G3dVertex* first = &object.triangles[0].corners[0];
  for (int i = 0; i < 5000; ++i) {
    const auto f = static_cast<float>(i);
    AddTriangle(object, {{{f, 1, 1}, {f, 2, 1}, {f, 1, 2}}});
  }
  EXPECT_EQ(&object.triangles[0].corners[0], first);
  EXPECT_EQ(object.points[0].vertices[0], first);
  ExpectConsistent(object);
}

struct NormalCase {
  const char* name;
  std::array<std::array<float, 3>, 3> corners;
  std::array<float, 3> normal;
};

TEST(G3dModel, FlatNormals) {
  const NormalCase cases[] = {
      // a = p0 - p1 = (-1, 0, 0), b = p1 - p2 = (1, -1, 0): a x b = (0, 0, 1).
      {"counter-clockwise in XY", {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}, {0, 0, 1}},
      {"clockwise in XY", {{{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}}, {0, 0, -1}},
      {"scaled", {{{0, 0, 0}, {0, 5, 0}, {0, 0, 5}}}, {1, 0, 0}},
      {"collinear", {{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}}, {0, 0, 0}},
      {"one point", {{{3, 3, 3}, {3, 3, 3}, {3, 3, 3}}}, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    G3dObject object;
    AddTriangle(object, c.corners);
    ComputeFlatNormals(object);
    for (const G3dVertex& v : object.triangles[0].corners) {
      for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(v.normal[static_cast<std::size_t>(i)],
                        c.normal[static_cast<std::size_t>(i)])
            << c.name;
        EXPECT_FALSE(std::isnan(v.normal[static_cast<std::size_t>(i)])) << c.name;
      }
    }
  }
}

TEST(G3dModel, CentreBlockMovesTheBoxCentreToTheOrigin) {
  G3dBlock block;
  G3dObject& a = AppendObject(block, "a");
  G3dObject& b = AppendObject(block, "b");
  AppendPoint(a, 2, 0, -1);
  AppendPoint(a, 10, 4, -1);
  AppendPoint(b, 6, 1, -1);
  block.transform.tx = 3;
  a.transform.ty = 5;
  CentreBlock(block);
  EXPECT_FLOAT_EQ(a.points[0].x, -4);
  EXPECT_FLOAT_EQ(a.points[0].y, -2);
  EXPECT_FLOAT_EQ(a.points[1].x, 4);
  EXPECT_FLOAT_EQ(a.points[1].y, 2);
  EXPECT_FLOAT_EQ(a.points[1].z, 0);
  EXPECT_FLOAT_EQ(b.points[0].x, 0);
  EXPECT_FLOAT_EQ(b.points[0].y, -1);
  EXPECT_FLOAT_EQ(block.transform.tx, 3);  // transforms are not touched
  EXPECT_FLOAT_EQ(a.transform.ty, 5);

  G3dBlock empty;
  AppendObject(empty, "nothing");
  CentreBlock(empty);
  EXPECT_TRUE(empty.objects[0]->points.empty());
}

TEST(G3dModel, CentreBlockFarFromTheOrigin) {
  G3dBlock block;
  G3dObject& far = AppendObject(block, "far");
  AppendPoint(far, 2e8f, -3e8f, 5);
  AppendPoint(far, 4e8f, -1e8f, 5);
  AppendPoint(far, std::numeric_limits<float>::quiet_NaN(), -2e8f, 5);
  CentreBlock(block);
  EXPECT_FLOAT_EQ(far.points[0].x, -1e8f);
  EXPECT_FLOAT_EQ(far.points[1].x, 1e8f);
  EXPECT_FLOAT_EQ(far.points[0].y, -1e8f);
  EXPECT_FLOAT_EQ(far.points[2].y, 0);
  EXPECT_FLOAT_EQ(far.points[2].z, 0);
}

TEST(G3dModel, ClearObjectKeepsEverythingButGeometry) {
  G3dObject object;
  object.name = "keep";
  object.visible = false;
  object.displayList = 7;
  object.transform.angleZ = 30;
  SetColour(object, 1, 2, 3);
  AddTriangle(object, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
  ClearObject(object);
  EXPECT_TRUE(object.points.empty());
  EXPECT_TRUE(object.triangles.empty());
  EXPECT_EQ(object.name, "keep");
  EXPECT_FALSE(object.visible);
  EXPECT_EQ(object.displayList, 7u);
  EXPECT_FLOAT_EQ(object.transform.angleZ, 30);
  EXPECT_TRUE(object.colourSet);
  EXPECT_EQ(object.g, 2);
}

TEST(G3dModel, BlockOperations) {
  G3dBlock block;
  G3dObject& a = AppendObject(block, std::string(300, 'n'));
  EXPECT_EQ(a.name.size(), MaxObjectNameLength);
  AddTriangle(a, {{{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}});
  G3dObject& b = AppendObject(block, "b");
  AddTriangle(b, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
  ComputeBlockNormals(block);
  EXPECT_FLOAT_EQ(a.triangles[0].corners[2].normal[2], -1);
  EXPECT_FLOAT_EQ(b.triangles[0].corners[0].normal[2], 1);
  ClearBlock(block);
  EXPECT_TRUE(block.objects.empty());
}

}  // namespace
}  // namespace lw
