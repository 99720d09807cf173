#include "scene3d/T3dFormat.h"

#include <array>
#include <bit>
#include <cstdint>
#include <optional>

#include "document/Palette.h"

namespace lw {
namespace {

constexpr std::size_t kHeaderSize = 41;

// Little-endian reads that refuse to run past the end instead of inventing bytes.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Remaining() const { return bytes_.size() - pos_; }
  std::optional<std::uint8_t> Byte() {
    if (Remaining() < 1) return std::nullopt;
    return static_cast<std::uint8_t>(bytes_[pos_++]);
  }
  std::optional<std::uint32_t> U32() {
    if (Remaining() < 4) return std::nullopt;
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      v |= std::uint32_t{static_cast<std::uint8_t>(bytes_[pos_++])} << (8 * i);
    }
    return v;
  }
  void Skip(std::size_t n) { pos_ += n; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

struct T3dHeader {
  std::array<std::uint8_t, 3> colour{};
  std::uint8_t colourMode = 0;
  std::uint32_t triangles = 0;
  std::uint32_t points = 0;
};

std::optional<T3dHeader> ReadHeader(std::string_view bytes) {
  if (bytes.size() < kHeaderSize || bytes.substr(0, 3) != "T3D" || bytes[3] != 1) {
    return std::nullopt;
  }
  ByteReader reader(bytes.substr(5));
  T3dHeader header;
  for (auto& c : header.colour) c = *reader.Byte();
  header.colourMode = *reader.Byte();
  header.triangles = *reader.U32();
  header.points = *reader.U32();
  // Each point takes 12 bytes, each triangle at least its count byte plus its
  // colours, so counts the file cannot hold are refused before anything is sized.
  const std::uint64_t perTriangle = header.colourMode == 2 ? 10 : header.colourMode == 1 ? 4 : 1;
  const std::uint64_t needed =
      std::uint64_t{header.points} * 12 + std::uint64_t{header.triangles} * perTriangle;
  if (needed > bytes.size() - kHeaderSize) return std::nullopt;
  return header;
}

bool ReadPoints(ByteReader& reader, const T3dHeader& header, G3dObject& object) {
  for (std::uint32_t i = 0; i < header.points; ++i) {
    std::array<float, 3> c{};
    for (float& v : c) {
      const auto bits = reader.U32();
      if (!bits) return false;
      v = std::bit_cast<float>(*bits);
    }
    AppendPoint(object, c[0], c[1], c[2]);
  }
  return true;
}

// c indices fill the corners cyclically (later ones replace earlier ones); corners
// that get none stay at point 0. Only the final corner is listed with its point.
bool ReadTriangles(ByteReader& reader, const T3dHeader& header, G3dObject& object) {
  for (std::uint32_t t = 0; t < header.triangles; ++t) {
    const auto count = reader.Byte();
    if (!count) return false;
    std::array<std::int32_t, 3> corners{0, 0, 0};
    for (int j = 0; j < *count; ++j) {
      const auto index = reader.U32();
      if (!index) return false;
      corners[static_cast<std::size_t>(j % 3)] = static_cast<std::int32_t>(*index);
    }
    G3dTriangle& triangle = AppendTriangle(object);
    for (int k = 0; k < 3; ++k) {
      const std::int32_t point = corners[static_cast<std::size_t>(k)];
      if (point < 0 || static_cast<std::uint32_t>(point) >= header.points) return false;
      LinkCorner(triangle, k, object, point);
      G3dVertex& v = triangle.corners[static_cast<std::size_t>(k)];
      v.r = header.colour[0];
      v.g = header.colour[1];
      v.b = header.colour[2];
    }
  }
  return true;
}

bool ReadColours(ByteReader& reader, const T3dHeader& header, G3dObject& object,
                 const Palette& palette3D) {
  if (header.colourMode != 1 && header.colourMode != 2) return true;
  auto& triangles = object.triangles.Stored();
  for (std::size_t t = 0; t < triangles.size(); ++t) {
    for (G3dVertex& v : triangles[t].corners) {
      if (header.colourMode == 2) {
        const auto r = reader.Byte(), g = reader.Byte(), b = reader.Byte();
        if (!b) return false;
        v.r = *r, v.g = *g, v.b = *b;
      } else {
        const auto n = reader.Byte();
        if (!n) return false;
        const std::uint8_t* rgb = &palette3D.bytes[std::size_t{*n} * 3];
        v.r = rgb[0], v.g = rgb[1], v.b = rgb[2];
      }
    }
  }
  return true;
}

}  // namespace

T3dResult ReadT3d(std::string_view bytes, G3dBlock& block, const Palette& palette3D) {
  const auto header = ReadHeader(bytes);
  if (!header) return T3dResult::UnknownFormat;
  G3dBlock figure;
  G3dObject& object = AppendObject(figure, UnnamedObjectName);
  ByteReader reader(bytes);
  reader.Skip(kHeaderSize);
  if (!ReadPoints(reader, *header, object) || !ReadTriangles(reader, *header, object) ||
      !ReadColours(reader, *header, object, palette3D)) {
    return T3dResult::UnknownFormat;
  }
  block.objects.swap(figure.objects);
  block.r = header->colour[0];
  block.g = header->colour[1];
  block.b = header->colour[2];
  block.colourSet = true;
  return T3dResult::Read;
}

}  // namespace lw
