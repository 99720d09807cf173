// The mesh readers against damaged and hostile files of every format they read:
// each must say "unknown format" and leave the 3D space as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "TempDir.h"
#include "ZipBuilder.h"
#include "document/Palette.h"
#include "scene3d/G3dFile.h"
#include "scene3d/MeshFormats.h"
#include "scene3d/Scene3DCommands.h"

namespace lw {
namespace {

using testing::TempDir;
using testing::WriteAll;

G3dBlock Square() {
  G3dBlock block;
  G3dObject& object = AppendObject(block, "Square");
  for (const auto& corners : {std::array<float, 9>{0, 0, 0, 1, 0, 0, 1, 1, 0},
                              std::array<float, 9>{0, 0, 0, 1, 1, 0, 0, 1, 0}}) {
    G3dTriangle& t = AppendTriangle(object);
    for (int k = 0; k < 3; ++k) {
      AddCorner(t, k, object, corners[3 * k], corners[3 * k + 1], corners[3 * k + 2]);
    }
  }
  return block;
}

std::string Written(MeshFormat format) {
  const auto mesh = WriteMesh(Square(), format, "f." + std::string(MeshExtension(format)));
  return mesh ? mesh->main : std::string();
}

// The same file with the bytes of `from` replaced, first occurrence.
std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
  const std::size_t at = bytes.find(from);
  if (at != std::string::npos) bytes.replace(at, from.size(), to);
  return bytes;
}

std::string NanInFirstCoordinate(std::string bytes, std::size_t offset) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  if (bytes.size() >= offset + 4) std::memcpy(&bytes[offset], &nan, 4);
  return bytes;
}

constexpr const char* kCoreNamespace =
    R"(xmlns="http://schemas.microsoft.com/3dmanufacturing/core/2015/02")";

std::string Model3mf(const std::string& resources, int item) {
  return std::string(R"(<?xml version="1.0" encoding="UTF-8"?><model unit="millimeter" )") +
         kCoreNamespace + "><resources>" + resources + "</resources><build><item objectid=\"" +
         std::to_string(item) + "\"/></build></model>";
}

// A tetrahedron with corners at the origin and 10 along each axis.
std::string Tetrahedron3mf(int id) {
  return "<object id=\"" + std::to_string(id) +
         R"(" type="model"><mesh><vertices><vertex x="0" y="0" z="0"/><vertex x="10" y="0" )"
         R"(z="0"/><vertex x="0" y="10" z="0"/><vertex x="0" y="0" z="10"/></vertices>)"
         R"(<triangles><triangle v1="0" v2="2" v3="1"/><triangle v1="0" v2="1" v3="3"/>)"
         R"(<triangle v1="0" v2="3" v3="2"/><triangle v1="1" v2="2" v3="3"/></triangles>)"
         R"(</mesh></object>)";
}

std::string ComponentChain3mf(int links) {
  std::string resources = Tetrahedron3mf(1);
  for (int id = 2; id <= links; ++id) {
    resources += "<object id=\"" + std::to_string(id) + R"(" type="model"><components>)" +
                 "<component objectid=\"" + std::to_string(id - 1) + "\"/></components></object>";
  }
  return test::ZipBuilder::ThreeMf(Model3mf(resources, links));
}

std::string NestedGltf(int depth) {
  std::string nodes;
  for (int i = 0; i < depth; ++i) nodes += "{\"children\":[" + std::to_string(i + 1) + "]},";
  return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[)" + nodes +
         "{}]}";
}

struct HostileMeshCase {
  const char* name;
  const char* extension;
  std::string bytes;
  // Large files are made only by the test that reads them.
  std::string (*make)() = nullptr;
};

std::vector<HostileMeshCase> Cases() {
  const std::string stl = Written(MeshFormat::StlBinary);
  const std::string ply = Written(MeshFormat::PlyBinary);
  const std::string glb = Written(MeshFormat::Glb);
  const std::string plyHeader = ply.substr(0, ply.find("end_header\n") + 11);
  return {
      {"EmptyStl", "stl", ""},
      {"StlCutInHalf", "stl", stl.substr(0, stl.size() / 2)},
      {"StlHeaderOnly", "stl", stl.substr(0, 84)},
      {"StlClaimingFourBillionFaces", "stl", Replaced(stl, stl.substr(80, 4), "\xFF\xFF\xFF\xFF")},
      {"StlWithNaN", "stl", NanInFirstCoordinate(stl, 84 + 12)},
      {"StlWithoutFaces", "stl", stl.substr(0, 80) + std::string(4, '\0')},
      {"AsciiStlWithoutFaces", "stl", "solid x\nendsolid x\n"},
      {"NulBytesAsStl", "stl", std::string(4096, '\0')},
      {"EmptyObj", "obj", ""},
      {"ObjWithLinesOnly", "obj", "v 0 0 0\nv 1 0 0\nl 1 2\n"},
      {"ObjWithAPointFace", "obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1\n"},
      {"ObjWithATwoCornerFace", "obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2\n"},
      {"ObjWithIndexPastTheVertices", "obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n"},
      {"ObjWithNaN", "obj", "v nan 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"},
      {"ObjWithInfinity", "obj", "v 1e999 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"},
      {"ObjWithVerticesOnly", "obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\n"},
      {"PlyCutInHalf", "ply", ply.substr(0, ply.size() / 2)},
      {"PlyHeaderOnly", "ply", plyHeader},
      {"PlyOneByteShort", "ply", ply.substr(0, ply.size() - 1)},
      {"AsciiPlyCutShort", "ply",
       "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
       "property float z\nelement face 1\nproperty list uchar int vertex_index\nend_header\n"
       "0 0 0\n1 0 0\n"},
      {"PlyClaimingFourBillionVertices", "ply",
       Replaced(ply, "element vertex 4", "element vertex 4000000000")},
      {"PlyClaimingFourBillionFaces", "ply",
       Replaced(ply, "element face 2", "element face 4000000000")},
      {"PlyWithNaN", "ply", NanInFirstCoordinate(ply, plyHeader.size())},
      {"PlyPointCloud", "ply",
       "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
       "property float z\nend_header\n0 0 0\n1 0 0\n0 1 0\n"},
      {"PlyWithATwoCornerFace", "ply",
       "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
       "property float z\nelement face 1\nproperty list uchar int vertex_index\nend_header\n"
       "0 0 0\n1 0 0\n0 1 0\n2 0 1\n"},
      {"PlyWithNegativeIndex", "ply",
       "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
       "property float z\nelement face 1\nproperty list uchar int vertex_index\nend_header\n"
       "0 0 0\n1 0 0\n0 1 0\n3 0 1 -5\n"},
      {"GlbCutInHalf", "glb", glb.substr(0, glb.size() / 2)},
      {"GlbHeaderOnly", "glb", glb.substr(0, 12)},
      {"GlbLongerThanItSays", "glb", glb + std::string(8, '\0')},
      {"GlbWithHugeChunkLength", "glb", Replaced(glb, glb.substr(12, 4), "\xF0\xFF\xFF\x7F")},
      {"GlbWithCorruptJson", "glb", Replaced(glb, "\"accessors\"", "\"accessorz\"")},
      {"GlbWithHugeAccessorCount", "glb", Replaced(glb, "\"count\":4", "\"count\":999999999")},
      {"GltfWithoutMeshes", "gltf", R"({"asset":{"version":"2.0"},"scenes":[{"nodes":[]}]})"},
      {"GltfNotJson", "gltf", "{{{{"},
      {"GltfWithMissingBuffer", "gltf",
       R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[{"mesh":0}],)"
       R"("meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
       R"("buffers":[{"byteLength":36,"uri":"missing.bin"}],)"
       R"("bufferViews":[{"buffer":0,"byteLength":36}],)"
       R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"}]})"},
      {"ThreeMfThatIsNoZip", "3mf", "PK\x03\x04 this is not a zip"},
      {"EmptyThreeMf", "3mf", ""},
      {"UpperCasePlyWithoutItsHeaderEnd", "ply", "PLY\nformat binary_little_endian 1.0\n"},
      {"AsciiPlyClaimingAHundredMillionVertices", "ply",
       "ply\nformat ascii 1.0\nelement vertex 100000000\nproperty float x\nproperty float y\n"
       "property float z\nend_header\n" +
           std::string(4000, '0')},
      {"AsciiPlyFaceOfABillionCorners", "ply",
       "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
       "property float z\nelement face 1\nproperty list int int vertex_index\nend_header\n"
       "0 0 0\n1 0 0\n0 1 0\n1000000000 0 1 2\n"},
      {"ThreeMfObjectContainingItself", "3mf",
       test::ZipBuilder::ThreeMf(Model3mf(
           R"(<object id="1" type="model"><components><component objectid="1"/></components>)"
           "</object>",
           1))},
      {"ThreeMfChainOf50000Components", "3mf", "", [] { return ComponentChain3mf(50000); }},
      {"ThreeMfInflatingAThousandfold", "3mf", "",
       [] {
         return test::ZipBuilder::ThreeMf(
             Replaced(Model3mf(Tetrahedron3mf(1), 1), "<resources>",
                      "<!--" + std::string(20 << 20, ' ') + "--><resources>"),
             false, true);
       }},
      {"ThreeMfWithADamagedEntry", "3mf",
       Replaced(test::ZipBuilder::ThreeMf(Model3mf(Tetrahedron3mf(1), 1)), "v1=\"0\"", "v1=\"1\"")},
      {"ThreeMfCutShort", "3mf",
       test::ZipBuilder::ThreeMf(Model3mf(Tetrahedron3mf(1), 1), true).substr(0, 700)},
      {"GltfWith20000NestedNodes", "gltf", "", [] { return NestedGltf(20000); }},
      {"GltfJsonNested200000Deep", "gltf", "",
       [] { return R"({"asset":)" + std::string(200000, '[') + std::string(200000, ']') + "}"; }},
  };
}

class HostileMesh : public ::testing::TestWithParam<HostileMeshCase> {};

TEST_P(HostileMesh, SaysUnknownFormatAndKeepsTheSpace) {
  const HostileMeshCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.File(std::string("hostile.") + c.extension);
  WriteAll(path, c.make ? c.make() : c.bytes);
  G3dBlock block;
  AppendPoint(AppendObject(block, "kept"), 1.0f, 2.0f, 3.0f);
  const Palette palette = StartupPalette();
  G3dFile file(&block, &palette);
  const int result = Read3DFile(file, path, KindOfPath(path));
  EXPECT_EQ(result, FileUnknownFormat);
  EXPECT_FALSE(file.ReadReason().empty());
  EXPECT_EQ(Read3DFileStatus(result, path), "Невідомий формат Файлу! - " + path);
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->name, "kept");
  EXPECT_EQ(block.objects[0]->points.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileMesh, ::testing::ValuesIn(Cases()),
                         [](const auto& p) { return std::string(p.param.name); });

// A solid as other tools write it, in every format they use for it: each reads with
// the same triangles and bounds.
TEST(ForeignMesh, EveryFormOfOneSolidReadsTheSame) {
  const struct {
    const char* extension;
    std::string bytes;
  } cases[] = {
      {"stl",
       "solid t\nfacet normal 0 0 0\nouter loop\nvertex 0 0 0\nvertex 0 10 0\nvertex 10 0 0\n"
       "endloop\nendfacet\nfacet normal 0 0 0\nouter loop\nvertex 0 0 0\nvertex 10 0 0\n"
       "vertex 0 0 10\nendloop\nendfacet\nfacet normal 0 0 0\nouter loop\nvertex 0 0 0\n"
       "vertex 0 0 10\nvertex 0 10 0\nendloop\nendfacet\nfacet normal 0 0 0\nouter loop\n"
       "vertex 10 0 0\nvertex 0 10 0\nvertex 0 0 10\nendloop\nendfacet\nendsolid t\n"},
      {"off", "OFF\n4 4 0\n0 0 0\n10 0 0\n0 10 0\n0 0 10\n3 0 2 1\n3 0 1 3\n3 0 3 2\n3 1 2 3\n"},
      {"amf",
       R"(<?xml version="1.0" encoding="UTF-8"?><amf unit="millimeter"><object id="0"><mesh>)"
       R"(<vertices><vertex><coordinates><x>0</x><y>0</y><z>0</z></coordinates></vertex>)"
       R"(<vertex><coordinates><x>10</x><y>0</y><z>0</z></coordinates></vertex><vertex>)"
       R"(<coordinates><x>0</x><y>10</y><z>0</z></coordinates></vertex><vertex><coordinates>)"
       R"(<x>0</x><y>0</y><z>10</z></coordinates></vertex></vertices><volume><triangle><v1>0)"
       R"(</v1><v2>2</v2><v3>1</v3></triangle><triangle><v1>0</v1><v2>1</v2><v3>3</v3>)"
       R"(</triangle><triangle><v1>0</v1><v2>3</v2><v3>2</v3></triangle><triangle><v1>1</v1>)"
       R"(<v2>2</v2><v3>3</v3></triangle></volume></mesh></object></amf>)"},
      {"3mf", test::ZipBuilder::ThreeMf(Model3mf(Tetrahedron3mf(1), 1), false, true)},
      {"3mf", test::ZipBuilder::ThreeMf(Model3mf(Tetrahedron3mf(1), 1), true, false)},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.File(std::string("solid.") + c.extension);
    WriteAll(path, c.bytes);
    G3dBlock block;
    const Palette palette = StartupPalette();
    G3dFile file(&block, &palette);
    ASSERT_EQ(Read3DFile(file, path, KindOfPath(path)), FileDone) << path << file.ReadReason();
    std::size_t triangles = 0;
    float low = 1e9f, high = -1e9f;
    for (const auto& object : block.objects) {
      triangles += object->triangles.size();
      for (std::size_t p = 0; p < object->points.size(); ++p) {
        for (const float v : {object->points[p].x, object->points[p].y, object->points[p].z}) {
          low = std::min(low, v);
          high = std::max(high, v);
        }
      }
    }
    EXPECT_EQ(triangles, 4u) << path;
    EXPECT_EQ(low, 0.0f) << path;
    EXPECT_EQ(high, 10.0f) << path;
  }
}

// The sound originals of the damaged files above do load, so the refusals are the
// damage's doing.
TEST(HostileMeshOriginals, SoundFilesLoad) {
  for (const MeshFormat format : {MeshFormat::StlBinary, MeshFormat::PlyBinary, MeshFormat::Glb}) {
    TempDir dir;
    const std::string path = dir.File("sound." + std::string(MeshExtension(format)));
    WriteAll(path, Written(format));
    G3dBlock block;
    const Palette palette = StartupPalette();
    G3dFile file(&block, &palette);
    EXPECT_EQ(Read3DFile(file, path, KindOfPath(path)), FileDone) << path;
    ASSERT_EQ(block.objects.size(), 1u);
    EXPECT_EQ(block.objects[0]->triangles.size(), 2u);
  }
}

}  // namespace
}  // namespace lw
