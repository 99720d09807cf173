#include "scene3d/MeshFormats.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "MeshFixtures.h"
#include "ModelChecks.h"

namespace lw {
namespace {

using testing::Corner;
using testing::CornersOf;
using testing::SampleBlock;

struct RoundTripCase {
  const char* label;
  MeshFormat format;
  bool keepsNames;          // one object per object, by name
  bool keepsCornerColours;  // vertex colours
  bool keepsFaceColours;    // a material per colour
};

const RoundTripCase kRoundTrips[] = {
    {"StlBinary", MeshFormat::StlBinary, false, false, false},
    {"StlAscii", MeshFormat::StlAscii, false, false, false},
    {"Obj", MeshFormat::Obj, true, false, true},
    {"PlyBinary", MeshFormat::PlyBinary, false, true, false},
    {"Glb", MeshFormat::Glb, true, true, false},
};

class MeshRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Every triangle of the block in order, as corner positions and colours; `axes`
// false leaves the axes (object 0) out, as mesh files do.
std::vector<std::array<Corner, 3>> AllCorners(const G3dBlock& block, bool axes = true) {
  std::vector<std::array<Corner, 3>> all;
  for (std::size_t i = axes ? 0 : 1; i < block.objects.size(); ++i) {
    const auto own = CornersOf(*block.objects[i]);
    all.insert(all.end(), own.begin(), own.end());
  }
  return all;
}

TEST_P(MeshRoundTrip, KeepsTrianglesInOrderAndWhatTheFormatHolds) {
  const RoundTripCase& c = GetParam();
  const G3dBlock original = SampleBlock();
  const auto written =
      WriteMesh(original, c.format, "figure." + std::string(MeshExtension(c.format)));
  ASSERT_TRUE(written.has_value());
  const auto companions = [&](const std::string& name) -> std::optional<std::string> {
    const auto found = written->companions.find(name);
    if (found == written->companions.end()) return std::nullopt;
    return found->second;
  };
  G3dBlock read;
  ASSERT_TRUE(ReadMesh(written->main, c.format, "figure", companions, read));
  if (c.keepsNames) {
    // The axes and the empty object are left out.
    ASSERT_EQ(read.objects.size(), 2u);
    EXPECT_EQ(read.objects[0]->name, "Graph_1");
    EXPECT_EQ(read.objects[1]->name, "Graph_2");
  }
  const auto expected = AllCorners(original, false);
  const auto actual = AllCorners(read);
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t t = 0; t < expected.size(); ++t) {
    for (std::size_t k = 0; k < 3; ++k) {
      const Corner& want = expected[t][k];
      const Corner& got = actual[t][k];
      EXPECT_EQ(got.position, want.position) << "triangle " << t << " corner " << k;
      const std::array<std::uint8_t, 3> grey{128, 128, 128};
      const std::array<std::uint8_t, 3> colour = c.keepsCornerColours ? want.colour
                                                 : c.keepsFaceColours ? expected[t][0].colour
                                                                      : grey;
      EXPECT_EQ(got.colour, colour) << "triangle " << t << " corner " << k;
    }
  }
  for (const auto& object : read.objects) ExpectConsistent(*object);
}

INSTANTIATE_TEST_SUITE_P(Formats, MeshRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(MeshWrite, ObjNamesItsMaterialLibraryAfterTheFile) {
  const auto written = WriteMesh(SampleBlock(), MeshFormat::Obj, "surface.obj");
  ASSERT_TRUE(written.has_value());
  ASSERT_EQ(written->companions.count("surface.mtl"), 1u);
  EXPECT_NE(written->main.find("mtllib surface.mtl"), std::string::npos);
}

TEST(MeshWrite, ReadOnlyFormatsAreRefused) {
  for (const MeshFormat format : {MeshFormat::Gltf, MeshFormat::ThreeMf}) {
    EXPECT_FALSE(CanWriteMesh(format));
    EXPECT_FALSE(WriteMesh(SampleBlock(), format, "x").has_value());
  }
}

// A polygon of four corners becomes two triangles; the figure is centred by the
// open command, not by the reader.
TEST(MeshRead, PolygonsAreCutIntoTriangles) {
  const std::string obj = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n";
  G3dBlock block;
  ASSERT_TRUE(ReadMesh(obj, MeshFormat::Obj, "quad.obj", {}, block));
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->triangles.size(), 2u);
  EXPECT_EQ(block.objects[0]->points.size(), 4u);
}

TEST(MeshRead, ObjWithoutItsMaterialLibraryReadsGrey) {
  const auto written = WriteMesh(SampleBlock(), MeshFormat::Obj, "figure.obj");
  ASSERT_TRUE(written.has_value());
  G3dBlock block;
  ASSERT_TRUE(ReadMesh(written->main, MeshFormat::Obj, "figure.obj", {}, block));
  ASSERT_FALSE(block.objects.empty());
  const G3dVertex corner = block.objects[1]->triangles[0].corners[0];
  EXPECT_EQ((std::array<std::uint8_t, 3>{corner.r, corner.g, corner.b}),
            (std::array<std::uint8_t, 3>{128, 128, 128}));
}

TEST(MeshRead, NodeTransformsAreApplied) {
  const std::string gltf = testing::TranslatedTriangleGltf(10.0f);
  G3dBlock block;
  ASSERT_TRUE(ReadMesh(gltf, MeshFormat::Gltf, "moved.gltf", {}, block));
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->name, "Moved");
  EXPECT_FLOAT_EQ(block.objects[0]->points[0].x, 10.0f);
}

TEST(MeshRead, CompanionsOutsideTheFolderAreNeverAskedFor) {
  std::vector<std::string> asked;
  const auto loader = [&](const std::string& name) -> std::optional<std::string> {
    asked.push_back(name);
    return std::nullopt;
  };
  const std::string obj =
      "mtllib ../../secret.mtl\nmtllib /etc/x.mtl\nv 0 0 0\nv 1 0 0\n"
      "v 0 1 0\nf 1 2 3\n";
  G3dBlock block;
  ASSERT_TRUE(ReadMesh(obj, MeshFormat::Obj, "a.obj", loader, block));
  for (const std::string& name : asked) {
    EXPECT_EQ(name.find(".."), std::string::npos) << name;
    EXPECT_NE(name.front(), '/') << name;
  }
}

}  // namespace
}  // namespace lw
