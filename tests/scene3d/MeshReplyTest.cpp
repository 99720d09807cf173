// The reader process's reply is checked in full before our side uses any of it: a
// reply that is damaged in any part is refused and leaves the block as it was.
#include "scene3d/MeshReply.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "CaseNames.h"
#include "MeshFixtures.h"

namespace lw {
namespace {

// An empty object, then a square of two triangles.
G3dBlock Figure() {
  G3dBlock block;
  AppendObject(block, "empty");
  G3dObject& square = AppendObject(block, "Square");
  testing::AddTriangle(square, {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}}, {});
  testing::AddTriangle(square, {{{0, 0, 0}, {1, 1, 0}, {0, 1, 0}}}, {});
  return block;
}

// The reply with four bytes at `at` replaced.
std::string Patched(std::string bytes, std::size_t at, std::uint32_t value) {
  std::memcpy(&bytes[at], &value, 4);
  return bytes;
}

// Every object, its name, and every corner's position and colour, grids included.
TEST(MeshReply, CarriesTheFigureWhole) {
  const G3dBlock sent = testing::SampleBlock();
  G3dBlock read;
  std::string reason;
  ASSERT_TRUE(DecodeMeshReply(EncodeMeshReply(sent), read, reason)) << reason;
  ASSERT_EQ(read.objects.size(), sent.objects.size());
  for (std::size_t o = 0; o < sent.objects.size(); ++o) {
    EXPECT_EQ(read.objects[o]->name, sent.objects[o]->name);
    const auto expected = testing::CornersOf(*sent.objects[o]);
    const auto got = testing::CornersOf(*read.objects[o]);
    ASSERT_EQ(got.size(), expected.size()) << sent.objects[o]->name;
    for (std::size_t t = 0; t < got.size(); ++t) {
      for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(got[t][k].position, expected[t][k].position);
        EXPECT_EQ(got[t][k].colour, expected[t][k].colour);
      }
    }
  }
  EXPECT_EQ(Vertices(*read.objects[1], 0).size(), Vertices(*sent.objects[1], 0).size());
}

struct DamageCase {
  std::string name;
  std::string reply;
};

std::vector<DamageCase> Damages() {
  const std::string sound = EncodeMeshReply(Figure());
  // "LWMR", 2 objects; "empty": name, 0 points, 0 triangles; "Square" from 29 on.
  const std::size_t square = 4 + 4 + 4 + 5 + 4 + 4, points = square + 4 + 6;
  const std::size_t firstX = points + 4, triangles = points + 4 + 4 * 12;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::uint32_t nanBits = 0;
  std::memcpy(&nanBits, &nan, 4);
  G3dBlock none;
  AppendObject(none, "nothing");
  return {
      {"Empty", ""},
      {"OtherMagic", "LWMX" + sound.substr(4)},
      {"CutShort", sound.substr(0, sound.size() - 1)},
      {"TrailingBytes", sound + "x"},
      {"ObjectCountPastTheEnd", Patched(sound, 4, 0xFFFFFFFF)},
      {"NameLongerThanTheReply", Patched(sound, square, 0x7FFFFFFF)},
      {"PointCountPastTheEnd", Patched(sound, points, 0x10000000)},
      {"CoordinateNotANumber", Patched(sound, firstX, nanBits)},
      {"TriangleCountPastTheEnd", Patched(sound, triangles, 0x10000000)},
      {"CornerNamingAPointPastTheObject", Patched(sound, triangles + 4, 4)},
      {"NoTriangles", EncodeMeshReply(none)},
  };
}

class DamagedMeshReply : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedMeshReply, IsRefusedAndTouchesNothing) {
  G3dBlock block;
  AppendObject(block, "kept");
  std::string reason;
  EXPECT_FALSE(DecodeMeshReply(GetParam().reply, block, reason));
  EXPECT_FALSE(reason.empty());
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->name, "kept");
}

INSTANTIATE_TEST_SUITE_P(Replies, DamagedMeshReply, ::testing::ValuesIn(Damages()),
                         test::CaseName());

}  // namespace
}  // namespace lw
