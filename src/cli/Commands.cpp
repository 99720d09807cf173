#include "cli/Commands.h"

#include <charconv>

#include <array>
#include <ostream>
#include <system_error>

#include "app/ProgramVersion.h"

namespace lw::cli {
namespace {

// Commands in the order --help lists them.
constexpr std::array kCommands{
    Command{"eval", "evaluate expressions as the calculator does", RunEval},
    Command{"probe", "evaluate formulas from standard input, one result line each", RunProbe},
    Command{"show", "print a document (.lwf) readably", RunShow},
    Command{"resave", "load a document and save it again", RunResave},
    Command{"render2d", "build all 2D graphs of a document into a picture", RunRender2D},
    Command{"render3d", "build all 3D graphs of a document and draw them into a picture",
            RunRender3D},
    Command{"build3d", "build all 3D graphs of a document into a 3D file", RunBuild3D},
    Command{"convert", "open a 3D file and write it in the format its name says", RunConvert},
    Command{"info3d", "list the objects of a 3D file", RunInfo3D},
    Command{"integral", "compute a definite integral as the integral window does", RunIntegral},
};

void PrintUsage(std::ostream& out) {
  out << "Usage: linewright-cli COMMAND [ARGS...]\n"
         "       linewright-cli COMMAND --help\n"
         "       linewright-cli --version | --help\n\n"
         "Commands:\n";
  for (const Command& command : kCommands) {
    out << "  " << command.name;
    for (std::size_t i = command.name.size(); i < 10; ++i) out << ' ';
    out << command.summary << '\n';
  }
}

}  // namespace

void ReportReadReason(std::ostream& err, const std::string& path, const std::string& reason) {
  if (!reason.empty()) err << "linewright-cli: " << path << ": " << reason << '\n';
}

void ReportWriteReason(std::ostream& err, const std::string& path, int error) {
  err << "linewright-cli: " << path << " was not written: "
      << (error == 0 ? std::string("the format cannot hold it")
                     : std::error_code(error, std::generic_category()).message())
      << "; the previous file is unchanged\n";
}

int RunCommandLine(Args args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    PrintUsage(err);
    return ExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(out);
    return ExitOk;
  }
  if (args[0] == "--version") {
    out << ProgramVersionText << '\n';
    return ExitOk;
  }
  for (const Command& command : kCommands) {
    if (command.name == args[0]) return command.run(args.subspan(1), in, out, err);
  }
  err << "linewright-cli: unknown command '" << args[0] << "'\n\n";
  PrintUsage(err);
  return ExitUsage;
}

bool ParseThreads(std::string_view text, int& threads) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < 1 || value > 1024) {
    return false;
  }
  threads = value;
  return true;
}

}  // namespace lw::cli
