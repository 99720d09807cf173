// The vertices of the formats that join corners into shared vertices (PLY, glb): a
// grid's vertices are its points in its colour; stored triangles get a vertex per
// point and colour, numbered in the order the corners first take them. Both writers
// number an object the same way in every pass over it, so a count taken first
// matches the vertices written later.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

#include "document/WorkControl.h"
#include "scene3d/G3dModel.h"

namespace lw {

inline std::uint32_t ColourKey(const G3dVertex& v) {
  return std::uint32_t{v.r} << 16 | std::uint32_t{v.g} << 8 | v.b;
}

class VertexNumbering {
 public:
  static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

  explicit VertexNumbering(const G3dObject& object) : object_(object) {
    if (!object.triangles.IsGrid()) slots_.assign(object.points.size(), Slot{});
  }
  std::size_t Count() const { return count_; }

  // The vertex of a corner; `added` says it is new.
  std::uint32_t Take(const G3dVertex& v, bool& added) {
    added = false;
    if (object_.triangles.IsGrid()) return static_cast<std::uint32_t>(v.point);
    const auto point = static_cast<std::size_t>(v.point);
    Slot& slot = slots_[point];
    const std::uint32_t colour = ColourKey(v);
    if (slot.vertex == kNone) {
      slot = {New(added), colour};
      return slot.vertex;
    }
    if (slot.colour == colour) return slot.vertex;
    // A point whose corners differ in colour: a vertex per colour.
    const auto [found, isNew] = extra_.try_emplace(std::uint64_t{point} << 24 | colour, 0u);
    if (isNew) found->second = New(added);
    return found->second;
  }
  // Every triangle in order with its corners' vertices, while f says go on.
  template <class F>
  bool ForEach(F&& f) {
    return object_.triangles.ForEachWhile([&](const G3dTriangle& t) {
      std::array<std::uint32_t, 3> vertices;
      std::array<bool, 3> added;
      for (std::size_t k = 0; k < 3; ++k) vertices[k] = Take(t.corners[k], added[k]);
      return f(t, vertices, added);
    });
  }

 private:
  struct Slot {
    std::uint32_t vertex = kNone;
    std::uint32_t colour = 0;
  };
  std::uint32_t New(bool& added) {
    added = true;
    return static_cast<std::uint32_t>(count_++);
  }

  const G3dObject& object_;
  std::vector<Slot> slots_;
  std::unordered_map<std::uint64_t, std::uint32_t> extra_;
  std::size_t count_ = 0;
};

// Every vertex of the object once, in the numbering's order, as its point and the
// corner that gives its colour, while go says go on; false when it ended early.
template <class F>
bool ForEachVertex(const G3dObject& object, F&& go) {
  if (const GridShape* grid = object.triangles.Grid()) {
    G3dVertex colour;
    colour.r = grid->r, colour.g = grid->g, colour.b = grid->b;
    return object.points.ForEachWhile([&](const G3dPoint& p) { return go(p, colour); });
  }
  VertexNumbering numbering(object);
  return numbering.ForEach([&](const G3dTriangle& t, const auto&, const auto& added) {
    for (std::size_t k = 0; k < 3; ++k) {
      const G3dVertex& corner = t.corners[k];
      if (added[k] && !go(object.points[static_cast<std::size_t>(corner.point)], corner)) {
        return false;
      }
    }
    return true;
  });
}

// The vertices of one object, and through `each` every vertex's point and colour in
// their order; a stop through `work` cuts the count short.
template <class F>
std::size_t CountVertices(const G3dObject& object, const WorkControl* work, F&& each) {
  std::size_t count = 0;
  ForEachVertex(object, [&](const G3dPoint& p, const G3dVertex& colour) {
    each(p, colour);
    return ++count % 65536 != 0 || !Stopped(work);
  });
  return count;
}

}  // namespace lw
