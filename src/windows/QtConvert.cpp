#include "QtConvert.h"

#include <cmath>

namespace lw {

QFont ToQFont(const LabelFont& font) {
  QFont result;
  const QString face = Q(font.FaceName);
  if (face.isEmpty() || face == QStringLiteral("MS Sans Serif")) {
    result.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    result.setStyleHint(QFont::SansSerif);
  } else {
    result.setFamily(face);
  }
  if (font.Height < 0) {
    result.setPixelSize(-font.Height);
  } else if (font.Height > 0) {
    // A positive height is the cell height; the character height is about 4/5 of it.
    result.setPixelSize(std::max(1, font.Height * 4 / 5));
  }
  result.setBold(font.Bold);
  result.setItalic(font.Italic);
  result.setUnderline(font.Underline);
  result.setStrikeOut(font.StrikeOut);
  return result;
}

LabelFont FromQFont(const QFont& font, const LabelFont& base) {
  LabelFont result = base;
  result.FaceName = S(font.family());
  int pixels = font.pixelSize();
  if (pixels <= 0) pixels = static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
  if (pixels <= 0) pixels = 11;
  result.Height = -pixels;
  result.Size =
      font.pointSize() > 0 ? font.pointSize() : static_cast<int>(std::lround(pixels * 72.0 / 96.0));
  result.Bold = font.bold();
  result.Italic = font.italic();
  result.Underline = font.underline();
  result.StrikeOut = font.strikeOut();
  return result;
}

}  // namespace lw
