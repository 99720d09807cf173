#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "CommandRun.h"

namespace lw::cli {
namespace {

CommandRun Show(std::vector<std::string_view> args) {
  return RunCommand(RunShow, std::move(args));
}

TEST(ShowCommand, PrintsEveryPartOfADocument) {
  const CommandRun run = Show({LW_EXAMPLES_DIR "/relations.lwf"});
  ASSERT_EQ(run.exit, ExitOk) << run.err;
  const char* expected[] = {
      "  Edit1 ScaleX (2D Маштаб, Вісь  Х :) = 10\n",
      "  Edit25 StepZ (3D Крок, По вісі  Z :) = 0.4\n",
      "Constants 2D (0):\n",
      "Centering 1, AutoScale 1, XorDrawing 0\n",
      "  Colours: background 0x00FFFFFF, axes 0x00000000, grid 0x00FF80FF\n",
      "  Axes line: solid, width 1\n",
      "  Grid line: dot, width 1\n",
      "  Font: MS Sans Serif, height -11, size 8, pitch 0, charset 1, colour 0x00000000",
      "  Drawing: polygons, motion: turn\n",
      "  Mouse sensitivity: X 10, Y -10, Z 10, rX 100, rY 100, rZ 100\n",
      "2D graphs (7):\n",
      ("  1. Y-5*SIN(X/3)  [Відношення.Тип : > 0.] kind 1, interpolated 0, relation 1, colour "
       "0x00FFE0C0\n"),
      "  6. X*X+Y*Y-225  [Відношення.Інтерпольоване.Тип : = 0.] kind 1, interpolated 1",
      "3D graphs (0):\n",
  };
  for (const char* line : expected) EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

TEST(ShowCommand, PrintsThreeDForms) {
  const CommandRun run = Show({LW_EXAMPLES_DIR "/surfaces.lwf"});
  ASSERT_EQ(run.exit, ExitOk);
  EXPECT_NE(run.out.find("  3. COS(Y)+SIN(Z)  [Тип виразу : X = F ( Y,Z ) .] form 2, colour "
                         "0x0040FF40\n"),
            std::string::npos);
}

TEST(ShowCommand, BadFilesAndCommandLines) {
  const struct {
    std::vector<std::string_view> args;
    int code;
    std::string err;
  } cases[] = {
      {{"/nonexistent/a.lwf"}, ExitFailed, "Помилка завантаження файлу! - /nonexistent/a.lwf\n"},
      {{LW_EXAMPLES_DIR "/../README.md"},
       ExitFailed,
       "Невідомий формат Файлу! - " LW_EXAMPLES_DIR "/../README.md\n"},
      {{}, ExitUsage, ""},
      {{"a.lwf", "b.lwf"}, ExitUsage, ""},
  };
  for (const auto& c : cases) {
    const CommandRun run = Show(c.args);
    EXPECT_EQ(run.exit, c.code);
    EXPECT_TRUE(run.out.empty());
    if (!c.err.empty()) {
      EXPECT_EQ(run.err, c.err);
    }
  }
  const CommandRun help = Show({"--help"});
  EXPECT_EQ(help.exit, ExitOk);
  EXPECT_NE(help.out.find("Usage: linewright-cli show"), std::string::npos);
}

}  // namespace
}  // namespace lw::cli
