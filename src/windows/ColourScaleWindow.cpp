#include "windows/ColourScaleWindow.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>

#include "app/Program2D.h"
#include "plot2d/ColorGamma.h"
#include "windows/QtConvert.h"

namespace lw {

ColourRamp::ColourRamp(QWidget* parent, const Palette& palette)
    : QWidget(parent), palette_(palette) {
  setFixedSize(129, 329);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourRamp::paintEvent(QPaintEvent*) {
  PlotPicture image(width(), height());
  PaintColourScale(image, State, Gradient, palette_);
  QPainter painter(this);
  painter.drawImage(0, 0, image.ToImage(width(), height()));
}

ColourScaleWindow::ColourScaleWindow(QWidget* parent, Program2D& space, const Palette& palette)
    : SecondaryWindow(parent, QStringLiteral("Шкала кольорів")), space_(space) {
  setFixedSize(200, 337);
  (new QLabel(QStringLiteral("Крок :"), this))->setGeometry(6, 6, 58, 18);
  step_ = new QSpinBox(this);
  step_->setRange(1, 10000);
  step_->setValue(1);
  step_->setGeometry(6, 26, 58, 22);
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  up_->setGeometry(20, 56, 30, 22);
  up_->setAutoRepeat(true);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  down_->setGeometry(20, 80, 30, 22);
  down_->setAutoRepeat(true);
  ramp_ = new ColourRamp(this, palette);
  ramp_->move(68, 4);
  connect(up_, &QToolButton::clicked, this, [this] { Scroll(-step_->value()); });
  connect(down_, &QToolButton::clicked, this, [this] { Scroll(step_->value()); });
}

bool ColourScaleWindow::Open() {
  const std::optional<double> gradient = space_.ScaleGradient();
  if (!gradient) return false;
  ramp_->Gradient = *gradient;
  ramp_->State = OpenColourScale(*gradient, ramp_->height());
  ramp_->update();
  show();
  raise();
  activateWindow();
  return true;
}

void ColourScaleWindow::Centre() {
  ramp_->State.RowOffset = (-ramp_->height()) / 2;
  ramp_->update();
}

void ColourScaleWindow::Scroll(int rows) {
  ramp_->State.RowOffset += rows;
  ramp_->update();
}

void ColourScaleWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Centre();
  SecondaryWindow::changeEvent(event);
}

}  // namespace lw
