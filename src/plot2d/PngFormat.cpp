#include "PngFormat.h"

#include <libdeflate.h>

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

// Each row: the filter byte, then every byte minus the one above it (modulo 256).
bool FilterRows(int width, int height, const PngRowSource& rows, std::vector<std::uint8_t>& out) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  try {
    out.resize((rowBytes + 1) * static_cast<std::size_t>(height));
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::vector<std::uint8_t> above(rowBytes, 0), current(rowBytes);
  std::uint8_t* filtered = out.data();
  for (int y = 0; y < height; ++y) {
    rows(y, current.data());
    *filtered++ = kFilterUp;
    for (std::size_t i = 0; i < rowBytes; ++i) {
      filtered[i] = static_cast<std::uint8_t>(current[i] - above[i]);
    }
    filtered += rowBytes;
    above.swap(current);
  }
  return true;
}

}  // namespace

std::string EncodePng(int width, int height, const PngRowSource& rows) {
  // PNG sizes are 31-bit; the filtered rows must also fit in memory.
  constexpr int kMaxSide = 1 << 16;
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return {};
  std::vector<std::uint8_t> filtered;
  if (!FilterRows(width, height, rows, filtered)) return {};
  const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
      libdeflate_alloc_compressor(kDeflateLevel));
  if (!compressor) return {};
  std::vector<std::uint8_t> packed(
      libdeflate_zlib_compress_bound(compressor.get(), filtered.size()));
  const std::size_t packedSize = libdeflate_zlib_compress(
      compressor.get(), filtered.data(), filtered.size(), packed.data(), packed.size());
  if (packedSize == 0) return {};

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  // 8 bits per sample, RGB, deflate, adaptive filtering, no interlace.
  header.append({8, 2, 0, 0, 0});
  png.reserve(packedSize + 64);
  AppendChunk(png, "IHDR", header.data(), header.size());
  AppendChunk(png, "IDAT", packed.data(), packedSize);
  AppendChunk(png, "IEND", nullptr, 0);
  return png;
}

}  // namespace lw
