#include "scene3d/MeshFormats.h"

namespace lw {

// Plain facts about the formats.
bool CanWriteMesh(MeshFormat format) {
  switch (format) {
    case MeshFormat::StlBinary:
    case MeshFormat::StlAscii:
    case MeshFormat::Obj:
    case MeshFormat::PlyBinary:
    case MeshFormat::Glb:
      return true;
    case MeshFormat::Gltf:
    case MeshFormat::ThreeMf:
    case MeshFormat::Off:
    case MeshFormat::Amf:
      return false;
  }
  return false;
}

bool LeftOutOfMeshFiles(const G3dBlock& block, std::size_t index) {
  const G3dObject& object = *block.objects[index];
  return object.triangles.empty() || (index == 0 && object.name == AxesObjectName);
}

std::string_view MeshExtension(MeshFormat format) {
  switch (format) {
    case MeshFormat::StlBinary:
    case MeshFormat::StlAscii:
      return "stl";
    case MeshFormat::Obj:
      return "obj";
    case MeshFormat::PlyBinary:
      return "ply";
    case MeshFormat::Glb:
      return "glb";
    case MeshFormat::Gltf:
      return "gltf";
    case MeshFormat::ThreeMf:
      return "3mf";
    case MeshFormat::Off:
      return "off";
    case MeshFormat::Amf:
      return "amf";
  }
  return {};
}

}  // namespace lw
