#include "windows/PlotView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <array>

#include "app/Program2D.h"

namespace lw {

PlotView::PlotView(QWidget* parent, Program2D& space, ProgramAnalysis& analysis)
    : QWidget(parent), space_(space), analysis_(analysis) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(1, 1);
  setMouseTracking(true);
  analysis_.AddObserver(this);
}

PlotView::~PlotView() {
  analysis_.RemoveObserver(this);
}

namespace {

// Inverts the pixels of the selection rectangle's outline, dash-dot, so that it shows
// on any colour of the picture.
void InvertBand(QImage& image, const SelectionRect& band) {
  const QRect r =
      QRect(QPoint(band.startColumn, band.startRow), QPoint(band.endColumn, band.endRow))
          .normalized();
  constexpr std::array<bool, 9> dashDot{true, true, true, true, false, false, true, false, false};
  std::size_t step = 0;
  const auto invert = [&](int x, int y) {
    if (dashDot[step++ % dashDot.size()] && image.rect().contains(x, y))
      image.setPixel(x, y, image.pixel(x, y) ^ 0x00FFFFFFu);
  };
  for (int x = r.left(); x <= r.right(); ++x) invert(x, r.top());
  for (int y = r.top() + 1; y <= r.bottom(); ++y) invert(r.right(), y);
  for (int x = r.right() - 1; x >= r.left() && r.bottom() > r.top(); --x) invert(x, r.bottom());
  for (int y = r.bottom() - 1; y > r.top() && r.right() > r.left(); --y) invert(r.left(), y);
}

}  // namespace

void PlotView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // On a high-density screen each picture pixel becomes a sharp block of device pixels.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const QRect area = event->rect();
  // Only the exposed part is copied; the picture holds everything drawn so far (or
  // the last finished one, while a constant moves).
  QImage image = space_.VisibleImage();
  if (const auto& band = analysis_.Band()) InvertBand(image, *band);
  painter.drawImage(area.topLeft(), image, area);
}

void PlotView::SelectionBandChanged() {
  update();
}

void PlotView::resizeEvent(QResizeEvent* event) {
  space_.SetViewSize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  analysis_.PointerMoved(at.x(), at.y());
  QWidget::mouseMoveEvent(event);
}

void PlotView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  analysis_.ButtonDown(at.x(), at.y());
  QWidget::mousePressEvent(event);
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  analysis_.ButtonUp(at.x(), at.y());
  QWidget::mouseReleaseEvent(event);
}

}  // namespace lw
