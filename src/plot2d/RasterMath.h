// Integer helpers shared by the raster and the 2D builders.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace lw {

// a * b / c in 64 bits, rounded to the nearest integer with halves away from zero.
// A zero divisor gives -1, as the classic raster operation does.
inline std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = product < 0 ? -product : product;
  const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
  const std::int64_t q = (magnitude + divisor / 2) / divisor;
  const std::int64_t result = negative ? -q : q;
  if (result > std::numeric_limits<std::int32_t>::max()) return -1;
  if (result < std::numeric_limits<std::int32_t>::min()) return -1;
  return static_cast<std::int32_t>(result);
}

// A double becomes a pixel coordinate by truncation toward zero. Values beyond the
// int32 range (a curve far above the picture, an infinity) saturate instead of being
// undefined; not-a-number becomes 0. The raster clips whatever lies outside anyway.
inline std::int32_t TruncToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

}  // namespace lw
