#include "NotepadWindow.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "Program.h"
#include "QtConvert.h"

namespace lw {

NotepadWindow::NotepadWindow(QWidget* parent, Program& program)
    : SecondaryWindow(parent, QStringLiteral("Записна книжка - Noname.txt")), program_(program) {
  resize(480, 360);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  text_ = new QPlainTextEdit(this);
  layout->addWidget(text_);
}

void NotepadWindow::ApplyLook() {
  const Options& look = program_.CarriedOptions();
  QPalette palette = text_->palette();
  palette.setColor(QPalette::Base, ToQColor(look.NotepadColor));
  palette.setColor(QPalette::Text, ToQColor(look.NotepadFont.Color));
  text_->setPalette(palette);
  text_->setFont(ToQFont(look.NotepadFont));
  if (!look.NotepadFile.empty()) {
    QFile file(Q(look.NotepadFile));
    if (file.open(QIODevice::ReadOnly)) {
      text_->setPlainText(QString::fromLocal8Bit(file.readAll()));
      setWindowTitle(QStringLiteral("Записна книжка - ") + Q(look.NotepadFile).section('/', -1));
    }
  }
  text_->selectAll();
}

void NotepadWindow::ShowForTyping() {
  show();
  raise();
  activateWindow();
  text_->setFocus();
}

}  // namespace lw
