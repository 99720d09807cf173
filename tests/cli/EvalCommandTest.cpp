#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandRun.h"

namespace lw::cli {
namespace {

CommandRun Eval(std::vector<std::string_view> args) {
  return RunCommand(RunEval, std::move(args));
}

TEST(EvalCommand, PrintsTheCalculatorLines) {
  const struct {
    std::vector<std::string_view> args;
    const char* out;
  } cases[] = {
      {{"1/3"}, "1/3\nРезультат : 0.333333333333333\n"},
      {{"SQRT(-1)"}, "SQRT(-1)\nРезультат : 0\nПомилка\u00A0 sqrt\n"},
      {{""}, "\nРезультат : 0\nЦе не вираз\n"},
      {{"A=5", "A*2"}, "A=5\nРезультат : 5\nA*2\nРезультат : 10\n"},
      {{"a=2*p", "a/2"},
       "a=2*p\nРезультат : 6.28318530717959\na/2\nРезультат : 3.14159265358979\n"},
      {{"sin(p/2) "}, "sin(p/2) \nРезультат : 1\n"},
      {{"10^(-20)", "10^20"}, "10^(-20)\nРезультат : 1*10^(-20)\n10^20\nРезультат : 1*10^20\n"},
      {{"10^400"}, "10^400\nРезультат : нескінченність\n"},
      {{"RAND(0)"}, "RAND(0)\nРезультат : неозначеність\n"},
      {{"1+SQRT(-1)"}, "1+SQRT(-1)\nРезультат : 1\nПомилка\u00A0 sqrt\n"},
      {{"1,5*2"}, "1,5*2\nРезультат : 3\n"},
      {{"--", "--5"}, "--5\nРезультат : -5\nСинтаксична помилка\n"},
      {{"-2^2"}, "-2^2\nРезультат : -4\n"},
      // A leading '-' is a minus sign, not an option; -h is not a request for help.
      {{"A=3", "-A*2", "-1", "-(A)"},
       "A=3\nРезультат : 3\n-A*2\nРезультат : -6\n-1\nРезультат : -1\n-(A)\nРезультат : -3\n"},
      {{"H=2", "-h"}, "H=2\nРезультат : 2\n-h\nРезультат : -2\n"},
      {{"1", "--5"}, "1\nРезультат : 1\n--5\nРезультат : -5\nСинтаксична помилка\n"},
      {{"--", "--help", "--"},
       "--help\nРезультат : 0\nСинтаксична помилка\n--\nРезультат : 0\nСинтаксична помилка\n"},
      // Only the first "--" separates; after it a long option or "--" is a formula.
      {{"1", "--", "--name", "--", "-h"},
       "1\nРезультат : 1\n--name\nРезультат : 0\nСинтаксична помилка\n"
       "--\nРезультат : 0\nСинтаксична помилка\n-h\nРезультат : 0\n"},
  };
  for (const auto& c : cases) {
    const CommandRun run = Eval(c.args);
    EXPECT_EQ(run.exit, ExitOk) << c.args.front();
    EXPECT_EQ(run.out, c.out) << c.args.front();
    EXPECT_EQ(run.err, "");
  }
}

TEST(EvalCommand, BadCommandLines) {
  const std::vector<std::string_view> cases[] = {
      {}, {"--bogus", "1"}, {"--"}, {"1", "--bogus=1"}, {"-1", "--Bogus"}};
  for (const auto& args : cases) {
    const CommandRun run = Eval(args);
    EXPECT_EQ(run.exit, ExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Usage: linewright-cli eval"), std::string::npos);
  }
}

TEST(EvalCommand, Help) {
  for (const auto& args : {std::vector<std::string_view>{"--help"}, {"-1", "--help"}}) {
    const CommandRun run = Eval(args);
    EXPECT_EQ(run.exit, ExitOk);
    EXPECT_NE(run.out.find("Usage: linewright-cli eval"), std::string::npos);
  }
}

TEST(EvalCommand, ReachableFromTheCommandLine) {
  const CommandRun run = RunCommand(RunCommandLine, {"eval", "2+3*4"});
  EXPECT_EQ(run.exit, ExitOk);
  EXPECT_EQ(run.out, "2+3*4\nРезультат : 14\n");
}

}  // namespace
}  // namespace lw::cli
