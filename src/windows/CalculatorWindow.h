// The calculator window: a log of expressions and results, and the table of the 26
// variables of its own engine. Its option "Очищати ввід" travels with the options
// file.
#pragma once

#include <string>

#include "analysis/Calculator.h"
#include "windows/WindowKit.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace lw {

class ProgramAnalysis;

// Appends one line to a results log (an empty line included) and scrolls to it.
void AppendLogLine(QPlainTextEdit* log, const std::string& line);

class CalculatorWindow : public SecondaryWindow {
 public:
  CalculatorWindow(QWidget* parent, ProgramAnalysis& analysis);
  void SyncOptions();
  // The menu command: the table shows the variables, then the window comes up with
  // the keyboard in its input line.
  void ShowForInput();
  QCheckBox* ClearInput() const { return clearInput_; }
  QLineEdit* Input() const { return input_; }
  QPlainTextEdit* Log() const { return log_; }
  QTableWidget* Table() const { return table_; }

  // The buttons' actions.
  void Calculate();
  void SetFromTable();
  void RefreshTable();
  void ZeroTable();
  void ConstantsToTable();

 private:
  QWidget* BuildTable();
  VariableTable Cells() const;
  void ShowCells(const VariableTable& cells);

  ProgramAnalysis& analysis_;
  QPlainTextEdit* log_;
  QLineEdit* input_;
  QCheckBox* clearInput_;
  QTableWidget* table_ = nullptr;
};

}  // namespace lw
