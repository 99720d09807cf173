// Large figures in every 3D file format the program reads, made without the
// program's own writers where it has none (the binary 3D format, glTF text, 3MF):
// files a job takes long enough over that a stop lands in the middle of it.
#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "scene3d/G3dModel.h"

namespace lw::testing {

// A side × side grid of points: 2 (side - 1)² triangles in one object.
inline void PutGrid(G3dBlock& block, int side) {
  G3dObject& grid = AppendObject(block, "Graph_1");
  for (int row = 0; row < side; ++row) {
    for (int column = 0; column < side; ++column) {
      const auto x = static_cast<float>(column), y = static_cast<float>(row);
      AppendPoint(grid, x, y, std::sin(0.01f * x * y));
    }
  }
  const auto n = static_cast<std::uint32_t>(side);
  grid.triangles.SetGrid({n, n, 0, 200, 50});
}

// The corners of the grid's triangles, three per triangle, as the writers without
// shared points need them.
inline std::vector<std::array<float, 3>> GridCorners(int side) {
  std::vector<std::array<float, 3>> corners;
  auto at = [](int row, int column) {
    const auto x = static_cast<float>(column), y = static_cast<float>(row);
    return std::array<float, 3>{x, y, std::sin(0.01f * x * y)};
  };
  for (int row = 0; row + 1 < side; ++row) {
    for (int column = 0; column + 1 < side; ++column) {
      for (auto [r, c] : {std::pair{row, column},
                          {row, column + 1},
                          {row + 1, column},
                          {row, column + 1},
                          {row + 1, column + 1},
                          {row + 1, column}}) {
        corners.push_back(at(r, c));
      }
    }
  }
  return corners;
}

inline void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void PutU16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

// The program's binary 3D format: header, points, then the triangles' corner indices.
inline std::string T3dGrid(int side) {
  const std::vector<std::array<float, 3>> corners = GridCorners(side);
  std::string out = "T3D\x01";
  out += '\0';
  out += "\x0A\x14\x1E";  // colour
  out += '\0';            // colour mode: the block's colour
  PutU32(out, static_cast<std::uint32_t>(corners.size() / 3));
  PutU32(out, static_cast<std::uint32_t>(corners.size()));
  out += std::string(24, '\x55');
  for (const auto& p : corners) {
    for (float v : p) PutU32(out, std::bit_cast<std::uint32_t>(v));
  }
  for (std::uint32_t i = 0; i < corners.size(); i += 3) {
    out += '\x03';
    for (std::uint32_t k = 0; k < 3; ++k) PutU32(out, i + k);
  }
  return out;
}

// glTF text naming its buffer, binName, which holds the corners as floats.
inline std::string GltfGrid(int side, const std::string& binName, std::string& bin) {
  const std::vector<std::array<float, 3>> corners = GridCorners(side);
  bin.assign(reinterpret_cast<const char*>(corners.data()), corners.size() * sizeof corners[0]);
  const std::string bytes = std::to_string(bin.size());
  return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],)"
         R"("nodes":[{"mesh":0}],"meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
         R"("buffers":[{"byteLength":)" +
         bytes + R"(,"uri":")" + binName + R"("}],"bufferViews":[{"buffer":0,"byteLength":)" +
         bytes + R"(}],"accessors":[{"bufferView":0,"componentType":5126,"count":)" +
         std::to_string(corners.size()) + R"(,"type":"VEC3","min":[0,0,-1],"max":[)" +
         std::to_string(side) + "," + std::to_string(side) + R"(,1]}]})";
}

inline std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A zip of stored (uncompressed) entries.
inline std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string out, directory;
  for (const auto& [name, data] : entries) {
    const auto offset = static_cast<std::uint32_t>(out.size());
    const std::uint32_t crc = Crc32(data);
    const auto size = static_cast<std::uint32_t>(data.size());
    auto common = [&](std::string& to) {
      PutU16(to, 20);      // version needed
      PutU16(to, 0);       // flags
      PutU16(to, 0);       // stored
      PutU16(to, 0);       // time
      PutU16(to, 0x5A21);  // date
      PutU32(to, crc);
      PutU32(to, size);
      PutU32(to, size);
      PutU16(to, static_cast<std::uint16_t>(name.size()));
      PutU16(to, 0);  // extra field
    };
    PutU32(out, 0x04034b50);
    common(out);
    out += name;
    out += data;
    PutU32(directory, 0x02014b50);
    PutU16(directory, 20);  // made by
    common(directory);
    PutU16(directory, 0);  // comment
    PutU16(directory, 0);  // disk
    PutU16(directory, 0);  // internal attributes
    PutU32(directory, 0);  // external attributes
    PutU32(directory, offset);
    directory += name;
  }
  const auto start = static_cast<std::uint32_t>(out.size());
  out += directory;
  PutU32(out, 0x06054b50);
  PutU16(out, 0);
  PutU16(out, 0);
  PutU16(out, static_cast<std::uint16_t>(entries.size()));
  PutU16(out, static_cast<std::uint16_t>(entries.size()));
  PutU32(out, static_cast<std::uint32_t>(directory.size()));
  PutU32(out, start);
  PutU16(out, 0);
  return out;
}

inline std::string ThreeMfGrid(int side) {
  std::string model =
      R"(<?xml version="1.0" encoding="UTF-8"?><model unit="millimeter" xml:lang="en-US" )"
      R"(xmlns="http://schemas.microsoft.com/3dmanufacturing/core/2015/02"><resources>)"
      R"(<object id="1" type="model"><mesh><vertices>)";
  for (int row = 0; row < side; ++row) {
    for (int column = 0; column < side; ++column) {
      model += "<vertex x=\"" + std::to_string(column) + "\" y=\"" + std::to_string(row) +
               "\" z=\"" + std::to_string(std::sin(0.01 * row * column)) + "\"/>";
    }
  }
  model += "</vertices><triangles>";
  for (int row = 0; row + 1 < side; ++row) {
    for (int column = 0; column + 1 < side; ++column) {
      const int a = row * side + column, b = a + 1, c = a + side, d = c + 1;
      model += "<triangle v1=\"" + std::to_string(a) + "\" v2=\"" + std::to_string(b) + "\" v3=\"" +
               std::to_string(c) + "\"/><triangle v1=\"" + std::to_string(b) + "\" v2=\"" +
               std::to_string(d) + "\" v3=\"" + std::to_string(c) + "\"/>";
    }
  }
  model += R"(</triangles></mesh></object></resources><build><item objectid="1"/></build></model>)";
  const std::string types =
      R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
      R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
      R"(<Default Extension="model" ContentType="application/vnd.ms-package.3dmanufacturing-3dmodel+xml"/></Types>)";
  const std::string rels =
      R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
      R"(<Relationship Target="/3D/3dmodel.model" Id="rel0" Type="http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel"/></Relationships>)";
  return StoredZip(
      {{"[Content_Types].xml", types}, {"_rels/.rels", rels}, {"3D/3dmodel.model", model}});
}

}  // namespace lw::testing
