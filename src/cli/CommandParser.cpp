#include "cli/CommandParser.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <utility>
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

void CommandParser::TakeFormulas() {
  takeFormulas_ = true;
  // What CLI11 takes for an unknown short option (-X*2) or a plain argument is kept
  // in order instead of refused; CollectFormulas sorts it out.
  app_.allow_extras();
}

bool CommandParser::AsksForHelp(Args args) const {
  const auto end = std::find(args.begin(), args.end(), "--");
  return std::find_if(args.begin(), end, [this](std::string_view arg) {
           return arg == "--help" || (arg == "-h" && !takeFormulas_);
         }) != end;
}

std::optional<int> CommandParser::Parse(Args args, std::ostream& out, std::ostream& err) {
  if (AsksForHelp(args)) {
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
  if (takeFormulas_) {
    if (const std::optional<std::string> why = CollectFormulas()) return Refuse(*why, err);
  }
  return std::nullopt;
}

std::optional<std::string> CommandParser::CollectFormulas() {
  // CLI11 leaves the arguments it did not take in order, the first "--" among them
  // being the separator; after it everything is a formula, a later "--" included.
  bool separated = false;
  for (std::string& text : app_.remaining()) {
    if (!separated && text == "--") {
      separated = true;
      continue;
    }
    // "--5" is a formula (a syntax error, reported as the calculator reports it).
    const bool option = !separated && text.size() > 2 && text.starts_with("--") &&
                        std::isalpha(static_cast<unsigned char>(text[2]));
    if (option) return "unknown option '" + text + "'";
    formulas_.push_back(std::move(text));
  }
  return std::nullopt;
}

int CommandParser::Refuse(std::string_view why, std::ostream& err) const {
  err << "linewright-cli " << name_ << ": " << why << "\n\n";
  usage_(err);
  return ExitUsage;
}

}  // namespace lw::cli
