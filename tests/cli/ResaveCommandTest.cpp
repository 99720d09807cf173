#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string_view>

#include <unistd.h>

#include "CommandRun.h"

namespace lw::cli {
namespace {

int Resave(std::vector<std::string_view> args, std::string& err) {
  const CommandRun run = RunCommand(RunResave, std::move(args));
  err = run.err;
  return run.exit;
}

class ResaveCommand : public ::testing::Test {
 protected:
  ResaveCommand() {
    // One folder per test, as ctest may run them side by side.
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::path(::testing::TempDir()) /
          (std::string("lw_resave_") + info->name() + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  ~ResaveCommand() override { std::filesystem::remove_all(dir); }
  std::string File(const char* name) const { return (dir / name).string(); }
  std::filesystem::path dir;
};

TEST_F(ResaveCommand, EveryExampleComesBackByteForByte) {
  for (const char* name : {"functions.lwf", "relations.lwf", "gamma.lwf", "surfaces.lwf"}) {
    const std::string from = std::string(LW_EXAMPLES_DIR "/") + name;
    std::string err;
    ASSERT_EQ(Resave({from, File(name)}, err), ExitOk) << err;
    EXPECT_EQ(ReadAll(File(name)), ReadAll(from)) << name;
  }
}

TEST_F(ResaveCommand, FailuresLeaveTheTargetAlone) {
  const std::string target = File("target.lwf");
  std::ofstream(target) << "keep me";
  std::ofstream(File("broken.lwf")) << "LWF\n10\n";
  std::string err;
  EXPECT_EQ(Resave({File("broken.lwf"), target}, err), ExitFailed);
  EXPECT_EQ(err, "Невідомий формат Файлу! - " + File("broken.lwf") + "\n");
  EXPECT_EQ(Resave({File("none.lwf"), target}, err), ExitFailed);
  EXPECT_EQ(err, "Помилка завантаження файлу! - " + File("none.lwf") + "\n");
  EXPECT_EQ(ReadAll(target), "keep me");
  const std::string unwritable = File("no/such/dir.lwf");
  EXPECT_EQ(Resave({LW_EXAMPLES_DIR "/gamma.lwf", unwritable}, err), ExitFailed);
  EXPECT_EQ(err, "Помилка збереження файлу! - " + unwritable + "\nlinewright-cli: " + unwritable +
                     " was not written: No such file or directory; the previous file is "
                     "unchanged\n");
}

TEST_F(ResaveCommand, CommandLine) {
  std::string err;
  EXPECT_EQ(Resave({}, err), ExitUsage);
  EXPECT_EQ(Resave({"a.lwf"}, err), ExitUsage);
  EXPECT_EQ(Resave({"a", "b", "c"}, err), ExitUsage);
  EXPECT_EQ(Resave({"--help"}, err), ExitOk);
}

}  // namespace
}  // namespace lw::cli
