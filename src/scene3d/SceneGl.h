// Display-list compilation and drawing of the 3D model: the only part of the model
// that talks to OpenGL (1.1 calls only). Call with the view's context current.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "scene3d/G3dModel.h"

namespace lw {

// Triangles per display list: a large object gets several lists, so that they can be
// compiled one at a time between the view's events.
inline constexpr std::size_t TrianglesPerList = 65536;
// The display lists the object needs (at least one).
std::uint32_t ListsFor(const G3dObject& object);

// Records the object's triangles into the lists from `name` on: one normal and one
// colour per triangle (those of corner 0).
void CompileObject(G3dObject& object, std::uint32_t name);
// Nothing when the object is hidden; else its transform and its list.
void DrawObject(const G3dObject& object);
void DrawBlock(const G3dBlock& block);

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
  void Cancel() { done_ = true; }

 private:
  std::size_t block_ = 0;
  std::size_t object_ = 0;
  std::uint32_t part_ = 0;
  bool done_ = true;
};

}  // namespace lw
