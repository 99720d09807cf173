// The parts of the picture that keep its record of shapes in step with pixels drawn
// one at a time: dots, XOR and inverted pixels, fields of pixels, and what a drawing
// of any kind changed against a snapshot.
#include <algorithm>
#include <bit>
#include <climits>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <cstring>

#include "plot2d/PlotPicture.h"

namespace lw {
namespace {

QRgb Argb(std::uint32_t word) {
  return qRgb(static_cast<int>(word & 0xFF), static_cast<int>((word >> 8) & 0xFF),
              static_cast<int>((word >> 16) & 0xFF));
}

// Bit 7 - i set when words[i] equals word, for the first count (at most 8) words: the
// pixels of a row of a one-bit image, whose first pixel is its top bit.
unsigned MatchBits(const std::uint32_t* words, int count, std::uint32_t word) {
#ifdef __SSE2__
  if (count == 8) {
    // This runs for every pixel of a field: eight at a time with two comparisons.
    const __m128i w = _mm_set1_epi32(static_cast<int>(word));
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(words));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(words + 4));
    const auto a = static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(lo, w))));
    const auto b = static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(hi, w))));
    // Bit i of a | b << 4 is word i; the image wants it at bit 7 - i.
    static constexpr unsigned char kReverse[16] = {0, 8, 4, 12, 2, 10, 6, 14,
                                                   1, 9, 5, 13, 3, 11, 7, 15};
    return static_cast<unsigned>(kReverse[a] << 4) | kReverse[b];
  }
#endif
  unsigned byte = 0;
  for (int i = 0; i < count; ++i) byte |= static_cast<unsigned>(words[i] == word) << (7 - i);
  return byte;
}

}  // namespace

void PlotPicture::Dot(int x, int y, Colour c) {
  if (!Contains(x, y)) return;
  At(x, y) = Opaque | (c & ColourMask);
  record_.Dot(x, y, c);
}

void PlotPicture::XorDot(int x, int y, Colour c) {
  if (!Contains(x, y)) return;
  At(x, y) ^= c & ColourMask;
  touched_.push_back({x, y});
}

void PlotPicture::RecordColourField(int left, int top, int right, int bottom, Colour colour) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) return;
  const std::uint32_t word = Opaque | (colour & ColourMask);
  // One bit a pixel, set where the field's colour is: pixels of that colour from
  // before look the same either way.
  QImage layer(right - left, bottom - top, QImage::Format_Mono);
  layer.setColorTable({qRgba(0, 0, 0, 0), Argb(word)});
  uchar* const base = layer.bits();
  const qsizetype stride = layer.bytesPerLine();
  const int n = right - left;
  int first = INT_MAX, last = INT_MIN, firstRow = INT_MAX, lastRow = INT_MIN;
  for (int y = top; y < bottom; ++y) {
    const std::uint32_t* row = &At(left, y);
    uchar* bits = base + static_cast<qsizetype>(y - top) * stride;
    int firstByte = -1, lastByte = -1;
    for (int x0 = 0; x0 < n; x0 += 8) {
      const unsigned byte = MatchBits(row + x0, std::min(8, n - x0), word);
      bits[x0 >> 3] = static_cast<uchar>(byte);
      if (byte == 0) continue;
      if (firstByte < 0) firstByte = x0 >> 3;
      lastByte = x0 >> 3;
    }
    if (firstByte < 0) continue;
    first = std::min(first, firstByte * 8 + std::countl_zero(bits[firstByte]));
    last = std::max(last, lastByte * 8 + 7 - std::countr_zero(bits[lastByte]));
    firstRow = std::min(firstRow, y - top);
    lastRow = y - top;
  }
  if (first > last) return;
  // Cut on whole bytes, row by row: QImage::copy takes a one-bit image a bit at a time.
  first &= ~7;
  QImage used(last - first + 1, lastRow - firstRow + 1, QImage::Format_Mono);
  used.setColorTable(layer.colorTable());
  const auto rowBytes = static_cast<std::size_t>((used.width() + 7) / 8);
  for (int y = 0; y < used.height(); ++y) {
    std::memcpy(used.scanLine(y), base + static_cast<qsizetype>(firstRow + y) * stride + first / 8,
                rowBytes);
  }
  record_.Image(left + first, top + firstRow, std::move(used));
}

void PlotPicture::RecordField(int left, int top, int right, int bottom) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) return;
  // The words are R, G, B and an opaque byte in memory: RGBA bytes as they stand. A
  // colour map's layer is as large as the picture: it too is faulted in by huge pages.
  const int w = right - left, h = bottom - top;
  const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  auto* words = new std::uint32_t[count];
  AdviseHugePages(words, count * sizeof(std::uint32_t));
  for (int y = top; y < bottom; ++y) {
    std::memcpy(words + static_cast<std::size_t>(y - top) * w, &At(left, y),
                static_cast<std::size_t>(w) * sizeof(std::uint32_t));
  }
  const QImage layer(
      reinterpret_cast<uchar*>(words), w, h, static_cast<qsizetype>(w) * 4, QImage::Format_RGBA8888,
      [](void* info) { delete[] static_cast<std::uint32_t*>(info); }, words);
  record_.Image(left, top, layer, true);
}

std::uint64_t PlotPicture::EndPixelLayer() {
  if (touched_.empty()) return 0;
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const RecordPoint& p : touched_) {
    left = std::min(left, p.x);
    top = std::min(top, p.y);
    right = std::max(right, p.x);
    bottom = std::max(bottom, p.y);
  }
  QImage layer(right - left + 1, bottom - top + 1, QImage::Format_ARGB32);
  layer.fill(Qt::transparent);
  // A pixel drawn twice shows its colour now either way.
  for (const RecordPoint& p : touched_) layer.setPixel(p.x - left, p.y - top, Argb(At(p.x, p.y)));
  touched_.clear();
  return record_.Image(left, top, std::move(layer));
}

void PlotPicture::DropPixelLayer(std::uint64_t id) {
  touched_.clear();
  record_.RemoveImage(id);
}

PlotPicture::Snapshot PlotPicture::TakeSnapshot(int left, int top, int right, int bottom) const {
  Snapshot s;
  s.left = std::clamp(left, 0, width_);
  s.top = std::clamp(top, 0, height_);
  s.right = std::clamp(right, s.left, width_);
  s.bottom = std::clamp(bottom, s.top, height_);
  const auto w = static_cast<std::size_t>(s.right - s.left);
  s.pixels.resize(w * static_cast<std::size_t>(s.bottom - s.top));
  for (int y = s.top; y < s.bottom; ++y) {
    std::copy_n(&At(s.left, y), w, &s.pixels[static_cast<std::size_t>(y - s.top) * w]);
  }
  return s;
}

void PlotPicture::RecordChanges(const Snapshot& before) {
  const int w = before.right - before.left;
  if (w <= 0 || before.bottom > height_ || before.right > width_) return;
  // The changed pixels' bounds first, so the layer is no larger than what it drew.
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (int y = before.top; y < before.bottom; ++y) {
    const std::uint32_t* now = &At(before.left, y);
    const std::uint32_t* was = &before.pixels[static_cast<std::size_t>(y - before.top) * w];
    int first = -1, last = -1;
    for (int x = 0; x < w; ++x) {
      if (now[x] != was[x]) {
        if (first < 0) first = x;
        last = x;
      }
    }
    if (first < 0) continue;
    left = std::min(left, before.left + first);
    right = std::max(right, before.left + last);
    top = std::min(top, y);
    bottom = y;
  }
  if (left > right) return;
  QImage layer(right - left + 1, bottom - top + 1, QImage::Format_ARGB32);
  for (int y = top; y <= bottom; ++y) {
    auto* out = reinterpret_cast<QRgb*>(layer.scanLine(y - top));
    const std::uint32_t* now = &At(left, y);
    const std::uint32_t* was =
        &before.pixels[static_cast<std::size_t>(y - before.top) * w + (left - before.left)];
    for (int x = 0; x <= right - left; ++x) out[x] = now[x] != was[x] ? Argb(now[x]) : 0;
  }
  record_.Image(left, top, std::move(layer));
}

}  // namespace lw
