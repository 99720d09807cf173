// The programs' side of the mesh formats: the own writers (MeshWriters.h), and the
// reader process.
#include <filesystem>
#include <new>

#include "scene3d/MeshReaderProcess.h"
#include "scene3d/MeshWriters.h"

namespace lw {

MeshWriteResult WriteMeshPieces(const G3dBlock& block, MeshFormat format, const MeshSinks& sinks,
                                const WorkControl* work) {
  if (!CanWriteMesh(format)) return MeshWriteResult::Failed;
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
