#include "scene3d/ChunkedList.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace lw::chunk_memory {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Only the large chunks of big meshes go to huge pages: a small figure must not
// pin 2 MB for a few triangles.
bool IsLarge(std::size_t bytes) {
  return bytes >= kHugePage / 2;
}

std::size_t Rounded(std::size_t bytes) {
  return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

#ifdef __linux__
// Maps the chunk on its own, aligned to a huge page, so that it is faulted in 2 MB
// at a time and handed back whole when the mesh goes.
void* MapAligned(std::size_t rounded) {
  const std::size_t span = rounded + kHugePage;
  void* mapped = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
  if (aligned > start) munmap(mapped, aligned - start);
  const std::uintptr_t end = start + span, used = aligned + rounded;
  if (end > used) munmap(reinterpret_cast<void*>(used), end - used);
  void* chunk = reinterpret_cast<void*>(aligned);
  madvise(chunk, rounded, MADV_HUGEPAGE);  // advice only: failure changes nothing
  return chunk;
}
#endif

}  // namespace

void* Allocate(std::size_t bytes) {
  if (!IsLarge(bytes)) return ::operator new(bytes);
#ifdef __linux__
  return MapAligned(Rounded(bytes));
#else
  void* chunk = std::aligned_alloc(kHugePage, Rounded(bytes));
  if (chunk == nullptr) throw std::bad_alloc();
  return chunk;
#endif
}

void Release(void* chunk, std::size_t bytes) noexcept {
  if (!IsLarge(bytes)) {
    ::operator delete(chunk);
    return;
  }
#ifdef __linux__
  munmap(chunk, Rounded(bytes));
#else
  std::free(chunk);
#endif
}

}  // namespace lw::chunk_memory
