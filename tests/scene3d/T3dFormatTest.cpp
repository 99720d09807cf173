#include "scene3d/T3dFormat.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <vector>

#include "ModelChecks.h"
#include "document/Palette.h"

namespace lw {
namespace {

// A figure in the binary layout, for the reader to chew on.
struct T3dFigure {
  std::uint8_t version = 1;
  std::array<std::uint8_t, 3> colour{10, 20, 30};
  std::uint8_t colourMode = 0;
  std::vector<std::array<float, 3>> points{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
  std::vector<std::vector<std::int32_t>> triangles{{0, 1, 2}, {1, 3, 2}};
  std::vector<std::uint8_t> colours;  // written as they are after the triangles
  // When set, written instead of the true counts.
  std::optional<std::uint32_t> triangleCount, pointCount;

  std::string Bytes() const {
    std::string out = "T3D";
    out += static_cast<char>(version);
    out += '\0';
    for (auto c : colour) out += static_cast<char>(c);
    out += static_cast<char>(colourMode);
    U32(out, triangleCount.value_or(static_cast<std::uint32_t>(triangles.size())));
    U32(out, pointCount.value_or(static_cast<std::uint32_t>(points.size())));
    out += std::string(24, '\x55');
    for (const auto& p : points) {
      for (float v : p) U32(out, std::bit_cast<std::uint32_t>(v));
    }
    for (const auto& t : triangles) {
      out += static_cast<char>(t.size());
      for (auto i : t) U32(out, static_cast<std::uint32_t>(i));
    }
    for (auto c : colours) out += static_cast<char>(c);
    return out;
  }
  static void U32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  }
};

Palette TestPalette() {
  Palette palette;
  for (int i = 0; i < 256; ++i) palette.Set(i, 0x010203u * static_cast<Colour>(i % 80));
  return palette;
}

std::array<std::int32_t, 3> Corners(const G3dObject& object, std::size_t t) {
  const auto c = object.triangles[t].corners;
  return {c[0].point, c[1].point, c[2].point};
}

std::array<std::uint8_t, 3> Rgb(const G3dVertex& v) {
  return {v.r, v.g, v.b};
}

TEST(T3dRead, PlainFigure) {
  G3dBlock block;
  AppendObject(block, "old");
  ASSERT_EQ(ReadT3d(T3dFigure{}.Bytes(), block, TestPalette()), T3dResult::Read);
  ASSERT_EQ(block.objects.size(), 1u);
  const G3dObject& object = *block.objects[0];
  EXPECT_EQ(object.name, "Unititled0");
  EXPECT_EQ(object.points.size(), 4u);
  EXPECT_FLOAT_EQ(object.points[3].y, 1.0f);
  ASSERT_EQ(object.triangles.size(), 2u);
  EXPECT_EQ(Corners(object, 1), (std::array<std::int32_t, 3>{1, 3, 2}));
  EXPECT_EQ(Vertices(object, 2).size(), 2u);
  EXPECT_TRUE(block.colourSet);
  EXPECT_EQ(block.g, 20);
  // Mode 0: every corner in the figure colour.
  EXPECT_EQ(Rgb(object.triangles[1].corners[2]), (std::array<std::uint8_t, 3>{10, 20, 30}));
}

TEST(T3dRead, ColourModes) {
  struct Case {
    const char* name;
    std::uint8_t mode;
    std::vector<std::uint8_t> colours;
    std::array<std::uint8_t, 3> firstCorner, lastCorner;
  };
  std::vector<std::uint8_t> rgb;
  for (std::uint8_t i = 0; i < 18; ++i) rgb.push_back(i);
  const Case cases[] = {
      {"mode 2 reads r, g, b per corner", 2, rgb, {0, 1, 2}, {15, 16, 17}},
      {"mode 1 reads palette numbers", 1, {0, 1, 2, 3, 4, 81}, {0, 0, 0}, {3, 2, 1}},
      {"mode 7 means none", 7, {}, {10, 20, 30}, {10, 20, 30}},
  };
  const Palette palette = TestPalette();
  for (const auto& c : cases) {
    T3dFigure figure;
    figure.colourMode = c.mode;
    figure.colours = c.colours;
    G3dBlock block;
    ASSERT_EQ(ReadT3d(figure.Bytes(), block, palette), T3dResult::Read) << c.name;
    const G3dObject& object = *block.objects[0];
    EXPECT_EQ(Rgb(object.triangles[0].corners[0]), c.firstCorner) << c.name;
    EXPECT_EQ(Rgb(object.triangles[1].corners[2]), c.lastCorner) << c.name;
  }
}

TEST(T3dRead, IndexCountsOtherThanThree) {
  T3dFigure figure;
  figure.triangles = {{0, 1, 2, 3}, {3}, {}, {1, 2, 3, 0, 1, 2, 3}};
  G3dBlock block;
  ASSERT_EQ(ReadT3d(figure.Bytes(), block, TestPalette()), T3dResult::Read);
  const G3dObject& object = *block.objects[0];
  EXPECT_EQ(Corners(object, 0), (std::array<std::int32_t, 3>{3, 1, 2}));
  EXPECT_EQ(Corners(object, 1), (std::array<std::int32_t, 3>{3, 0, 0}));
  EXPECT_EQ(Corners(object, 2), (std::array<std::int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(Corners(object, 3), (std::array<std::int32_t, 3>{3, 1, 2}));
  // Only the corners' final points list them.
  EXPECT_EQ(Vertices(object, 0).size(), 5u);
  EXPECT_EQ(Vertices(object, 3).size(), 3u);
  EXPECT_EQ(Vertices(object, 1).size(), 2u);
  ExpectConsistent(object);
}

TEST(T3dRead, RejectedFilesLeaveTheSpaceAsItWas) {
  auto figure = [](auto change) {
    T3dFigure f;
    change(f);
    return f.Bytes();
  };
  const std::string good = T3dFigure{}.Bytes();
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"wrong magic", "T3E" + good.substr(3)},
      {"empty", ""},
      {"only the magic", "T3D"},
      {"version 2", figure([](T3dFigure& f) { f.version = 2; })},
      {"short header", good.substr(0, 40)},
      {"index past the points", figure([](T3dFigure& f) {
         f.triangles[1] = {1, 4, 2};
       })},
      {"negative index", figure([](T3dFigure& f) {
         f.triangles[0] = {0, -1, 2};
       })},
      {"corners left at point 0 without points", figure([](T3dFigure& f) {
         f.points.clear();
         f.triangles = {{}};
       })},
      {"cut in the points", good.substr(0, 41 + 20)},
      {"cut in the triangles", good.substr(0, good.size() - 3)},
      {"cut in the colours", figure([](T3dFigure& f) {
         f.colourMode = 2;
         f.colours.assign(17, 1);
       })},
      {"more points than bytes", figure([](T3dFigure& f) { f.pointCount = 0xFFFFFFFFu; })},
      {"more triangles than bytes", figure([](T3dFigure& f) { f.triangleCount = 0x7FFFFFFFu; })},
      {"triangle count just too big", figure([](T3dFigure& f) { f.triangleCount = 9; })},
  };
  for (const auto& c : cases) {
    G3dBlock block;
    G3dObject& kept = AppendObject(block, "kept");
    AppendPoint(kept, 1, 2, 3);
    EXPECT_EQ(ReadT3d(c.bytes, block, TestPalette()), T3dResult::UnknownFormat) << c.name;
    ASSERT_EQ(block.objects.size(), 1u) << c.name;
    EXPECT_EQ(block.objects[0]->name, "kept") << c.name;
    EXPECT_EQ(block.objects[0]->points.size(), 1u) << c.name;
    EXPECT_FALSE(block.colourSet) << c.name;
  }
}

TEST(T3dRead, TrailingBytesAndEmptyFigures) {
  T3dFigure figure;
  figure.points.clear();
  figure.triangles.clear();
  G3dBlock block;
  ASSERT_EQ(ReadT3d(figure.Bytes(), block, TestPalette()), T3dResult::Read);
  EXPECT_TRUE(block.objects[0]->points.empty());
  ASSERT_EQ(ReadT3d(T3dFigure{}.Bytes() + "extra", block, TestPalette()), T3dResult::Read);
  EXPECT_EQ(block.objects[0]->triangles.size(), 2u);
}

TEST(T3dRead, DamagedFilesAreReadWholeOrNotAtAll) {
  T3dFigure figure;
  figure.colourMode = 2;
  figure.triangles = {{0, 1, 2}, {1, 3, 2, 0}, {2}};
  figure.colours.assign(27, 0x40);
  const std::string good = figure.Bytes();
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  const Palette palette = TestPalette();
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = good;
    for (int flips = 1 + static_cast<int>(next() % 4); flips > 0; --flips) {
      bytes[next() % bytes.size()] = static_cast<char>(next());
    }
    if (round % 3 == 0) bytes.resize(next() % (bytes.size() + 1));
    G3dBlock block;
    AppendObject(block, "kept");
    if (ReadT3d(bytes, block, palette) == T3dResult::UnknownFormat) {
      ASSERT_EQ(block.objects.size(), 1u);
      EXPECT_EQ(block.objects[0]->name, "kept");
      continue;
    }
    ASSERT_EQ(block.objects.size(), 1u);
    ExpectConsistent(*block.objects[0]);
  }
}

}  // namespace
}  // namespace lw
