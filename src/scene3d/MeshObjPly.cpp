// OBJ with its material library, and binary PLY (see MeshWriters.h).
#include <cstdio>
#include <limits>
#include <unordered_set>

#include "scene3d/MeshPieces.h"
#include "scene3d/MeshVertices.h"

namespace lw {
namespace {

// The materials of an OBJ, each written to the library the first time a run takes it.
class ObjMaterials {
 public:
  explicit ObjMaterials(MeshPieces& library) : library_(library) {}

  static std::string Name(std::uint32_t colour) {
    char name[32];
    std::snprintf(name, sizeof name, "Colour_%06X", static_cast<unsigned>(colour));
    return name;
  }
  bool Use(std::uint32_t colour) {
    if (!written_.insert(colour).second) return true;
    Literal(library_, "newmtl ");
    Literal(library_, Name(colour));
    Literal(library_, "\nKd ");
    Triple(library_, static_cast<float>(colour >> 16) / 255.0f,
           static_cast<float>(colour >> 8 & 0xFF) / 255.0f,
           static_cast<float>(colour & 0xFF) / 255.0f);
    Literal(library_, "illum 1\n\n");
    return library_.Next();
  }

 private:
  MeshPieces& library_;
  std::unordered_set<std::uint32_t> written_;
};

// One object: its points as vertices (numbered on from `base`), then its triangles
// as a group per run of one colour, all groups named after the object.
bool WriteObjObject(const G3dObject& object, std::size_t base, MeshPieces& obj,
                    ObjMaterials& materials) {
  bool whole = object.points.ForEachWhile([&](const G3dPoint& p) {
    Literal(obj, "v ");
    Triple(obj, p.x, p.y, p.z);
    return obj.Next();
  });
  std::uint32_t run = std::numeric_limits<std::uint32_t>::max();
  whole = whole && object.triangles.ForEachWhile([&](const G3dTriangle& t) {
    if (const std::uint32_t colour = ColourKey(t.corners[0]); colour != run) {
      run = colour;
      if (!materials.Use(colour)) return false;
      Literal(obj, "g ");
      if (!obj.Text(object.name)) return false;
      Literal(obj, "\nusemtl ");
      Literal(obj, ObjMaterials::Name(colour));
      obj.Char('\n');
    }
    obj.Char('f');
    for (const G3dVertex& v : t.corners) {
      obj.Char(' ');
      obj.Number(base + static_cast<std::size_t>(v.point) + 1);
    }
    obj.Char('\n');
    return obj.Next();
  });
  return whole;
}

void PlyVertex(MeshPieces& pieces, const G3dPoint& p, const G3dVertex& colour) {
  const float xyz[3] = {p.x, p.y, p.z};
  pieces.Raw(xyz, sizeof xyz);
  const std::uint8_t rgb[3] = {colour.r, colour.g, colour.b};
  pieces.Raw(rgb, sizeof rgb);
}

std::size_t PlyVertexCount(const G3dObject& object, const WorkControl* work) {
  if (object.triangles.IsGrid()) return object.points.size();
  return CountVertices(object, work, [](const G3dPoint&, const G3dVertex&) {});
}

bool WritePlyVertices(const G3dObject& object, MeshPieces& pieces) {
  return ForEachVertex(object, [&pieces](const G3dPoint& p, const G3dVertex& colour) {
    PlyVertex(pieces, p, colour);
    return pieces.Next();
  });
}

// The faces of one object, its vertices numbered on from `base`, which moves past them.
bool WritePlyFaces(const G3dObject& object, std::uint32_t& base, MeshPieces& pieces) {
  VertexNumbering numbering(object);
  const bool whole = numbering.ForEach([&](const G3dTriangle&, const auto& vertices, const auto&) {
    const std::uint8_t corners = 3;
    pieces.Raw(&corners, 1);
    const std::uint32_t face[3] = {base + vertices[0], base + vertices[1], base + vertices[2]};
    pieces.Raw(face, sizeof face);
    return pieces.Next();
  });
  base += static_cast<std::uint32_t>(object.triangles.IsGrid() ? object.points.size()
                                                               : numbering.Count());
  return whole;
}

}  // namespace

MeshWriteResult WriteObjFile(const G3dBlock& block, const MeshSinks& sinks, MeshPieces& obj,
                             const WorkControl* work) {
  MeshPieces library(sinks.library, work);
  Literal(library, "# Materials of a figure written by Linewright\n\n");
  Literal(obj, "# Written by Linewright\n\nmtllib ");
  bool whole = obj.Text(sinks.libraryName);
  Literal(obj, "\n\n");
  ObjMaterials materials(library);
  std::size_t base = 0;
  for (std::size_t i = 0; whole && i < block.objects.size(); ++i) {
    if (LeftOutOfMeshFiles(block, i)) continue;
    whole = WriteObjObject(*block.objects[i], base, obj, materials);
    base += block.objects[i]->points.size();
  }
  const MeshWriteResult written = Outcome(library, whole);
  return written == MeshWriteResult::Written ? Outcome(obj, true)
         : obj.StoppedWork()                 ? MeshWriteResult::Stopped
                                             : written;
}

MeshWriteResult WritePlyFile(const G3dBlock& block, MeshPieces& pieces, const WorkControl* work) {
  std::size_t vertices = 0;
  for (std::size_t i = 0; i < block.objects.size(); ++i) {
    if (!LeftOutOfMeshFiles(block, i)) vertices += PlyVertexCount(*block.objects[i], work);
  }
  const std::string header =
      "ply\nformat binary_little_endian 1.0\nelement vertex " + std::to_string(vertices) +
      "\nproperty float x\nproperty float y\nproperty float z\nproperty uchar red\n"
      "property uchar green\nproperty uchar blue\nelement face " +
      std::to_string(WrittenTriangles(block)) +
      "\nproperty list uchar int vertex_index\nend_header\n";
  bool whole = pieces.Text(header);
  for (std::size_t i = 0; whole && i < block.objects.size(); ++i) {
    if (!LeftOutOfMeshFiles(block, i)) whole = WritePlyVertices(*block.objects[i], pieces);
  }
  std::uint32_t base = 0;
  for (std::size_t i = 0; whole && i < block.objects.size(); ++i) {
    if (!LeftOutOfMeshFiles(block, i)) whole = WritePlyFaces(*block.objects[i], base, pieces);
  }
  return Outcome(pieces, whole);
}

}  // namespace lw
