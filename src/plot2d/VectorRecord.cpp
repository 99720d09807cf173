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

namespace {

struct Bounds {
  long long left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when unknown
};

Bounds OfPoints(const std::vector<RecordPoint>& points, int margin) {
  if (points.empty()) return {};
  Bounds b{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const RecordPoint& p : points) {
    b.left = std::min<long long>(b.left, p.x);
    b.top = std::min<long long>(b.top, p.y);
    b.right = std::max<long long>(b.right, p.x);
    b.bottom = std::max<long long>(b.bottom, p.y);
  }
  return {b.left - margin, b.top - margin, b.right + margin, b.bottom + margin};
}

// The pixels an item may touch; text has none known, so it is never taken as hidden.
Bounds OfItem(const RecordItem& item) {
  if (const auto* s = std::get_if<RecordStroke>(&item)) return OfPoints(s->points, s->width);
  if (const auto* d = std::get_if<RecordDots>(&item)) return OfPoints(d->points, 0);
  if (const auto* r = std::get_if<RecordRect>(&item)) {
    return {r->left, r->top, r->right - 1LL, r->bottom - 1LL};
  }
  if (const auto* i = std::get_if<RecordImage>(&item)) {
    return {i->x, i->y, i->x + i->pixels.width() - 1LL, i->y + i->pixels.height() - 1LL};
  }
  return {};
}

}  // namespace

std::uint64_t VectorRecord::Image(int x, int y, QImage pixels, bool opaque) {
  if (pixels.isNull()) return 0;
  if (opaque) {
    const Bounds cover{x, y, x + pixels.width() - 1LL, y + pixels.height() - 1LL};
    std::erase_if(items_, [&cover](const RecordItem& item) {
      const Bounds b = OfItem(item);
      return b.left <= b.right && b.top <= b.bottom && b.left >= cover.left &&
             b.right <= cover.right && b.top >= cover.top && b.bottom <= cover.bottom;
    });
  }
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
