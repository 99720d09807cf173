#include "PlotView.h"

#include <QPainter>
#include <QResizeEvent>

#include "Program.h"

namespace lw {

PlotView::PlotView(QWidget* parent, Program& program) : QWidget(parent), program_(program) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(1, 1);
}

void PlotView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  // Only the exposed part is copied; the picture holds everything drawn so far.
  const QImage image = program_.Picture().ToImage(width(), height());
  painter.drawImage(area.topLeft(), image, area);
}

void PlotView::resizeEvent(QResizeEvent* event) {
  program_.SetViewSize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

Panel3D::Panel3D(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setCursor(Qt::PointingHandCursor);
}

}  // namespace lw
