#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandRun.h"

namespace lw::cli {
namespace {

CommandRun Probe(std::vector<std::string_view> args, const std::string& input) {
  return RunCommand(RunProbe, std::move(args), input);
}

TEST(ProbeCommand, ResultLines) {
  const struct {
    std::vector<std::string_view> args;
    std::string input;
    const char* out;
  } cases[] = {
      {{"--mode", "compiled", "--set", "X=2"}, "1/(X-1)\n", "1\t255\t1\t0\n"},
      {{"--mode=compiled", "--set=X=0"}, "1/(X-1)", "-1\t255\t0\t1\n"},
      {{"--mode", "text", "--set", "X=3"}, "X+1)\n(X+1\n", "0\t0\t0\t0\n4\t1\t0\t0\n"},
      {{"--mode", "compiled", "--set", "X=3"}, "X+1)\n", "4\t255\t0\t0\n"},
      {{"--mode", "text"}, "sin(p/2)\n", "0\t0\t0\t0\n"},
      {{"--mode", "normalized"}, "sin(p/2) \n", "1\t255\t1\t0\n"},
      {{"--mode", "text"},
       "1/3\nP\n",
       "0.33333333333333331\t255\t1\t0\n3.1415926535897931\t255\t0\t0\n"},
      {{"--mode", "text"}, "\n\n", "0\t2\t0\t0\n0\t2\t0\t0\n"},
      {{"--mode", "text"}, "", ""},
      {{"--mode", "text"}, "1\r\n2", "1\t255\t0\t0\n2\t255\t0\t0\n"},
      {{"--mode", "text"}, "A=5\nA\n", "5\t255\t0\t0\n0\t255\t0\t0\n"},
      {{"--mode", "text", "--set", "p=1"}, "P\n", "1\t255\t0\t0\n"},
      {{"--mode", "text"}, "10^400\n1/0\n", "inf\t255\t0\t0\n0\t4\t0\t0\n"},
      {{"--mode", "normalize"}, "sin(x) , \n1,5\n+\n", "SIN(X)\n1.5\n+\n"},
      {{"--mode", "text", "--set", "X=-1.5e1"}, "X\n", "-15\t255\t0\t0\n"},
  };
  for (const auto& c : cases) {
    const CommandRun run = Probe(c.args, c.input);
    EXPECT_EQ(run.exit, ExitOk) << c.input;
    EXPECT_EQ(run.out, c.out) << c.input;
    EXPECT_EQ(run.err, "") << c.input;
  }
}

TEST(ProbeCommand, BadCommandLines) {
  const std::vector<std::string_view> cases[] = {
      {},
      {"--mode"},
      {"--mode", "fast"},
      {"--mode", "text", "--set", "X=abc"},
      {"--mode", "text", "--set", "1=2"},
      {"--mode", "text", "--set", "X"},
      {"--mode", "text", "--set", "XY=2"},
      {"--mode", "text", "extra"},
  };
  for (const auto& args : cases) {
    const CommandRun run = Probe(args, "1\n");
    EXPECT_EQ(run.exit, ExitUsage) << (args.empty() ? "" : args.back());
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err, "");
  }
}

TEST(ProbeCommand, Help) {
  const CommandRun run = Probe({"--help"}, "");
  EXPECT_EQ(run.exit, ExitOk);
  EXPECT_NE(run.out.find("Usage: linewright-cli probe"), std::string::npos);
}

}  // namespace
}  // namespace lw::cli
