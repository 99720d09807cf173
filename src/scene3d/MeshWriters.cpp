#include "scene3d/MeshWriters.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "scene3d/MeshPieces.h"

namespace lw {
namespace {

// Binary STL: a header that does not begin with "solid" (readers would take the file
// for text), the facet count, and per facet its normal, its corners and two zero bytes.
MeshWriteResult WriteStlBinary(const G3dBlock& block, MeshPieces& pieces) {
  char header[80] = {};
  std::snprintf(header, sizeof header, "Binary STL written by Linewright");
  pieces.Raw(header, sizeof header);
  const auto count = static_cast<std::uint32_t>(WrittenTriangles(block));
  pieces.Raw(&count, sizeof count);
  const bool whole = ForEachWrittenTriangle(block, [&](const G3dObject& o, const G3dTriangle& t) {
    const G3dPoint& p0 = PointOf(o, t.corners[0]);
    const G3dPoint& p1 = PointOf(o, t.corners[1]);
    const G3dPoint& p2 = PointOf(o, t.corners[2]);
    const std::array<float, 3> n = FlatNormal(p0, p1, p2);
    const float facet[12] = {n[0], n[1], n[2], p0.x, p0.y, p0.z,
                             p1.x, p1.y, p1.z, p2.x, p2.y, p2.z};
    pieces.Raw(facet, sizeof facet);
    const std::uint16_t attributes = 0;
    pieces.Raw(&attributes, sizeof attributes);
    return pieces.Next();
  });
  return Outcome(pieces, whole);
}

MeshWriteResult WriteStlAscii(const G3dBlock& block, MeshPieces& pieces) {
  Literal(pieces, "solid Linewright\n");
  const bool whole = ForEachWrittenTriangle(block, [&](const G3dObject& o, const G3dTriangle& t) {
    const G3dPoint& p0 = PointOf(o, t.corners[0]);
    const G3dPoint& p1 = PointOf(o, t.corners[1]);
    const G3dPoint& p2 = PointOf(o, t.corners[2]);
    const std::array<float, 3> n = FlatNormal(p0, p1, p2);
    Literal(pieces, " facet normal ");
    Triple(pieces, n[0], n[1], n[2]);
    Literal(pieces, "  outer loop\n");
    for (const G3dPoint* p : {&p0, &p1, &p2}) {
      Literal(pieces, "   vertex ");
      Triple(pieces, p->x, p->y, p->z);
    }
    Literal(pieces, "  endloop\n endfacet\n");
    return pieces.Next();
  });
  if (whole) Literal(pieces, "endsolid Linewright\n");
  return Outcome(pieces, whole);
}

}  // namespace

MeshWriteResult WriteOwnMesh(const G3dBlock& block, MeshFormat format, const MeshSinks& sinks,
                             const WorkControl* work) {
  MeshPieces pieces(sinks.main, work);
  switch (format) {
    case MeshFormat::StlBinary:
      return WriteStlBinary(block, pieces);
    case MeshFormat::StlAscii:
      return WriteStlAscii(block, pieces);
    case MeshFormat::Obj:
      return WriteObjFile(block, sinks, pieces, work);
    case MeshFormat::PlyBinary:
      return WritePlyFile(block, pieces, work);
    case MeshFormat::Glb:
      return WriteGlbFile(block, pieces, work);
    default:
      return MeshWriteResult::Failed;
  }
}

}  // namespace lw
