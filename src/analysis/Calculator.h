// The calculator: one-line expressions evaluated on an engine of its own whose 26
// variables persist for the whole run, a log of expressions and results, and the
// table of the variables that the user can edit and refresh.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "formula/FormulaParser.h"

namespace lw {

// The value cells of the variable table, A to Z.
using VariableTable = std::array<std::string, 26>;

class Calculator {
 public:
  // All variables 0, then P := pi and E := e.
  Calculator();
  Calculator(const Calculator&) = delete;
  Calculator& operator=(const Calculator&) = delete;

  // The log lines of one calculation: the expression as typed, the result line, and
  // the engine's message when the evaluation failed (the result line then shows the
  // value computed with 0 in place of what failed). Assignments such as A=2*P store.
  std::vector<std::string> Calculate(const std::string& expression, char decimalSeparator = '.');

  // Each cell, commas read as points, is evaluated as typed (no normalisation) from A
  // to Z; a cell that fails, or is empty, leaves its variable as it was.
  void SetFromTable(const VariableTable& cells);
  // Each cell := its variable in general format.
  void RefreshTable(VariableTable& cells, char decimalSeparator = '.') const;
  static void ZeroTable(VariableTable& cells);
  // The cells of E and P := e and pi; the variables change with the next SetFromTable.
  static void ConstantsToTable(VariableTable& cells, char decimalSeparator = '.');

  const FormulaParser& Parser() const { return parser_; }

 private:
  FormulaParser parser_;
};

// The row labels of the table: a blank and the letter.
std::string VariableRowLabel(int index);

}  // namespace lw
