// Conversions between the core's records and Qt's types, for the windows.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

#include "document/Appearance.h"

namespace lw {

inline QColor ToQColor(Colour c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

inline Colour FromQColor(const QColor& c) {
  return static_cast<Colour>(c.red()) | (static_cast<Colour>(c.green()) << 8) |
         (static_cast<Colour>(c.blue()) << 16);
}

inline QString Q(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

inline std::string S(const QString& text) {
  return text.toStdString();
}

// Documents name the classic "MS Sans Serif"; it is shown with this system's own
// sans-serif face while the stored name stays as it was.
QFont ToQFont(const LabelFont& font);

// The chosen font as the document stores it; the character set, pitch and colour
// come from base.
LabelFont FromQFont(const QFont& font, const LabelFont& base);

// The font a font dialog opens on for font: the face that is really drawn, its
// style by name and the size in whole points, so the dialog's lists select exactly
// what the picture shows.
QFont DialogFont(const LabelFont& font);

// What the user chose in a dialog opened on DialogFont(initial): initial itself when
// nothing was changed, so confirming an untouched dialog changes nothing.
LabelFont ChosenFont(const QFont& chosen, const LabelFont& initial);

}  // namespace lw
