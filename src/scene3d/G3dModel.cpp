#include "G3dModel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
  float minX = 1e8f, minY = 1e8f, minZ = 1e8f;
  float maxX = -1e8f, maxY = -1e8f, maxZ = -1e8f;
  for (auto& object : block.objects) {
    object->points.ForEach([&](const G3dPoint& p) {
      minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
      minZ = std::min(minZ, p.z), maxZ = std::max(maxZ, p.z);
    });
  }
  // With no points at all the sums are 0 and nothing moves.
  const float cx = (minX + maxX) * 0.5f, cy = (minY + maxY) * 0.5f, cz = (minZ + maxZ) * 0.5f;
  for (auto& object : block.objects) {
    object->points.ForEach([&](G3dPoint& p) {
      p.x -= cx;
      p.y -= cy;
      p.z -= cz;
    });
    object->pointIndex.Invalidate();  // the keys moved with the points
  }
}

}  // namespace lw
