#include "plot2d/VectorFormats.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPolygonF>
#include <algorithm>
#include <charconv>
#include <span>

namespace lw {
namespace {

// Lines run through the middle of their pixels, as the raster draws them.
constexpr double kCentre = 0.5;

class SvgText {
 public:
  void Raw(std::string_view text) { out_ += text; }
  void Int(long long v) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    out_.append(buffer, end);
  }
  // A pixel position's middle, v + 0.5, exactly: -3 gives "-2.5".
  void Middle(int v) {
    if (v < 0) {
      out_ += '-';
      Int(-(static_cast<long long>(v) + 1));
    } else {
      Int(v);
    }
    out_ += ".5";
  }
  void Colour(Colour c) {
    static constexpr char kHex[] = "0123456789abcdef";
    const unsigned rgb[3] = {c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu};
    out_ += '#';
    for (unsigned v : rgb) {
      out_ += kHex[v >> 4];
      out_ += kHex[v & 15];
    }
  }
  void Escaped(std::string_view text) {
    for (char ch : text) {
      switch (ch) {
        case '&':
          out_ += "&amp;";
          break;
        case '<':
          out_ += "&lt;";
          break;
        case '>':
          out_ += "&gt;";
          break;
        case '"':
          out_ += "&quot;";
          break;
        default:
          // Control characters have no place in XML text.
          if (static_cast<unsigned char>(ch) >= 0x20) out_ += ch;
      }
    }
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

void SvgStroke(SvgText& svg, const RecordStroke& s) {
  svg.Raw("<polyline fill=\"none\" stroke=\"");
  svg.Colour(s.colour);
  svg.Raw("\" stroke-width=\"");
  svg.Int(std::max(s.width, 1));
  svg.Raw("\" stroke-linejoin=\"round\"");
  const std::span<const int> pattern = LinePattern(s.style);
  if (!pattern.empty()) {
    svg.Raw(" stroke-dasharray=\"");
    for (std::size_t i = 0; i < pattern.size(); ++i) {
      if (i > 0) svg.Raw(" ");
      svg.Int(static_cast<long long>(pattern[i]) * std::max(s.width, 1));
    }
    svg.Raw("\"");
  }
  svg.Raw(" points=\"");
  for (std::size_t i = 0; i < s.points.size(); ++i) {
    if (i > 0) svg.Raw(" ");
    svg.Middle(s.points[i].x);
    svg.Raw(",");
    svg.Middle(s.points[i].y);
  }
  svg.Raw("\"/>\n");
}

void SvgDots(SvgText& svg, const RecordDots& d) {
  svg.Raw("<path fill=\"");
  svg.Colour(d.colour);
  svg.Raw("\" d=\"");
  for (const RecordPoint& p : d.points) {
    svg.Raw("M");
    svg.Int(p.x);
    svg.Raw(" ");
    svg.Int(p.y);
    svg.Raw("h1v1h-1z");
  }
  svg.Raw("\"/>\n");
}

void SvgRect(SvgText& svg, const RecordRect& r) {
  svg.Raw("<rect x=\"");
  svg.Int(r.left);
  svg.Raw("\" y=\"");
  svg.Int(r.top);
  svg.Raw("\" width=\"");
  svg.Int(r.right - r.left);
  svg.Raw("\" height=\"");
  svg.Int(r.bottom - r.top);
  svg.Raw("\" fill=\"");
  svg.Colour(r.colour);
  svg.Raw("\"/>\n");
}

void SvgTextItem(SvgText& svg, const RecordText& t) {
  svg.Raw("<text x=\"");
  svg.Int(t.x);
  svg.Raw("\" y=\"");
  svg.Int(t.baseline);
  svg.Raw("\" font-family=\"");
  svg.Escaped(t.font.family);
  svg.Raw(", sans-serif\" font-size=\"");
  svg.Int(t.font.pixelSize);
  svg.Raw("\"");
  if (t.font.bold) svg.Raw(" font-weight=\"bold\"");
  if (t.font.italic) svg.Raw(" font-style=\"italic\"");
  if (t.font.underline || t.font.strikeOut) {
    svg.Raw(" text-decoration=\"");
    if (t.font.underline) svg.Raw("underline ");
    if (t.font.strikeOut) svg.Raw("line-through");
    svg.Raw("\"");
  }
  svg.Raw(" fill=\"");
  svg.Colour(t.colour);
  svg.Raw("\" xml:space=\"preserve\">");
  svg.Escaped(t.utf8);
  svg.Raw("</text>\n");
}

void SvgImage(SvgText& svg, const RecordImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.pixels.save(&buffer, "PNG")) return;
  svg.Raw("<image x=\"");
  svg.Int(image.x);
  svg.Raw("\" y=\"");
  svg.Int(image.y);
  svg.Raw("\" width=\"");
  svg.Int(image.pixels.width());
  svg.Raw("\" height=\"");
  svg.Int(image.pixels.height());
  // Pixels stay square pixels when the drawing is enlarged.
  svg.Raw("\" image-rendering=\"pixelated\" style=\"image-rendering:pixelated\" href=\"");
  svg.Raw("data:image/png;base64,");
  const QByteArray base64 = png.toBase64();
  svg.Raw(std::string_view(base64.constData(), static_cast<std::size_t>(base64.size())));
  svg.Raw("\"/>\n");
}

QColor ToQColor(Colour c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

void PaintStroke(QPainter& painter, const RecordStroke& s) {
  QPen pen(ToQColor(s.colour));
  pen.setWidth(std::max(s.width, 1));
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::RoundJoin);
  const std::span<const int> pattern = LinePattern(s.style);
  if (!pattern.empty()) {
    // QPen counts dashes in pen widths, as the raster stretches its pattern.
    QList<qreal> dashes;
    for (int part : pattern) dashes.append(part);
    pen.setDashPattern(dashes);
  }
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  QPolygonF line;
  line.reserve(static_cast<qsizetype>(s.points.size()));
  for (const RecordPoint& p : s.points) line.append(QPointF(p.x + kCentre, p.y + kCentre));
  painter.drawPolyline(line);
}

void PaintDots(QPainter& painter, const RecordDots& d) {
  QPainterPath path;
  for (const RecordPoint& p : d.points) path.addRect(p.x, p.y, 1, 1);
  painter.fillPath(path, ToQColor(d.colour));
}

void PaintText(QPainter& painter, const RecordText& t) {
  QFont font(QString::fromStdString(t.font.family));
  font.setPixelSize(std::max(t.font.pixelSize, 1));
  font.setBold(t.font.bold);
  font.setItalic(t.font.italic);
  font.setUnderline(t.font.underline);
  font.setStrikeOut(t.font.strikeOut);
  painter.setFont(font);
  painter.setPen(ToQColor(t.colour));
  painter.drawText(QPointF(t.x, t.baseline), QString::fromStdString(t.utf8));
}

void PaintItem(QPainter& painter, const RecordItem& item) {
  if (const auto* s = std::get_if<RecordStroke>(&item)) return PaintStroke(painter, *s);
  if (const auto* d = std::get_if<RecordDots>(&item)) return PaintDots(painter, *d);
  if (const auto* r = std::get_if<RecordRect>(&item)) {
    return painter.fillRect(QRect(r->left, r->top, r->right - r->left, r->bottom - r->top),
                            ToQColor(r->colour));
  }
  if (const auto* t = std::get_if<RecordText>(&item)) return PaintText(painter, *t);
  if (const auto* i = std::get_if<RecordImage>(&item)) {
    if (painter.paintEngine() == nullptr || painter.paintEngine()->type() != QPaintEngine::Pdf) {
      return painter.drawImage(QPoint(i->x, i->y), i->pixels);
    }
    // Some PDF renderers widen an image whose edges lie on whole units by one pixel,
    // which smears every pixel into its neighbour; a hair less keeps it pixel for pixel.
    const QSizeF size(i->pixels.width() - 0.01, i->pixels.height() - 0.01);
    painter.drawImage(QRectF(QPointF(i->x, i->y), size), i->pixels);
  }
}

}  // namespace

std::string EncodeSvg(const VectorRecord& record, int width, int height) {
  SvgText svg;
  svg.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" ");
  svg.Raw("width=\"");
  svg.Int(width);
  svg.Raw("\" height=\"");
  svg.Int(height);
  svg.Raw("\" viewBox=\"0 0 ");
  svg.Int(width);
  svg.Raw(" ");
  svg.Int(height);
  svg.Raw("\">\n");
  SvgRect(svg, RecordRect{0, 0, width, height, record.Background()});
  for (const RecordItem& item : record.Items()) {
    if (const auto* s = std::get_if<RecordStroke>(&item)) {
      SvgStroke(svg, *s);
    } else if (const auto* d = std::get_if<RecordDots>(&item)) {
      SvgDots(svg, *d);
    } else if (const auto* r = std::get_if<RecordRect>(&item)) {
      SvgRect(svg, *r);
    } else if (const auto* t = std::get_if<RecordText>(&item)) {
      SvgTextItem(svg, *t);
    } else if (const auto* i = std::get_if<RecordImage>(&item)) {
      SvgImage(svg, *i);
    }
  }
  svg.Raw("</svg>\n");
  return svg.Take();
}

void PaintRecord(QPainter& painter, const VectorRecord& record, int width, int height) {
  painter.save();
  // Graph pixels are sharp edges and flat colours, which lossy compression smears.
  painter.setRenderHint(QPainter::LosslessImageRendering);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setClipRect(QRect(0, 0, width, height));
  painter.fillRect(QRect(0, 0, width, height), ToQColor(record.Background()));
  for (const RecordItem& item : record.Items()) PaintItem(painter, item);
  painter.restore();
}

std::string EncodePdf(const VectorRecord& record, int width, int height) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Linewright"));
    writer.setResolution(96);
    // 96 pixels to the inch is 0.75 points a pixel; the page is exactly the picture.
    const QPageSize page(QSizeF(width * 0.75, height * 0.75), QPageSize::Point, QString(),
                         QPageSize::ExactMatch);
    writer.setPageLayout(
        QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    PaintRecord(painter, record, width, height);
    if (!painter.end()) return {};
  }
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace lw
