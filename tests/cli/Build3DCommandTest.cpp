#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CommandRun.h"
#include "document/Palette.h"
#include "document/SettingsFile.h"
#include "scene3d/DxfFormat.h"

namespace lw::cli {
namespace {

CommandRun Build3D(std::vector<std::string_view> args) {
  return RunCommand(RunBuild3D, std::move(args));
}

class Build3DCommand : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
  std::string SaveDocument(const Document& document) {
    const std::string path = Path("doc.lwf");
    EXPECT_EQ(SaveSettingsFile(path, document), FileResult::Ok);
    return path;
  }
  QTemporaryDir dir;
};

TEST_F(Build3DCommand, CommandLine) {
  const struct {
    std::vector<std::string_view> args;
    int exit;
  } cases[] = {
      {{"--help"}, ExitOk},
      {{}, ExitUsage},
      {{"doc.lwf"}, ExitUsage},
      {{"-o", "x.dxf"}, ExitUsage},
      {{"a", "b", "-o", "x"}, ExitUsage},
      {{"a", "-x", "-o", "x"}, ExitUsage},
  };
  for (const auto& c : cases) EXPECT_EQ(Build3D(c.args).exit, c.exit) << c.args.size();
  EXPECT_NE(Build3D({"--help"}).out.find("build3d DOC.lwf -o OUT [--format NAME]"),
            std::string::npos);
}

TEST_F(Build3DCommand, BuildsAllGraphsIntoTheDxf) {
  Document document;
  document.Appearance.Axes3D = true;
  document.Graphs3D.Append("X*Y", PlotP3d{0x0000FF, ZOfXY});
  const std::string doc = SaveDocument(document), out = Path("out.dxf");
  const CommandRun run = Build3D({doc, "-o", out});
  ASSERT_EQ(run.exit, ExitOk) << run.err;
  EXPECT_EQ(run.err, "Окей\nЗбереження - " + out + " - Окей\n");
  G3dBlock block;
  ReadDxf(ReadAll(out), block, StartupPalette());
  ASSERT_EQ(block.objects.size(), 3u);  // the axes, the graph, and "ENTITIES"
  EXPECT_EQ(block.objects[0]->name, "Axes");
  EXPECT_EQ(block.objects[0]->triangles.size(), 9u);
  EXPECT_EQ(block.objects[1]->name, "Graph_1");
  EXPECT_EQ(block.objects[1]->triangles.size(), 29u * 29u * 2u);      // -6..6 by 0.4: 30 samples
  EXPECT_NE(ReadAll(out).find(" 62\r\n255\r\n"), std::string::npos);  // red byte of the graph
}

TEST_F(Build3DCommand, Failures) {
  Document document;
  document.Params.Field(ParamField::StepY) = "-1";
  const std::string doc = SaveDocument(document);
  CommandRun run = Build3D({doc, "-o", Path("out.dxf")});
  EXPECT_EQ(run.exit, ExitFailed);
  EXPECT_EQ(run.err, "Помилка вводу кроку вісі Y\n");
  EXPECT_TRUE(ReadAll(Path("out.dxf")).empty());

  // A grid refused for the first of three graphs: the message names its axis, the
  // reason follows, and the old output stays.
  for (const ParamField step : {ParamField::StepX, ParamField::StepY, ParamField::StepZ}) {
    document.Params.Field(step) = "0.001";
  }
  for (const std::uint32_t form : {ZOfXY, YOfXZ, XOfYZ}) document.Graphs3D.Append("1", {0, form});
  std::ofstream(Path("out.dxf")) << "keep me";
  run = Build3D({SaveDocument(document), "-o", Path("out.dxf")});
  EXPECT_EQ(run.exit, ExitFailed);
  EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "Помилка вводу кроку вісі Y");
  EXPECT_NE(run.err.find("grid points, more than 4194304 (too many along Y)"), std::string::npos);
  EXPECT_EQ(ReadAll(Path("out.dxf")), "keep me");
  document = Document{};

  const std::string missing = Path("missing.lwf");
  run = Build3D({missing, "-o", Path("out.dxf")});
  EXPECT_EQ(run.exit, ExitFailed);
  EXPECT_EQ(run.err, "Помилка завантаження файлу! - " + missing + "\n");

  document.Params.Field(ParamField::StepY).assign(1, '1');
  const std::string unwritable = Path("none/out.dxf");
  run = Build3D({SaveDocument(document), "-o", unwritable});
  EXPECT_EQ(run.exit, ExitFailed);
  EXPECT_NE(run.err.find("Помилка збереження файлу! - " + unwritable), std::string::npos);
}

// The sphere of radius 3 as a parametric surface, through the text STL a user would
// check it with: every vertex on the sphere, and the figure reaching +-3 on each axis.
TEST_F(Build3DCommand, ParametricSphereToStl) {
  Document document;
  document.Params.Field(ParamField::StepX) = "0.1";
  document.Params.Field(ParamField::StepY) = "0.1";
  document.Graphs3D.Append("3*COS(U)*SIN(V);3*SIN(U)*SIN(V);3*COS(V);0;2*P;0;P",
                           PlotP3d{0x00C0FF, ParametricSurface});
  const std::string doc = SaveDocument(document), out = Path("sphere.stl");
  const CommandRun run = Build3D({doc, "-o", out, "--format", "stl-ascii"});
  ASSERT_EQ(run.exit, ExitOk) << run.err;
  std::istringstream text(ReadAll(out));
  std::array<double, 3> low{}, high{};
  std::size_t vertices = 0;
  for (std::string word; text >> word;) {
    if (word != "vertex") continue;
    std::array<double, 3> v{};
    text >> v[0] >> v[1] >> v[2];
    EXPECT_NEAR(std::hypot(v[0], v[1], v[2]), 3.0, 0.01) << vertices;
    for (std::size_t k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], v[k]);
      high[k] = std::max(high[k], v[k]);
    }
    ++vertices;
  }
  EXPECT_GT(vertices, 10000u);
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_NEAR(low[k], -3.0, 0.01) << k;
    EXPECT_NEAR(high[k], 3.0, 0.01) << k;
  }
}

}  // namespace
}  // namespace lw::cli
