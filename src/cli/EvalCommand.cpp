// linewright-cli eval: the calculator without its window. Each expression goes
// through one engine object, so assignments carry over to the next expression.
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "formula/FormulaParser.h"
#include "formula/NumberFormat.h"

namespace lw::cli {
namespace {

void PrintEvalUsage(std::ostream& out) {
  out << "Usage: linewright-cli eval [--] EXPR...\n\n"
         "Evaluates each expression as the calculator does and prints its lines: the\n"
         "expression, \"Результат : ...\" and the error message if there is one.\n"
         "Variables keep their values from one expression to the next (A=2 then A*P);\n"
         "P and E start as pi and e. Use -- before an expression that begins with \"--\".\n";
}

}  // namespace

int RunEval(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  CommandParser commandLine("eval", PrintEvalUsage);
  commandLine.TakeFormulas();
  if (const std::optional<int> exit = commandLine.Parse(args, out, err)) return *exit;
  const std::vector<std::string>& expressions = commandLine.Formulas();
  if (expressions.empty()) return commandLine.Refuse("no expression given", err);
  FormulaParser parser;
  for (const std::string& expression : expressions) {
    std::string text = expression;
    const double value = parser.EvaluateNormalized(text);
    out << expression << '\n' << CalculatorResultLine(value) << '\n';
    if (const std::optional<FormulaError> error = parser.Error()) {
      out << FormulaErrorMessages[*error] << '\n';
    }
  }
  return ExitOk;
}

}  // namespace lw::cli
