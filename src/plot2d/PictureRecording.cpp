// The parts of the picture that keep its record of shapes in step with the pixels
// drawn as fields: dots, inverted lines and snapshots of what a layer changed.
#include <algorithm>
#include <climits>

#include "plot2d/PlotPicture.h"

namespace lw {
namespace {

QRgb Argb(std::uint32_t word) {
  return qRgb(static_cast<int>(word & 0xFF), static_cast<int>((word >> 8) & 0xFF),
              static_cast<int>((word >> 16) & 0xFF));
}

}  // namespace

void PlotPicture::Dot(int x, int y, Colour c) {
  if (!Contains(x, y)) return;
  At(x, y) = Opaque | (c & ColourMask);
  record_.Dot(x, y, c);
}

std::uint64_t PlotPicture::EndInvertLayer() {
  if (inverted_.empty()) return 0;
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const RecordPoint& p : inverted_) {
    left = std::min(left, p.x);
    top = std::min(top, p.y);
    right = std::max(right, p.x);
    bottom = std::max(bottom, p.y);
  }
  QImage layer(right - left + 1, bottom - top + 1, QImage::Format_ARGB32);
  layer.fill(Qt::transparent);
  // A pixel inverted twice is back as it was, and shows its own colour either way.
  for (const RecordPoint& p : inverted_) layer.setPixel(p.x - left, p.y - top, Argb(At(p.x, p.y)));
  inverted_.clear();
  return record_.Image(left, top, std::move(layer));
}

void PlotPicture::DropInvertLayer(std::uint64_t id) {
  inverted_.clear();
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
