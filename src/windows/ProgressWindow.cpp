#include "windows/ProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressBar>
#include <QVBoxLayout>

#include "windows/QtConvert.h"

namespace lw {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
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
  activateWindow();  // so that Escape reaches it
  repaint();
}

void ProgressWindow::reject() {
  if (stop_) stop_();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (stop_) stop_();
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
