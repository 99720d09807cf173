#include "scene3d/G3dModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

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
  // Triangle 0's corners 0 and 2, in the order they took the point.
  EXPECT_EQ(Vertices(object, 0), (std::vector<CornerId>{0, 2}));
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
  EXPECT_EQ(Vertices(object, 0).size(), 40u);
  EXPECT_EQ(Vertices(object, 1).size(), 20u);
  ExpectConsistent(object);
}

TEST(G3dModel, CornerAddressesSurviveGrowth) {
  G3dObject object;
  AddTriangle(object, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
  const G3dVertex* first = &object.triangles.Stored()[0].corners[0];
  for (int i = 0; i < 5000; ++i) {
    const auto f = static_cast<float>(i);
    AddTriangle(object, {{{f, 1, 1}, {f, 2, 1}, {f, 1, 2}}});
  }
  EXPECT_EQ(&object.triangles.Stored()[0].corners[0], first);
  EXPECT_EQ(Vertices(object, 0), (std::vector<CornerId>{0}));
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

// A rows x columns grid of points with uneven heights.
void GridPoints(G3dObject& object, std::uint32_t rows, std::uint32_t columns) {
  for (std::uint32_t r = 0; r < rows; ++r) {
    for (std::uint32_t c = 0; c < columns; ++c) {
      const auto x = static_cast<float>(c), y = static_cast<float>(r);
      AppendPoint(object, x, y, x * x * 0.3f - y * 0.7f + static_cast<float>((r * 7 + c) % 3));
    }
  }
}

// The same grid stored triangle by triangle, as a figure read from a file would be.
void StoreCells(G3dObject& object, std::uint32_t rows, std::uint32_t columns) {
  const std::int32_t n = static_cast<std::int32_t>(columns);
  for (std::int32_t r = 0; r + 1 < static_cast<std::int32_t>(rows); ++r) {
    for (std::int32_t c = 0; c + 1 < n; ++c) {
      const std::int32_t k = r * n + c;
      for (const std::array<std::int32_t, 3>& corners :
           {std::array<std::int32_t, 3>{k, k + n, k + n + 1},
            std::array<std::int32_t, 3>{k, k + n + 1, k + 1}}) {
        G3dTriangle& t = AppendTriangle(object);
        for (int i = 0; i < 3; ++i) LinkCorner(t, i, object, corners[static_cast<std::size_t>(i)]);
      }
    }
  }
  ComputeFlatNormals(object);
}

void ExpectSameMesh(const G3dObject& a, const G3dObject& b) {
  ASSERT_EQ(a.triangles.size(), b.triangles.size());
  for (std::size_t t = 0; t < a.triangles.size(); ++t) {
    const G3dTriangle x = a.triangles[t], y = b.triangles[t];
    for (std::size_t k = 0; k < 3; ++k) {
      EXPECT_EQ(x.corners[k].point, y.corners[k].point) << t;
      EXPECT_EQ(x.corners[k].normal, y.corners[k].normal) << t;
      EXPECT_EQ(std::tie(x.corners[k].r, x.corners[k].g, x.corners[k].b),
                std::tie(y.corners[k].r, y.corners[k].g, y.corners[k].b))
          << t;
    }
  }
  for (std::size_t i = 0; i < a.points.size(); ++i) EXPECT_EQ(Vertices(a, i), Vertices(b, i)) << i;
}

// A grid works its triangles, normals, colours and corner lists out; they must be
// exactly those of the same mesh stored one by one, for every shape including the
// ones without cells.
TEST(G3dModel, GridGivesTheStoredMeshOfItsCells) {
  const std::array<std::array<std::uint32_t, 2>, 6> shapes{
      {{4, 5}, {2, 2}, {5, 2}, {1, 6}, {6, 1}, {3, 3}}};
  for (const auto& [rows, columns] : shapes) {
    G3dObject grid, stored;
    SetColour(grid, 9, 8, 7);
    SetColour(stored, 9, 8, 7);
    GridPoints(grid, rows, columns);
    GridPoints(stored, rows, columns);
    grid.triangles.SetGrid(GridShape{rows, columns, 9, 8, 7});
    StoreCells(stored, rows, columns);
    SCOPED_TRACE(testing::Message() << rows << " x " << columns);
    EXPECT_EQ(grid.triangles.size(), 2u * (rows - 1) * (columns - 1));
    ExpectSameMesh(grid, stored);
    ExpectConsistent(grid);
    std::size_t visited = 0;
    grid.triangles.ForEach([&](const G3dTriangle& t) {
      EXPECT_EQ(t.corners[2].point, grid.triangles[visited].corners[2].point);
      ++visited;
    });
    EXPECT_EQ(visited, grid.triangles.size());
  }
}

// A grid object that takes one more triangle keeps its cells as stored triangles.
TEST(G3dModel, AppendingToAGridStoresItsCellsFirst) {
  G3dObject grid, stored;
  GridPoints(grid, 3, 4);
  GridPoints(stored, 3, 4);
  grid.triangles.SetGrid(GridShape{3, 4, 128, 128, 128});
  StoreCells(stored, 3, 4);
  AddTriangle(grid, {{{0, 0, 0}, {1, 0, 0}, {9, 9, 9}}});
  AddTriangle(stored, {{{0, 0, 0}, {1, 0, 0}, {9, 9, 9}}});
  EXPECT_FALSE(grid.triangles.IsGrid());
  ASSERT_EQ(grid.triangles.size(), 13u);
  ExpectSameMesh(grid, stored);
  ExpectConsistent(grid);
  ClearObject(grid);
  EXPECT_TRUE(grid.triangles.empty());
  EXPECT_TRUE(Vertices(grid, 0).empty());
}

}  // namespace
}  // namespace lw
