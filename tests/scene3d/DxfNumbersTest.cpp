// Every coordinate of a written face reads as the C library's "%f" of the value,
// however the writer formats it.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "scene3d/DxfFormat.h"
#include "scene3d/G3dModel.h"

namespace lw {
namespace {

struct NumberCase {
  const char* name;
  std::vector<float> (*values)();
};

std::vector<float> RandomBits() {
  std::mt19937 random(2024);
  std::vector<float> values;
  while (values.size() < 30000) {
    const float f = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (!std::isnan(f)) values.push_back(f);
  }
  return values;
}

std::vector<float> Ties() {
  // odd / 128 lies exactly halfway between two millionths.
  std::vector<float> values;
  for (int odd = 1; odd < 4000; odd += 2) {
    values.push_back(static_cast<float>(odd) / 128.0f);
    values.push_back(-static_cast<float>(odd) / 128.0f);
  }
  return values;
}

std::vector<float> NearZero() {
  return {0.0f,   -0.0f,   1e-7f,  -1e-7f,    4.9e-7f,    -5e-7f,     5.1e-7f,
          1e-45f, -1e-45f, 1e-38f, 0.999999f, 0.9999995f, -0.9999995f};
}

std::vector<float> Large() {
  // Around the largest value written digit by digit, and beyond it up to the edges.
  std::vector<float> values = {4.5e9f,
                               -4.5e9f,
                               4.6e9f,
                               1e10f,
                               -3.4e38f,
                               std::numeric_limits<float>::max(),
                               std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity()};
  for (float f = 4.49e9f; f < 4.51e9f; f = std::nextafter(f, 1e10f)) values.push_back(f);
  return values;
}

std::vector<float> GridSteps() {
  std::vector<float> values;
  float x = -10.0f;
  for (int i = 0; i < 2001; ++i, x += 0.01f) values.push_back(x);
  return values;
}

const NumberCase kNumberCases[] = {
    {"RandomBitPatterns", RandomBits},    {"HalfwayBetweenMillionths", Ties},
    {"NearZeroAndSigns", NearZero},       {"LargeAndInfinite", Large},
    {"RepeatedAdditionSteps", GridSteps},
};

class DxfNumbersTest : public testing::TestWithParam<NumberCase> {};

TEST_P(DxfNumbersTest, CoordinatesReadAsPrintfWritesThem) {
  const std::vector<float> values = GetParam().values();
  // Enough faces that the writer splits them into several chunks.
  G3dBlock block;
  G3dObject& object = AppendObject(block, "N");
  const std::size_t faces = std::max<std::size_t>(values.size() / 3, 3000);
  for (std::size_t f = 0; f < faces; ++f) {
    G3dTriangle& triangle = AppendTriangle(object);
    for (std::size_t k = 0; k < 3; ++k) {
      const float v = values[(3 * f + k) % values.size()];
      AddCorner(triangle, static_cast<int>(k), object, v, -v, v * 0.5f);
    }
  }
  // The coordinates in the order written, from the points the faces use.
  std::vector<float> order;
  object.triangles.ForEach([&](const G3dTriangle& triangle) {
    for (std::size_t k = 0; k < 4; ++k) {
      const G3dPoint& p =
          object.points[static_cast<std::size_t>(triangle.corners[k < 3 ? k : 2].point)];
      order.insert(order.end(), {p.x, p.y, p.z});
    }
  });
  const std::string text = WriteDxf(block);
  std::size_t at = text.find("3DFACE");
  std::size_t next = 0;
  int wrong = 0;
  while (at != std::string::npos && next < order.size()) {
    at = text.find("\r\n 10\r\n", at);  // past the layer line
    for (int group = 0; group < 12 && next < order.size(); ++group, ++next) {
      const std::size_t code = text.find("\r\n ", at) + 2;
      const std::size_t line = text.find("\r\n", code) + 2;
      const std::size_t end = text.find("\r\n", line);
      char expected[80];
      std::snprintf(expected, sizeof expected, "%f", static_cast<double>(order[next]));
      if (text.compare(line, end - line, expected) != 0 && ++wrong < 5) {
        ADD_FAILURE() << "wrote " << text.substr(line, end - line) << ", printf writes "
                      << expected;
      }
      at = end;
    }
    at = text.find("3DFACE", at);
  }
  EXPECT_EQ(next, order.size());
  EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Values, DxfNumbersTest, testing::ValuesIn(kNumberCases),
                         [](const testing::TestParamInfo<NumberCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace lw
