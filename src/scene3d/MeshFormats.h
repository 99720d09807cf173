// The in-memory half of the mesh formats other tools speak (STL, OBJ, PLY, glTF,
// 3MF), through the mesh library: a block becomes one node per object, named as the
// object, with its triangles' corners in their order and the colours the format can
// hold; a file's meshes become one object per node. The file half is G3dFile.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "scene3d/G3dModel.h"

namespace lw {

enum class MeshFormat {
  StlBinary,  // read as any STL
  StlAscii,   // read as any STL
  Obj,        // with a material library for the colours
  PlyBinary,  // vertex colours
  Glb,        // glTF 2.0 binary, vertex colours
  Gltf,       // glTF 2.0 text with its buffers; read only
  ThreeMf,    // read only
  Off,        // read only
  Amf,        // read only; the last: the reader process checks formats against it
};

// A companion file's bytes by its name relative to the main file's folder; nullopt
// when there is none (or it may not be read).
using CompanionLoader = std::function<std::optional<std::string>(const std::string& name)>;

bool CanWriteMesh(MeshFormat format);
// The usual extension, without the point: "stl", "obj", "ply", "glb", "gltf", "3mf",
// "off", "amf".
std::string_view MeshExtension(MeshFormat format);

// The files of a written mesh: the main file's bytes and its companions by name (an
// OBJ's material library).
struct WrittenMesh {
  std::string main;
  std::map<std::string, std::string> companions;
};

// Whether object `index` of the block stays out of STL, OBJ, PLY and glb files: an
// object without triangles, and the axes (object 0), whose lines are zero-area
// triangles that other tools drop or flag. DXF and T3D keep the axes.
bool LeftOutOfMeshFiles(const G3dBlock& block, std::size_t index);

// Writes the block into memory (small figures, tests; saves stream, see
// MeshWriters.h); `fileName` is the main file's name without its folder, which an
// OBJ names its material library after. Nullopt when the format cannot be written or
// the writing failed.
std::optional<WrittenMesh> WriteMesh(const G3dBlock& block, MeshFormat format,
                                     const std::string& fileName);

// Reads the file in the reader process (MeshReaderProcess.h) into a new block and,
// only when it is sound (it parses, it has triangles, every face has at least three
// corners, every coordinate is finite), replaces the content of `block` with it.
// Polygons are cut into triangles; node transforms are applied. `fileName` names the
// main file to the companions' loader.
bool ReadMesh(std::string_view bytes, MeshFormat format, const std::string& fileName,
              const CompanionLoader& companions, G3dBlock& block);

}  // namespace lw
