// The off-screen 2D picture: a 24-bit raster with a pen, a font and the handful of
// operations the 2D builders, axes and overlays need, all with predictable pixels.
// Colours are 0x00BBGGRR; they are turned into the screen format only by ToImage.
#pragma once

#include <QFont>
#include <QImage>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "document/Appearance.h"
#include "document/GraphLists.h"
#include "plot2d/VectorRecord.h"

namespace lw {

static_assert(std::endian::native == std::endian::little,
              "pixels are kept as 0x00BBGGRR words, read by QPainter as R, G, B, X bytes");

enum class PenMode : std::uint8_t {
  Copy,    // the pixel takes the pen colour
  Xor,     // the pixel is XORed with the pen colour
  Invert,  // the pixel takes its bitwise complement; the pen colour does not matter
};

struct Pen {
  Colour colour = 0;
  int style = Solid;  // LineStyle
  int width = 1;
  PenMode mode = PenMode::Copy;
  bool operator==(const Pen&) const = default;
};

class PlotPicture {
 public:
  static constexpr int DefaultWidth = 1600;
  static constexpr int DefaultHeight = 1200;
  // The largest picture a plot view can ask for (or the command line can make).
  static constexpr int MaxWidth = 8192;
  static constexpr int MaxHeight = 8192;

  struct Size {
    int width = DefaultWidth;
    int height = DefaultHeight;
    bool operator==(const Size&) const = default;
  };
  // The picture a plot view of this size shows: at least the default size, so small
  // views keep drawing into the same pixels as ever, at least the view, at most the
  // maximum.
  static Size SizeForView(int viewWidth, int viewHeight);

  // Starts white (or in the given background colour), with a black solid copy pen of
  // width 1 and the default label font. The size is limited to 1 .. the maximum along
  // each side.
  explicit PlotPicture(int width = DefaultWidth, int height = DefaultHeight,
                       Colour background = ColourMask);
  explicit PlotPicture(Size size) : PlotPicture(size.width, size.height) {}
  PlotPicture(Size size, Colour background) : PlotPicture(size.width, size.height, background) {}
  PlotPicture(const PlotPicture&) = delete;
  PlotPicture& operator=(const PlotPicture&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Enlarges the picture to at least width x height (within the maximum): what it
  // held stays at its top-left, the new pixels take the background colour. It never
  // shrinks. True when the size changed.
  bool Grow(int width, int height, Colour background);
  bool Contains(int x, int y) const {
    return static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(height_);
  }

  // Pixels outside the picture are ignored; reading one gives InvalidColour.
  static constexpr Colour InvalidColour = 0xFFFFFFFF;
  // SetPixel and XorPixel are not recorded: their callers record the layer they make.
  void SetPixel(int x, int y, Colour c) {
    if (Contains(x, y)) At(x, y) = Opaque | (c & ColourMask);
  }
  // A pixel that is recorded as a dot.
  void Dot(int x, int y, Colour c);
  // An XORed pixel that joins the next EndPixelLayer.
  void XorDot(int x, int y, Colour c);
  void XorPixel(int x, int y, Colour c) {
    if (Contains(x, y)) At(x, y) ^= (c & ColourMask);
  }
  Colour GetPixel(int x, int y) const {
    return Contains(x, y) ? (At(x, y) & ColourMask) : InvalidColour;
  }

  // Column x from row yBottom upwards, for the builders' column walks: sample r of the
  // walk lies on row yBottom - r, and the rows inside the picture are the samples
  // First() <= r < End(). A cursor starts at sample First() and moves up a row at a
  // time; it may be set or XORed only while it is before End().
  class Column {
   public:
    class Cursor {
     public:
      void Set(Colour c) const { *word_ = Opaque | (c & ColourMask); }
      void Xor(Colour c) const { *word_ ^= c & ColourMask; }
      void Up() { word_ -= stride_; }

     private:
      friend class Column;
      Cursor(std::uint32_t* word, std::ptrdiff_t stride) : word_(word), stride_(stride) {}
      std::uint32_t* word_;
      std::ptrdiff_t stride_;
    };

    int First() const { return first_; }
    int End() const { return end_; }
    Cursor Start() const { return Cursor(firstWord_, stride_); }

   private:
    friend class PlotPicture;
    std::uint32_t* firstWord_ = nullptr;  // the pixel of sample First()
    std::ptrdiff_t stride_ = 0;
    int first_ = 0, end_ = 0;
  };
  // The rows of column x that samples 0 .. count-1 reach; none (First() = End() = 0)
  // when x is outside or no sample reaches the picture.
  Column ColumnFrom(int x, int yBottom, int count);

  // The whole picture in one colour.
  void Fill(Colour c);
  // Solid fill of the pixels left <= x < right, top <= y < bottom (clipped).
  void FillRect(int left, int top, int right, int bottom, Colour c);

  // Lines in copy mode are recorded as strokes; in XOR or inversion mode their pixels
  // are gathered for EndPixelLayer.
  void SetPen(const Pen& pen) { pen_ = pen; }
  const Pen& CurrentPen() const { return pen_; }
  void MoveTo(int x, int y);
  // Draws with the pen from the current position up to, but not including, (x, y),
  // so joints of a polyline are drawn once and XOR drawing twice restores exactly.
  void LineTo(int x, int y);
  // Outline of left <= x < right, top <= y < bottom with the pen, as a closed polyline.
  void FrameRect(int left, int top, int right, int bottom);
  // One-pixel outline of the ellipse inscribed in left <= x < right, top <= y < bottom,
  // in the pen's colour and mode; every outline pixel is touched exactly once.
  void Ellipse(int left, int top, int right, int bottom);

  void SetFont(const LabelFont& font);
  // Text with its top-left corner at (x, y), in the font's colour, without background.
  void DrawText(int x, int y, std::string_view utf8);
  int TextWidth(std::string_view utf8) const;
  int TextHeight(std::string_view utf8) const;

  // The top-left w x h part in the screen format; anything beyond the picture is black.
  QImage ToImage(int w, int h) const;
  // The R, G, B bytes of the first count pixels of row y, black beyond the picture.
  void RgbRow(int y, int count, std::uint8_t* rgb) const;
  // True when the first count pixels of row y (at least 1) equal those of the row
  // above, both inside the picture; false when that is not known.
  bool RowRepeats(int y, int count) const;
  // The same as ToImage, but made in place from the picture's own pixels, so that a
  // large picture is never held twice on its way to a file; the picture is used up
  // (left 1 x 1).
  QImage TakeImage(int w, int h);
  // Copies an image into the top-left corner (the rest keeps its pixels).
  void PasteImage(const QImage& image);
  // The shapes drawn so far, kept in step with the pixels (see VectorRecord).
  const VectorRecord& Record() const { return record_; }
  // The pixels drawn by XOR or inverting pens and by XorDot since the last call become
  // one layer of the record; its id, or 0 when there were none.
  std::uint64_t EndPixelLayer();
  // Forgets the pixels drawn so since the last EndPixelLayer and takes the layer id out
  // of the record: inverting the same pixels again has erased it.
  void DropPixelLayer(std::uint64_t id);
  // A field of pixels drawn within the rectangle (clipped to the picture) becomes one
  // layer of the record: of one colour, only its pixels of that colour (a bit each);
  // otherwise all its pixels as they are now.
  void RecordColourField(int left, int top, int right, int bottom, Colour colour);
  void RecordField(int left, int top, int right, int bottom);

  // The pixels of a rectangle before a drawing that does not record itself (pixels set
  // one by one), so the pixels it changes can be recorded afterwards.
  struct Snapshot {
    int left = 0, top = 0, right = 0, bottom = 0;
    std::vector<std::uint32_t> pixels;
  };
  Snapshot TakeSnapshot(int left, int top, int right, int bottom) const;
  // Records the pixels that differ from the snapshot as one layer (none when none do).
  void RecordChanges(const Snapshot& before);

  // Takes the other picture's size, pixels, record and pen (with its position and dash
  // phase); the font stays. A build on another thread draws into such a copy.
  void CopyFrom(const PlotPicture& other);
  // Copies columns [x0, x1) of the other picture, over the rows both pictures have.
  void CopyColumns(const PlotPicture& other, int x0, int x1);

 private:
  static constexpr std::uint32_t ColourMask = 0x00FFFFFF;
  // QPainter reads the words as RGBX bytes, whose X byte must be opaque.
  static constexpr std::uint32_t Opaque = 0xFF000000;

  std::uint32_t& At(int x, int y) {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
  }
  const std::uint32_t& At(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
  }
  void Release();  // down to one white pixel
  static void AdviseHugePages(void* start, std::size_t bytes);
  void PlotPenPixel(int x, int y);
  void DrawSegment(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
  void StampAcross(int x, int y, bool xMajor);
  QImage Wrap();

  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
  Pen pen_;
  int penX_ = 0;
  int penY_ = 0;
  std::int64_t stylePosition_ = 0;  // along the current polyline, for the dash pattern
  QFont font_;
  Colour fontColour_ = 0;
  RecordFont recordFont_;
  int fontAscent_ = 0;
  VectorRecord record_;
  bool strokeOpen_ = false;           // the pen drew since it was last moved
  std::vector<RecordPoint> touched_;  // by XOR and inverting drawing
};

}  // namespace lw
