// What was drawn into the 2D picture, kept as shapes beside its pixels, so the same
// drawing can leave the program at any resolution: strokes, dots, rectangles and text
// in picture pixel coordinates, in drawing order, and for what is a field of pixels by
// nature (regions, colour maps, contours, XOR and inverting drawing, opened pictures)
// the pixels that layer left, as an image transparent where it left the picture alone.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "document/Appearance.h"

namespace lw {

// The dash pattern of a line style, in pixels for a pen of width 1 (a wide pen
// stretches it by its width): on, off, on, ...; empty for a solid line.
std::span<const int> LinePattern(int style);

struct RecordPoint {
  int x = 0;
  int y = 0;
  bool operator==(const RecordPoint&) const = default;
};

// A polyline through pixel positions; the raster draws each piece from its first pixel
// up to, but not including, its last.
struct RecordStroke {
  Colour colour = 0;
  int style = Solid;  // LineStyle
  int width = 1;
  std::vector<RecordPoint> points;
};

// Single pixels of one colour.
struct RecordDots {
  Colour colour = 0;
  std::vector<RecordPoint> points;
};

// A solid fill of left <= x < right, top <= y < bottom.
struct RecordRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  Colour colour = 0;
};

// The font of a text as the picture drew it.
struct RecordFont {
  std::string family;
  int pixelSize = 11;
  bool bold = false, italic = false, underline = false, strikeOut = false;
  bool operator==(const RecordFont&) const = default;
};

// Text whose top-left corner is at (x, top) and whose baseline is at row baseline.
struct RecordText {
  int x = 0;
  int top = 0;
  int baseline = 0;
  RecordFont font;
  Colour colour = 0;
  std::string utf8;
};

// Pixels of a layer with its top-left corner at (x, y): ARGB32, opaque where the layer
// drew, transparent elsewhere.
struct RecordImage {
  int x = 0;
  int y = 0;
  QImage pixels;
  std::uint64_t id = 0;
};

using RecordItem = std::variant<RecordStroke, RecordDots, RecordRect, RecordText, RecordImage>;

class VectorRecord {
 public:
  // Everything drawn so far is gone under a fill of the whole picture.
  void Clear(Colour background);
  Colour Background() const { return background_; }
  const std::vector<RecordItem>& Items() const { return items_; }
  bool HasImages() const;

  // A piece of line with a copy-mode pen; continues the last stroke when it starts
  // where that ended with the same pen and the pen was not lifted in between.
  void Line(Colour colour, int style, int width, RecordPoint from, RecordPoint to, bool continues);
  void Dot(int x, int y, Colour colour);
  void Rect(int left, int top, int right, int bottom, Colour colour);
  void Text(RecordText text);
  // Adds a layer of pixels; its id lets an overlay take it out again (0 for none). An
  // opaque layer also drops the items it hides wholly, so a picture rebuilt again and
  // again without clearing keeps a record of what shows, not of every build.
  std::uint64_t Image(int x, int y, QImage pixels, bool opaque = false);
  // Takes the layer out when it is still there: what lay under it is what shows again.
  void RemoveImage(std::uint64_t id);

 private:
  Colour background_ = 0xFFFFFF;
  std::vector<RecordItem> items_;
  std::uint64_t nextId_ = 1;
};

}  // namespace lw
