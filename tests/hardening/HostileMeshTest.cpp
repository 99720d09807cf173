// The mesh readers against damaged and hostile files of every format they read:
// each must say "unknown format" and leave the 3D space as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "TempDir.h"
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

struct HostileMeshCase {
  const char* name;
  const char* extension;
  std::string bytes;
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
  };
}

class HostileMesh : public ::testing::TestWithParam<HostileMeshCase> {};

TEST_P(HostileMesh, SaysUnknownFormatAndKeepsTheSpace) {
  const HostileMeshCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.File(std::string("hostile.") + c.extension);
  WriteAll(path, c.bytes);
  G3dBlock block;
  AppendPoint(AppendObject(block, "kept"), 1.0f, 2.0f, 3.0f);
  const Palette palette = StartupPalette();
  G3dFile file(&block, &palette);
  const int result = Read3DFile(file, path, KindOfPath(path));
  EXPECT_EQ(result, FileUnknownFormat);
  EXPECT_EQ(Read3DFileStatus(result, path), "Невідомий формат Файлу! - " + path);
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->name, "kept");
  EXPECT_EQ(block.objects[0]->points.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileMesh, ::testing::ValuesIn(Cases()),
                         [](const auto& p) { return std::string(p.param.name); });

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
