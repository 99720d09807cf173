#include "windows/PlotView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <array>

#include "app/Navigator2D.h"
#include "app/Program2D.h"

namespace lw {

PlotView::PlotView(QWidget* parent, Program2D& space, ProgramAnalysis& analysis,
                   Navigator2D& navigation)
    : QWidget(parent), space_(space), analysis_(analysis), navigation_(navigation) {
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
  if (const auto& preview = navigation_.Preview()) {
    PaintViewPreview(painter, *preview, area);
    return;
  }
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
  if (navigation_.Dragging()) navigation_.DragTo(at.x(), at.y());
  QWidget::mouseMoveEvent(event);
}

void PlotView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  analysis_.ButtonDown(at.x(), at.y());
  const Qt::MouseButton button = event->button();
  if (!analysis_.ScanMode() && dragButton_ == Qt::NoButton &&
      (button == Qt::LeftButton || button == Qt::MiddleButton)) {
    dragButton_ = button;
    navigation_.PressDrag(at.x(), at.y());
    setCursor(Qt::ClosedHandCursor);
  }
  QWidget::mousePressEvent(event);
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  analysis_.ButtonUp(at.x(), at.y());
  if (event->button() == dragButton_) {
    dragButton_ = Qt::NoButton;
    navigation_.ReleaseDrag();
    setCursor(analysis_.ScanMode() ? Qt::CrossCursor : Qt::ArrowCursor);
  }
  QWidget::mouseReleaseEvent(event);
}

void PlotView::wheelEvent(QWheelEvent* event) {
  // A wheel turned with Shift may arrive as a sideways one.
  const QPoint turn = event->angleDelta();
  const int delta = turn.y() != 0 ? turn.y() : turn.x();
  if (delta == 0) return;
  const Qt::KeyboardModifiers keys = event->modifiers();
  const ZoomAxes axes = keys & Qt::ShiftModifier     ? ZoomAxes::XOnly
                        : keys & Qt::ControlModifier ? ZoomAxes::YOnly
                                                     : ZoomAxes::Both;
  const QPoint at = event->position().toPoint();
  navigation_.Wheel(at.x(), at.y(), delta / 120.0, axes);
  event->accept();
}

}  // namespace lw
