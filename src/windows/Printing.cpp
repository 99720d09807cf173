#include "Printing.h"

#include <QPainter>
#include <QPrinter>

namespace lw {

bool PrintImage(QPrinter& printer, const QImage& image) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // Painter units are the printer's device pixels: one picture pixel each.
  painter.drawImage(QPoint(0, 0), image);
  return painter.end();
}

}  // namespace lw
