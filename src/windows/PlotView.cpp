#include "PlotView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "Program.h"

namespace lw {

PlotView::PlotView(QWidget* parent, Program& program) : QWidget(parent), program_(program) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(1, 1);
  setMouseTracking(true);
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

void PlotView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  program_.ShowPointerPosition(at.x(), at.y());
  QWidget::mouseMoveEvent(event);
}

Panel3D::Panel3D(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setCursor(Qt::PointingHandCursor);
}

}  // namespace lw
