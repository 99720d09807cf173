#include "windows/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw {

FindDialog::FindDialog(QWidget* parent, bool withReplace)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(withReplace ? QStringLiteral("Замінити") : QStringLiteral("Знайти"));
  setModal(false);
  auto* grid = new QGridLayout(this);
  // The labels' access keys take the keyboard to their fields.
  auto* searchLabel = new QLabel(QStringLiteral("&Що шукати:"), this);
  search_ = new QLineEdit(this);
  searchLabel->setBuddy(search_);
  grid->addWidget(searchLabel, 0, 0);
  grid->addWidget(search_, 0, 1);
  int row = 1;
  if (withReplace) {
    auto* replaceLabel = new QLabel(QStringLiteral("Замінити &на:"), this);
    replace_ = new QLineEdit(this);
    replaceLabel->setBuddy(replace_);
    grid->addWidget(replaceLabel, row, 0);
    grid->addWidget(replace_, row++, 1);
  }
  matchCase_ = new QCheckBox(QStringLiteral("З урахуванням &регістру"), this);
  wholeWord_ = new QCheckBox(QStringLiteral("Лише &слово цілком"), this);
  grid->addWidget(matchCase_, row++, 0, 1, 2);
  grid->addWidget(wholeWord_, row++, 0, 1, 2);

  auto* buttons = new QVBoxLayout;
  find_ = new QPushButton(QStringLiteral("Знайти &далі"), this);
  find_->setDefault(true);
  buttons->addWidget(find_);
  connect(find_, &QPushButton::clicked, this, [this] {
    if (OnFindNext) OnFindNext();
  });
  if (withReplace) {
    replaceOne_ = new QPushButton(QStringLiteral("&Замінити"), this);
    replaceAll_ = new QPushButton(QStringLiteral("Замінити &все"), this);
    buttons->addWidget(replaceOne_);
    buttons->addWidget(replaceAll_);
    connect(replaceOne_, &QPushButton::clicked, this, [this] {
      if (OnReplace) OnReplace();
    });
    connect(replaceAll_, &QPushButton::clicked, this, [this] {
      if (OnReplaceAll) OnReplaceAll();
    });
  }
  auto* cancel = new QPushButton(QStringLiteral("Скасувати"), this);
  connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
  buttons->addWidget(cancel);
  buttons->addStretch(1);
  grid->addLayout(buttons, 0, 2, row, 1);
}

void FindDialog::Open(const QString& preset) {
  search_->setText(preset);
  search_->selectAll();
  show();
  raise();
  activateWindow();
  search_->setFocus();
}

QString FindDialog::SearchText() const {
  return search_->text();
}

QString FindDialog::ReplaceText() const {
  return replace_ ? replace_->text() : QString();
}

FindOptions FindDialog::Options() const {
  return FindOptions{matchCase_->isChecked(), wholeWord_->isChecked()};
}

}  // namespace lw
