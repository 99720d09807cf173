// An owning list with append, index access and clear whose elements never move:
// a triangle being filled in stays where AppendTriangle put it while more are
// appended, so storage grows by whole chunks instead of reallocating. Chunks start small (a figure
// of a few triangles costs little) and double up to about 2 MB, which large surfaces get as huge
// pages where the system offers them, saving most page faults. Chunks are raw memory filled in
// place, so an unused tail costs no resident memory. Elements that need no destructor may also be
// counted in first and constructed afterwards, by several threads at once, each in its own range.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

namespace lw {

namespace chunk_memory {
// Large chunks are aligned for huge pages and advised to use them.
void* Allocate(std::size_t bytes);
void Release(void* chunk, std::size_t bytes) noexcept;
}  // namespace chunk_memory

template <class T>
class ChunkedList {
 public:
  ChunkedList() = default;
  ~ChunkedList() { Clear(); }
  ChunkedList(const ChunkedList&) = delete;
  ChunkedList& operator=(const ChunkedList&) = delete;

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  T& operator[](std::size_t i) { return Slot(i); }
  const T& operator[](std::size_t i) const { return const_cast<ChunkedList*>(this)->Slot(i); }
  T& back() { return Slot(size_ - 1); }

  // The index of an element of this list, found from its address; the last chunk
  // is looked at first, as new elements are the ones usually asked about.
  std::size_t IndexOf(const T* element) const {
    const auto address = reinterpret_cast<std::uintptr_t>(element);
    std::size_t first = capacity_;
    for (std::size_t c = chunks_.size(); c-- > 0;) {
      first -= ChunkCapacity(c);
      const auto start = reinterpret_cast<std::uintptr_t>(chunks_[c]);
      if (address >= start && address < start + ChunkCapacity(c) * sizeof(T)) {
        return first + (address - start) / sizeof(T);
      }
    }
    return size_;  // not an element of this list
  }

  template <class... Args>
  T& emplace_back(Args&&... args) {
    if (size_ == capacity_) AddChunk();
    T* slot = &Slot(size_);
    ::new (static_cast<void*>(slot)) T(std::forward<Args>(args)...);
    ++size_;
    return *slot;
  }

  // Counts `count` more elements in without constructing them, making room by whole
  // chunks; the caller then constructs each in place (through RunFrom) before anything
  // reads it. Threads may construct disjoint ranges at once, as nothing else changes
  // until the next append. Left unconstructed, elements must be dropped with Clear.
  void GrowUninitialised(std::size_t count) requires std::is_trivially_destructible_v<T> {
    while (capacity_ - size_ < count) AddChunk();
    size_ += count;
  }

  // The slots from index i (below size()) to the end of its chunk or of the list,
  // which lie next to each other in memory.
  std::span<T> RunFrom(std::size_t i) {
    const auto [c, offset] = Locate(i);
    const std::size_t length = std::min(ChunkCapacity(c) - offset, size_ - i);
    return {chunks_[c] + offset, length};
  }

  void Clear() {
    if constexpr (!std::is_trivially_destructible_v<T>) ForEach([](T& t) { t.~T(); });
    for (std::size_t c = 0; c < chunks_.size(); ++c) {
      chunk_memory::Release(chunks_[c], ChunkCapacity(c) * sizeof(T));
    }
    chunks_.clear();
    size_ = 0;
    capacity_ = 0;
  }

  template <class F>
  void ForEach(F&& f) {
    std::size_t left = size_;
    for (std::size_t c = 0; c < chunks_.size() && left > 0; ++c) {
      const std::size_t n = std::min(left, ChunkCapacity(c));
      for (std::size_t i = 0; i < n; ++i) f(chunks_[c][i]);
      left -= n;
    }
  }
  template <class F>
  void ForEach(F&& f) const {
    const_cast<ChunkedList*>(this)->ForEach([&](const T& t) { f(t); });
  }
  // ForEach while f returns true; false when f ended it early.
  template <class F>
  bool ForEachWhile(F&& f) const {
    std::size_t left = size_;
    for (std::size_t c = 0; c < chunks_.size() && left > 0; ++c) {
      const std::size_t n = std::min(left, ChunkCapacity(c));
      for (std::size_t i = 0; i < n; ++i) {
        if (!f(static_cast<const T&>(chunks_[c][i]))) return false;
      }
      left -= n;
    }
    return true;
  }

 private:
  static constexpr std::size_t FirstBits = 6;  // the first chunk holds 64
  static constexpr std::size_t LargeCount = std::max<std::size_t>((2u << 20) / sizeof(T), 64);
  // Doubling chunks 64, 128, ... while they stay below LargeCount.
  static constexpr std::size_t GrowingChunks = std::bit_width(LargeCount >> FirstBits) - 1;
  static constexpr std::size_t GrowingTotal = ((std::size_t{1} << GrowingChunks) - 1) << FirstBits;

  static std::size_t ChunkCapacity(std::size_t c) {
    return c < GrowingChunks ? std::size_t{1} << (FirstBits + c) : LargeCount;
  }

  // The chunk holding index i and the index's place in it.
  static std::pair<std::size_t, std::size_t> Locate(std::size_t i) {
    if (i < GrowingTotal) {
      const std::size_t c = std::bit_width((i >> FirstBits) + 1) - 1;
      return {c, i - (((std::size_t{1} << c) - 1) << FirstBits)};
    }
    const std::size_t j = i - GrowingTotal;
    return {GrowingChunks + j / LargeCount, j % LargeCount};
  }

  T& Slot(std::size_t i) {
    const auto [c, offset] = Locate(i);
    return chunks_[c][offset];
  }

  void AddChunk() {
    const std::size_t n = ChunkCapacity(chunks_.size());
    chunks_.reserve(chunks_.size() + 1);
    chunks_.push_back(static_cast<T*>(chunk_memory::Allocate(n * sizeof(T))));
    capacity_ += n;
  }

  std::vector<T*> chunks_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace lw
