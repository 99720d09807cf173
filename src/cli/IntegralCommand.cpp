// linewright-cli integral: the integral window without its window. The fields have
// the window's texts at creation unless given, and the log lines are the window's.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/Integral.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"

namespace lw::cli {
namespace {

void PrintIntegralUsage(std::ostream& out) {
  out << "Usage: linewright-cli integral [--from A] [--to B] [--step H] [--var X]\n"
         "                              [--kind area|volume|sum] [--threads N] [--] EXPR\n\n"
         "Computes a definite integral of EXPR as the integral window does and prints its\n"
         "log lines: the start line, then \"Результат : ...\" or the failure line.\n"
         "A, B and H are formulas (2*P is fine); the defaults are -10, 10, 0.001, X and\n"
         "area. The kinds: area = h*sum|f|, volume = pi*h*sum f^2 (solid of revolution),\n"
         "sum = h*sum f, over x = A, A+h, ... while x <= B.\n"
         "Exit status 1 when the calculation ends with a failure line.\n"
      << ThreadsUsage;
}

class StreamFeedback : public CalculationFeedback {
 public:
  explicit StreamFeedback(std::ostream& out) : out_(out) {}
  void AppendLine(const std::string& line) override {
    out_ << line << '\n';
    last_ = line;
  }
  const std::string& Last() const { return last_; }

 private:
  std::ostream& out_;
  std::string last_;
};

std::optional<IntegralKind> KindNamed(std::string_view name) {
  if (name == "area") return IntegralKind::Area;
  if (name == "volume") return IntegralKind::Volume;
  if (name == "sum") return IntegralKind::Sum;
  return std::nullopt;
}

// Fills request and threads; the exit code instead when the command line was refused
// or asked for help.
std::optional<int> ParseIntegralArgs(Args args, IntegralRequest& request, int& threads,
                                     std::ostream& out, std::ostream& err) {
  std::string kind;
  CommandParser parser("integral", PrintIntegralUsage);
  parser.TakeFormulas();
  CLI::App& app = parser.App();
  app.add_option("--from", request.left);
  app.add_option("--to", request.right);
  app.add_option("--step", request.step);
  app.add_option("--var", request.variable);
  app.add_option("--kind", kind)->check([](const std::string& text) {
    return KindNamed(text) ? std::string() : "unknown kind '" + text + "' (area, volume or sum)";
  });
  parser.AddThreads(threads);
  if (const std::optional<int> exit = parser.Parse(args, out, err)) return exit;
  const std::vector<std::string>& expressions = parser.Formulas();
  if (expressions.size() != 1) {
    return parser.Refuse(
        expressions.empty() ? "no expression given" : "more than one expression given", err);
  }
  request.expression = expressions.front();
  if (!kind.empty()) request.kind = *KindNamed(kind);
  return std::nullopt;
}

}  // namespace

int RunIntegral(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  IntegralRequest request;
  int threads = 0;  // every core
  if (const std::optional<int> exit = ParseIntegralArgs(args, request, threads, out, err)) {
    return *exit;
  }
  Integrator integrator;
  StreamFeedback feedback(out);
  const WorkControl work(threads);
  const IntegralOutcome outcome = integrator.Calculate(request, feedback, '.', &work);
  if (!outcome.hasResult) {
    err << "linewright-cli integral: " << feedback.Last() << '\n';
    return ExitFailed;
  }
  return ExitOk;
}

}  // namespace lw::cli
