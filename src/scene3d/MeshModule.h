// The mesh formats live in a module of their own, loaded the first time a mesh is
// read or written: the mesh library and the libraries it pulls in would otherwise be
// loaded and relocated at every start of every program, most of which never touch a
// mesh. The module hands over its reader and writer through one C entry point.
#pragma once

#include "scene3d/MeshFormats.h"
#include "scene3d/MeshWriters.h"

namespace lw {

struct MeshModuleFunctions {
  // The formats the library writes (glb), the file handed to the sink as it goes.
  MeshWriteResult (*write)(const G3dBlock& block, MeshFormat format, const MeshPieceSink& sink,
                           const WorkControl* work);
  bool (*read)(std::string_view bytes, MeshFormat format, const std::string& fileName,
               const CompanionLoader& companions, G3dBlock& block);
};

// The module's writer (MeshExport.cpp).
MeshWriteResult WriteLibraryMesh(const G3dBlock& block, MeshFormat format,
                                 const MeshPieceSink& sink, const WorkControl* work);

// The module's file name, and its entry point's symbol.
inline constexpr const char* kMeshModuleFile = "liblinewright-mesh.so";
inline constexpr const char* kMeshModuleEntry = "lw_mesh_module_functions";
using MeshModuleEntry = const MeshModuleFunctions* (*)();

}  // namespace lw
