// The reader process's reply is checked in full before our side uses any of it: a
// reply that is damaged in any part is refused and leaves the block as it was.
#include "scene3d/MeshReply.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "CaseNames.h"

namespace lw {
namespace {

G3dBlock Figure() {
  G3dBlock block;
  AppendObject(block, "empty");
  G3dObject& object = AppendObject(block, "Square");
  for (const auto& corners : {std::array<float, 9>{0, 0, 0, 1, 0, 0, 1, 1, 0},
                              std::array<float, 9>{0, 0, 0, 1, 1, 0, 0, 1, 0}}) {
    G3dTriangle& t = AppendTriangle(object);
    for (int k = 0; k < 3; ++k) {
      AddCorner(t, k, object, corners[3 * k], corners[3 * k + 1], corners[3 * k + 2]);
      t.corners[static_cast<std::size_t>(k)].r = static_cast<std::uint8_t>(10 * k);
    }
  }
  return block;
}

// The reply with four bytes at `at` replaced.
std::string Patched(std::string bytes, std::size_t at, std::uint32_t value) {
  std::memcpy(&bytes[at], &value, 4);
  return bytes;
}

TEST(MeshReply, CarriesTheFigureWhole) {
  G3dBlock read;
  std::string reason;
  ASSERT_TRUE(DecodeMeshReply(EncodeMeshReply(Figure()), read, reason)) << reason;
  ASSERT_EQ(read.objects.size(), 2u);
  EXPECT_EQ(read.objects[1]->name, "Square");
  EXPECT_EQ(read.objects[1]->points.size(), 4u);
  ASSERT_EQ(read.objects[1]->triangles.size(), 2u);
  const G3dTriangle second = read.objects[1]->triangles[1];
  EXPECT_EQ(second.corners[2].point, 3);
  EXPECT_EQ(second.corners[2].r, 20);
  EXPECT_EQ(Vertices(*read.objects[1], 0).size(), 2u);  // both triangles use point 0
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
