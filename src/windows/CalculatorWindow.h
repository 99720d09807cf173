// The calculator window. Its option "Очищати ввід" travels with the options file.
#pragma once

#include "WindowKit.h"

class QCheckBox;
class QLineEdit;

namespace lw {

class Program;

class CalculatorWindow : public SecondaryWindow {
 public:
  CalculatorWindow(QWidget* parent, Program& program);
  void SyncOptions();
  // Brings the window up with the keyboard in its input line.
  void ShowForInput();
  QCheckBox* ClearInput() const { return clearInput_; }

 private:
  Program& program_;
  QLineEdit* input_;
  QCheckBox* clearInput_;
};

}  // namespace lw
