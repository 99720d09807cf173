#include "cli/CommandParser.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace lw::cli {

CommandParser::CommandParser(std::string_view name, UsagePrinter usage)
    : app_(std::string(name)), name_(name), usage_(usage) {
  // The usage texts are the commands' own, so the generated help is not used.
  app_.set_help_flag();
}

void CommandParser::AddThreads(int& threads) {
  app_.add_option("--threads", threads)->check(CLI::Range(1, 1024));
}

std::optional<int> CommandParser::Parse(Args args, std::ostream& out, std::ostream& err) {
  const auto end = std::find(args.begin(), args.end(), "--");
  if (std::find_if(args.begin(), end,
                   [](std::string_view arg) { return arg == "--help" || arg == "-h"; }) != end) {
    usage_(out);
    return ExitOk;
  }
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app_.parse(reversed);
  } catch (const CLI::ParseError& error) {
    return Refuse(error.what(), err);
  }
  return std::nullopt;
}

int CommandParser::Refuse(std::string_view why, std::ostream& err) const {
  err << "linewright-cli " << name_ << ": " << why << "\n\n";
  usage_(err);
  return ExitUsage;
}

}  // namespace lw::cli
