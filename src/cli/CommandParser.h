// One command's command line, read by CLI11 under the conventions every command
// shares: --help (or -h) anywhere before "--" prints the command's usage to standard
// output and exits with ExitOk; an argument the parser refuses, or a check the command
// adds afterwards, prints "linewright-cli NAME: why", a blank line and the usage to
// standard error and exits with ExitUsage.
#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"

namespace lw::cli {

using UsagePrinter = void (*)(std::ostream& out);

class CommandParser {
 public:
  CommandParser(std::string_view name, UsagePrinter usage);

  // Where the command declares its options and positional arguments.
  CLI::App& App() { return app_; }
  // --threads N, a whole number from 1 to 1024 (default: every core).
  void AddThreads(int& threads);
  // For commands whose positional arguments are formulas, which may begin with '-'
  // (-X*2, -1, -h are formulas, not options): every argument that is neither a
  // declared option nor its value goes to Formulas(), in the order given. A long
  // option nobody declared ("--name", a letter after the dashes) before "--" is still
  // refused, and only --help asks for help.
  void TakeFormulas();
  const std::vector<std::string>& Formulas() const { return formulas_; }

  // Nothing when the command should go on; otherwise the exit code, with the usage
  // already printed.
  std::optional<int> Parse(Args args, std::ostream& out, std::ostream& err);
  // Reports a usage error found after parsing; returns ExitUsage.
  int Refuse(std::string_view why, std::ostream& err) const;

 private:
  bool AsksForHelp(Args args) const;
  // Fills formulas_ from the arguments CLI11 left over; the reason when it refuses one.
  std::optional<std::string> CollectFormulas();

  CLI::App app_;
  std::string name_;
  UsagePrinter usage_;
  bool takeFormulas_ = false;
  std::vector<std::string> formulas_;
};

}  // namespace lw::cli
