#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandRun.h"

namespace lw::cli {
namespace {

CommandRun Integral(std::vector<std::string_view> args) {
  return RunCommand(RunIntegral, std::move(args));
}

TEST(IntegralCommand, PrintsTheWindowsLogLines) {
  const struct {
    std::vector<std::string_view> args;
    const char* out;
  } cases[] = {
      {{"1", "--from", "0", "--to", "1", "--step", "0.5", "--kind", "sum"},
       "Інтегральна сума : 1\nРезультат : 1.5\n"},
      {{"X", "--from", "-1", "--to", "1", "--step", "0.5"},
       "Площа під графіком : X\nРезультат : 1.5\n"},
      {{"--kind=sum", "--from=-1", "--to=1", "--step=0.5", "X"},
       "Інтегральна сума : X\nРезультат : 0\n"},
      {{"1", "--from", "0", "--to", "1", "--step", "1", "--kind", "volume"},
       "Об'єм фігури обертання : 1\nРезультат : 6.28318530717959\n"},
      {{"1", "--from", "5", "--to", "1", "--step", "-1", "--kind", "sum"},
       "Інтегральна сума : 1\nРезультат : 5\n"},
      {{"t", "--var", "t", "--from", "0", "--to", "2*p", "--step", "p", "--kind", "sum"},
       "Інтегральна сума : t\nРезультат : 29.6088132032681\n"},
      {{"1"}, "Площа під графіком : 1\nРезультат : 20.001\n"},  // the window's defaults
      {{"--step", "0.5", "--from", "-1", "--to", "1", "--", "-X"},
       "Площа під графіком : -X\nРезультат : 1.5\n"},
      // Formulas and bounds may begin with '-' without "--" before them.
      {{"--step", "0.5", "--from", "-1", "--to", "1", "-X"},
       "Площа під графіком : -X\nРезультат : 1.5\n"},
      {{"-X*2", "--from", "-X", "--to", "-(-1)", "--step", "0.5", "--kind", "sum"},
       "Інтегральна сума : -X*2\nРезультат : -1.5\n"},
      {{"--from", "0", "--to", "1", "--step", "0.5", "-h"},
       "Площа під графіком : -h\nРезультат : 0\n"},
      {{"--from=0", "--to=1", "--step=0.5", "-1"}, "Площа під графіком : -1\nРезультат : 1.5\n"},
  };
  for (const auto& c : cases) {
    const CommandRun run = Integral(c.args);
    EXPECT_EQ(run.exit, ExitOk) << c.args.front();
    EXPECT_EQ(run.out, c.out) << c.args.front();
    EXPECT_EQ(run.err, "");
  }
}

TEST(IntegralCommand, FailureLinesEndWithExitOne) {
  const struct {
    std::vector<std::string_view> args;
    const char* line;
  } cases[] = {
      {{"1", "--step", "0"}, "Помилка вводу кроку."},
      {{"1", "--var", "1"}, "Помилка вводу змінної"},
      {{"1", "--from", "("}, "Помилка вводу лівої межі."},
      {{"1", "--to", "1/0"}, "Помилка вводу правої межі."},
      {{"LN(X)", "--from", "-1", "--to", "1", "--step", "0.5"}, "Результат : неозначеність"},
      {{"(X"}, "Непарні круглі скобки"},
  };
  for (const auto& c : cases) {
    const CommandRun run = Integral(c.args);
    EXPECT_EQ(run.exit, ExitFailed) << c.args.front();
    const std::string tail = std::string(c.line) + "\n";
    ASSERT_GE(run.out.size(), tail.size());
    EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail) << c.args.front();
    EXPECT_EQ(run.out.find('\n'), run.out.size() - tail.size() - 1) << "two lines only";
    EXPECT_NE(run.err.find(c.line), std::string::npos);
  }
}

TEST(IntegralCommand, BadCommandLines) {
  const std::vector<std::string_view> cases[] = {
      {},     {"X", "Y"},  {"X", "--kind", "length"},  {"X", "--bogus", "1"},   {"X", "--from"},
      {"--"}, {"X", "-X"}, {"X", "--", "--from", "1"}, {"X", "--threads", "0"},
  };
  for (const auto& args : cases) {
    const CommandRun run = Integral(args);
    EXPECT_EQ(run.exit, ExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Usage: linewright-cli integral"), std::string::npos);
  }
}

TEST(IntegralCommand, Help) {
  const CommandRun run = Integral({"--help"});
  EXPECT_EQ(run.exit, ExitOk);
  EXPECT_NE(run.out.find("--kind area|volume|sum"), std::string::npos);
}

}  // namespace
}  // namespace lw::cli
