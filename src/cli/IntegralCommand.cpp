// linewright-cli integral: the integral window without its window. The fields have
// the window's texts at creation unless given, and the log lines are the window's.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/Integral.h"
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

bool IsOption(std::string_view arg) {
  return arg.size() > 2 && arg.substr(0, 2) == "--" &&
         ((arg[2] >= 'a' && arg[2] <= 'z') || (arg[2] >= 'A' && arg[2] <= 'Z'));
}

struct Parsed {
  IntegralRequest request;
  int threads = 0;  // every core
  bool help = false;
  std::string error;  // empty when the command line is good
};

// Sets one option's value; false with the reason when the name or value is wrong.
bool SetOption(std::string_view name, std::string_view value, IntegralRequest& request,
               int& threads, std::string& error) {
  if (name == "--threads") {
    if (!ParseThreads(value, threads)) {
      error = "bad thread count '" + std::string(value) + "'";
      return false;
    }
  } else if (name == "--from") {
    request.left = value;
  } else if (name == "--to") {
    request.right = value;
  } else if (name == "--step") {
    request.step = value;
  } else if (name == "--var") {
    request.variable = value;
  } else if (name == "--kind") {
    const std::optional<IntegralKind> kind = KindNamed(value);
    if (!kind) {
      error = "unknown kind '" + std::string(value) + "' (area, volume or sum)";
      return false;
    }
    request.kind = *kind;
  } else {
    error = "unknown option '" + std::string(name) + "'";
    return false;
  }
  return true;
}

Parsed Parse(Args args) {
  Parsed parsed;
  std::vector<std::string_view> expressions;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || !(arg == "--" || arg == "--help" || IsOption(arg))) {
      expressions.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help") {
      parsed.help = true;
      return parsed;
    } else if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
      SetOption(arg.substr(0, eq), arg.substr(eq + 1), parsed.request, parsed.threads,
                parsed.error);
    } else if (i + 1 >= args.size()) {
      parsed.error = "option '" + std::string(arg) + "' needs a value";
    } else {
      SetOption(arg, args[++i], parsed.request, parsed.threads, parsed.error);
    }
  }
  if (!parsed.error.empty()) return parsed;
  if (expressions.size() != 1) {
    parsed.error = expressions.empty() ? "no expression given" : "more than one expression given";
    return parsed;
  }
  parsed.request.expression = expressions.front();
  return parsed;
}

}  // namespace

int RunIntegral(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  const Parsed parsed = Parse(args);
  if (parsed.help) {
    PrintIntegralUsage(out);
    return ExitOk;
  }
  if (!parsed.error.empty()) {
    err << "linewright-cli integral: " << parsed.error << "\n\n";
    PrintIntegralUsage(err);
    return ExitUsage;
  }
  Integrator integrator;
  StreamFeedback feedback(out);
  const WorkControl work(parsed.threads);
  const IntegralOutcome outcome = integrator.Calculate(parsed.request, feedback, '.', &work);
  if (!outcome.hasResult) {
    err << "linewright-cli integral: " << feedback.Last() << '\n';
    return ExitFailed;
  }
  return ExitOk;
}

}  // namespace lw::cli
