// The in-memory 3D model: a scene owns blocks, a block owns objects, an object owns
// its triangles and points. Triangle corners name their point by index; every point
// lists the corners that use it. Plain data, no window and no GL.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ChunkedList.h"
#include "PointIndex.h"

namespace lw {

struct G3dVertex {
  std::int32_t point = 0;
  std::array<float, 3> normal{0.0f, 0.0f, 0.0f};
  std::uint8_t r = 128, g = 128, b = 128;
};

// Corners are stored inline, so their addresses live as long as the triangle.
struct G3dTriangle {
  std::array<G3dVertex, 3> corners;
};

// The corners that use one point. Surface grids give at most six per point, so
// those stay inline and a grid of a million points makes no allocation per point.
class VertexRefs {
 public:
  VertexRefs() = default;
  ~VertexRefs();
  VertexRefs(const VertexRefs&) = delete;
  VertexRefs& operator=(const VertexRefs&) = delete;

  std::uint32_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  G3dVertex* operator[](std::uint32_t i) const { return Data()[i]; }
  G3dVertex* const* begin() const { return Data(); }
  G3dVertex* const* end() const { return Data() + size_; }

  void push_back(G3dVertex* vertex) {
    if (size_ == capacity_) Grow();
    Data()[size_++] = vertex;
  }
  void clear();

 private:
  void Grow();
  static constexpr std::uint32_t InlineCapacity = 6;
  G3dVertex* const* Data() const { return capacity_ > InlineCapacity ? heap_ : inline_; }
  G3dVertex** Data() { return capacity_ > InlineCapacity ? heap_ : inline_; }

  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = InlineCapacity;
  union {
    G3dVertex* inline_[InlineCapacity];
    G3dVertex** heap_;
  };
};

struct G3dPoint {
  G3dPoint(float px, float py, float pz) : x(px), y(py), z(pz) {}
  float x, y, z;
  VertexRefs vertices;  // not owned
};

// Translation and turn angles in degrees (about Y, about -X, about Z).
struct G3dTransform {
  float tx = 0, ty = 0, tz = 0;
  float angleY = 0, angleX = 0, angleZ = 0;
};

// A figure read from a file without a name of its own is called this.
inline constexpr const char* UnnamedObjectName = "Unititled0";
// Names are fixed 128-byte texts in the file formats: 127 characters and a zero.
inline constexpr std::size_t MaxObjectNameLength = 127;

struct G3dObject {
  std::string name;
  bool visible = true;
  ChunkedList<G3dTriangle> triangles;
  ChunkedList<G3dPoint> points;
  std::uint8_t r = 128, g = 128, b = 128;
  bool colourSet = false;
  G3dTransform transform;
  std::uint32_t displayList = 0;
  // FindPoint's lookup table. Code that moves points must call Invalidate on it.
  PointIndex pointIndex;
};

struct G3dBlock {
  std::vector<std::unique_ptr<G3dObject>> objects;
  std::uint8_t r = 128, g = 128, b = 128;
  bool colourSet = false;
  G3dTransform transform;
};

struct G3dScene {
  std::vector<std::unique_ptr<G3dBlock>> blocks;
  std::uint32_t listBase = 0;  // 0 = none reserved
  std::int32_t listCount = 0;
  // Viewer state, read and written by the OpenGL view.
  float fieldOfView = 30.0f;
  float nearPlane = 1.0f;
  float farPlane = 100.0f;
  int frontMode = 1, backMode = 1;  // 0 points, 1 lines, 2 filled
  G3dTransform camera;
};

// Object level.

// Appends a point without searching; returns its index.
std::int32_t AppendPoint(G3dObject& object, float x, float y, float z);
// Appends a triangle whose corners the caller sets next (with LinkCorner or
// AddCorner). The triangle is in place before its corners are linked, so the
// addresses the points keep are final.
G3dTriangle& AppendTriangle(G3dObject& object);
// Sets corner `corner` of a triangle of `object` to an existing point: the point
// index, the object's colour, and the corner's entry in the point's `vertices`.
void LinkCorner(G3dTriangle& triangle, int corner, G3dObject& object, std::int32_t point);
// The first point with exactly equal float coordinates, or -1.
std::int32_t FindPoint(G3dObject& object, float x, float y, float z);
// FindPoint, else a new point; then LinkCorner. Returns the point index.
std::int32_t AddCorner(G3dTriangle& triangle, int corner, G3dObject& object, float x, float y,
                       float z);
void ClearObject(G3dObject& object);
void ComputeFlatNormals(G3dObject& object);
void SetColour(G3dObject& object, std::uint8_t r, std::uint8_t g, std::uint8_t b);

// The unit normal of the triangle p0 p1 p2: (p0 - p1) x (p1 - p2), normalised in
// single precision; a degenerate triangle keeps the zero vector instead of dividing
// by zero.
inline std::array<float, 3> FlatNormal(const G3dPoint& p0, const G3dPoint& p1, const G3dPoint& p2) {
  const float ax = p0.x - p1.x, ay = p0.y - p1.y, az = p0.z - p1.z;
  const float bx = p1.x - p2.x, by = p1.y - p2.y, bz = p1.z - p2.z;
  const float nx = ay * bz - az * by;
  const float ny = az * bx - ax * bz;
  const float nz = ax * by - ay * bx;
  float len = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (len == 0.0f) len = 1.0f;
  return {nx / len, ny / len, nz / len};
}

// Block level.
G3dObject& AppendObject(G3dBlock& block, std::string name);
void ClearBlock(G3dBlock& block);
void ComputeBlockNormals(G3dBlock& block);
void CentreBlock(G3dBlock& block);

}  // namespace lw
