#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CommandRun.h"
#include "SettingsFile.h"

namespace lw::cli {
namespace {

namespace fs = std::filesystem;

CommandRun Render(std::vector<std::string_view> args) {
  return RunCommand(RunRender2D, std::move(args));
}

class Render2DCommandTest : public ::testing::Test {
 protected:
  Render2DCommandTest() {
    dir = fs::temp_directory_path() /
          ("lw-render2d-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  ~Render2DCommandTest() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }

  // A document with one disc x^2 + y^2 < 25 in red, no axes, one pixel per unit.
  std::string DiscDocument(const std::string& scaleY = "1") const {
    Document doc;
    doc.Params.AutoScale = false;
    doc.Params.Field(ParamField::ScaleX) = "1";
    doc.Params.Field(ParamField::ScaleY) = scaleY;
    doc.Appearance.ShowAxes = false;
    doc.Appearance.ShowUnits = false;
    doc.Appearance.ShowVariableNames = false;
    doc.Graphs2D.Append("x*x+y*y-25", PlotP{0x0000FF, Relation, 0, Less});
    const std::string path = Path("disc.lwf");
    EXPECT_EQ(SaveSettingsFile(path, doc), FileResult::Ok);
    return path;
  }

  fs::path dir;
};

TEST_F(Render2DCommandTest, HelpAndCommandLineErrors) {
  const CommandRun help = Render({"--help"});
  EXPECT_EQ(help.exit, ExitOk);
  EXPECT_NE(help.out.find("Usage: linewright-cli render2d"), std::string::npos);
  const std::vector<std::vector<std::string_view>> bad = {
      {},
      {"a.lwf"},
      {"-o", "x.png"},
      {"a.lwf", "-o"},
      {"a.lwf", "-o", "x.gif"},
      {"a.lwf", "-o", "x.png", "--size", "0x10"},
      {"a.lwf", "-o", "x.png", "--size", "1601x10"},
      {"a.lwf", "-o", "x.png", "--size", "12x"},
      {"a.lwf", "-o", "x.png", "--size", "12y12"},
      {"a.lwf", "-o", "x.png", "--frobnicate"},
      {"a.lwf", "b.lwf", "-o", "x.png"},
  };
  for (const auto& args : bad) {
    const CommandRun run = Render(args);
    EXPECT_EQ(run.exit, ExitUsage) << (args.empty() ? "" : args.back());
    EXPECT_NE(run.err.find("Usage:"), std::string::npos);
  }
}

TEST_F(Render2DCommandTest, DrawsTheGraphsIntoAPictureOfTheViewSize) {
  const std::string doc = DiscDocument();
  for (const char* name : {"disc.png", "disc.BMP"}) {
    const std::string out = Path(name);
    const CommandRun run = Render({doc, "-o", out, "--size", "40x30"});
    ASSERT_EQ(run.exit, ExitOk) << run.err;
    EXPECT_EQ(run.err, "Окей\n");
    const QImage image(QString::fromStdString(out));
    ASSERT_EQ(image.size(), QSize(40, 30)) << name;
    EXPECT_EQ(image.pixel(20, 15), qRgb(255, 0, 0)) << name;      // centre of the disc
    EXPECT_EQ(image.pixel(25, 15), qRgb(255, 0, 0)) << name;      // radius 5 plus the margin
    EXPECT_EQ(image.pixel(26, 15), qRgb(255, 255, 255)) << name;  // outside
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << name;
  }
}

TEST_F(Render2DCommandTest, RefusedParametersWriteNothingAndFail) {
  const std::string out = Path("bad.png");
  const CommandRun run = Render({DiscDocument("0"), "-o", out});
  EXPECT_EQ(run.exit, ExitFailed);
  EXPECT_EQ(run.err, "Помилка вводу маштабу вісі Y\n");
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(Render2DCommandTest, UnreadableFilesAreReported) {
  const std::string out = Path("x.png");
  const CommandRun missing = Render({Path("missing.lwf"), "-o", out});
  EXPECT_EQ(missing.exit, ExitFailed);
  EXPECT_NE(missing.err.find("Помилка завантаження файлу! - "), std::string::npos);
  const std::string junk = Path("junk.lwf");
  std::ofstream(junk) << "not a document\n";
  const CommandRun unknown = Render({junk, "-o", out});
  EXPECT_EQ(unknown.exit, ExitFailed);
  EXPECT_NE(unknown.err.find("Невідомий формат Файлу! - "), std::string::npos);
  const CommandRun palette = Render({DiscDocument(), "-o", out, "--palette", Path("missing.plt")});
  EXPECT_EQ(palette.exit, ExitFailed);
  EXPECT_NE(palette.err.find("Помилка завантаження файлу Палітри! - "), std::string::npos);
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(Render2DCommandTest, ColourMapsUseTheGivenPalette) {
  const std::string plt = Path("grey.plt");
  {
    std::ofstream file(plt, std::ios::binary);
    for (int i = 0; i < 768; ++i) file.put(static_cast<char>(0x40 + i % 3));
  }
  const std::string out = Path("gamma.png");
  const CommandRun run =
      Render({LW_EXAMPLES_DIR "/gamma.lwf", "-o", out, "--size", "64x48", "--palette", plt});
  ASSERT_EQ(run.exit, ExitOk) << run.err;
  const QImage image(QString::fromStdString(out));
  EXPECT_EQ(image.pixel(5, 5), qRgb(0x40, 0x41, 0x42));
}

TEST_F(Render2DCommandTest, EveryExampleRenders) {
  for (const char* name : {"functions", "relations", "gamma", "parametric-names", "surfaces"}) {
    const std::string out = Path(std::string(name) + ".png");
    const CommandRun run =
        Render({std::string(LW_EXAMPLES_DIR "/") + name + ".lwf", "-o", out, "--size", "160x120"});
    EXPECT_EQ(run.exit, ExitOk) << name << ": " << run.err;
    EXPECT_TRUE(QImage(QString::fromStdString(out)).size() == QSize(160, 120)) << name;
  }
}

}  // namespace
}  // namespace lw::cli
