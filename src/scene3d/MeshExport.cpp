// glb through the mesh library: the block as a scene of the library, one node per
// object, exported into memory and handed on in pieces. STL, OBJ and PLY are ours
// (MeshWriters.h).
#include <assimp/material.h>
#include <assimp/scene.h>
#include <assimp/Exporter.hpp>
#include <cstdint>
#include <map>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

#include "scene3d/MeshFormats.h"
#include "scene3d/MeshMemoryIo.h"
#include "scene3d/MeshModule.h"

namespace lw {
namespace {

struct Rgb {
  std::uint8_t r = 128, g = 128, b = 128;
  bool operator==(const Rgb&) const = default;
  std::uint32_t Key() const { return std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b; }
};

Rgb ColourOf(const G3dVertex& v) {
  return {v.r, v.g, v.b};
}

aiColor4D ToColour4(Rgb c) {
  return {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1.0f};
}

// Gathers the triangles of one mesh: its vertices (shared by the corners that take
// the same point in the same colour) and its faces.
class MeshAccumulator {
 public:
  explicit MeshAccumulator(const G3dObject& object)
      : object_(object), vertexOfPoint_(object.points.size()) {}

  bool Empty() const { return indices_.empty(); }

  // Whether a corner of the triangle takes a point this mesh already has in another
  // colour: the glTF writer joins vertices of one position whatever their colours,
  // so such a triangle starts a new mesh.
  bool Recolours(const G3dTriangle& t) const {
    for (const G3dVertex& v : t.corners) {
      const Slot& slot = vertexOfPoint_[static_cast<std::size_t>(v.point)];
      if (slot.serial == serial_ && !(colours_[slot.vertex] == ColourOf(v))) return true;
    }
    return false;
  }

  void Add(const G3dTriangle& t) {
    for (const G3dVertex& v : t.corners) indices_.push_back(SharedVertex(v));
  }

  // Hands the gathered data to a new mesh and starts the next one empty.
  aiMesh* Finish(const std::string& name) {
    auto mesh = std::make_unique<aiMesh>();
    mesh->mName = aiString(name);
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mMaterialIndex = 0;
    mesh->mNumVertices = static_cast<unsigned int>(positions_.size());
    mesh->mVertices = new aiVector3D[positions_.size()];
    std::copy(positions_.begin(), positions_.end(), mesh->mVertices);
    mesh->mColors[0] = new aiColor4D[colours_.size()];
    for (std::size_t i = 0; i < colours_.size(); ++i) mesh->mColors[0][i] = ToColour4(colours_[i]);
    const std::size_t faces = indices_.size() / 3;
    mesh->mNumFaces = static_cast<unsigned int>(faces);
    mesh->mFaces = new aiFace[faces];
    for (std::size_t f = 0; f < faces; ++f) {
      aiFace& face = mesh->mFaces[f];
      face.mNumIndices = 3;
      face.mIndices =
          new unsigned int[3]{indices_[3 * f], indices_[3 * f + 1], indices_[3 * f + 2]};
    }
    positions_.clear();
    colours_.clear();
    indices_.clear();
    ++serial_;
    return mesh.release();
  }

 private:
  struct Slot {
    std::uint32_t serial = 0;  // the mesh the vertex belongs to, counting from 1
    std::uint32_t vertex = 0;
  };

  unsigned int SharedVertex(const G3dVertex& v) {
    const auto point = static_cast<std::size_t>(v.point);
    Slot& slot = vertexOfPoint_[point];
    if (slot.serial == serial_) return slot.vertex;  // Recolours keeps the colour one
    const G3dPoint& p = object_.points[point];
    positions_.emplace_back(p.x, p.y, p.z);
    colours_.push_back(ColourOf(v));
    slot = {serial_, static_cast<std::uint32_t>(positions_.size() - 1)};
    return slot.vertex;
  }

  const G3dObject& object_;
  std::vector<Slot> vertexOfPoint_;
  std::uint32_t serial_ = 1;
  std::vector<aiVector3D> positions_;
  std::vector<Rgb> colours_;
  std::vector<unsigned int> indices_;
};

// The meshes of one object, in triangle order; empty when the work was stopped.
std::vector<aiMesh*> ObjectMeshes(const G3dObject& object, const WorkControl* work) {
  std::vector<aiMesh*> meshes;
  MeshAccumulator accumulator(object);
  std::size_t seen = 0;
  const bool whole = object.triangles.ForEachWhile([&](const G3dTriangle& t) {
    if (!accumulator.Empty() && accumulator.Recolours(t)) {
      meshes.push_back(accumulator.Finish(object.name));
    }
    accumulator.Add(t);
    return ++seen % 65536 != 0 || !Stopped(work);
  });
  if (!accumulator.Empty()) meshes.push_back(accumulator.Finish(object.name));
  if (!whole) {
    for (aiMesh* mesh : meshes) delete mesh;
    meshes.clear();
  }
  return meshes;
}

// One plain white material: the vertex colours multiply with it.
void AddPlainMaterial(aiScene& scene) {
  auto material = std::make_unique<aiMaterial>();
  const aiString name("Surface");
  material->AddProperty(&name, AI_MATKEY_NAME);
  const aiColor3D rgb(1.0f, 1.0f, 1.0f);
  material->AddProperty(&rgb, 1, AI_MATKEY_COLOR_DIFFUSE);
  const aiColor4D rgba(1.0f, 1.0f, 1.0f, 1.0f);
  material->AddProperty(&rgba, 1, AI_MATKEY_BASE_COLOR);
  scene.mNumMaterials = 1;
  scene.mMaterials = new aiMaterial* [1] { material.release() };
}

std::unique_ptr<aiScene> SceneOf(const G3dBlock& block, const WorkControl* work) {
  auto scene = std::make_unique<aiScene>();
  scene->mRootNode = new aiNode("Scene");
  AddPlainMaterial(*scene);
  std::vector<aiMesh*> meshes;
  std::vector<aiNode*> nodes;
  for (std::size_t i = 0; i < block.objects.size() && !Stopped(work); ++i) {
    if (LeftOutOfMeshFiles(block, i)) continue;
    const G3dObject& object = *block.objects[i];
    std::vector<aiMesh*> own = ObjectMeshes(object, work);
    if (own.empty()) continue;
    auto* node = new aiNode(object.name);
    node->mParent = scene->mRootNode;
    node->mNumMeshes = static_cast<unsigned int>(own.size());
    node->mMeshes = new unsigned int[own.size()];
    for (std::size_t m = 0; m < own.size(); ++m) {
      node->mMeshes[m] = static_cast<unsigned int>(meshes.size());
      meshes.push_back(own[m]);
    }
    nodes.push_back(node);
  }
  scene->mNumMeshes = static_cast<unsigned int>(meshes.size());
  scene->mMeshes = new aiMesh*[meshes.size()];
  std::copy(meshes.begin(), meshes.end(), scene->mMeshes);
  scene->mRootNode->addChildren(static_cast<unsigned int>(nodes.size()), nodes.data());
  return scene;
}

// The exported file, or nullopt when the library refused the scene.
std::optional<std::string> ExportedGlb(const G3dBlock& block, const WorkControl* work) {
  std::map<std::string, std::string> files;
  {
    const std::unique_ptr<aiScene> scene = SceneOf(block, work);
    if (Stopped(work)) return std::string();
    Assimp::Exporter exporter;
    exporter.SetIOHandler(new MemoryWriteSystem(files));
    const aiReturn exported = exporter.Export(scene.get(), "glb2", "figure.glb");
    if (exported == aiReturn_OUTOFMEMORY) throw std::bad_alloc();
    if (exported != aiReturn_SUCCESS) return std::nullopt;
  }
  const auto main = files.find("figure.glb");
  if (main == files.end()) return std::nullopt;
  return std::move(main->second);
}

}  // namespace

MeshWriteResult WriteLibraryMesh(const G3dBlock& block, MeshFormat format,
                                 const MeshPieceSink& sink, const WorkControl* work) {
  if (format != MeshFormat::Glb) return MeshWriteResult::Failed;
  try {
    const std::optional<std::string> bytes = ExportedGlb(block, work);
    if (!bytes) return MeshWriteResult::Failed;
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    const std::string_view all = *bytes;
    for (std::size_t at = 0; at < all.size() || Stopped(work); at += kPiece) {
      if (Stopped(work)) return MeshWriteResult::Stopped;
      if (!sink(all.substr(at, kPiece))) return MeshWriteResult::Failed;
    }
    return MeshWriteResult::Written;
  } catch (const std::bad_alloc&) {
    return MeshWriteResult::OutOfMemory;
  } catch (const std::exception&) {
    return MeshWriteResult::Failed;  // the library gave up
  }
}

}  // namespace lw
