// The mesh formats live in a module of their own, loaded the first time a mesh is
// written: the mesh library and the libraries it pulls in would otherwise be
// loaded and relocated at every start of every program, most of which never touch a
// mesh. The module hands over its writer through one C entry point. Files are read
// by the mesh library in a process of its own (MeshReaderProcess.h), never here.
#pragma once

#include "scene3d/MeshFormats.h"
#include "scene3d/MeshWriters.h"

namespace lw {

struct MeshModuleFunctions {
  // The formats the library writes (glb), the file handed to the sink as it goes.
  MeshWriteResult (*write)(const G3dBlock& block, MeshFormat format, const MeshPieceSink& sink,
                           const WorkControl* work);
};

// The module's writer (MeshExport.cpp).
MeshWriteResult WriteLibraryMesh(const G3dBlock& block, MeshFormat format,
                                 const MeshPieceSink& sink, const WorkControl* work);

// The module's file name, and its entry point's symbol.
inline constexpr const char* kMeshModuleFile = "liblinewright-mesh.so";
inline constexpr const char* kMeshModuleEntry = "lw_mesh_module_functions";
using MeshModuleEntry = const MeshModuleFunctions* (*)();

}  // namespace lw
