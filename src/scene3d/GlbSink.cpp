#include "scene3d/GlbSink.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace lw {
namespace {

constexpr std::size_t kHeader = 12;      // "glTF", version, total length
constexpr std::size_t kChunkHeader = 8;  // length, type
constexpr std::size_t kPiece = std::size_t{1} << 20;

std::uint32_t WordAt(const std::string& bytes, std::size_t at) {
  std::uint32_t word;
  std::memcpy(&word, bytes.data() + at, sizeof word);
  return word;
}

class GlbSinkStream : public Assimp::IOStream {
 public:
  GlbSinkStream(const MeshPieceSink& sink, const WorkControl* work, GlbSinkState& state)
      : sink_(sink), work_(work), state_(state) {}
  size_t Read(void*, size_t, size_t) override { return 0; }
  size_t Write(const void* buffer, size_t size, size_t count) override {
    if (state_.failed || state_.stopped) return 0;
    const std::string_view bytes(static_cast<const char*>(buffer), size * count);
    if (pos_ == 0 && bytes.size() == kHeader && end_ > kHeader) return Header(bytes) ? count : 0;
    if (pos_ != end_ || end_ < kHeader) return Fail();
    pos_ = end_ += bytes.size();
    if (released_) return Pass(bytes) ? count : 0;
    held_.append(bytes);
    if (const std::optional<std::uint32_t> total = TotalLength()) {
      const std::uint32_t header[3] = {0x46546C67u /* "glTF" */, 2u, *total};
      header_.assign(reinterpret_cast<const char*>(header), sizeof header);
      if (!Release()) return 0;
    }
    return count;
  }
  aiReturn Seek(size_t offset, aiOrigin origin) override {
    const std::size_t to = origin == aiOrigin_CUR   ? pos_ + offset
                           : origin == aiOrigin_END ? end_ + offset
                                                    : offset;
    // Only forward to the end (the header's room at first), or back to the header.
    if (to != 0 && to != end_ && !(end_ == 0 && to == kHeader)) return aiReturn_FAILURE;
    if (end_ == 0) end_ = to;
    pos_ = to;
    return aiReturn_SUCCESS;
  }
  size_t Tell() const override { return pos_; }
  size_t FileSize() const override { return end_; }
  void Flush() override {}

 private:
  // The total once the JSON chunk and the binary chunk's header are held.
  std::optional<std::uint32_t> TotalLength() const {
    if (held_.size() < kChunkHeader) return std::nullopt;
    const std::size_t json = WordAt(held_, 0);
    if (held_.size() < kChunkHeader + json + kChunkHeader) return std::nullopt;
    const std::size_t binary = WordAt(held_, kChunkHeader + json);
    return static_cast<std::uint32_t>(kHeader + 2 * kChunkHeader + json + binary);
  }
  // The library's own header at the end: it must be the one already passed on, or
  // (no binary chunk) it goes on now with what was held.
  bool Header(std::string_view bytes) {
    if (released_) {
      state_.complete = bytes == header_;
      if (!state_.complete) Fail();
      return state_.complete;
    }
    header_.assign(bytes);
    state_.complete = Release();
    return state_.complete;
  }
  bool Release() {
    released_ = true;
    const bool sent = Pass(header_) && Pass(held_);
    held_.clear();
    held_.shrink_to_fit();
    return sent;
  }
  bool Pass(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
      if (Stopped(work_)) {
        state_.stopped = true;
        return false;
      }
      if (!sink_(bytes.substr(at, kPiece))) {
        state_.failed = true;
        return false;
      }
    }
    return true;
  }
  size_t Fail() {
    state_.failed = true;
    return 0;
  }

  const MeshPieceSink& sink_;
  const WorkControl* work_;
  GlbSinkState& state_;
  std::string held_, header_;
  std::size_t pos_ = 0, end_ = 0;
  bool released_ = false;
};

}  // namespace

Assimp::IOStream* GlbWriteSystem::Open(const char*, const char* mode) {
  if (opened_ || mode == nullptr || std::strchr(mode, 'w') == nullptr) return nullptr;
  opened_ = true;
  return new GlbSinkStream(sink_, work_, state_);
}

void GlbWriteSystem::Close(Assimp::IOStream* stream) {
  delete stream;
}

}  // namespace lw
