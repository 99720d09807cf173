// linewright-cli eval: the calculator without its window. Each expression goes
// through one engine object, so assignments carry over to the next expression.
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

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
  std::vector<std::string_view> expressions;
  bool optionsEnded = false;
  for (const std::string_view arg : args) {
    if (!optionsEnded && arg == "--help") {
      PrintEvalUsage(out);
      return ExitOk;
    }
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    // "--" followed by a letter is an option; "--5" is an expression like any other.
    if (!optionsEnded && arg.size() > 2 && arg.substr(0, 2) == "--" &&
        ((arg[2] >= 'a' && arg[2] <= 'z') || (arg[2] >= 'A' && arg[2] <= 'Z'))) {
      err << "linewright-cli eval: unknown option '" << arg << "'\n\n";
      PrintEvalUsage(err);
      return ExitUsage;
    }
    expressions.push_back(arg);
  }
  if (expressions.empty()) {
    err << "linewright-cli eval: no expression given\n\n";
    PrintEvalUsage(err);
    return ExitUsage;
  }
  FormulaParser parser;
  for (const std::string_view expression : expressions) {
    std::string text(expression);
    const double value = parser.EvaluateNormalized(text);
    out << expression << '\n' << CalculatorResultLine(value) << '\n';
    if (const std::optional<FormulaError> error = parser.Error()) {
      out << FormulaErrorMessages[*error] << '\n';
    }
  }
  return ExitOk;
}

}  // namespace lw::cli
