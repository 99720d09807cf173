#include "plot2d/PngFormat.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

namespace lw {
namespace {

// Low enough to be quick, high enough that smooth colour maps stay small.
constexpr int kDeflateLevel = 2;
constexpr std::uint8_t kFilterUp = 2;

void AppendBigEndian(std::string& out, std::uint32_t value) {
  const std::array<char, 4> bytes = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                                     static_cast<char>(value >> 8), static_cast<char>(value)};
  out.append(bytes.data(), bytes.size());
}

void AppendChunk(std::string& out, std::string_view type, const void* data, std::size_t size) {
  AppendBigEndian(out, static_cast<std::uint32_t>(size));
  out.append(type);
  if (size != 0) out.append(static_cast<const char*>(data), size);
  std::uint32_t crc = libdeflate_crc32(0, type.data(), type.size());
  // A null buffer would restart the sum, as in zlib.
  if (size != 0) crc = libdeflate_crc32(crc, data, size);
  AppendBigEndian(out, crc);
}

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// The colours of a picture with at most 256 of them, each with its palette index.
class PaletteBuilder {
 public:
  // The index of colour rgb (0x00RRGGBB), added if new; -1 once there are too many.
  int IndexOf(std::uint32_t rgb) {
    if (rgb == lastColour_ && lastIndex_ >= 0) return lastIndex_;
    std::size_t slot = (rgb * 2654435761u) >> (32 - kHashBits);
    for (;; slot = (slot + 1) & (kSlots - 1)) {
      if (indexes_[slot] < 0) {
        if (colours_.size() == 256) return -1;
        indexes_[slot] = static_cast<std::int16_t>(colours_.size());
        keys_[slot] = rgb;
        colours_.push_back(rgb);
        break;
      }
      if (keys_[slot] == rgb) break;
    }
    lastColour_ = rgb;
    lastIndex_ = indexes_[slot];
    return lastIndex_;
  }
  const std::vector<std::uint32_t>& Colours() const { return colours_; }

 private:
  static constexpr int kHashBits = 10;
  static constexpr std::size_t kSlots = std::size_t{1} << kHashBits;
  std::array<std::int16_t, kSlots> indexes_ = MakeEmpty();
  std::array<std::uint32_t, kSlots> keys_{};
  std::vector<std::uint32_t> colours_;
  std::uint32_t lastColour_ = 0;
  int lastIndex_ = -1;

  static std::array<std::int16_t, kSlots> MakeEmpty() {
    std::array<std::int16_t, kSlots> empty{};
    empty.fill(-1);
    return empty;
  }
};

// The rows as the bytes to deflate: each row the filter byte, then every byte minus
// the one above it (modulo 256). A picture of at most 256 colours is written as
// palette indexes, a third of the bytes; palette is then filled, else left empty.
class RowFilter {
 public:
  RowFilter(int width, int height, const PngRowSource& rows, const PngRowRepeats& repeats)
      : width_(static_cast<std::size_t>(width)), height_(height), rows_(rows), repeats_(repeats) {}

  bool Filter(std::vector<std::uint8_t>& out, std::vector<std::uint32_t>& palette) {
    try {
      if (Indexed(out, palette)) return true;
      palette.clear();
      Rgb(out);
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    }
  }

 private:
  bool Indexed(std::vector<std::uint8_t>& out, std::vector<std::uint32_t>& palette) {
    out.resize((width_ + 1) * static_cast<std::size_t>(height_));
    std::vector<std::uint8_t> rgb(width_ * 3), rgbAbove(width_ * 3), above(width_, 0),
        current(width_);
    PaletteBuilder colours;
    std::uint8_t* filtered = out.data();
    for (int y = 0; y < height_; ++y) {
      // Most rows of a plot repeat the row above: the same indexes, all differences zero.
      if (HintedRepeat(y)) {
        filtered = AppendRepeat(filtered, width_);
        continue;
      }
      rows_(y, rgb.data());
      if (y > 0 && rgb == rgbAbove) {
        filtered = AppendRepeat(filtered, width_);
        continue;
      }
      for (std::size_t x = 0; x < width_; ++x) {
        const std::uint8_t* p = &rgb[x * 3];
        const int index =
            colours.IndexOf((std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2]);
        if (index < 0) return false;
        current[x] = static_cast<std::uint8_t>(index);
      }
      filtered = Append(filtered, current, above);
      above.swap(current);
      rgbAbove.swap(rgb);
    }
    palette = colours.Colours();
    return true;
  }

  void Rgb(std::vector<std::uint8_t>& out) {
    const std::size_t rowBytes = width_ * 3;
    out.resize((rowBytes + 1) * static_cast<std::size_t>(height_));
    std::vector<std::uint8_t> above(rowBytes, 0), current(rowBytes);
    std::uint8_t* filtered = out.data();
    for (int y = 0; y < height_; ++y) {
      if (HintedRepeat(y)) {
        filtered = AppendRepeat(filtered, rowBytes);
        continue;
      }
      rows_(y, current.data());
      filtered = Append(filtered, current, above);
      above.swap(current);
    }
  }

  bool HintedRepeat(int y) const { return y > 0 && repeats_ && repeats_(y); }

  static std::uint8_t* AppendRepeat(std::uint8_t* out, std::size_t rowBytes) {
    *out++ = kFilterUp;
    return std::fill_n(out, rowBytes, std::uint8_t{0});
  }

  static std::uint8_t* Append(std::uint8_t* out, const std::vector<std::uint8_t>& current,
                              const std::vector<std::uint8_t>& above) {
    *out++ = kFilterUp;
    for (std::size_t i = 0; i < current.size(); ++i) {
      out[i] = static_cast<std::uint8_t>(current[i] - above[i]);
    }
    return out + current.size();
  }

  std::size_t width_;
  int height_;
  const PngRowSource& rows_;
  const PngRowRepeats& repeats_;
};

}  // namespace

std::string EncodePng(int width, int height, const PngRowSource& rows,
                      const PngRowRepeats& repeats) {
  // PNG sizes are 31-bit; the filtered rows must also fit in memory.
  constexpr int kMaxSide = 1 << 16;
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return {};
  std::vector<std::uint8_t> filtered;
  std::vector<std::uint32_t> palette;
  if (!RowFilter(width, height, rows, repeats).Filter(filtered, palette)) return {};
  const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
      libdeflate_alloc_compressor(kDeflateLevel));
  if (!compressor) return {};
  // Left uninitialised: the bound is about the size of the rows, while a plot packs
  // to a few kilobytes, and only the pages written are ever touched.
  const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), filtered.size());
  const std::unique_ptr<std::uint8_t[]> packed(new (std::nothrow) std::uint8_t[bound]);
  if (!packed) return {};
  const std::size_t packedSize = libdeflate_zlib_compress(compressor.get(), filtered.data(),
                                                          filtered.size(), packed.get(), bound);
  if (packedSize == 0) return {};

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  // 8 bits per sample, palette or RGB, deflate, adaptive filtering, no interlace.
  const char colourType = palette.empty() ? 2 : 3;
  header.append({8, colourType, 0, 0, 0});
  png.reserve(packedSize + 64 + palette.size() * 3);
  AppendChunk(png, "IHDR", header.data(), header.size());
  if (!palette.empty()) {
    std::string entries;
    for (const std::uint32_t rgb : palette) {
      entries.append(
          {static_cast<char>(rgb >> 16), static_cast<char>(rgb >> 8), static_cast<char>(rgb)});
    }
    AppendChunk(png, "PLTE", entries.data(), entries.size());
  }
  AppendChunk(png, "IDAT", packed.get(), packedSize);
  AppendChunk(png, "IEND", nullptr, 0);
  return png;
}

}  // namespace lw
