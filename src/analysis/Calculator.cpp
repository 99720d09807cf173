#include "analysis/Calculator.h"

#include <algorithm>
#include <optional>

#include "formula/NumberFormat.h"

namespace lw {
namespace {

constexpr std::size_t IndexOf(char letter) {
  return static_cast<std::size_t>(letter - 'A');
}

}  // namespace

Calculator::Calculator() {
  parser_.ClearVariables();
  parser_.SetVariable("P", Pi);
  parser_.SetVariable("E", EulerE);
}

std::vector<std::string> Calculator::Calculate(const std::string& expression,
                                               char decimalSeparator) {
  std::vector<std::string> lines;
  lines.push_back(expression);
  std::string copy = expression;
  const double value = parser_.EvaluateNormalized(copy);
  lines.push_back(CalculatorResultLine(value, decimalSeparator));
  if (const std::optional<FormulaError> error = parser_.Error()) {
    lines.emplace_back(FormulaErrorMessages[*error]);
  }
  return lines;
}

void Calculator::SetFromTable(const VariableTable& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    std::string text = cells[i];
    std::replace(text.begin(), text.end(), ',', '.');
    const double value = parser_.Evaluate(text);
    if (parser_.HasError()) continue;
    const char letter = static_cast<char>('A' + i);
    parser_.SetVariable(std::string_view(&letter, 1), value);
  }
}

void Calculator::RefreshTable(VariableTable& cells, char decimalSeparator) const {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    cells[i] = FormatGeneral(parser_.Variable(static_cast<char>('A' + i)), decimalSeparator);
  }
}

void Calculator::ZeroTable(VariableTable& cells) {
  cells.fill("0");
}

void Calculator::ConstantsToTable(VariableTable& cells, char decimalSeparator) {
  cells[IndexOf('E')] = FormatGeneral(EulerE, decimalSeparator);
  cells[IndexOf('P')] = FormatGeneral(Pi, decimalSeparator);
}

std::string VariableRowLabel(int index) {
  return std::string(" ") + static_cast<char>('A' + std::clamp(index, 0, 25));
}

}  // namespace lw
