// The entry point of the mesh module (see MeshModule.h); only this symbol is exported.
#include "scene3d/MeshModule.h"

namespace lw {
namespace {

constexpr MeshModuleFunctions kFunctions{&WriteLibraryMesh};

}  // namespace
}  // namespace lw

extern "C" [[gnu::visibility("default")]] const lw::MeshModuleFunctions*
lw_mesh_module_functions() {
  return &lw::kFunctions;
}
