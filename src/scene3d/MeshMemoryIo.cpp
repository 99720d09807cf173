#include "scene3d/MeshMemoryIo.h"

#include <algorithm>
#include <cstring>

namespace lw {
namespace {

// A read-only view of bytes owned elsewhere.
class ViewStream : public Assimp::IOStream {
 public:
  explicit ViewStream(std::string_view bytes) : bytes_(bytes) {}

  size_t Read(void* buffer, size_t size, size_t count) override {
    if (size == 0 || pos_ >= bytes_.size()) return 0;
    const std::size_t whole = std::min(count, (bytes_.size() - pos_) / size);
    std::memcpy(buffer, bytes_.data() + pos_, whole * size);
    pos_ += whole * size;
    return whole;
  }
  size_t Write(const void*, size_t, size_t) override { return 0; }
  aiReturn Seek(size_t offset, aiOrigin origin) override {
    std::size_t base = 0;
    if (origin == aiOrigin_CUR) base = pos_;
    if (origin == aiOrigin_END) base = bytes_.size();
    if (offset > bytes_.size() || base > bytes_.size() - offset) {
      // Seeking backwards from the end comes as a wrapped-around offset.
      const std::size_t back = 0 - offset;
      if (origin == aiOrigin_SET || back > base) return aiReturn_FAILURE;
      pos_ = base - back;
      return aiReturn_SUCCESS;
    }
    pos_ = base + offset;
    return aiReturn_SUCCESS;
  }
  size_t Tell() const override { return pos_; }
  size_t FileSize() const override { return bytes_.size(); }
  void Flush() override {}

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::string Normalised(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  while (name.starts_with("./")) name.erase(0, 2);
  return name;
}

std::string FolderOf(const std::string& name) {
  const std::size_t slash = name.find_last_of('/');
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

}  // namespace

MemoryReadSystem::MemoryReadSystem(std::string mainName, std::string_view mainBytes,
                                   CompanionLoader companions)
    : mainName_(std::move(mainName)), mainBytes_(mainBytes), companions_(std::move(companions)) {}

std::optional<std::string> MemoryReadSystem::Relative(const char* file) const {
  std::string name = Normalised(file);
  const std::string folder = FolderOf(mainName_);
  if (!folder.empty() && name.starts_with(folder)) name.erase(0, folder.size());
  if (name.empty() || name.front() == '/' || name.find(':') != std::string::npos) {
    return std::nullopt;
  }
  for (std::size_t start = 0; start <= name.size();) {
    const std::size_t end = std::min(name.find('/', start), name.size());
    if (name.compare(start, end - start, "..") == 0 && end - start == 2) return std::nullopt;
    start = end + 1;
  }
  return name;
}

const std::string* MemoryReadSystem::Companion(const std::string& name) const {
  auto found = loaded_.find(name);
  if (found == loaded_.end()) {
    found = loaded_.emplace(name, companions_ ? companions_(name) : std::nullopt).first;
  }
  return found->second ? &*found->second : nullptr;
}

bool MemoryReadSystem::Exists(const char* file) const {
  const auto name = Relative(file);
  if (!name) return false;
  return *name == Normalised(mainName_) || Companion(*name) != nullptr;
}

Assimp::IOStream* MemoryReadSystem::Open(const char* file, const char* mode) {
  if (mode != nullptr && std::strchr(mode, 'w') != nullptr) return nullptr;
  const auto name = Relative(file);
  if (!name) return nullptr;
  if (*name == Normalised(mainName_)) return new ViewStream(mainBytes_);
  const std::string* bytes = Companion(*name);
  return bytes ? new ViewStream(*bytes) : nullptr;
}

void MemoryReadSystem::Close(Assimp::IOStream* stream) {
  delete stream;
}

bool MemoryReadSystem::ComparePaths(const char* one, const char* second) const {
  return Relative(one) == Relative(second);
}

bool MemoryReadSystem::FoundCompanion() const {
  for (const auto& [name, bytes] : loaded_) {
    if (bytes) return true;
  }
  return false;
}

}  // namespace lw
