// The writing half of the mesh formats: the block as a scene of the mesh library,
// one node per object, then the library's exporter into memory.
#include <assimp/material.h>
#include <assimp/scene.h>
#include <assimp/Exporter.hpp>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <unordered_map>
#include <vector>

#include "scene3d/MeshFormats.h"
#include "scene3d/MeshMemoryIo.h"

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

// How a format keeps what the model has.
struct MeshStyle {
  bool perCornerColours = false;  // vertex colours (PLY, glTF)
  // A new mesh where a point would take a second colour: the glTF writer joins
  // vertices of one position whatever their colours.
  bool oneColourPerPoint = false;
  bool colourRuns = false;   // a mesh and a material per run of one colour (OBJ)
  bool faceNormals = false;  // three vertices of its own and its normal per face (STL)
};

MeshStyle StyleOf(MeshFormat format) {
  switch (format) {
    case MeshFormat::PlyBinary:
      return {.perCornerColours = true};
    case MeshFormat::Glb:
      return {.perCornerColours = true, .oneColourPerPoint = true};
    case MeshFormat::Obj:
      return {.colourRuns = true};
    default:
      return {.faceNormals = true};
  }
}

const char* ExporterId(MeshFormat format) {
  switch (format) {
    case MeshFormat::StlBinary:
      return "stlb";
    case MeshFormat::StlAscii:
      return "stl";
    case MeshFormat::Obj:
      return "obj";
    case MeshFormat::Glb:
      return "glb2";
    default:
      return nullptr;
  }
}

aiColor4D ToColour4(Rgb c) {
  return {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1.0f};
}

// Gathers the triangles of one mesh: its vertices (shared by the corners that take
// the same point, and the same colour where corners keep theirs) and its faces.
class MeshAccumulator {
 public:
  MeshAccumulator(const G3dObject& object, const MeshStyle& style)
      : object_(object), style_(style), vertexOfPoint_(object.points.size()) {}

  bool Empty() const { return indices_.empty(); }

  // Whether a corner of the triangle takes a point this mesh already has in
  // another colour.
  bool Recolours(const G3dTriangle& t) const {
    for (const G3dVertex& v : t.corners) {
      const Slot& slot = vertexOfPoint_[static_cast<std::size_t>(v.point)];
      if (slot.serial == serial_ && !(colours_[slot.vertex] == ColourOf(v))) return true;
    }
    return false;
  }

  void Add(const G3dTriangle& t) {
    if (style_.faceNormals) {
      AddWithNormal(t);
      return;
    }
    for (const G3dVertex& v : t.corners) indices_.push_back(SharedVertex(v));
  }

  // Hands the gathered data to a new mesh and starts the next one empty.
  aiMesh* Finish(const std::string& name, unsigned int material) {
    auto mesh = std::make_unique<aiMesh>();
    mesh->mName = aiString(name);
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mMaterialIndex = material;
    mesh->mNumVertices = static_cast<unsigned int>(positions_.size());
    mesh->mVertices = new aiVector3D[positions_.size()];
    std::copy(positions_.begin(), positions_.end(), mesh->mVertices);
    if (!normals_.empty()) {
      mesh->mNormals = new aiVector3D[normals_.size()];
      std::copy(normals_.begin(), normals_.end(), mesh->mNormals);
    }
    if (!colours_.empty()) {
      mesh->mColors[0] = new aiColor4D[colours_.size()];
      for (std::size_t i = 0; i < colours_.size(); ++i)
        mesh->mColors[0][i] = ToColour4(colours_[i]);
    }
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
    normals_.clear();
    colours_.clear();
    indices_.clear();
    extra_.clear();
    ++serial_;
    return mesh.release();
  }

 private:
  struct Slot {
    std::uint32_t serial = 0;  // the mesh the vertex belongs to, counting from 1
    std::uint32_t vertex = 0;
  };

  unsigned int NewVertex(const G3dPoint& p, Rgb colour) {
    positions_.emplace_back(p.x, p.y, p.z);
    if (style_.perCornerColours) colours_.push_back(colour);
    return static_cast<unsigned int>(positions_.size() - 1);
  }

  unsigned int SharedVertex(const G3dVertex& v) {
    const auto point = static_cast<std::size_t>(v.point);
    const G3dPoint& p = object_.points[point];
    const Rgb colour = ColourOf(v);
    Slot& slot = vertexOfPoint_[point];
    if (slot.serial != serial_) {
      slot = {serial_, NewVertex(p, colour)};
      return slot.vertex;
    }
    if (!style_.perCornerColours || colours_[slot.vertex] == colour) return slot.vertex;
    // A point whose corners differ in colour: one vertex per colour.
    const std::uint64_t key = std::uint64_t{point} << 24 | colour.Key();
    const auto [found, added] = extra_.try_emplace(key, 0u);
    if (added) found->second = NewVertex(p, colour);
    return found->second;
  }

  void AddWithNormal(const G3dTriangle& t) {
    const auto& pts = object_.points;
    const G3dPoint& p0 = pts[static_cast<std::size_t>(t.corners[0].point)];
    const G3dPoint& p1 = pts[static_cast<std::size_t>(t.corners[1].point)];
    const G3dPoint& p2 = pts[static_cast<std::size_t>(t.corners[2].point)];
    const std::array<float, 3> n = FlatNormal(p0, p1, p2);
    for (const G3dPoint* p : {&p0, &p1, &p2}) {
      indices_.push_back(NewVertex(*p, {}));
      normals_.emplace_back(n[0], n[1], n[2]);
    }
  }

  const G3dObject& object_;
  MeshStyle style_;
  std::vector<Slot> vertexOfPoint_;
  std::uint32_t serial_ = 1;
  std::vector<aiVector3D> positions_, normals_;
  std::vector<Rgb> colours_;
  std::vector<unsigned int> indices_;
  std::unordered_map<std::uint64_t, unsigned int> extra_;
};

// The scene's materials: one plain white one (vertex colours multiply with it) or,
// for OBJ, one per colour used.
class Materials {
 public:
  unsigned int Of(Rgb colour) {
    const auto [found, added] = index_.try_emplace(colour.Key(), 0u);
    if (!added) return found->second;
    char name[32];
    std::snprintf(name, sizeof name, "Colour_%02X%02X%02X", colour.r, colour.g, colour.b);
    found->second = Add(name, ToColour4(colour));
    return found->second;
  }
  unsigned int Plain() {
    if (!plain_) plain_ = Add("Surface", {1.0f, 1.0f, 1.0f, 1.0f});
    return *plain_;
  }
  void MoveInto(aiScene& scene) {
    if (materials_.empty()) Plain();
    scene.mNumMaterials = static_cast<unsigned int>(materials_.size());
    scene.mMaterials = new aiMaterial*[materials_.size()];
    for (std::size_t i = 0; i < materials_.size(); ++i)
      scene.mMaterials[i] = materials_[i].release();
    materials_.clear();
  }

 private:
  unsigned int Add(const char* name, const aiColor4D& diffuse) {
    auto material = std::make_unique<aiMaterial>();
    const aiString text(name);
    material->AddProperty(&text, AI_MATKEY_NAME);
    const aiColor3D rgb(diffuse.r, diffuse.g, diffuse.b);
    material->AddProperty(&rgb, 1, AI_MATKEY_COLOR_DIFFUSE);
    material->AddProperty(&diffuse, 1, AI_MATKEY_BASE_COLOR);
    materials_.push_back(std::move(material));
    return static_cast<unsigned int>(materials_.size() - 1);
  }

  std::vector<std::unique_ptr<aiMaterial>> materials_;
  std::unordered_map<std::uint32_t, unsigned int> index_;
  std::optional<unsigned int> plain_;
};

// The meshes of one object, in triangle order.
std::vector<aiMesh*> ObjectMeshes(const G3dObject& object, const MeshStyle& style,
                                  Materials& materials) {
  std::vector<aiMesh*> meshes;
  MeshAccumulator accumulator(object, style);
  Rgb runColour;
  object.triangles.ForEach([&](const G3dTriangle& t) {
    const Rgb colour = ColourOf(t.corners[0]);
    const bool newRun = style.colourRuns && !(colour == runColour);
    const bool recolours = style.oneColourPerPoint && accumulator.Recolours(t);
    if (!accumulator.Empty() && (newRun || recolours)) {
      const unsigned int material = style.colourRuns ? materials.Of(runColour) : materials.Plain();
      meshes.push_back(accumulator.Finish(object.name, material));
    }
    runColour = colour;
    accumulator.Add(t);
  });
  if (!accumulator.Empty()) {
    const unsigned int material = style.colourRuns ? materials.Of(runColour) : materials.Plain();
    meshes.push_back(accumulator.Finish(object.name, material));
  }
  return meshes;
}

std::unique_ptr<aiScene> SceneOf(const G3dBlock& block, MeshFormat format) {
  const MeshStyle style = StyleOf(format);
  auto scene = std::make_unique<aiScene>();
  scene->mRootNode = new aiNode("Scene");
  Materials materials;
  std::vector<aiMesh*> meshes;
  std::vector<aiNode*> nodes;
  for (const auto& object : block.objects) {
    std::vector<aiMesh*> own = ObjectMeshes(*object, style, materials);
    if (own.empty()) continue;
    auto* node = new aiNode(object->name);
    node->mParent = scene->mRootNode;
    node->mNumMeshes = static_cast<unsigned int>(own.size());
    node->mMeshes = new unsigned int[own.size()];
    for (std::size_t i = 0; i < own.size(); ++i) {
      node->mMeshes[i] = static_cast<unsigned int>(meshes.size());
      meshes.push_back(own[i]);
    }
    nodes.push_back(node);
  }
  scene->mNumMeshes = static_cast<unsigned int>(meshes.size());
  scene->mMeshes = new aiMesh*[meshes.size()];
  std::copy(meshes.begin(), meshes.end(), scene->mMeshes);
  scene->mRootNode->addChildren(static_cast<unsigned int>(nodes.size()), nodes.data());
  materials.MoveInto(*scene);
  return scene;
}

void AppendRaw(std::string& out, const void* data, std::size_t size) {
  out.append(static_cast<const char*>(data), size);
}

// Binary PLY is written here: the library's writer declares its vertex colours as
// bytes but writes them as floats, so no reader could take the file. Every mesh's
// vertices, then every mesh's faces; colours as the usual red, green, blue bytes.
std::string PlyBytes(const aiScene& scene) {
  std::size_t vertices = 0, faces = 0;
  for (unsigned int m = 0; m < scene.mNumMeshes; ++m) {
    vertices += scene.mMeshes[m]->mNumVertices;
    faces += scene.mMeshes[m]->mNumFaces;
  }
  std::string out = "ply\nformat binary_little_endian 1.0\nelement vertex " +
                    std::to_string(vertices) +
                    "\nproperty float x\nproperty float y\nproperty float z\nproperty uchar red\n"
                    "property uchar green\nproperty uchar blue\nelement face " +
                    std::to_string(faces) + "\nproperty list uchar int vertex_index\nend_header\n";
  out.reserve(out.size() + vertices * 15 + faces * 13);
  for (unsigned int m = 0; m < scene.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene.mMeshes[m];
    for (unsigned int v = 0; v < mesh.mNumVertices; ++v) {
      const float xyz[3] = {mesh.mVertices[v].x, mesh.mVertices[v].y, mesh.mVertices[v].z};
      AppendRaw(out, xyz, sizeof xyz);
      const aiColor4D c = mesh.mColors[0] ? mesh.mColors[0][v] : aiColor4D(0.5f, 0.5f, 0.5f, 1.0f);
      const std::uint8_t rgb[3] = {static_cast<std::uint8_t>(std::lround(c.r * 255.0f)),
                                   static_cast<std::uint8_t>(std::lround(c.g * 255.0f)),
                                   static_cast<std::uint8_t>(std::lround(c.b * 255.0f))};
      AppendRaw(out, rgb, sizeof rgb);
    }
  }
  std::uint32_t offset = 0;
  for (unsigned int m = 0; m < scene.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene.mMeshes[m];
    for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
      const unsigned int* corners = mesh.mFaces[f].mIndices;
      const std::uint8_t count = 3;
      const std::uint32_t indices[3] = {corners[0] + offset, corners[1] + offset,
                                        corners[2] + offset};
      AppendRaw(out, &count, 1);
      AppendRaw(out, indices, sizeof indices);
    }
    offset += mesh.mNumVertices;
  }
  return out;
}

}  // namespace

std::optional<WrittenMesh> WriteMesh(const G3dBlock& block, MeshFormat format,
                                     const std::string& fileName) {
  if (!CanWriteMesh(format) || fileName.empty()) return std::nullopt;
  try {
    const std::unique_ptr<aiScene> scene = SceneOf(block, format);
    if (format == MeshFormat::PlyBinary) return WrittenMesh{PlyBytes(*scene), {}};
    std::map<std::string, std::string> files;
    Assimp::Exporter exporter;
    exporter.SetIOHandler(new MemoryWriteSystem(files));
    if (exporter.Export(scene.get(), ExporterId(format), fileName.c_str()) != aiReturn_SUCCESS) {
      return std::nullopt;
    }
    const auto main = files.find(fileName);
    if (main == files.end()) return std::nullopt;
    WrittenMesh written;
    written.main = std::move(main->second);
    files.erase(main);
    written.companions = std::move(files);
    return written;
  } catch (const std::exception&) {
    return std::nullopt;  // out of memory for a huge scene, or the library gave up
  }
}

}  // namespace lw
