// The commands of linewright-cli. Each takes its own arguments (without the program
// and command names) and writes to the given streams, so tests can run them in-process.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace lw::cli {

using Args = std::span<const std::string_view>;
using CommandFunction = int (*)(Args args, std::istream& in, std::ostream& out, std::ostream& err);

struct Command {
  std::string_view name;
  std::string_view summary;
  CommandFunction run;
};

// Exit codes shared by every command.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// The value of --threads N: a whole number from 1 to 1024. Without the option the
// commands use every core.
bool ParseThreads(std::string_view text, int& threads);
inline constexpr std::string_view ThreadsUsage =
    "--threads N runs the work on N threads (default: every core); the result is the\n"
    "same on any number of threads.\n";

// One line on err saying why `path` could not be written: the system's words for the
// errno value `error`, or that the format could not hold what was to be written (0).
void ReportWriteReason(std::ostream& err, const std::string& path, int error);

// One line on err saying why `path` was refused, when there is a reason to say.
void ReportReadReason(std::ostream& err, const std::string& path, const std::string& reason);

// Runs the whole command line (argv without the program name).
int RunCommandLine(Args args, std::istream& in, std::ostream& out, std::ostream& err);

int RunEval(Args args, std::istream& in, std::ostream& out, std::ostream& err);
int RunProbe(Args args, std::istream& in, std::ostream& out, std::ostream& err);
int RunShow(Args args, std::istream& in, std::ostream& out, std::ostream& err);
int RunResave(Args args, std::istream& in, std::ostream& out, std::ostream& err);
int RunRender2D(Args args, std::istream& in, std::ostream& out, std::ostream& err);
int RunRender3D(Args args, std::istream& in, std::ostream& out, std::ostream& err);
int RunBuild3D(Args args, std::istream& in, std::ostream& out, std::ostream& err);
int RunConvert(Args args, std::istream& in, std::ostream& out, std::ostream& err);
int RunInfo3D(Args args, std::istream& in, std::ostream& out, std::ostream& err);
int RunIntegral(Args args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace lw::cli
