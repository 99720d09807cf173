// The mesh library's reader, in the process that runs it (the reader process; see
// MeshReaderProcess.h): the programs never run it themselves.
#pragma once

#include <string>
#include <string_view>

#include "scene3d/MeshFormats.h"

namespace lw {

// Reads the file into a new block and, only when it is sound (it parses, it has
// triangles, every face has at least three corners, every coordinate is finite),
// replaces the content of `block` with it. Polygons are cut into triangles; node
// transforms are applied. `fileName` names the main file to the companions' loader.
// False with the reason, in words for the command line, otherwise.
bool ReadMeshHere(std::string_view bytes, MeshFormat format, const std::string& fileName,
                  const CompanionLoader& companions, G3dBlock& block, std::string& reason);

}  // namespace lw
