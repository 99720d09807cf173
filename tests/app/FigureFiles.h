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

#include "ZipBuilder.h"
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
  return test::ZipBuilder::ThreeMf(model);
}

}  // namespace lw::testing
