#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CommandRun.h"
#include "app/Program.h"
#include "app/Program2D.h"
#include "document/SettingsFile.h"

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
  std::string DiscDocument(const std::string& scaleY = "1", const char* formula = "x*x+y*y-25",
                           std::vector<std::string> constants = {}) const {
    Document doc;
    doc.Params.AutoScale = false;
    doc.Params.Field(ParamField::ScaleX) = "1";
    doc.Params.Field(ParamField::ScaleY) = scaleY;
    doc.Appearance.ShowAxes = false;
    doc.Appearance.ShowUnits = false;
    doc.Appearance.ShowVariableNames = false;
    doc.Params.Constants2D = std::move(constants);
    doc.Graphs2D.Append(formula, PlotP{0x0000FF, Relation, 0, Less});
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
      {"a.lwf", "-o", "x.png", "--size", "8193x10"},
      {"a.lwf", "-o", "x.png", "--size", "10x8193"},
      {"a.lwf", "-o", "x.png", "--size", "12x"},
      {"a.lwf", "-o", "x.png", "--size", "12y12"},
      {"a.lwf", "-o", "x.png", "--frobnicate"},
      {"a.lwf", "b.lwf", "-o", "x.png"},
      {"a.lwf", "-o", "x.png", "--set", "A"},
      {"a.lwf", "-o", "x.png", "--set", "A=2*P"},
      {"a.lwf", "-o", "x.png", "--sweep", "A=1:5:0"},
      {"a.lwf", "-o", "x.png", "--sweep", "A=1:5:1"},  // no number field in the output
      {"a.lwf", "-o", "%d.png", "--sweep", "A=1:5:1", "--sweep", "B=1:2:1"},
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

// A disc of radius R, with R=5 in the document.
TEST_F(Render2DCommandTest, SetOverridesAConstantOfTheDocument) {
  const std::string doc = DiscDocument("1", "x*x+y*y-R*R", {"R=5"});
  const std::string out = Path("small.png");
  const CommandRun run = Render({doc, "-o", out, "--size", "40x30", "--set", "r=2"});
  ASSERT_EQ(run.exit, ExitOk) << run.err;
  const QImage image(QString::fromStdString(out));
  EXPECT_EQ(image.pixel(22, 15), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(24, 15), qRgb(255, 255, 255));  // inside radius 5, outside 2
}

TEST_F(Render2DCommandTest, SweepWritesOnePicturePerValue) {
  const std::string doc = DiscDocument("1", "x*x+y*y-R*R", {"R=5"});
  fs::create_directories(dir / "frames");
  const CommandRun run =
      Render({doc, "-o", Path("frames/%03d.png"), "--size", "40x30", "--sweep", "R=2:6:2"});
  ASSERT_EQ(run.exit, ExitOk) << run.err;
  EXPECT_EQ(run.err, "Окей\nОкей\nОкей\n");
  const int edge[] = {22, 24, 26};  // the last red column of radius 2, 4, 6
  for (int frame = 0; frame < 3; ++frame) {
    const QImage image(QString::fromStdString(Path("frames/00" + std::to_string(frame) + ".png")));
    ASSERT_FALSE(image.isNull()) << frame;
    EXPECT_EQ(image.pixel(edge[frame], 15), qRgb(255, 0, 0)) << frame;
    EXPECT_EQ(image.pixel(edge[frame] + 1, 15), qRgb(255, 255, 255)) << frame;
  }
  EXPECT_FALSE(fs::exists(Path("frames/003.png")));
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
  for (const char* name :
       {"functions", "relations", "gamma", "parametric-names", "surfaces", "curves"}) {
    const std::string out = Path(std::string(name) + ".png");
    const CommandRun run =
        Render({std::string(LW_EXAMPLES_DIR "/") + name + ".lwf", "-o", out, "--size", "160x120"});
    EXPECT_EQ(run.exit, ExitOk) << name << ": " << run.err;
    EXPECT_TRUE(QImage(QString::fromStdString(out)).size() == QSize(160, 120)) << name;
  }
}

// A circle r = 5 and the rose r = 6 + 2 cos 3T, both single-valued in the angle, on
// [-10, 10] at 800 x 800 (40 pixels per unit, origin at pixel 400, 400): every pixel of
// the curve's colour within 2 pixels of the curve along its ray, and every whole degree
// of T with such a pixel within 2 pixels of its point.
TEST_F(Render2DCommandTest, CurvesOfAParameterAreCloseAndUnbroken) {
  const struct {
    const char* text;
    std::uint8_t kind;
    double (*radius)(double);
  } cases[] = {
      {"5*COS(T);5*SIN(T);0;2*P", ParametricCurve, [](double) { return 5.0; }},
      {"6+2*COS(3*T);0;2*P", PolarCurve, [](double t) { return 6 + 2 * std::cos(3 * t); }},
  };
  for (const auto& c : cases) {
    Document doc;
    for (const ParamField f : {ParamField::XStart, ParamField::YStart}) doc.Params.Field(f) = "-10";
    for (const ParamField f : {ParamField::XEnd, ParamField::YEnd}) doc.Params.Field(f) = "10";
    doc.Appearance.ShowAxes = false;
    doc.Graphs2D.Append(c.text, PlotP{0x0000FF, c.kind, 1, Equal});
    const std::string path = Path("curve.lwf"), out = Path("curve.png");
    ASSERT_EQ(SaveSettingsFile(path, doc), FileResult::Ok);
    const CommandRun run = Render({path, "-o", out, "--size", "800x800"});
    ASSERT_EQ(run.exit, ExitOk) << run.err;
    const QImage image = QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
    std::vector<std::pair<double, double>> drawn;
    for (int y = 0; y < 800; ++y) {
      for (int x = 0; x < 800; ++x) {
        if (image.pixel(x, y) != qRgb(255, 0, 0)) continue;
        const double dx = x + 0.5 - 400, dy = 400 - (y + 0.5);
        drawn.emplace_back(dx, dy);
        const double along = 40 * c.radius(std::atan2(dy, dx));
        EXPECT_NEAR(std::hypot(dx, dy), along, 2.0) << c.text << " pixel " << x << ", " << y;
      }
    }
    ASSERT_GT(drawn.size(), 1000u) << c.text;
    for (int degree = 0; degree < 360; ++degree) {
      const double t = degree * Pi / 180, r = 40 * c.radius(t);
      double best = 1e9;
      for (const auto& [dx, dy] : drawn) {
        best = std::min(best, std::hypot(dx - r * std::cos(t), dy - r * std::sin(t)));
      }
      EXPECT_LE(best, 2.0) << c.text << " degree " << degree;
    }
  }
}

// A view larger than the program's default picture: the command draws exactly what the
// desktop program shows in a plot view of that size, out to its right and bottom edge.
TEST_F(Render2DCommandTest, LargeSizesShowWhatAViewOfThatSizeShows) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "cli_tests";
  char* argv[] = {name, nullptr};
  const QGuiApplication app(argc, argv);
  constexpr int kWidth = 1900, kHeight = 1300;
  for (const char* example : {"functions", "relations", "gamma"}) {
    const std::string doc = std::string(LW_EXAMPLES_DIR "/") + example + ".lwf";
    const std::string out = Path(std::string(example) + ".png");
    const CommandRun run = Render({doc, "-o", out, "--size", "1900x1300"});
    ASSERT_EQ(run.exit, ExitOk) << example << ": " << run.err;
    const QImage rendered =
        QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);

    Program program(dir.string());
    ASSERT_TRUE(program.LoadSets(doc)) << example;
    program.TwoD().SetViewSize(kWidth, kHeight);
    program.TwoD().BuildAll();
    program.Work().Wait();
    const QImage shown = program.TwoD().Picture().ToImage(kWidth, kHeight);
    EXPECT_TRUE(rendered == shown) << example;
  }
}

}  // namespace
}  // namespace lw::cli
