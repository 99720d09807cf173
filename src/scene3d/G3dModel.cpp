#include "G3dModel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace lw {

VertexRefs::~VertexRefs() {
  clear();
}

void VertexRefs::Grow() {
  const std::uint32_t grown = capacity_ * 2;
  auto** bigger = new G3dVertex*[grown];
  std::memcpy(bigger, Data(), size_ * sizeof(G3dVertex*));
  if (capacity_ > InlineCapacity) delete[] heap_;
  heap_ = bigger;
  capacity_ = grown;
}

void VertexRefs::clear() {
  if (capacity_ > InlineCapacity) delete[] heap_;
  capacity_ = InlineCapacity;
  size_ = 0;
}

std::int32_t AppendPoint(G3dObject& object, float x, float y, float z) {
  object.points.emplace_back(x, y, z);
  return static_cast<std::int32_t>(object.points.size() - 1);
}

G3dTriangle& AppendTriangle(G3dObject& object) {
  return object.triangles.emplace_back();
}

void LinkCorner(G3dTriangle& triangle, int corner, G3dObject& object, std::int32_t point) {
  G3dVertex& vertex = triangle.corners[static_cast<std::size_t>(corner)];
  vertex.point = point;
  vertex.r = object.r;
  vertex.g = object.g;
  vertex.b = object.b;
  object.points[static_cast<std::size_t>(point)].vertices.push_back(&vertex);
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

void ClearObject(G3dObject& object) {
  object.triangles.Clear();
  object.points.Clear();
  object.pointIndex.Invalidate();
}

void ComputeFlatNormals(G3dObject& object) {
  const auto& points = object.points;
  object.triangles.ForEach([&points](G3dTriangle& t) {
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
