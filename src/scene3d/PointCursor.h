// Places the points of a grid straight into an object's list grown beforehand.
#pragma once

#include <array>
#include <cstddef>
#include <new>
#include <span>

#include "scene3d/G3dModel.h"

namespace lw {

// Constructs points one after another from a given index of a list grown beforehand,
// a chunk's run of slots at a time.
class PointCursor {
 public:
  PointCursor(PointList& points, std::size_t first) : points_(points), next_(first) {}

  void Place(const std::array<float, 3>& c) {
    if (run_.empty()) run_ = points_.RunFrom(next_);
    ::new (static_cast<void*>(run_.data())) G3dPoint(c[0], c[1], c[2]);
    run_ = run_.subspan(1);
    ++next_;
  }

 private:
  PointList& points_;
  std::size_t next_;
  std::span<G3dPoint> run_;
};

}  // namespace lw
