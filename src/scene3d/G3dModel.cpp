#include "scene3d/G3dModel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace lw {

VertexRefs::~VertexRefs() {
  if (capacity_ > InlineCapacity) delete[] heap_;
}

void VertexRefs::Grow() {
  const std::uint32_t grown = capacity_ * 2;
  auto* bigger = new CornerId[grown];
  std::memcpy(bigger, Data(), size_ * sizeof(CornerId));
  if (capacity_ > InlineCapacity) delete[] heap_;
  heap_ = bigger;
  capacity_ = grown;
}

void TriangleList::SetGrid(const GridShape& grid) {
  stored_.Clear();
  grid_ = grid;
}

G3dTriangle TriangleList::CellTriangle(std::size_t k, int half) const {
  const std::size_t n = grid_->columns;
  const std::array<std::size_t, 3> corners = half == 0
                                                 ? std::array<std::size_t, 3>{k, k + n, k + n + 1}
                                                 : std::array<std::size_t, 3>{k, k + n + 1, k + 1};
  const std::array<float, 3> normal =
      FlatNormal(points_[corners[0]], points_[corners[1]], points_[corners[2]]);
  G3dTriangle t;
  for (std::size_t c = 0; c < 3; ++c) {
    G3dVertex& v = t.corners[c];
    v.point = static_cast<std::int32_t>(corners[c]);
    v.normal = normal;
    v.r = grid_->r;
    v.g = grid_->g;
    v.b = grid_->b;
  }
  return t;
}

G3dTriangle TriangleList::GridTriangle(std::size_t i) const {
  const std::size_t cellsPerRow = grid_->columns - 1;
  const std::size_t cell = i / 2;
  const std::size_t k = (cell / cellsPerRow) * grid_->columns + cell % cellsPerRow;
  return CellTriangle(k, static_cast<int>(i % 2));
}

std::int32_t AppendPoint(G3dObject& object, float x, float y, float z) {
  object.points.emplace_back(x, y, z);
  return static_cast<std::int32_t>(object.points.size() - 1);
}

G3dTriangle& AppendTriangle(G3dObject& object) {
  if (object.triangles.IsGrid()) StoreGridTriangles(object);
  return object.triangles.Stored().emplace_back();
}

void LinkCorner(G3dTriangle& triangle, int corner, G3dObject& object, std::int32_t point) {
  G3dVertex& vertex = triangle.corners[static_cast<std::size_t>(corner)];
  vertex.point = point;
  vertex.r = object.r;
  vertex.g = object.g;
  vertex.b = object.b;
  const auto index = static_cast<std::size_t>(point);
  while (object.vertices.size() <= index) object.vertices.emplace_back();
  const std::size_t t = object.triangles.Stored().IndexOf(&triangle);
  object.vertices[index].push_back(static_cast<CornerId>(t * 3 + static_cast<std::size_t>(corner)));
}

std::int32_t FindPoint(G3dObject& object, float x, float y, float z) {
  return object.pointIndex.Find(object.points, x, y, z);
}

std::int32_t AddCorner(G3dTriangle& triangle, int corner, G3dObject& object, float x, float y,
                       float z) {
  std::int32_t index = FindPoint(object, x, y, z);
  if (index < 0) {
    index = AppendPoint(object, x, y, z);
    object.pointIndex.AddLast(object.points);
  }
  LinkCorner(triangle, corner, object, index);
  return index;
}

namespace {

// The corners of a grid that use point p, in triangle order: those of the cell above
// and to the left, the cell above, the cell to the left and the point's own cell.
std::vector<CornerId> GridVertices(const GridShape& grid, std::size_t p) {
  std::vector<CornerId> corners;
  const std::size_t n = grid.columns;
  if (n == 0 || p >= std::size_t{grid.rows} * n || grid.Triangles() == 0) return corners;
  const std::size_t row = p / n, column = p % n;
  const auto add = [&](std::size_t cellRow, std::size_t cellColumn, int half, int corner) {
    const std::size_t t = 2 * (cellRow * (n - 1) + cellColumn) + static_cast<std::size_t>(half);
    corners.push_back(static_cast<CornerId>(t * 3 + static_cast<std::size_t>(corner)));
  };
  if (row > 0 && column > 0) {  // corner k + n + 1 of the cell above and to the left
    add(row - 1, column - 1, 0, 2);
    add(row - 1, column - 1, 1, 1);
  }
  if (row > 0 && column + 1 < n) add(row - 1, column, 0, 1);          // corner k + n
  if (row + 1 < grid.rows && column > 0) add(row, column - 1, 1, 2);  // corner k + 1
  if (row + 1 < grid.rows && column + 1 < n) {                        // corner k of its own cell
    add(row, column, 0, 0);
    add(row, column, 1, 0);
  }
  std::sort(corners.begin(), corners.end());
  return corners;
}

}  // namespace

std::vector<CornerId> Vertices(const G3dObject& object, std::size_t point) {
  if (const GridShape* grid = object.triangles.Grid()) return GridVertices(*grid, point);
  if (point >= object.vertices.size()) return {};
  const VertexRefs& refs = object.vertices[point];
  return std::vector<CornerId>(refs.begin(), refs.end());
}

G3dVertex CornerOf(const G3dObject& object, CornerId corner) {
  return object.triangles[corner / 3].corners[corner % 3];
}

void StoreGridTriangles(G3dObject& object) {
  const GridShape* grid = object.triangles.Grid();
  if (grid == nullptr) return;
  TriangleList generated(object.points);
  generated.SetGrid(*grid);
  object.triangles.Clear();
  object.vertices.Clear();
  ChunkedList<G3dTriangle>& stored = object.triangles.Stored();
  generated.ForEach([&](const G3dTriangle& triangle) {
    const std::size_t t = stored.size();
    stored.emplace_back(triangle);
    for (std::size_t c = 0; c < 3; ++c) {
      const auto point = static_cast<std::size_t>(triangle.corners[c].point);
      while (object.vertices.size() <= point) object.vertices.emplace_back();
      object.vertices[point].push_back(static_cast<CornerId>(t * 3 + c));
    }
  });
}

void ClearObject(G3dObject& object) {
  object.triangles.Clear();
  object.vertices.Clear();
  object.points.Clear();
  object.pointIndex.Invalidate();
}

void ComputeFlatNormals(G3dObject& object) {
  const auto& points = object.points;
  object.triangles.Stored().ForEach([&points](G3dTriangle& t) {
    const std::array<float, 3> normal =
        FlatNormal(points[static_cast<std::size_t>(t.corners[0].point)],
                   points[static_cast<std::size_t>(t.corners[1].point)],
                   points[static_cast<std::size_t>(t.corners[2].point)]);
    for (G3dVertex& v : t.corners) v.normal = normal;
  });
}

void SetColour(G3dObject& object, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  object.r = r;
  object.g = g;
  object.b = b;
  object.colourSet = true;
}

G3dObject& AppendObject(G3dBlock& block, std::string name) {
  if (name.size() > MaxObjectNameLength) name.resize(MaxObjectNameLength);
  auto object = std::make_unique<G3dObject>();
  object->name = std::move(name);
  block.objects.push_back(std::move(object));
  return *block.objects.back();
}

void ClearBlock(G3dBlock& block) {
  block.objects.clear();
}

void ComputeBlockNormals(G3dBlock& block) {
  for (auto& object : block.objects) ComputeFlatNormals(*object);
}

void CentreBlock(G3dBlock& block) {
  // The box starts empty rather than at +-1e8, so a figure lying beyond 1e8 is
  // centred too; an axis with no (comparable) coordinate keeps its centre at 0.
  constexpr float inf = std::numeric_limits<float>::infinity();
  std::array<float, 3> low{inf, inf, inf}, high{-inf, -inf, -inf};
  for (auto& object : block.objects) {
    object->points.ForEach([&](const G3dPoint& p) {
      const std::array<float, 3> c{p.x, p.y, p.z};
      for (std::size_t a = 0; a < 3; ++a) {
        low[a] = std::min(low[a], c[a]);
        high[a] = std::max(high[a], c[a]);
      }
    });
  }
  std::array<float, 3> centre{};
  for (std::size_t a = 0; a < 3; ++a) {
    if (low[a] <= high[a]) centre[a] = (low[a] + high[a]) * 0.5f;
  }
  for (auto& object : block.objects) {
    object->points.ForEach([&](G3dPoint& p) {
      p.x -= centre[0];
      p.y -= centre[1];
      p.z -= centre[2];
    });
    object->pointIndex.Invalidate();  // the keys moved with the points
  }
}

}  // namespace lw
