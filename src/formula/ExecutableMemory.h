// Pages holding machine code made at run time. They are writable while the code is
// copied in and executable afterwards, never both at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lw::formula_internal {

class ExecutableMemory {
 public:
  ExecutableMemory() = default;
  ~ExecutableMemory() { Release(); }
  ExecutableMemory(const ExecutableMemory&) = delete;
  ExecutableMemory& operator=(const ExecutableMemory&) = delete;

  // Replaces the held code by a copy of bytes, preferably placed near the code at
  // near; false, holding nothing, when the system refuses the pages.
  bool Load(const std::vector<std::uint8_t>& bytes, const void* near);
  void Release();
  const std::uint8_t* Start() const { return start_; }

 private:
  std::uint8_t* start_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace lw::formula_internal
