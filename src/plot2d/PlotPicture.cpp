#include "plot2d/PlotPicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#ifdef __linux__
#include <sys/mman.h>
#endif
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>

namespace lw {
namespace {

// Whether the pattern has ink at this step; a wide pen stretches its pattern.
bool PatternInk(std::span<const int> pattern, int width, std::int64_t step) {
  std::int64_t period = 0;
  for (int part : pattern) period += part;
  std::int64_t pos = step % (period * width);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const std::int64_t len = static_cast<std::int64_t>(pattern[i]) * width;
    if (pos < len) return i % 2 == 0;
    pos -= len;
  }
  return false;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {  // b > 0
  std::int64_t q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {  // b > 0
  return -FloorDiv(-a, b);
}

// Segments with an end further out than this are cut back first, so that the exact
// integer walk below cannot overflow; such ends lie far outside any picture.
constexpr double kFar = 536870912.0;  // 2^29

// Liang-Barsky cut of the segment to the square |x|, |y| <= kFar.
bool CutToFarSquare(double& x0, double& y0, double& x1, double& y1) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const std::array<double, 4> p{-dx, dx, -dy, dy};
  const std::array<double, 4> q{x0 + kFar, kFar - x0, y0 + kFar, kFar - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
  }
  if (t0 > t1) return false;
  const double nx0 = x0 + t0 * dx;
  const double ny0 = y0 + t0 * dy;
  x1 = std::round(x0 + t1 * dx);
  y1 = std::round(y0 + t1 * dy);
  x0 = std::round(nx0);
  y0 = std::round(ny0);
  return true;
}

// Integer ends, cut back only when one lies further out than kFar; false when the
// segment misses the square altogether.
bool CutFarEnds(std::int64_t& x0, std::int64_t& y0, std::int64_t& x1, std::int64_t& y1) {
  if (std::max({std::abs(x0), std::abs(y0), std::abs(x1), std::abs(y1)}) <= kFar) return true;
  double fx0 = static_cast<double>(x0), fy0 = static_cast<double>(y0);
  double fx1 = static_cast<double>(x1), fy1 = static_cast<double>(y1);
  if (!CutToFarSquare(fx0, fy0, fx1, fy1)) return false;
  x0 = static_cast<std::int64_t>(fx0);
  y0 = static_cast<std::int64_t>(fy0);
  x1 = static_cast<std::int64_t>(fx1);
  y1 = static_cast<std::int64_t>(fy1);
  return true;
}

}  // namespace

// A whole picture is 7.7 MB: faulted in 2 MB at a time where the system offers huge
// pages, it costs a few page faults instead of some two thousand, which were a fifth
// of a short command's time. Only the aligned part of the block can take them.
void PlotPicture::AdviseHugePages([[maybe_unused]] void* start,
                                  [[maybe_unused]] std::size_t bytes) {
#ifdef __linux__
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto begin = reinterpret_cast<std::uintptr_t>(start);
  const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
  // Advice only: a refusal changes nothing.
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

PlotPicture::Size PlotPicture::SizeForView(int viewWidth, int viewHeight) {
  return Size{std::clamp(viewWidth, DefaultWidth, MaxWidth),
              std::clamp(viewHeight, DefaultHeight, MaxHeight)};
}

PlotPicture::PlotPicture(int width, int height, Colour background)
    : width_(std::clamp(width, 1, MaxWidth)), height_(std::clamp(height, 1, MaxHeight)) {
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  pixels_.reserve(count);
  AdviseHugePages(pixels_.data(), count * sizeof(std::uint32_t));
  pixels_.assign(count, Opaque | (background & ColourMask));
  record_.Clear(background);
  SetFont(LabelFont{});
}

void PlotPicture::CopyFrom(const PlotPicture& other) {
  if (this == &other) return;
  width_ = other.width_;
  height_ = other.height_;
  pixels_ = other.pixels_;
  pen_ = other.pen_;
  penX_ = other.penX_;
  penY_ = other.penY_;
  stylePosition_ = other.stylePosition_;
  record_ = other.record_;
  strokeOpen_ = other.strokeOpen_;
  touched_ = other.touched_;
}

void PlotPicture::CopyColumns(const PlotPicture& other, int x0, int x1) {
  x0 = std::max(x0, 0);
  x1 = std::min({x1, width_, other.width_});
  const int rows = std::min(height_, other.height_);
  if (x0 >= x1) return;
  const auto count = static_cast<std::size_t>(x1 - x0);
  for (int y = 0; y < rows; ++y) std::copy_n(&other.At(x0, y), count, &At(x0, y));
}

bool PlotPicture::Grow(int width, int height, Colour background) {
  const int w = std::max(width_, std::min(width, MaxWidth));
  const int h = std::max(height_, std::min(height, MaxHeight));
  if (w == width_ && h == height_) return false;
  std::vector<std::uint32_t> grown(static_cast<std::size_t>(w) * static_cast<std::size_t>(h),
                                   Opaque | (background & ColourMask));
  for (int y = 0; y < height_; ++y) {
    std::copy_n(&At(0, y), width_,
                &grown[static_cast<std::size_t>(y) * static_cast<std::size_t>(w)]);
  }
  pixels_ = std::move(grown);
  record_.Rect(width_, 0, w, h, background);
  record_.Rect(0, height_, width_, h, background);
  width_ = w;
  height_ = h;
  return true;
}

PlotPicture::Column PlotPicture::ColumnFrom(int x, int yBottom, int count) {
  Column column;
  if (static_cast<unsigned>(x) >= static_cast<unsigned>(width_)) return column;
  // Samples first .. end-1 lie on rows yBottom - r in [0, height).
  const int first = std::max(0, yBottom - (height_ - 1));
  const int end = std::min(count, yBottom + 1);
  if (first >= end) return column;  // none: an empty range at 0, within any walk
  column.first_ = first;
  column.end_ = end;
  column.stride_ = width_;
  column.firstWord_ = &At(x, yBottom - first);
  return column;
}

void PlotPicture::Fill(Colour c) {
  std::fill(pixels_.begin(), pixels_.end(), Opaque | (c & ColourMask));
  record_.Clear(c);
  touched_.clear();
}

void PlotPicture::FillRect(int left, int top, int right, int bottom, Colour c) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) At(x, y) = Opaque | (c & ColourMask);
  }
  record_.Rect(left, top, right, bottom, c);
}

void PlotPicture::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
  stylePosition_ = 0;
  strokeOpen_ = false;
}

void PlotPicture::LineTo(int x, int y) {
  if (pen_.mode == PenMode::Copy && (x != penX_ || y != penY_)) {
    record_.Line(pen_.colour, pen_.style, pen_.width, {penX_, penY_}, {x, y}, strokeOpen_);
    strokeOpen_ = true;
  }
  DrawSegment(penX_, penY_, x, y);
  penX_ = x;
  penY_ = y;
}

void PlotPicture::PlotPenPixel(int x, int y) {
  if (!Contains(x, y)) return;
  std::uint32_t& p = At(x, y);
  switch (pen_.mode) {
    case PenMode::Copy:
      p = Opaque | (pen_.colour & ColourMask);
      break;
    case PenMode::Xor:
      p ^= (pen_.colour & ColourMask);
      touched_.push_back({x, y});
      break;
    case PenMode::Invert:
      p ^= ColourMask;
      touched_.push_back({x, y});
      break;
  }
}

// A wide pen covers, at each step of the walk, a run of pixels across the major axis,
// so no pixel of one segment is touched twice.
void PlotPicture::StampAcross(int x, int y, bool xMajor) {
  const int w = std::max(pen_.width, 1);
  const int first = -(w / 2);
  for (int j = first; j < first + w; ++j) {
    if (xMajor) {
      PlotPenPixel(x, y + j);
    } else {
      PlotPenPixel(x + j, y);
    }
  }
}

// Integer line walk: step i lies at major = m0 + i and minor = n0 + round(i * slope);
// both are known in closed form, so the walk starts and ends where the segment meets
// the picture instead of stepping through the far-away part.
void PlotPicture::DrawSegment(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  const std::int64_t steps0 = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  if (steps0 == 0) return;
  if (!CutFarEnds(x0, y0, x1, y1)) return;
  const std::int64_t dx = x1 - x0;
  const std::int64_t dy = y1 - y0;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const std::int64_t n = xMajor ? std::abs(dx) : std::abs(dy);  // steps, last pixel excluded
  if (n == 0) return;
  const std::int64_t a = xMajor ? std::abs(dy) : std::abs(dx);
  const std::int64_t m0 = xMajor ? x0 : y0;
  const std::int64_t n0 = xMajor ? y0 : x0;
  const std::int64_t sMajor = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const std::int64_t sMinor = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  const std::int64_t majorSize = xMajor ? width_ : height_;
  const std::int64_t minorSize = xMajor ? height_ : width_;
  const std::int64_t margin = std::max(pen_.width, 1);

  // Steps whose major coordinate lies inside the picture.
  std::int64_t iLo = sMajor > 0 ? -m0 : m0 - (majorSize - 1);
  std::int64_t iHi = sMajor > 0 ? majorSize - 1 - m0 : m0;
  // Steps whose minor offset k = floor((2ia + n) / 2n) keeps the run near the picture.
  const std::int64_t lo = -margin, hi = minorSize - 1 + margin;
  const std::int64_t kLo = sMinor > 0 ? lo - n0 : n0 - hi;
  const std::int64_t kHi = sMinor > 0 ? hi - n0 : n0 - lo;
  if (a == 0) {
    if (kLo > 0 || kHi < 0) return;
  } else {
    iLo = std::max(iLo, CeilDiv(2 * n * kLo - n, 2 * a));
    iHi = std::min(iHi, CeilDiv(2 * n * (kHi + 1) - n, 2 * a) - 1);
  }
  iLo = std::max<std::int64_t>(iLo, 0);
  iHi = std::min(iHi, n - 1);

  const std::span<const int> pattern = LinePattern(pen_.style);
  const int w = std::max(pen_.width, 1);
  std::int64_t num = 2 * iLo * a + n;
  std::int64_t k = num / (2 * n);
  std::int64_t rem = num % (2 * n);
  for (std::int64_t i = iLo; i <= iHi; ++i) {
    if (pattern.empty() || PatternInk(pattern, w, stylePosition_ + i)) {
      const auto major = static_cast<int>(m0 + sMajor * i);
      const auto minor = static_cast<int>(n0 + sMinor * k);
      if (w == 1) {
        PlotPenPixel(xMajor ? major : minor, xMajor ? minor : major);
      } else {
        StampAcross(xMajor ? major : minor, xMajor ? minor : major, xMajor);
      }
    }
    rem += 2 * a;
    if (rem >= 2 * n) {
      rem -= 2 * n;
      ++k;
    }
  }
  stylePosition_ += steps0;
}

void PlotPicture::FrameRect(int left, int top, int right, int bottom) {
  MoveTo(left, top);
  LineTo(right - 1, top);
  LineTo(right - 1, bottom - 1);
  LineTo(left, bottom - 1);
  LineTo(left, top);
}

void PlotPicture::Ellipse(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  const double cx = (left + right - 1) / 2.0;
  const double cy = (top + bottom - 1) / 2.0;
  const double rx = (right - left - 1) / 2.0;
  const double ry = (bottom - top - 1) / 2.0;
  std::vector<std::pair<int, int>> points;
  // Sampling by columns and by rows gives a closed outline at every slope.
  for (int x = left; x < right; ++x) {
    const double u = rx > 0 ? (x - cx) / rx : 0.0;
    const double d = ry * std::sqrt(std::max(0.0, 1.0 - u * u));
    points.emplace_back(x, static_cast<int>(std::lround(cy - d)));
    points.emplace_back(x, static_cast<int>(std::lround(cy + d)));
  }
  for (int y = top; y < bottom; ++y) {
    const double v = ry > 0 ? (y - cy) / ry : 0.0;
    const double d = rx * std::sqrt(std::max(0.0, 1.0 - v * v));
    points.emplace_back(static_cast<int>(std::lround(cx - d)), y);
    points.emplace_back(static_cast<int>(std::lround(cx + d)), y);
  }
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  for (const auto& [x, y] : points) {
    PlotPenPixel(x, y);
    if (pen_.mode == PenMode::Copy && Contains(x, y)) record_.Dot(x, y, pen_.colour);
  }
}

void PlotPicture::SetFont(const LabelFont& font) {
  QFont f(QString::fromUtf8(font.FaceName.data(), static_cast<qsizetype>(font.FaceName.size())));
  int pixels = font.Height < 0 ? -font.Height : font.Height;
  if (pixels == 0) pixels = (std::max(font.Size, 1) * 96 + 36) / 72;
  f.setPixelSize(std::max(pixels, 1));
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  f.setUnderline(font.Underline);
  f.setStrikeOut(font.StrikeOut);
  // Labels are plain pixels, as on the classic raster: no smoothing.
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  font_ = f;
  fontColour_ = font.Color & ColourMask;
  recordFont_ = RecordFont{font.FaceName, std::max(pixels, 1), font.Bold,
                           font.Italic,   font.Underline,      font.StrikeOut};
  fontAscent_ = QFontMetrics(font_).ascent();
}

QImage PlotPicture::Wrap() {
  return QImage(reinterpret_cast<uchar*>(pixels_.data()), width_, height_,
                static_cast<qsizetype>(width_) * 4, QImage::Format_RGBX8888);
}

void PlotPicture::DrawText(int x, int y, std::string_view utf8) {
  if (utf8.empty()) return;
  QImage target = Wrap();
  QPainter painter(&target);
  painter.setFont(font_);
  const int r = static_cast<int>(fontColour_ & 0xFF);
  const int g = static_cast<int>((fontColour_ >> 8) & 0xFF);
  const int b = static_cast<int>((fontColour_ >> 16) & 0xFF);
  painter.setPen(QColor(r, g, b));
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.drawText(x, y + fontAscent_,
                   QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  record_.Text(RecordText{x, y, y + fontAscent_, recordFont_, fontColour_, std::string(utf8)});
}

int PlotPicture::TextWidth(std::string_view utf8) const {
  const QFontMetrics metrics(font_);
  return metrics.horizontalAdvance(
      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

int PlotPicture::TextHeight(std::string_view) const {
  return QFontMetrics(font_).height();
}

QImage PlotPicture::ToImage(int w, int h) const {
  QImage image(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  image.fill(Qt::black);
  const int cw = std::min(image.width(), width_);
  const int ch = std::min(image.height(), height_);
  for (int y = 0; y < ch; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < cw; ++x) {
      const std::uint32_t c = At(x, y);
      row[x] = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                    static_cast<int>((c >> 16) & 0xFF));
    }
  }
  return image;
}

void PlotPicture::RgbRow(int y, int count, std::uint8_t* rgb) const {
  const int inside = y >= 0 && y < height_ ? std::clamp(count, 0, width_) : 0;
  const std::uint32_t* row = inside > 0 ? &At(0, y) : nullptr;
  for (int x = 0; x < inside; ++x, rgb += 3) {
    const std::uint32_t c = row[x];
    rgb[0] = static_cast<std::uint8_t>(c);
    rgb[1] = static_cast<std::uint8_t>(c >> 8);
    rgb[2] = static_cast<std::uint8_t>(c >> 16);
  }
  if (count > inside) std::memset(rgb, 0, static_cast<std::size_t>(count - inside) * 3);
}

bool PlotPicture::RowRepeats(int y, int count) const {
  if (y < 1 || y >= height_) return false;
  const auto words = static_cast<std::size_t>(std::clamp(count, 0, width_));
  return std::memcmp(&At(0, y), &At(0, y - 1), words * sizeof(std::uint32_t)) == 0;
}

QImage PlotPicture::TakeImage(int w, int h) {
  if (w < 1 || h < 1 || w > width_ || h > height_) {
    const QImage copy = ToImage(w, h);
    Release();
    return copy;
  }
  // 0xFFBBGGRR words become the screen format's 0xFFRRGGBB where the image shows them.
  for (int y = 0; y < h; ++y) {
    std::uint32_t* word = &At(0, y);
    for (int x = 0; x < w; ++x, ++word) {
      const std::uint32_t c = *word;
      *word = (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
    }
  }
  auto* owned = new std::vector<std::uint32_t>(std::move(pixels_));
  const QImage image(
      reinterpret_cast<uchar*>(owned->data()), w, h, static_cast<qsizetype>(width_) * 4,
      QImage::Format_RGB32,
      [](void* info) { delete static_cast<std::vector<std::uint32_t>*>(info); }, owned);
  Release();
  return image;
}

void PlotPicture::Release() {
  width_ = 1;
  height_ = 1;
  pixels_.assign(1, Opaque | ColourMask);
}

void PlotPicture::PasteImage(const QImage& image) {
  const QImage source = image.convertToFormat(QImage::Format_RGB32);
  const int cw = std::min(source.width(), width_);
  const int ch = std::min(source.height(), height_);
  for (int y = 0; y < ch; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (int x = 0; x < cw; ++x) {
      const QRgb c = row[x];
      At(x, y) = Opaque | static_cast<std::uint32_t>(qRed(c)) |
                 (static_cast<std::uint32_t>(qGreen(c)) << 8) |
                 (static_cast<std::uint32_t>(qBlue(c)) << 16);
    }
  }
  if (cw > 0 && ch > 0) {
    record_.Image(0, 0, source.copy(0, 0, cw, ch).convertToFormat(QImage::Format_ARGB32), true);
  }
}

}  // namespace lw
