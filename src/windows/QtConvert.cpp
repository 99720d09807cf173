#include "windows/QtConvert.h"

#include <QFontDatabase>
#include <QFontInfo>
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

namespace {

int PointSize(const LabelFont& font) {
  if (font.Height < 0)
    return std::max(1, static_cast<int>(std::lround(-font.Height * 72.0 / 96.0)));
  if (font.Size > 0) return font.Size;
  return 8;
}

// The family's plain style with the given weight and slant ("Book" rather than
// "Condensed" or "ExtraLight"); empty when the family has none. The slant is read
// from the style's font: the database calls only true italics italic, not obliques.
QString MatchingStyle(const QString& family, bool bold, bool italic) {
  const int weight = bold ? QFont::Bold : QFont::Normal;
  QString best;
  for (const QString& style : QFontDatabase::styles(family)) {
    const QFont face = QFontDatabase::font(family, style, 10);
    if (QFontDatabase::weight(family, style) != weight || face.italic() != italic) continue;
    if (best.isEmpty() || style.size() < best.size()) best = style;
  }
  return best;
}

bool SameChoice(const QFont& a, const QFont& b) {
  return a.family() == b.family() && a.styleName() == b.styleName() && a.bold() == b.bold() &&
         a.italic() == b.italic() && a.pointSize() == b.pointSize() &&
         a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

}  // namespace

QFont DialogFont(const LabelFont& font) {
  const QString family = QFontInfo(ToQFont(font)).family();
  QFont result(family);
  const QString style = MatchingStyle(family, font.Bold, font.Italic);
  if (!style.isEmpty()) {
    result = QFontDatabase::font(family, style, PointSize(font));
    result.setStyleName(style);
  }
  result.setBold(font.Bold);
  result.setItalic(font.Italic);
  result.setPointSize(PointSize(font));
  result.setUnderline(font.Underline);
  result.setStrikeOut(font.StrikeOut);
  return result;
}

LabelFont ChosenFont(const QFont& chosen, const LabelFont& initial) {
  if (SameChoice(chosen, DialogFont(initial))) return initial;
  return FromQFont(chosen, initial);
}

}  // namespace lw
