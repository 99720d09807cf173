#include "ProgressWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWindow>

#include "QtConvert.h"

namespace lw {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowTitle(QStringLiteral("Стан побудови :"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  layout->addWidget(bar_);
  setFixedSize(419, 19);
}

void ProgressWindow::Show() {
  show();
  raise();
  // The builders run on this thread, and a window the window manager has not mapped
  // yet paints nothing: wait (briefly) until it is on the screen, so the bar shows.
  QElapsedTimer waited;
  waited.start();
  constexpr int longestWait = 300;
  do {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
  } while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < longestWait);
  repaint();
}

void ProgressWindow::Close() {
  hide();
}

void ProgressWindow::SetCaption(const std::string& caption) {
  setWindowTitle(Q(caption));
}

void ProgressWindow::SetMaximum(int maximum) {
  bar_->setMaximum(std::max(0, maximum));
}

int ProgressWindow::Maximum() const {
  return bar_->maximum();
}

void ProgressWindow::SetPosition(int position) {
  if (position == bar_->value()) return;
  bar_->setValue(position);
  if (isVisible()) bar_->repaint();
}

int ProgressWindow::Position() const {
  return bar_->value();
}

}  // namespace lw
