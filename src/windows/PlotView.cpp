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
  program_.Analysis().AddObserver(this);
}

PlotView::~PlotView() {
  program_.Analysis().RemoveObserver(this);
}

void PlotView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  // Only the exposed part is copied; the picture holds everything drawn so far.
  const QImage image = program_.Picture().ToImage(width(), height());
  painter.drawImage(area.topLeft(), image, area);
  if (const auto& band = program_.Analysis().Band()) {
    // Inverted, so it shows on any colour of the picture.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1, Qt::DashDotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRect(QPoint(band->startColumn, band->startRow), QPoint(band->endColumn, band->endRow))
            .normalized());
  }
}

void PlotView::SelectionBandChanged() {
  update();
}

void PlotView::resizeEvent(QResizeEvent* event) {
  program_.SetViewSize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  program_.Analysis().PointerMoved(at.x(), at.y());
  QWidget::mouseMoveEvent(event);
}

void PlotView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  program_.Analysis().ButtonDown(at.x(), at.y());
  QWidget::mousePressEvent(event);
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  program_.Analysis().ButtonUp(at.x(), at.y());
  QWidget::mouseReleaseEvent(event);
}

Panel3D::Panel3D(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setCursor(Qt::PointingHandCursor);
}

}  // namespace lw
