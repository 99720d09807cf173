#include "formula/ExecutableMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <utility>

namespace lw::formula_internal {

PageCalls SystemPageCalls() {
  return {
      [](void* hint, std::size_t size) -> void* {
        void* memory = mmap(hint, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return memory == MAP_FAILED ? nullptr : memory;
      },
      [](void* pages, std::size_t size) {
        return mprotect(pages, size, PROT_READ | PROT_EXEC) == 0;
      },
      [](void* pages, std::size_t size) { munmap(pages, size); },
  };
}

bool ExecutableMemory::Load(const std::vector<std::uint8_t>& bytes, const void* near) {
  Release();
  if (bytes.empty()) return false;
  const long page = sysconf(_SC_PAGESIZE);
  const std::size_t pageSize = page > 0 ? std::size_t(page) : 4096;
  const std::size_t size = (bytes.size() + pageSize - 1) / pageSize * pageSize;
  // Some processors predict branches between code far apart poorly, so the
  // pages are asked for a little below the caller's code; the system may place them
  // elsewhere, which only costs speed.
  const auto anchor = reinterpret_cast<std::uintptr_t>(near);
  constexpr std::uintptr_t kBelow = std::uintptr_t(1) << 28;
  void* hint = anchor > 2 * kBelow
                   ? reinterpret_cast<void*>((anchor & ~std::uintptr_t(0xFFFFF)) - kBelow)
                   : nullptr;
  void* memory = calls_.map(hint, size);
  if (memory == nullptr) return false;
  std::memcpy(memory, bytes.data(), bytes.size());
  if (!calls_.seal(memory, size)) {
    calls_.unmap(memory, size);
    return false;
  }
  start_ = static_cast<std::uint8_t*>(memory);
  size_ = size;
  return true;
}

void ExecutableMemory::Release() {
  if (start_ != nullptr) calls_.unmap(start_, size_);
  start_ = nullptr;
  size_ = 0;
}

void ExecutableMemory::UsePageCalls(PageCalls calls) {
  Release();
  calls_ = std::move(calls);
}

}  // namespace lw::formula_internal
