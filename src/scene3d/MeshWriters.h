// The mesh formats are written here rather than by the mesh library: they are simple
// formats, and the library builds a scene of its own and the whole file in memory
// first, 65 to 130 times the figure's size for a large surface. These writers work
// through the triangles as the figure gives them (a grid's worked out on the fly) and
// hand the file on in pieces, so a save costs the figure plus a few megabytes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "document/WorkControl.h"
#include "scene3d/G3dModel.h"
#include "scene3d/MeshFormats.h"

namespace lw {

// Takes the next piece of a file; false when it could not be written.
using MeshPieceSink = std::function<bool(std::string_view piece)>;

// Where a save's files go: the main file, and for OBJ the material library that the
// main file names `libraryName`.
struct MeshSinks {
  MeshPieceSink main;
  MeshPieceSink library;
  std::string libraryName;
};

enum class MeshWriteResult { Written, Stopped, Failed, OutOfMemory };

// Writes what the library wrote before, object by object (the axes and empty
// objects left out, see LeftOutOfMeshFiles): STL as grey facets with their flat
// normals, OBJ as a group per run of one colour with a material "Colour_RRGGBB",
// PLY with a vertex per point and colour, glb as a node per object whose vertices
// are joined as in PLY, coloured per vertex, under a plain white material. The stop request of
// `work` is looked at between pieces; Stopped and Failed leave the files unfinished.
MeshWriteResult WriteOwnMesh(const G3dBlock& block, MeshFormat format, const MeshSinks& sinks,
                             const WorkControl* work);

// Any writable format to the sinks through the writers above. A memory failure is
// reported as such, never as an exception.
MeshWriteResult WriteMeshPieces(const G3dBlock& block, MeshFormat format, const MeshSinks& sinks,
                                const WorkControl* work);

}  // namespace lw
