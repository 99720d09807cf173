#include "plot2d/VectorRecord.h"

#include <algorithm>
#include <array>
#include <utility>

namespace lw {
namespace {

// The classic raster dash patterns.
constexpr std::array<int, 2> kDash{18, 6};
constexpr std::array<int, 2> kDot{3, 3};
constexpr std::array<int, 4> kDashDot{9, 6, 3, 6};
constexpr std::array<int, 6> kDashDotDot{9, 3, 3, 3, 3, 3};

}  // namespace

std::span<const int> LinePattern(int style) {
  switch (style) {
    case Dash:
      return kDash;
    case Dot:
      return kDot;
    case DashDot:
      return kDashDot;
    case DashDotDot:
      return kDashDotDot;
    default:
      return {};
  }
}

void VectorRecord::Clear(Colour background) {
  background_ = background & 0x00FFFFFF;
  items_.clear();
}

bool VectorRecord::HasImages() const {
  return std::any_of(items_.begin(), items_.end(), [](const RecordItem& item) {
    return std::holds_alternative<RecordImage>(item);
  });
}

void VectorRecord::Line(Colour colour, int style, int width, RecordPoint from, RecordPoint to,
                        bool continues) {
  colour &= 0x00FFFFFF;
  if (continues && !items_.empty()) {
    if (auto* last = std::get_if<RecordStroke>(&items_.back());
        last != nullptr && last->colour == colour && last->style == style && last->width == width &&
        !last->points.empty() && last->points.back() == from) {
      last->points.push_back(to);
      return;
    }
  }
  items_.emplace_back(RecordStroke{colour, style, width, {from, to}});
}

void VectorRecord::Dot(int x, int y, Colour colour) {
  colour &= 0x00FFFFFF;
  if (!items_.empty()) {
    if (auto* last = std::get_if<RecordDots>(&items_.back()); last && last->colour == colour) {
      last->points.push_back({x, y});
      return;
    }
  }
  items_.emplace_back(RecordDots{colour, {{x, y}}});
}

void VectorRecord::Rect(int left, int top, int right, int bottom, Colour colour) {
  if (right <= left || bottom <= top) return;
  items_.emplace_back(RecordRect{left, top, right, bottom, colour & 0x00FFFFFF});
}

void VectorRecord::Text(RecordText text) {
  if (text.utf8.empty()) return;
  text.colour &= 0x00FFFFFF;
  items_.emplace_back(std::move(text));
}

std::uint64_t VectorRecord::Image(int x, int y, QImage pixels) {
  if (pixels.isNull()) return 0;
  const std::uint64_t id = nextId_++;
  items_.emplace_back(RecordImage{x, y, std::move(pixels), id});
  return id;
}

void VectorRecord::RemoveImage(std::uint64_t id) {
  if (id == 0) return;
  const auto it = std::find_if(items_.begin(), items_.end(), [id](const RecordItem& item) {
    const auto* image = std::get_if<RecordImage>(&item);
    return image != nullptr && image->id == id;
  });
  if (it != items_.end()) items_.erase(it);
}

}  // namespace lw
