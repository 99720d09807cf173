// Pages holding machine code made at run time. They are writable while the code is
// copied in and executable afterwards, never both at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace lw::formula_internal {

// How pages are obtained, sealed and given back: the system's calls, or a test's
// that refuse, to reach the paths taken when the system refuses.
struct PageCalls {
  // Writable pages of size bytes, preferably at hint; nullptr when refused.
  std::function<void*(void* hint, std::size_t size)> map;
  // Makes the pages executable and no longer writable; false when refused.
  std::function<bool(void* pages, std::size_t size)> seal;
  std::function<void(void* pages, std::size_t size)> unmap;
};
PageCalls SystemPageCalls();

class ExecutableMemory {
 public:
  ExecutableMemory() : calls_(SystemPageCalls()) {}
  ~ExecutableMemory() { Release(); }
  ExecutableMemory(const ExecutableMemory&) = delete;
  ExecutableMemory& operator=(const ExecutableMemory&) = delete;

  // Replaces the held code by a copy of bytes, preferably placed near the code at
  // near; false, holding nothing, when the system refuses the pages.
  bool Load(const std::vector<std::uint8_t>& bytes, const void* near);
  void Release();
  const std::uint8_t* Start() const { return start_; }

  // Releases the held code and obtains pages through calls from now on.
  void UsePageCalls(PageCalls calls);

 private:
  PageCalls calls_;
  std::uint8_t* start_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace lw::formula_internal
