#include "windows/HelpWindow.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace lw {

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Linewright - Довідка"));
  setModal(false);
  resize(820, 640);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QHBoxLayout;
  back_ = new QToolButton(this);
  forward_ = new QToolButton(this);
  home_ = new QToolButton(this);
  back_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  forward_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  home_->setText(QStringLiteral("Зміст"));
  back_->setToolTip(QStringLiteral("Назад"));
  forward_->setToolTip(QStringLiteral("Вперед"));
  home_->setToolTip(QStringLiteral("Зміст довідки"));
  for (QToolButton* b : {back_, forward_, home_}) bar->addWidget(b);
  bar->addStretch(1);
  layout->addLayout(bar);
  browser_ = new QTextBrowser(this);
  // Pages of the help open here; addresses outside it (mail, web) go to the system.
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(true);
  layout->addWidget(browser_, 1);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, browser_, &QTextBrowser::home);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Linewright - Довідка") : title);
  });
}

bool HelpWindow::ShowContents(const QString& path) {
  if (!QFileInfo::exists(path)) return false;
  const QUrl contents = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  // The browser's source may not be asked for before it has one.
  if (contents_ != contents) {
    contents_ = contents;
    browser_->setSource(contents);
  } else {
    browser_->home();
  }
  show();
  raise();
  activateWindow();
  return true;
}

}  // namespace lw
