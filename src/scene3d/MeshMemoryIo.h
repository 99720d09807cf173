// Files in memory for the mesh library: the reader is handed the main file's bytes
// and asks for companions (an OBJ's material library, a glTF's buffers) through a
// loader. It never touches the disk, so the reading half of the mesh formats stays
// testable without files.
#pragma once

#include <assimp/IOStream.hpp>
#include <assimp/IOSystem.hpp>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "scene3d/MeshFormats.h"

namespace lw {

// Serves `mainName` from `mainBytes` and every other name through the loader. Names
// that climb out of the main file's folder or are absolute are never asked for.
class MemoryReadSystem : public Assimp::IOSystem {
 public:
  MemoryReadSystem(std::string mainName, std::string_view mainBytes, CompanionLoader companions);

  bool Exists(const char* file) const override;
  char getOsSeparator() const override { return '/'; }
  Assimp::IOStream* Open(const char* file, const char* mode) override;
  void Close(Assimp::IOStream* stream) override;
  bool ComparePaths(const char* one, const char* second) const override;

  // Whether any companion file was found, say an OBJ's material library.
  bool FoundCompanion() const;

 private:
  // The name relative to the main file's folder, or nullopt when it leaves it.
  std::optional<std::string> Relative(const char* file) const;
  const std::string* Companion(const std::string& name) const;

  std::string mainName_;
  std::string_view mainBytes_;
  CompanionLoader companions_;
  // Loaded once, kept while the reader runs: streams point into these.
  mutable std::map<std::string, std::optional<std::string>> loaded_;
};

}  // namespace lw
