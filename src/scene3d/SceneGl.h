// Display-list compilation and drawing of the 3D model: the only part of the model
// that talks to OpenGL (1.1 calls only). Call with the view's context current.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene3d/G3dModel.h"

namespace lw {

// Triangles per display list: a large object gets several lists, so that they can be
// compiled one at a time between the view's events.
inline constexpr std::size_t TrianglesPerList = 65536;
// The display lists the object needs (at least one).
std::uint32_t ListsFor(const G3dObject& object);

// A surface of more triangles than this also gets a light list, of every few rows and
// columns of its grid, drawn while the view turns and until the full lists are ready.
inline constexpr std::size_t LightTrianglesPerObject = 131072;
bool HasLightList(const G3dObject& object);

// How much of each object a frame draws.
enum class Detail { Full, Light };

// The vertices of one list on their way to OpenGL as arrays (far fewer calls than
// one a vertex, normal and colour); kept between lists so that it is filled without
// allocating.
struct ListArrays {
  std::vector<float> positions;
  std::vector<float> normals;
  std::vector<std::uint8_t> colours;
  void Clear();
  void Add(const G3dPoint& p, const std::array<float, 3>& normal, std::uint8_t r, std::uint8_t g,
           std::uint8_t b);
};

// Records the object's triangles into the lists from `name` on: one normal and one
// colour per triangle (those of corner 0).
void CompileObject(G3dObject& object, std::uint32_t name);
// Nothing when the object is hidden; else its transform and its lists: the light one
// for Detail::Light where the object has one.
void DrawObject(const G3dObject& object, Detail detail = Detail::Full);
void DrawBlock(const G3dBlock& block, Detail detail = Detail::Full);

// Reserves one list name per object of every block and compiles them in block and
// object order. With no objects at all the previous lists stay.
void RebuildDisplayLists(G3dScene& scene);
void DeleteDisplayLists(G3dScene& scene);

// The same work spread over calls, each of which compiles lists for about a given
// time, so that the view keeps answering while a figure of millions of triangles is
// compiled; lists not compiled yet draw nothing, so the figure appears part by part.
class DisplayListCompiler {
 public:
  // Frees the old lists and reserves the new ones; with no objects at all the
  // previous lists stay and there is nothing to do.
  void Start(G3dScene& scene);
  // Compiles lists until `budget` has passed or all are compiled; true when all are.
  bool Continue(G3dScene& scene, std::chrono::milliseconds budget);
  bool Done() const { return done_; }
  // True once every light list is compiled: the whole figure can be drawn light.
  bool LightDone() const;
  void Cancel() { done_ = true; }
  // Lists to compile, and compiled so far.
  int Total() const { return total_; }
  int Compiled() const { return compiled_; }

 private:
  std::size_t block_ = 0;
  std::size_t object_ = 0;
  std::uint32_t part_ = 0;
  bool done_ = true;
  bool light_ = true;  // compiling the light lists, which come first
  int total_ = 0;
  int compiled_ = 0;
  ListArrays arrays_;
};

}  // namespace lw
