#include "windows/MessageWindow.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace lw {

namespace {
constexpr int labelLeft = 10;
constexpr int labelTop = 16;
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 25;
constexpr int buttonTop = 44;
constexpr int windowHeight = 80;
// Room the window manager's title bar takes beside the caption: the window icon and
// the title-bar buttons, with their spacing.
constexpr int titleBarExtra = 150;
}  // namespace

MessageWindow::MessageWindow(QWidget* parent) : SecondaryWindow(parent, QString()) {
  setModal(true);
  label_ = new QLabel(this);
  ok_ = new QPushButton(QStringLiteral("&Окей"), this);
  ok_->resize(buttonWidth, buttonHeight);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  setFixedSize(buttonWidth + 2 * labelLeft, windowHeight);
}

int MessageWindow::CaptionWidth(const QString& caption) const {
  // Title bars often show the caption in bold.
  QFont bold = font();
  bold.setBold(true);
  return QFontMetrics(bold).horizontalAdvance(caption) + titleBarExtra;
}

void MessageWindow::Prepare(const QString& caption, const QString& text) {
  setWindowTitle(caption);
  label_->setText(text);
  const QFontMetrics metrics(label_->font());
  const int textWidth = metrics.horizontalAdvance(text);
  // A text narrower than the button still leaves the whole button visible, and the
  // caption is never cut in the title bar.
  const int width = std::max({textWidth + 20, ok_->width() + 2 * labelLeft, CaptionWidth(caption)});
  label_->setGeometry(labelLeft, labelTop, textWidth, metrics.height());
  ok_->move((width - ok_->width()) / 2, buttonTop);
  setFixedSize(width, windowHeight);
}

void MessageWindow::ShowMessageBox(const QString& caption, const QString& text) {
  Prepare(caption, text);
  exec();
}

}  // namespace lw
