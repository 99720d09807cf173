#include "scene3d/PointIndex.h"

#include <bit>
#include <cmath>

#include "scene3d/G3dModel.h"

namespace lw {
namespace {

std::uint64_t HashCoordinates(float x, float y, float z) {
  // Adding 0.0f turns -0.0 into +0.0, so the two equal zeros share a bucket.
  const auto bits = [](float v) { return std::uint64_t{std::bit_cast<std::uint32_t>(v + 0.0f)}; };
  std::uint64_t h = bits(x) * 0x9E3779B97F4A7C15ull;
  h ^= bits(y) * 0xC2B2AE3D27D4EB4Full + (h >> 31);
  h ^= bits(z) * 0x165667B19E3779F9ull + (h >> 29);
  h ^= h >> 32;
  return h * 0xD6E8FEB86659FD93ull;
}

bool HasNaN(float x, float y, float z) {
  return std::isnan(x) || std::isnan(y) || std::isnan(z);
}

}  // namespace

std::int32_t PointIndex::Lookup(const PointList& points, float x, float y, float z) const {
  if (slots_.empty()) return -1;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = HashCoordinates(x, y, z) & mask;; i = (i + 1) & mask) {
    const std::int32_t index = slots_[i];
    if (index < 0) return -1;
    const G3dPoint& p = points[static_cast<std::size_t>(index)];
    if (p.x == x && p.y == y && p.z == z) return index;
  }
}

void PointIndex::Grow(const PointList& points) {
  std::vector<std::int32_t> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 64 : old.size() * 2, -1);
  const std::size_t mask = slots_.size() - 1;
  for (std::int32_t index : old) {
    if (index < 0) continue;
    const G3dPoint& p = points[static_cast<std::size_t>(index)];
    std::size_t i = HashCoordinates(p.x, p.y, p.z) & mask;
    while (slots_[i] >= 0) i = (i + 1) & mask;
    slots_[i] = index;
  }
}

void PointIndex::Insert(const PointList& points, std::int32_t index) {
  const G3dPoint& p = points[static_cast<std::size_t>(index)];
  // NaN never compares equal, and a later duplicate must not hide the first point.
  if (HasNaN(p.x, p.y, p.z) || Lookup(points, p.x, p.y, p.z) >= 0) return;
  if ((used_ + 1) * 2 > slots_.size()) Grow(points);
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = HashCoordinates(p.x, p.y, p.z) & mask;
  while (slots_[i] >= 0) i = (i + 1) & mask;
  slots_[i] = index;
  ++used_;
}

std::int32_t PointIndex::Find(const PointList& points, float x, float y, float z) {
  if (indexed_ > points.size()) Invalidate();  // the points were cleared behind our back
  for (; indexed_ < points.size(); ++indexed_) Insert(points, static_cast<std::int32_t>(indexed_));
  if (HasNaN(x, y, z)) return -1;
  return Lookup(points, x, y, z);
}

void PointIndex::AddLast(const PointList& points) {
  if (indexed_ + 1 != points.size()) return;  // Find will catch up
  Insert(points, static_cast<std::int32_t>(indexed_));
  ++indexed_;
}

void PointIndex::Invalidate() {
  slots_.clear();
  slots_.shrink_to_fit();
  used_ = 0;
  indexed_ = 0;
}

}  // namespace lw
