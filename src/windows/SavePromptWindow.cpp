#include "windows/SavePromptWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw {

SavePromptWindow::SavePromptWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Запит на збереження :"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(QStringLiteral("Зберегти зміни ?"), this);
  text->setAlignment(Qt::AlignCenter);
  layout->addWidget(text);
  auto* buttons = new QHBoxLayout;
  yes_ = new QPushButton(QStringLiteral("&Так"), this);
  no_ = new QPushButton(QStringLiteral("&Ні"), this);
  cancel_ = new QPushButton(QStringLiteral("&Відмінити"), this);
  for (QPushButton* b : {yes_, no_, cancel_}) buttons->addWidget(b);
  layout->addLayout(buttons);
  yes_->setDefault(true);
  connect(yes_, &QPushButton::clicked, this, [this] {
    answer_ = PromptAnswer::Yes;
    accept();
  });
  connect(no_, &QPushButton::clicked, this, [this] {
    answer_ = PromptAnswer::No;
    accept();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    answer_ = PromptAnswer::Cancel;
    reject();
  });
  setFixedSize(sizeHint().expandedTo(QSize(260, 90)));
}

PromptAnswer SavePromptWindow::Ask() {
  // Already asking (a second close request meanwhile): that one is cancelled.
  if (isVisible()) return PromptAnswer::Cancel;
  answer_ = PromptAnswer::Cancel;
  exec();
  return answer_;
}

}  // namespace lw
