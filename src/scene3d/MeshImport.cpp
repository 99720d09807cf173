// The reading half of the mesh formats, run by the reader process: the library's
// importer from memory, then its scene as objects of a new block, one per node that
// holds meshes.
#include <assimp/config.h>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>
#include <cmath>
#include <cstdint>
#include <memory>

#include "scene3d/MeshChecks.h"
#include "scene3d/MeshFormats.h"
#include "scene3d/MeshImport.h"
#include "scene3d/MeshMemoryIo.h"

namespace lw {
namespace {

struct Rgb {
  std::uint8_t r = 128, g = 128, b = 128;
};

std::uint8_t ToByte(float c) {
  if (!(c > 0.0f)) return 0;  // NaN too
  if (c >= 1.0f) return 255;
  return static_cast<std::uint8_t>(std::lround(c * 255.0f));
}

// A name the file gave, or none: the library's own names (the root of an STL or
// PLY, "<...>" or "$...") are not the file's.
bool IsOwnName(const aiString& name) {
  return name.length > 0 && name.data[0] != '<' && name.data[0] != '$';
}

// The colour of a mesh without vertex colours: its material's, unless the library
// made the material up.
std::optional<Rgb> MaterialColour(const aiScene& scene, const aiMesh& mesh) {
  if (mesh.mMaterialIndex >= scene.mNumMaterials) return std::nullopt;
  const aiMaterial& material = *scene.mMaterials[mesh.mMaterialIndex];
  aiString name;
  if (material.Get(AI_MATKEY_NAME, name) == aiReturn_SUCCESS &&
      std::string_view(name.C_Str()) == AI_DEFAULT_MATERIAL_NAME) {
    return std::nullopt;
  }
  aiColor4D diffuse;
  if (material.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) != aiReturn_SUCCESS) return std::nullopt;
  return Rgb{ToByte(diffuse.r), ToByte(diffuse.g), ToByte(diffuse.b)};
}

bool IsIdentity(const aiMatrix4x4& m) {
  return m.IsIdentity();
}

// Appends the mesh's faces to the object, corners in the file's order. False when a
// face has fewer than three corners or an index or coordinate is not sound.
bool AddMesh(const aiScene& scene, const aiMesh& mesh, const aiMatrix4x4& transform,
             bool materialColours, G3dObject& object) {
  const std::optional<Rgb> materialColour =
      materialColours ? MaterialColour(scene, mesh) : std::nullopt;
  const aiColor4D* vertexColours = mesh.mColors[0];
  const bool transformed = !IsIdentity(transform);
  for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
    const aiFace& face = mesh.mFaces[f];
    if (face.mNumIndices != 3 || face.mIndices == nullptr) return false;
    G3dTriangle& triangle = AppendTriangle(object);
    for (int k = 0; k < 3; ++k) {
      const unsigned int index = face.mIndices[k];
      if (index >= mesh.mNumVertices) return false;
      aiVector3D p = mesh.mVertices[index];
      if (transformed) p = transform * p;
      if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
      AddCorner(triangle, k, object, p.x, p.y, p.z);
      G3dVertex& corner = triangle.corners[static_cast<std::size_t>(k)];
      if (vertexColours != nullptr) {
        const aiColor4D& c = vertexColours[index];
        corner.r = ToByte(c.r), corner.g = ToByte(c.g), corner.b = ToByte(c.b);
      } else if (materialColour) {
        corner.r = materialColour->r, corner.g = materialColour->g, corner.b = materialColour->b;
      }
    }
  }
  return true;
}

std::string ObjectName(const aiScene& scene, const aiNode& node) {
  if (IsOwnName(node.mName)) return node.mName.C_Str();
  const aiMesh& first = *scene.mMeshes[node.mMeshes[0]];
  if (IsOwnName(first.mName)) return first.mName.C_Str();
  return UnnamedObjectName;
}

class SceneReader {
 public:
  // Without `materialColours` every mesh without vertex colours reads grey.
  SceneReader(const aiScene& scene, MeshFormat format, bool materialColours, G3dBlock& figure)
      : scene_(scene), format_(format), materialColours_(materialColours), figure_(figure) {}

  // Depth first, in the file's order of nodes.
  bool Node(const aiNode& node, const aiMatrix4x4& parent, int depth) {
    if (depth > 256) return false;  // a cycle or a runaway tree
    const aiMatrix4x4 transform = parent * node.mTransformation;
    if (node.mNumMeshes > 0 && !NodeMeshes(node, transform)) return false;
    for (unsigned int c = 0; c < node.mNumChildren; ++c) {
      if (node.mChildren[c] == nullptr || !Node(*node.mChildren[c], transform, depth + 1)) {
        return false;
      }
    }
    return true;
  }

 private:
  bool NodeMeshes(const aiNode& node, const aiMatrix4x4& transform) {
    for (unsigned int m = 0; m < node.mNumMeshes; ++m) {
      if (node.mMeshes[m] >= scene_.mNumMeshes) return false;
    }
    const std::string name = ObjectName(scene_, node);
    // An OBJ group holding several materials comes back as nodes of one name, one
    // after the other: they are one object.
    const bool sameObject = format_ == MeshFormat::Obj && !figure_.objects.empty() &&
                            lastNode_ != nullptr && node.mName == lastNode_->mName;
    G3dObject& object = sameObject ? *figure_.objects.back() : AppendObject(figure_, name);
    lastNode_ = &node;
    for (unsigned int m = 0; m < node.mNumMeshes; ++m) {
      if (!AddMesh(scene_, *scene_.mMeshes[node.mMeshes[m]], transform, materialColours_, object)) {
        return false;
      }
    }
    return true;
  }

  const aiScene& scene_;
  MeshFormat format_;
  bool materialColours_;
  G3dBlock& figure_;
  const aiNode* lastNode_ = nullptr;
};

std::string HintedName(const std::string& fileName, MeshFormat format) {
  // The library chooses its reader by the extension first.
  std::string extension(1, '.');
  extension.append(MeshExtension(format));
  if (fileName.size() >= extension.size()) {
    std::string tail = fileName.substr(fileName.size() - extension.size());
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (tail == extension) return fileName;
  }
  std::string hinted = fileName;
  hinted.append(extension);
  return hinted;
}

bool HasTriangles(const G3dBlock& figure) {
  for (const auto& object : figure.objects) {
    if (!object->triangles.empty()) return true;
  }
  return false;
}

}  // namespace

bool ReadMeshHere(std::string_view bytes, MeshFormat format, const std::string& fileName,
                  const CompanionLoader& companions, G3dBlock& block, std::string& reason) {
  reason = MeshFileProblem(bytes, format);
  if (!reason.empty()) return false;
  try {
    const std::string name = HintedName(fileName.empty() ? "figure" : fileName, format);
    Assimp::Importer importer;
    auto* files = new MemoryReadSystem(name, bytes, companions);
    importer.SetIOHandler(files);  // the importer owns it from here
    importer.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true);
    const aiScene* scene =
        importer.ReadFile(name, aiProcess_Triangulate | aiProcess_ValidateDataStructure);
    if (scene == nullptr || scene->mRootNode == nullptr ||
        (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
      reason = importer.GetErrorString();
      if (reason.empty()) reason = "the mesh library found no figure in it";
      return false;
    }
    G3dBlock figure;
    // STL holds no colours, whatever material the library gives it; an OBJ's
    // materials without their library are the library's inventions too.
    const bool materialColours = format != MeshFormat::StlBinary &&
                                 format != MeshFormat::StlAscii &&
                                 (format != MeshFormat::Obj || files->FoundCompanion());
    SceneReader reader(*scene, format, materialColours, figure);
    if (!reader.Node(*scene->mRootNode, aiMatrix4x4(), 0)) {
      reason = "a face is not a triangle, or an index or coordinate is not sound";
      return false;
    }
    if (!HasTriangles(figure)) {
      reason = "the file holds no triangles";
      return false;
    }
    block.objects.swap(figure.objects);
    return true;
  } catch (const std::exception& e) {
    reason = e.what();  // out of memory for counts the file only claimed
    return false;
  }
}

}  // namespace lw
