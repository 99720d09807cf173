// What every block a reader produces must satisfy, whatever it was fed: corners
// name points of their own object, and every corner a point lists names that point.
#pragma once

#include <cstdlib>

#include "scene3d/G3dModel.h"

namespace lw::fuzz {

inline void CheckBlock(const G3dBlock& block) {
  for (const auto& object : block.objects) {
    const std::size_t points = object->points.size();
    for (std::size_t t = 0; t < object->triangles.size(); ++t) {
      for (const G3dVertex& corner : object->triangles[t].corners) {
        if (corner.point < 0 || static_cast<std::size_t>(corner.point) >= points) std::abort();
      }
    }
    for (std::size_t i = 0; i < points; ++i) {
      for (const CornerId corner : Vertices(*object, i)) {
        if (corner / 3 >= object->triangles.size()) std::abort();
        if (CornerOf(*object, corner).point != static_cast<std::int32_t>(i)) std::abort();
      }
    }
  }
}

inline std::size_t TriangleCount(const G3dBlock& block) {
  std::size_t count = 0;
  for (const auto& object : block.objects) count += object->triangles.size();
  return count;
}

}  // namespace lw::fuzz
