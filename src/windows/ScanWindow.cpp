#include "ScanWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "Program.h"

namespace lw {

namespace {
constexpr std::array<const char*, 7> optionCaptions = {
    "Додавати нові проскановані точки до списку",
    "Відображати проскановані точки графічно",
    "Графічно з`єднувати проскановані точки лініями",
    "Щоразу показувати дане вікно",
    "Виділяти останню проскановану точку",
    "Замикати ланцюг з точок сканування",
    "Виділяти площу",
};
}

ScanWindow::ScanWindow(QWidget* parent, Program& program)
    : SecondaryWindow(parent, QStringLiteral("Значення при відповідних аргументах :")),
      program_(program) {
  resize(320, 286);
  setMinimumSize(320, 150);
  setMaximumSize(800, 800);
  auto* layout = new QVBoxLayout(this);
  optionsGroup_ = new QGroupBox(QStringLiteral("Опції"), this);
  SetHint(optionsGroup_, QStringLiteral("Опцій режиму сканування"));
  auto* groupLayout = new QVBoxLayout(optionsGroup_);
  for (std::size_t i = 0; i < options_.size(); ++i) {
    auto* box = new QCheckBox(QString::fromUtf8(optionCaptions[i]), optionsGroup_);
    options_[i] = box;
    groupLayout->addWidget(box);
    connect(box, &QCheckBox::toggled, this, [this, i](bool on) { program_.ScanOptions()[i] = on; });
  }
  layout->addStretch(1);
  layout->addWidget(optionsGroup_);
  SyncOptions();
}

void ScanWindow::SyncOptions() {
  for (std::size_t i = 0; i < options_.size(); ++i) {
    options_[i]->setChecked(program_.ScanOptions()[i]);
  }
}

}  // namespace lw
