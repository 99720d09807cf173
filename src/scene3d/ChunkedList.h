// An owning list with append, index access and clear whose elements never move:
// points keep the addresses of the triangle corners that use them, so storage
// grows by whole chunks instead of reallocating. Chunks are raw memory filled by
// placement, so the untouched tail of the last chunk costs no resident memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace lw {

template <class T, int ChunkBits = 10>
class ChunkedList {
 public:
  static constexpr std::size_t ChunkSize = std::size_t{1} << ChunkBits;

  ChunkedList() = default;
  ~ChunkedList() { Clear(); }
  ChunkedList(const ChunkedList&) = delete;
  ChunkedList& operator=(const ChunkedList&) = delete;
  ChunkedList(ChunkedList&& other) noexcept
      : chunks_(std::move(other.chunks_)), size_(std::exchange(other.size_, 0)) {}
  ChunkedList& operator=(ChunkedList&& other) noexcept {
    if (this != &other) {
      Clear();
      chunks_ = std::move(other.chunks_);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  T& operator[](std::size_t i) { return Slot(i); }
  const T& operator[](std::size_t i) const { return const_cast<ChunkedList*>(this)->Slot(i); }
  T& back() { return Slot(size_ - 1); }

  template <class... Args>
  T& emplace_back(Args&&... args) {
    if ((size_ >> ChunkBits) == chunks_.size()) {
      chunks_.emplace_back(static_cast<T*>(::operator new(ChunkSize * sizeof(T))));
    }
    T* slot = &Slot(size_);
    ::new (static_cast<void*>(slot)) T(std::forward<Args>(args)...);
    ++size_;
    return *slot;
  }

  void Clear() {
    for (std::size_t i = size_; i > 0; --i) Slot(i - 1).~T();
    size_ = 0;
    chunks_.clear();
  }

  template <class F>
  void ForEach(F&& f) {
    for (std::size_t c = 0; c < chunks_.size(); ++c) {
      const std::size_t n = std::min(ChunkSize, size_ - (c << ChunkBits));
      T* chunk = chunks_[c].get();
      for (std::size_t i = 0; i < n; ++i) f(chunk[i]);
    }
  }
  template <class F>
  void ForEach(F&& f) const {
    const_cast<ChunkedList*>(this)->ForEach([&](const T& t) { f(t); });
  }

 private:
  struct Release {
    void operator()(T* p) const { ::operator delete(p); }
  };

  T& Slot(std::size_t i) { return chunks_[i >> ChunkBits].get()[i & (ChunkSize - 1)]; }

  std::vector<std::unique_ptr<T, Release>> chunks_;
  std::size_t size_ = 0;
};

}  // namespace lw
