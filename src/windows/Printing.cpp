#include "windows/Printing.h"

#include <QPainter>
#include <QPrinter>

namespace lw {

bool PrintImage(QPrinter& printer, const QImage& image, bool fitToPage) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // A graph is sharp lines and flat colours, which lossy compression smears.
  painter.setRenderHint(QPainter::LosslessImageRendering);
  if (fitToPage && !image.isNull()) {
    const QRect page = painter.viewport();
    QSize fitted = image.size();
    fitted.scale(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(page.topLeft(), fitted), image);
  } else {
    // Painter units are the printer's device pixels: one picture pixel each.
    painter.drawImage(QPoint(0, 0), image);
  }
  return painter.end();
}

}  // namespace lw
