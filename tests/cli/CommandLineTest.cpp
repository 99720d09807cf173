// The conventions every command shares: NAME --help prints its usage to standard
// output; an option nobody declared is a usage error that names the command and shows
// its usage on standard error. And the top level: its help, version and the refusal of
// an unknown command.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "CommandRun.h"

namespace lw::cli {
namespace {

struct CommandCase {
  const char* name;
};

void PrintTo(const CommandCase& c, std::ostream* out) {
  *out << c.name;
}

class EveryCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(EveryCommand, HelpGoesToStandardOutput) {
  const std::string name = GetParam().name;
  const CommandRun run = RunCommand(RunCommandLine, {name, "--help"});
  EXPECT_EQ(run.exit, ExitOk);
  EXPECT_EQ(run.out.rfind("Usage: linewright-cli " + name + " ", 0), 0u) << run.out;
  EXPECT_EQ(run.err, "");
}

TEST_P(EveryCommand, UnknownOptionIsAUsageError) {
  const std::string name = GetParam().name;
  const CommandRun run = RunCommand(RunCommandLine, {name, "--no-such-option", "1"});
  EXPECT_EQ(run.exit, ExitUsage);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("linewright-cli " + name + ": ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("\n\nUsage: linewright-cli " + name + " "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Commands, EveryCommand,
                         ::testing::Values(CommandCase{"eval"}, CommandCase{"probe"},
                                           CommandCase{"show"}, CommandCase{"resave"},
                                           CommandCase{"render2d"}, CommandCase{"render3d"},
                                           CommandCase{"build3d"}, CommandCase{"convert"},
                                           CommandCase{"info3d"}, CommandCase{"integral"}),
                         test::CaseName{});

struct TopLevelCase {
  const char* name;
  std::vector<std::string_view> args;
  int exit;
  const char* outStart;  // what standard output begins with
  const char* errStart;  // what standard error begins with
};

void PrintTo(const TopLevelCase& c, std::ostream* out) {
  *out << c.name;
}

class TopLevel : public ::testing::TestWithParam<TopLevelCase> {};

TEST_P(TopLevel, AnswersAsDocumented) {
  const TopLevelCase& c = GetParam();
  const CommandRun run = RunCommand(RunCommandLine, c.args);
  EXPECT_EQ(run.exit, c.exit);
  EXPECT_EQ(run.out.rfind(c.outStart, 0), 0u) << run.out;
  EXPECT_EQ(run.err.rfind(c.errStart, 0), 0u) << run.err;
  if (*c.outStart == '\0') {
    EXPECT_EQ(run.out, "");
  }
  if (*c.errStart == '\0') {
    EXPECT_EQ(run.err, "");
  }
}

constexpr const char* kUsage = "Usage: linewright-cli COMMAND [ARGS...]\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, TopLevel,
    ::testing::Values(
        TopLevelCase{"Nothing", {}, ExitUsage, "", kUsage},
        TopLevelCase{"Help", {"--help"}, ExitOk, kUsage, ""},
        TopLevelCase{"ShortHelp", {"-h"}, ExitOk, kUsage, ""},
        TopLevelCase{"HelpWord", {"help"}, ExitOk, kUsage, ""},
        TopLevelCase{"Version", {"--version"}, ExitOk, "Linewright", ""},
        TopLevelCase{"UnknownCommand",
                     {"plot", "X"},
                     ExitUsage,
                     "",
                     "linewright-cli: unknown command 'plot'\n\nUsage: linewright-cli COMMAND"},
        TopLevelCase{"UnknownOption",
                     {"--bogus"},
                     ExitUsage,
                     "",
                     "linewright-cli: unknown command '--bogus'\n\n"},
        TopLevelCase{"CommandHelp", {"eval", "--help"}, ExitOk, "Usage: linewright-cli eval", ""}),
    test::CaseName{});

}  // namespace
}  // namespace lw::cli
