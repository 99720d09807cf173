// The calls recorded by the OpenGL stand-in of the display-list tests.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

namespace lw::test {

// A triangle as drawing arrays make it: its corners with the front face turning
// counter-clockwise, starting at the smallest; the normal and colour flat shading
// takes (those of the primitive's last vertex).
struct DrawnTriangle {
  std::array<std::array<float, 3>, 3> corners{};
  std::array<float, 3> normal{};
  std::array<unsigned char, 3> colour{};
  bool operator==(const DrawnTriangle&) const = default;
};

// The same triangle with its corners turned to start at the smallest.
DrawnTriangle Canonical(DrawnTriangle t);

struct GlLog {
  std::vector<std::string> calls;
  // The triangles drawn into each display list, in order.
  std::map<unsigned, std::vector<DrawnTriangle>> lists;
  unsigned currentList = 0;
  unsigned nextList = 1;
  bool clockwiseFront = false;
  const float* positions = nullptr;
  const float* normals = nullptr;
  const unsigned char* colours = nullptr;
};

GlLog& Gl();

}  // namespace lw::test
