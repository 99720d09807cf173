// The programs' side of the mesh formats: the writer of the mesh module, found beside
// the running program (a build folder) or in the library folder of an installed one,
// and the reader process.
#include <dlfcn.h>

#include <filesystem>
#include <new>
#include <system_error>

#include "scene3d/MeshModule.h"
#include "scene3d/MeshReaderProcess.h"
#include "scene3d/MeshWriters.h"

namespace lw {
namespace {

// The module's functions; null when it is missing or unfit, and the formats then
// report failure like any other unreadable or unwritable file.
const MeshModuleFunctions* LoadMeshModule() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return nullptr;
  const std::filesystem::path folder = program.parent_path();
  for (const std::filesystem::path& path :
       {folder / kMeshModuleFile, folder / LW_MESH_MODULE_DIR / kMeshModuleFile}) {
    // Kept loaded: the functions handed back live in the module.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) continue;
    const auto entry = reinterpret_cast<MeshModuleEntry>(dlsym(handle, kMeshModuleEntry));
    const MeshModuleFunctions* functions = entry != nullptr ? entry() : nullptr;
    dlclose(handle);
    if (functions != nullptr) return functions;
  }
  return nullptr;
}

// Looked for once per process: the module, once loaded, stays for the process's life,
// and a missing one does not appear while the program runs.
const MeshModuleFunctions* MeshModule() {
  static const MeshModuleFunctions* const functions = LoadMeshModule();
  return functions;
}

}  // namespace

MeshWriteResult WriteMeshPieces(const G3dBlock& block, MeshFormat format, const MeshSinks& sinks,
                                const WorkControl* work) {
  if (!CanWriteMesh(format)) return MeshWriteResult::Failed;
  if (!IsOwnMeshFormat(format)) {
    const MeshModuleFunctions* module = MeshModule();
    if (module == nullptr) return MeshWriteResult::Failed;
    return module->write(block, format, sinks.main, work);
  }
  try {
    return WriteOwnMesh(block, format, sinks, work);
  } catch (const std::bad_alloc&) {
    return MeshWriteResult::OutOfMemory;
  }
}

std::optional<WrittenMesh> WriteMesh(const G3dBlock& block, MeshFormat format,
                                     const std::string& fileName) {
  if (fileName.empty()) return std::nullopt;
  WrittenMesh written;
  const std::string library = std::filesystem::path(fileName).replace_extension("mtl").string();
  const auto into = [](std::string& bytes) {
    return [&bytes](std::string_view piece) {
      bytes.append(piece);
      return true;
    };
  };
  const MeshSinks sinks{into(written.main), into(written.companions[library]), library};
  if (WriteMeshPieces(block, format, sinks, nullptr) != MeshWriteResult::Written) {
    return std::nullopt;
  }
  if (format != MeshFormat::Obj) written.companions.clear();
  return written;
}

bool ReadMesh(std::string_view bytes, MeshFormat format, const std::string& fileName,
              const CompanionLoader& companions, G3dBlock& block) {
  std::string reason;
  return ReadMeshApart(bytes, format, fileName, companions, block, reason, nullptr) ==
         MeshReadResult::Read;
}

}  // namespace lw
