// glb (glTF 2.0 binary), written as it goes like the other own formats: a counting
// pass over the objects fixes every size, so the small JSON chunk can be written
// first and the binary chunk after it, piece by piece, without holding the file.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "scene3d/MeshPieces.h"
#include "scene3d/MeshVertices.h"

namespace lw {
namespace {

constexpr std::uint32_t kGlbMagic = 0x46546C67;   // "glTF"
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr std::uint32_t kBinChunk = 0x004E4942;   // "BIN\0"
// A vertex: its position (3 floats), then its colour (4 floats, as the library gave
// them), interleaved in one buffer view.
constexpr std::size_t kVertexBytes = 28;

std::size_t Padded(std::size_t size) {
  return (size + 3) / 4 * 4;
}

// What the counting pass learns of one written object.
struct GlbPart {
  const G3dObject* object = nullptr;
  std::size_t vertices = 0, triangles = 0;
  static constexpr float kInfinity = std::numeric_limits<float>::infinity();
  std::array<float, 3> min{kInfinity, kInfinity, kInfinity};
  std::array<float, 3> max{-kInfinity, -kInfinity, -kInfinity};
  std::size_t vertexAt = 0, indexAt = 0;  // offsets in the binary chunk
  std::size_t IndexSize() const { return vertices <= 0xFFFF ? 2 : 4; }
  std::size_t IndexBytes() const { return 3 * triangles * IndexSize(); }
  std::size_t End() const { return indexAt + Padded(IndexBytes()); }
};

// The bounds of the positions, which the format requires of a position accessor.
// Coordinates that are not finite stay out, keeping the JSON valid (the reader
// refuses such a file anyway).
void Widen(GlbPart& part, const G3dPoint& p) {
  const float xyz[3] = {p.x, p.y, p.z};
  for (std::size_t k = 0; k < 3; ++k) {
    if (!std::isfinite(xyz[k])) continue;
    part.min[k] = std::min(part.min[k], xyz[k]);
    part.max[k] = std::max(part.max[k], xyz[k]);
  }
}

// The parts in file order; empty with the work stopped.
std::vector<GlbPart> CountParts(const G3dBlock& block, const WorkControl* work) {
  std::vector<GlbPart> parts;
  std::size_t at = 0;
  for (std::size_t i = 0; i < block.objects.size() && !Stopped(work); ++i) {
    if (LeftOutOfMeshFiles(block, i)) continue;
    GlbPart part;
    part.object = block.objects[i].get();
    part.triangles = part.object->triangles.size();
    part.vertices = CountVertices(*part.object, work,
                                  [&](const G3dPoint& p, const G3dVertex&) { Widen(part, p); });
    part.vertexAt = at;
    part.indexAt = at + kVertexBytes * part.vertices;
    at = part.End();
    parts.push_back(part);
  }
  return parts;
}

void PutOne(std::string& json, std::string_view text) {
  json.append(text);
}
void PutOne(std::string& json, std::size_t number) {
  char text[24];
  json.append(text, std::to_chars(text, text + sizeof text, number).ptr);
}
// Shortest text that reads back as the same float.
void PutOne(std::string& json, const std::array<float, 3>& v) {
  for (std::size_t k = 0; k < 3; ++k) {
    char text[32];
    json += k == 0 ? '[' : ',';
    // An axis without a finite coordinate has no bounds: 0 keeps the JSON valid.
    const float value = std::isfinite(v[k]) ? v[k] : 0.0f;
    json.append(text, std::to_chars(text, text + sizeof text, value).ptr);
  }
  json += ']';
}
template <class... T>
void Put(std::string& json, const T&... parts) {
  (PutOne(json, parts), ...);
}

void PutQuoted(std::string& json, const std::string& text) {
  json += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      json += escaped;
    } else {
      json += c;
    }
  }
  json += '"';
}

// The JSON of one part i: node i + 1 under the root node, mesh i, accessors 3i
// (positions), 3i + 1 (colours) and 3i + 2 (indices), buffer views 2i (vertices) and
// 2i + 1 (indices).
struct GlbJsonLists {
  std::string nodes, meshes, accessors, views;

  void Add(const GlbPart& p, std::size_t i) {
    const std::string_view comma = i > 0 ? "," : "";
    Put(nodes, ",{\"name\":");
    PutQuoted(nodes, p.object->name);
    Put(nodes, ",\"mesh\":", i, "}");
    Put(meshes, comma, "{\"name\":");
    PutQuoted(meshes, p.object->name);
    Put(meshes, ",\"primitives\":[{\"attributes\":{\"POSITION\":", 3 * i,
        ",\"COLOR_0\":", 3 * i + 1, "},\"indices\":", 3 * i + 2, ",\"material\":0,\"mode\":4}]}");
    Put(accessors, comma, "{\"bufferView\":", 2 * i,
        ",\"byteOffset\":0,\"componentType\":5126,\"count\":", p.vertices,
        ",\"type\":\"VEC3\",\"min\":", p.min, ",\"max\":", p.max, "}");
    Put(accessors, ",{\"bufferView\":", 2 * i,
        ",\"byteOffset\":12,\"componentType\":5126,\"count\":", p.vertices, ",\"type\":\"VEC4\"}");
    Put(accessors, ",{\"bufferView\":", 2 * i + 1,
        ",\"byteOffset\":0,\"componentType\":", p.IndexSize() == 2 ? "5123" : "5125",
        ",\"count\":", 3 * p.triangles, ",\"type\":\"SCALAR\"}");
    Put(views, comma, "{\"buffer\":0,\"byteOffset\":", p.vertexAt,
        ",\"byteLength\":", kVertexBytes * p.vertices, ",\"byteStride\":", kVertexBytes,
        ",\"target\":34962}");
    Put(views, ",{\"buffer\":0,\"byteOffset\":", p.indexAt, ",\"byteLength\":", p.IndexBytes(),
        ",\"target\":34963}");
  }
};

// The JSON chunk's text, padded with spaces to four bytes. A figure with nothing
// to write is a root node alone: the format allows no empty lists and no empty
// buffer.
std::string GlbJson(const std::vector<GlbPart>& parts, std::size_t binBytes) {
  GlbJsonLists lists;
  std::string children;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    lists.Add(parts[i], i);
    Put(children, i > 0 ? "," : "", i + 1);
  }
  std::string json;
  Put(json,
      "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Linewright\"},"
      "\"scene\":0,\"scenes\":[{\"nodes\":[0]}],\"nodes\":[{\"name\":\"Scene\"");
  if (!parts.empty()) {
    Put(json, ",\"children\":[", children, "]}", lists.nodes, "],\"meshes\":[", lists.meshes,
        "],\"accessors\":[", lists.accessors, "],\"bufferViews\":[", lists.views,
        "],\"materials\":[{\"name\":\"Surface\",\"pbrMetallicRoughness\":{"
        "\"baseColorFactor\":[1,1,1,1],\"metallicFactor\":0}}],\"buffers\":[{\"byteLength\":",
        binBytes, "}]}");
  } else {
    Put(json, "}]}");
  }
  json.append(Padded(json.size()) - json.size(), ' ');
  return json;
}

void Vertex(MeshPieces& pieces, const G3dPoint& p, const G3dVertex& c) {
  const float vertex[7] = {p.x, p.y, p.z, c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1.0f};
  pieces.Raw(vertex, sizeof vertex);
}

bool WriteVertices(const G3dObject& object, MeshPieces& pieces) {
  return ForEachVertex(object, [&pieces](const G3dPoint& p, const G3dVertex& colour) {
    Vertex(pieces, p, colour);
    return pieces.Next();
  });
}

template <class Index>
bool WriteIndices(const G3dObject& object, MeshPieces& pieces) {
  VertexNumbering numbering(object);
  return numbering.ForEach([&](const G3dTriangle&, const auto& vertices, const auto&) {
    const Index corners[3] = {static_cast<Index>(vertices[0]), static_cast<Index>(vertices[1]),
                              static_cast<Index>(vertices[2])};
    pieces.Raw(corners, sizeof corners);
    return pieces.Next();
  });
}

void ChunkHeader(MeshPieces& pieces, std::size_t length, std::uint32_t type) {
  const std::uint32_t header[2] = {static_cast<std::uint32_t>(length), type};
  pieces.Raw(header, sizeof header);
}

}  // namespace

MeshWriteResult WriteGlbFile(const G3dBlock& block, MeshPieces& pieces, const WorkControl* work) {
  const std::vector<GlbPart> parts = CountParts(block, work);
  if (Stopped(work)) return MeshWriteResult::Stopped;
  const std::size_t binBytes = parts.empty() ? 0 : parts.back().End();
  const std::string json = GlbJson(parts, binBytes);
  const std::size_t total = 12 + 8 + json.size() + (parts.empty() ? 0 : 8 + binBytes);
  // The container's lengths are 32-bit.
  if (total > std::numeric_limits<std::uint32_t>::max()) return MeshWriteResult::Failed;
  const std::uint32_t header[3] = {kGlbMagic, 2, static_cast<std::uint32_t>(total)};
  pieces.Raw(header, sizeof header);
  ChunkHeader(pieces, json.size(), kJsonChunk);
  bool whole = pieces.Text(json);
  if (!parts.empty()) ChunkHeader(pieces, binBytes, kBinChunk);
  for (const GlbPart& part : parts) {
    whole = whole && WriteVertices(*part.object, pieces) &&
            (part.IndexSize() == 2 ? WriteIndices<std::uint16_t>(*part.object, pieces)
                                   : WriteIndices<std::uint32_t>(*part.object, pieces));
    if (!whole) break;
    const char zeros[4] = {};
    pieces.Raw(zeros, Padded(part.IndexBytes()) - part.IndexBytes());
  }
  return Outcome(pieces, whole);
}

}  // namespace lw
