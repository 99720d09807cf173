// Figures for the mesh format tests: a block with what the program makes (a
// line-like axes object of degenerate triangles, stored triangles of several
// colours, an empty object, a built grid), and a small glTF text.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scene3d/G3dModel.h"

namespace lw::testing {

struct Corner {
  std::array<float, 3> position{};
  std::array<std::uint8_t, 3> colour{};
};

inline std::vector<std::array<Corner, 3>> CornersOf(const G3dObject& object) {
  std::vector<std::array<Corner, 3>> all;
  object.triangles.ForEach([&](const G3dTriangle& t) {
    std::array<Corner, 3> corners;
    for (std::size_t k = 0; k < 3; ++k) {
      const G3dVertex& v = t.corners[k];
      const G3dPoint& p = object.points[static_cast<std::size_t>(v.point)];
      corners[k] = {{p.x, p.y, p.z}, {v.r, v.g, v.b}};
    }
    all.push_back(corners);
  });
  return all;
}

inline void AddTriangle(G3dObject& object, std::array<std::array<float, 3>, 3> corners,
                        std::array<std::array<std::uint8_t, 3>, 3> colours) {
  G3dTriangle& t = AppendTriangle(object);
  for (std::size_t k = 0; k < 3; ++k) {
    const auto& p = corners[k];
    AddCorner(t, static_cast<int>(k), object, p[0], p[1], p[2]);
    t.corners[k].r = colours[k][0];
    t.corners[k].g = colours[k][1];
    t.corners[k].b = colours[k][2];
  }
}

inline G3dBlock SampleBlock() {
  G3dBlock block;
  constexpr std::array<std::uint8_t, 3> white{255, 255, 255}, red{200, 10, 20}, blue{5, 6, 250};
  G3dObject& axes = AppendObject(block, "Axes");
  AddTriangle(axes, {{{-6, 0, 0}, {6, 0, 0}, {6, 0, 0}}}, {white, white, white});
  AddTriangle(axes, {{{0, -6, 0}, {0, 6, 0}, {0, 6, 0}}}, {white, white, white});
  G3dObject& graph = AppendObject(block, "Graph_1");
  AddTriangle(graph, {{{0, 0, 0}, {1, 0, 0.5f}, {0, 1, 0.25f}}}, {red, red, red});
  AddTriangle(graph, {{{1, 0, 0.5f}, {1, 1, 1}, {0, 1, 0.25f}}}, {red, blue, red});
  AddTriangle(graph, {{{1, 1, 1}, {2, 1, 1.5f}, {2, 2, -1}}}, {blue, blue, blue});
  AddTriangle(graph, {{{2, 2, -1}, {0, 1, 0.25f}, {1, 1, 1}}}, {red, red, red});
  AppendObject(block, "Empty");
  G3dObject& grid = AppendObject(block, "Graph_2");
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      AppendPoint(grid, static_cast<float>(column), static_cast<float>(row),
                  0.125f * static_cast<float>(row * column));
    }
  }
  grid.triangles.SetGrid({3, 4, 0, 255, 0});
  return block;
}

inline std::string Base64(const std::string& bytes) {
  static constexpr char digits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t n = 0;
    for (std::size_t j = 0; j < 3; ++j) {
      n = n << 8 | (i + j < bytes.size() ? static_cast<std::uint8_t>(bytes[i + j]) : 0u);
    }
    const std::size_t length = std::min<std::size_t>(3, bytes.size() - i);
    for (std::size_t j = 0; j < 4; ++j) out += j <= length ? digits[(n >> (18 - 6 * j)) & 63] : '=';
  }
  return out;
}

// One triangle (0,0,0) (1,0,0) (0,1,0) in a node named "Moved", moved by dx along x,
// its buffer inline.
inline std::string TranslatedTriangleGltf(float dx) {
  const float corners[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  const std::string buffer(reinterpret_cast<const char*>(corners), sizeof corners);
  return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],)"
         R"("nodes":[{"name":"Moved","mesh":0,"translation":[)" +
         std::to_string(dx) +
         R"(,0,0]}],"meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
         R"("buffers":[{"byteLength":36,"uri":"data:application/octet-stream;base64,)" +
         Base64(buffer) +
         R"("}],"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36}],)"
         R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3",)"
         R"("min":[0,0,0],"max":[1,1,0]}]})";
}

}  // namespace lw::testing
