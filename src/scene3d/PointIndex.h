// The lookup behind FindPoint: an open-addressing table of point indices keyed by
// the points' coordinates. It gives what a scan from index 0 would give (the first
// point whose x, y and z compare equal as floats) in constant time, so importing a
// large figure is not quadratic. -0.0 and 0.0 hash alike because they compare
// equal; a point with a NaN coordinate equals nothing and is never entered.
#pragma once

#include <cstdint>
#include <vector>

#include "scene3d/ChunkedList.h"

namespace lw {

struct G3dPoint;
using PointList = ChunkedList<G3dPoint>;

class PointIndex {
 public:
  // Catches up with points appended since the last call (the first of equal
  // points keeps its place), then looks the coordinates up.
  std::int32_t Find(const PointList& points, float x, float y, float z);
  // Records the point just appended at the end of `points` after a Find missed.
  void AddLast(const PointList& points);
  // Forgets everything; the next Find rebuilds from the points as they are now.
  void Invalidate();

 private:
  void Insert(const PointList& points, std::int32_t index);
  void Grow(const PointList& points);
  std::int32_t Lookup(const PointList& points, float x, float y, float z) const;

  std::vector<std::int32_t> slots_;  // -1 = empty; size is a power of two
  std::size_t used_ = 0;
  std::size_t indexed_ = 0;  // points[0 .. indexed_) are known to the table
};

}  // namespace lw
