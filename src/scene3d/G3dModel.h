// The in-memory 3D model: a scene owns blocks, a block owns objects, an object owns
// its triangles and points. Triangle corners name their point by index, and the
// object knows which corners use each point. Plain data, no window and no GL.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scene3d/ChunkedList.h"
#include "scene3d/PointIndex.h"

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

struct G3dPoint {
  G3dPoint(float px, float py, float pz) : x(px), y(py), z(pz) {}
  float x, y, z;
};

// One corner of one triangle of an object: triangle index * 3 + corner number.
using CornerId = std::uint32_t;

// The corners that use one point, in the order they took it. Most points are used
// by at most six corners, so those stay inline.
class VertexRefs {
 public:
  VertexRefs() = default;
  ~VertexRefs();
  VertexRefs(const VertexRefs&) = delete;
  VertexRefs& operator=(const VertexRefs&) = delete;

  std::uint32_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  CornerId operator[](std::uint32_t i) const { return Data()[i]; }
  const CornerId* begin() const { return Data(); }
  const CornerId* end() const { return Data() + size_; }

  void push_back(CornerId corner) {
    if (size_ == capacity_) Grow();
    Data()[size_++] = corner;
  }

 private:
  void Grow();
  static constexpr std::uint32_t InlineCapacity = 6;
  const CornerId* Data() const { return capacity_ > InlineCapacity ? heap_ : inline_; }
  CornerId* Data() { return capacity_ > InlineCapacity ? heap_ : inline_; }

  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = InlineCapacity;
  union {
    CornerId inline_[InlineCapacity];
    CornerId* heap_;
  };
};

// A surface sampled on a grid of rows x columns points, numbered row by row. Its
// triangles are the two of every cell, (k, k + columns, k + columns + 1) and
// (k, k + columns + 1, k + 1) with k the cell's first point, cell after cell and row
// after row; each corner has the grid's colour and the flat normal of its triangle.
// All of that follows from the points, so a grid keeps none of it: a surface of a
// million points costs the points' 12 MB instead of some 200 MB of corners.
struct GridShape {
  std::uint32_t rows = 0, columns = 0;
  std::uint8_t r = 128, g = 128, b = 128;
  std::size_t Triangles() const {
    return rows < 2 || columns < 2 ? 0 : std::size_t{2} * (rows - 1) * (columns - 1);
  }
};

// An object's triangles: either stored one by one (figures read from files, the axes)
// or those of its grid (built surfaces), worked out when they are read.
class TriangleList {
 public:
  explicit TriangleList(const PointList& points) : points_(points) {}
  TriangleList(const TriangleList&) = delete;
  TriangleList& operator=(const TriangleList&) = delete;

  std::size_t size() const { return grid_ ? grid_->Triangles() : stored_.size(); }
  bool empty() const { return size() == 0; }
  // Triangle i, stored or worked out from the grid.
  G3dTriangle operator[](std::size_t i) const { return grid_ ? GridTriangle(i) : stored_[i]; }
  // Every triangle in order, as operator[] gives it.
  template <class F>
  void ForEach(F&& f) const {
    if (grid_) {
      ForEachGridTriangle(f);
    } else {
      stored_.ForEach(f);
    }
  }

  // ForEach while f returns true (a writer told to stop); false when f ended it.
  template <class F>
  bool ForEachWhile(F&& f) const {
    return grid_ ? ForEachGridTriangleWhile(f) : stored_.ForEachWhile(f);
  }

  bool IsGrid() const { return grid_.has_value(); }
  const GridShape* Grid() const { return grid_ ? &*grid_ : nullptr; }
  // Turns an empty list into the triangles of a grid.
  void SetGrid(const GridShape& grid);

  // The stored triangles of a list that is not a grid.
  ChunkedList<G3dTriangle>& Stored() { return stored_; }
  const ChunkedList<G3dTriangle>& Stored() const { return stored_; }

  void Clear() {
    stored_.Clear();
    grid_.reset();
  }

 private:
  G3dTriangle GridTriangle(std::size_t i) const;
  // The triangle of cell k (its first point) and half (0 or 1) of the grid.
  G3dTriangle CellTriangle(std::size_t k, int half) const;
  template <class F>
  void ForEachGridTriangle(F& f) const {
    const std::size_t n = grid_->columns;
    for (std::size_t row = 0; row + 1 < grid_->rows; ++row) {
      for (std::size_t column = 0; column + 1 < n; ++column) {
        const std::size_t k = row * n + column;
        f(CellTriangle(k, 0));
        f(CellTriangle(k, 1));
      }
    }
  }

  template <class F>
  bool ForEachGridTriangleWhile(F& f) const {
    const std::size_t n = grid_->columns;
    for (std::size_t row = 0; row + 1 < grid_->rows; ++row) {
      for (std::size_t column = 0; column + 1 < n; ++column) {
        const std::size_t k = row * n + column;
        if (!f(CellTriangle(k, 0)) || !f(CellTriangle(k, 1))) return false;
      }
    }
    return true;
  }

  const PointList& points_;
  ChunkedList<G3dTriangle> stored_;
  std::optional<GridShape> grid_;
};

// Translation and turn angles in degrees (about Y, about -X, about Z).
struct G3dTransform {
  float tx = 0, ty = 0, tz = 0;
  float angleY = 0, angleX = 0, angleZ = 0;
};

// The program's first object in every 3D space: lines drawn as degenerate triangles.
inline constexpr const char* AxesObjectName = "Axes";

// A figure read from a file without a name of its own is called this.
inline constexpr const char* UnnamedObjectName = "Unititled0";
// Names are fixed 128-byte texts in the file formats: 127 characters and a zero.
inline constexpr std::size_t MaxObjectNameLength = 127;

struct G3dObject {
  std::string name;
  bool visible = true;
  PointList points;
  TriangleList triangles{points};
  // vertices[i]: the corners that use point i, for stored triangles; a list may be
  // missing at the end, standing for an empty one. A grid's corners are worked out
  // instead (see Vertices).
  ChunkedList<VertexRefs> vertices;
  std::uint8_t r = 128, g = 128, b = 128;
  bool colourSet = false;
  G3dTransform transform;
  // The object's display lists: displayListCount names from displayList on.
  std::uint32_t displayList = 0;
  std::uint32_t displayListCount = 1;
  // Its light list (drawn while the view turns), 0 for none.
  std::uint32_t lightList = 0;
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
// AddCorner). An object holding a grid gets its grid's triangles stored first.
G3dTriangle& AppendTriangle(G3dObject& object);
// Sets corner `corner` of a stored triangle of `object` to an existing point: the
// point index, the object's colour, and the corner's entry in the point's list.
void LinkCorner(G3dTriangle& triangle, int corner, G3dObject& object, std::int32_t point);
// The first point with exactly equal float coordinates, or -1.
std::int32_t FindPoint(G3dObject& object, float x, float y, float z);
// FindPoint, else a new point; then LinkCorner. Returns the point index.
std::int32_t AddCorner(G3dTriangle& triangle, int corner, G3dObject& object, float x, float y,
                       float z);
// The corners that use point `point`, in the order they took it.
std::vector<CornerId> Vertices(const G3dObject& object, std::size_t point);
// The corner a CornerId names.
G3dVertex CornerOf(const G3dObject& object, CornerId corner);
// Stores a grid's triangles and corner lists one by one, so the object can take more.
void StoreGridTriangles(G3dObject& object);
void ClearObject(G3dObject& object);
// Stored triangles get their flat normals; a grid's are worked out when read anyway.
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
