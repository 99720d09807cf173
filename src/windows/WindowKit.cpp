#include "WindowKit.h"

#include <QLabel>
#include <QPainter>

#include "QtConvert.h"

namespace lw {

namespace {
constexpr const char* hintProperty = "lwHint";
}

void SetHint(QWidget* control, const QString& hint) {
  control->setProperty(hintProperty, hint);
  control->setToolTip(hint);
}

QList<QWidget*> HintedControls(QWidget* window) {
  QList<QWidget*> result;
  if (window->property(hintProperty).isValid()) result.append(window);
  for (QWidget* child : window->findChildren<QWidget*>()) {
    // Other top-level windows are switched on their own.
    if (child->isWindow()) continue;
    if (child->property(hintProperty).isValid()) result.append(child);
  }
  return result;
}

void ApplyHints(QWidget* window, bool shown) {
  for (QWidget* control : HintedControls(window)) {
    control->setToolTip(shown ? control->property(hintProperty).toString() : QString());
  }
}

SecondaryWindow::SecondaryWindow(QWidget* parent, const QString& caption)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(caption);
  setModal(false);
}

Swatch::Swatch(QWidget* parent, bool rounded) : QFrame(parent), rounded_(rounded) {
  setMinimumSize(16, 16);
}

void Swatch::SetColour(Colour colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void Swatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, rounded_);
  painter.setPen(Qt::black);
  painter.setBrush(ToQColor(colour_));
  const QRect r = rect().adjusted(0, 0, -1, -1);
  if (rounded_) {
    painter.drawRoundedRect(r, 6, 6);
  } else {
    painter.drawRect(r);
  }
}

void MakeBold(QLabel* label) {
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
}

}  // namespace lw
