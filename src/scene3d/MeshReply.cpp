#include "scene3d/MeshReply.h"

#include <cmath>
#include <cstring>
#include <optional>

namespace lw {
namespace {

constexpr std::string_view kMagic = "LWMR";
// Longer names than any format holds are not a figure's.
constexpr std::uint32_t kMaxNameBytes = 4096;

void PutU32(std::string& out, std::uint32_t v) {
  const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                         static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
  out.append(bytes, 4);
}

void PutF32(std::string& out, float v) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &v, 4);
  PutU32(out, bits);
}

class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : rest_(bytes) {}
  bool Has(std::uint64_t count, std::uint64_t each) const {
    return each == 0 || count <= rest_.size() / each;
  }
  std::optional<std::uint32_t> U32() {
    if (rest_.size() < 4) return std::nullopt;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
      v = v << 8 | static_cast<std::uint8_t>(rest_[static_cast<std::size_t>(i)]);
    }
    rest_.remove_prefix(4);
    return v;
  }
  float F32() {
    const std::uint32_t bits = *U32();  // callers checked Has first
    float v = 0;
    std::memcpy(&v, &bits, 4);
    return v;
  }
  std::uint8_t U8() {
    const auto v = static_cast<std::uint8_t>(rest_[0]);
    rest_.remove_prefix(1);
    return v;
  }
  std::string_view Take(std::size_t n) {
    const std::string_view taken = rest_.substr(0, n);
    rest_.remove_prefix(n);
    return taken;
  }
  bool AtEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

bool DecodeObject(Cursor& in, G3dBlock& figure, std::string& reason) {
  const auto nameLength = in.U32();
  if (!nameLength || *nameLength > kMaxNameBytes || !in.Has(*nameLength, 1)) {
    reason = "an object name is damaged";
    return false;
  }
  G3dObject& object = AppendObject(figure, std::string(in.Take(*nameLength)));
  const auto points = in.U32();
  if (!points || !in.Has(*points, 12)) {
    reason = "more points than the reply holds";
    return false;
  }
  for (std::uint32_t p = 0; p < *points; ++p) {
    const float x = in.F32(), y = in.F32(), z = in.F32();
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
      reason = "a coordinate is not a finite number";
      return false;
    }
    AppendPoint(object, x, y, z);
  }
  const auto triangles = in.U32();
  if (!triangles || !in.Has(*triangles, 3 * 7)) {
    reason = "more triangles than the reply holds";
    return false;
  }
  for (std::uint32_t t = 0; t < *triangles; ++t) {
    G3dTriangle& triangle = AppendTriangle(object);
    for (int k = 0; k < 3; ++k) {
      const std::uint32_t point = *in.U32();
      if (point >= *points) {
        reason = "a corner names a point the object does not have";
        return false;
      }
      LinkCorner(triangle, k, object, static_cast<std::int32_t>(point));
      G3dVertex& corner = triangle.corners[static_cast<std::size_t>(k)];
      corner.r = in.U8();
      corner.g = in.U8();
      corner.b = in.U8();
    }
  }
  return true;
}

}  // namespace

std::string EncodeMeshReply(const G3dBlock& figure) {
  std::string out(kMagic);
  PutU32(out, static_cast<std::uint32_t>(figure.objects.size()));
  for (const auto& object : figure.objects) {
    PutU32(out, static_cast<std::uint32_t>(object->name.size()));
    out += object->name;
    PutU32(out, static_cast<std::uint32_t>(object->points.size()));
    for (std::size_t p = 0; p < object->points.size(); ++p) {
      const G3dPoint& point = object->points[p];
      PutF32(out, point.x);
      PutF32(out, point.y);
      PutF32(out, point.z);
    }
    PutU32(out, static_cast<std::uint32_t>(object->triangles.size()));
    object->triangles.ForEach([&out](const G3dTriangle& t) {
      for (const G3dVertex& v : t.corners) {
        PutU32(out, static_cast<std::uint32_t>(v.point));
        out += static_cast<char>(v.r);
        out += static_cast<char>(v.g);
        out += static_cast<char>(v.b);
      }
    });
  }
  return out;
}

bool DecodeMeshReply(std::string_view bytes, G3dBlock& block, std::string& reason) {
  if (bytes.substr(0, kMagic.size()) != kMagic) {
    reason = "the reader's reply is damaged";
    return false;
  }
  Cursor in(bytes.substr(kMagic.size()));
  const auto objects = in.U32();
  // Every object takes at least its three counts.
  if (!objects || !in.Has(*objects, 12)) {
    reason = "more objects than the reply holds";
    return false;
  }
  G3dBlock figure;
  bool anyTriangle = false;
  for (std::uint32_t o = 0; o < *objects; ++o) {
    if (!DecodeObject(in, figure, reason)) return false;
    anyTriangle = anyTriangle || !figure.objects.back()->triangles.empty();
  }
  if (!in.AtEnd()) {
    reason = "the reader's reply is longer than its counts";
    return false;
  }
  if (!anyTriangle) {
    reason = "the file holds no triangles";
    return false;
  }
  block.objects.swap(figure.objects);
  return true;
}

}  // namespace lw
