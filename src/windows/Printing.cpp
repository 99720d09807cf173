#include "windows/Printing.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "plot2d/VectorFormats.h"

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

bool PrintRecord(QPrinter& printer, const VectorRecord& record, int width, int height,
                 bool fitToPage) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  if (fitToPage && width > 0 && height > 0) {
    const QRect page = painter.viewport();
    const double scale = std::min(static_cast<double>(page.width()) / width,
                                  static_cast<double>(page.height()) / height);
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
  }
  // Unscaled, painter units are the printer's device pixels: one picture pixel each.
  PaintRecord(painter, record, width, height);
  return painter.end();
}

}  // namespace lw
