#include "windows/WindowKit.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "windows/QtConvert.h"

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

void SecondaryWindow::setVisible(bool visible) {
  if (!visible && isVisible()) {
    place_ = geometry().topLeft();
  } else if (visible && !isVisible() && place_) {
    // Placed before it is shown, the dialog is not centred on its parent again.
    setGeometry(QRect(*place_, size()));
  }
  QDialog::setVisible(visible);
}

QWidget* MakeScrollingContents(QWidget* window) {
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(window);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  auto* contents = new QWidget(scroll);
  scroll->setWidget(contents);
  layout->addWidget(scroll);
  return contents;
}

void FitOnScreen(QWidget* window, QWidget* contents) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // The window manager's title bar and borders are not known before the first
  // showing; leave room for them.
  constexpr int decorationWidth = 16;
  constexpr int decorationHeight = 48;
  const QRect room = screen->availableGeometry();
  QSize design = contents->sizeHint().expandedTo(contents->minimumSizeHint());
  const int roomHeight = room.height() - decorationHeight;
  if (design.height() > roomHeight) {
    // The vertical scroll bar takes its width beside the controls.
    design.rwidth() += window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  }
  const QSize fitted(std::min(design.width(), room.width() - decorationWidth),
                     std::min(design.height(), roomHeight));
  window->setMaximumSize(design);
  window->resize(fitted);
}

int CaptionWidth(const QString& caption, const QFont& font) {
  QFont bold = font;
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  // The title bar's face is the window manager's, mostly a little larger than the
  // program's: a sixth more, and room for the icon, three buttons and the gaps.
  const int button = metrics.height() + 8;
  return metrics.horizontalAdvance(caption) * 7 / 6 + 6 * button;
}

bool CaptionFit::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::Show && type != QEvent::WindowTitleChange) return false;
  auto* window = qobject_cast<QWidget*>(watched);
  if (window == nullptr || !window->isWindow()) return false;
  const Qt::WindowType kind = window->windowType();
  if (kind != Qt::Window && kind != Qt::Dialog) return false;
  if (window->isMaximized() || window->isFullScreen()) return false;
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  int needed = CaptionWidth(window->windowTitle(), QApplication::font());
  if (screen) needed = std::min(needed, screen->availableGeometry().width());
  if (window->maximumWidth() < needed) window->setMaximumWidth(needed);
  if (window->minimumWidth() < needed) window->setMinimumWidth(needed);
  if (window->width() < needed) window->resize(needed, window->height());
  return false;
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
