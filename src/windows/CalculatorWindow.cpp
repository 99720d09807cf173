#include "CalculatorWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "Program.h"

namespace lw {

CalculatorWindow::CalculatorWindow(QWidget* parent, Program& program)
    : SecondaryWindow(parent, QStringLiteral("Калькулятор")), program_(program) {
  resize(400, 300);
  auto* layout = new QVBoxLayout(this);
  input_ = new QLineEdit(this);
  clearInput_ = new QCheckBox(QStringLiteral("Очищати ввід"), this);
  layout->addWidget(input_);
  layout->addWidget(clearInput_);
  layout->addStretch(1);
  connect(clearInput_, &QCheckBox::toggled, this,
          [this](bool on) { program_.CalculatorClearsInput() = on; });
  SyncOptions();
}

void CalculatorWindow::SyncOptions() {
  clearInput_->setChecked(program_.CalculatorClearsInput());
}

void CalculatorWindow::ShowForInput() {
  show();
  raise();
  activateWindow();
  input_->setFocus();
}

}  // namespace lw
