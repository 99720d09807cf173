// build3d and convert in the mesh formats, each file read back by the program and by
// an independent reader (the mesh library's own command-line tool), and render3d.
#include <gtest/gtest.h>

#include <QImage>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CommandRun.h"

namespace lw::cli {
namespace {

CommandRun RunCli(std::vector<std::string_view> args) {
  return RunCommand(RunCommandLine, std::move(args));
}

const std::string kSurfaces = std::string(LW_EXAMPLES_DIR) + "/surfaces.lwf";

// What `assimp info` says of a file, or nullopt when the tool is missing.
std::optional<std::string> IndependentInfo(const std::string& path) {
  if (std::system("command -v assimp >/dev/null 2>&1") != 0) return std::nullopt;
  std::string output;
  const std::string command = "assimp info '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::array<char, 4096> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) output += buffer.data();
  pclose(pipe);
  return output;
}

// The number after `label` in assimp's summary, -1 when missing.
long Count(const std::string& info, const std::string& label) {
  const std::size_t at = info.find(label);
  if (at == std::string::npos) return -1;
  return std::strtol(info.c_str() + at + label.size(), nullptr, 10);
}

struct MeshFileCase {
  const char* label;
  const char* extension;
  const char* format;  // --format, or "" for the extension's
  bool namedObjects;
};

const MeshFileCase kMeshFiles[] = {
    {"Stl", "stl", "", false}, {"StlAscii", "stl", "stl-ascii", false},
    {"Obj", "obj", "", true},  {"Ply", "ply", "", false},
    {"Glb", "glb", "", true},
};

class MeshFiles : public ::testing::TestWithParam<MeshFileCase> {
 protected:
  std::string Path(const std::string& name) const {
    return dir.filePath(name.c_str()).toStdString();
  }
  QTemporaryDir dir;
};

// The example's three surfaces, 3 x 1152 triangles; its axes stay out of mesh files.
constexpr long kSurfaceTriangles = 3 * 1152;

TEST_P(MeshFiles, Build3DWritesWhatTheProgramAndAnIndependentReaderOpen) {
  const MeshFileCase& c = GetParam();
  const std::string out = Path(std::string("surfaces.") + c.extension);
  std::vector<std::string_view> args{"build3d", kSurfaces, "-o", out};
  if (*c.format != '\0') args.insert(args.end(), {"--format", c.format});
  const CommandRun built = RunCli(args);
  ASSERT_EQ(built.exit, ExitOk) << built.err;
  EXPECT_NE(built.err.find("Збереження - " + out + " - Окей"), std::string::npos);

  const CommandRun info = RunCli({"info3d", out});
  ASSERT_EQ(info.exit, ExitOk) << info.err;
  if (c.namedObjects) {
    EXPECT_NE(info.out.find("Objects: 3\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("0 \"Graph_1\": 625 points, 1152 triangles"), std::string::npos)
        << info.out;
  } else {
    EXPECT_NE(info.out.find("3456 triangles"), std::string::npos) << info.out;
  }

  const std::optional<std::string> independent = IndependentInfo(out);
  if (!independent) GTEST_SKIP() << "assimp (assimp-utils) is not installed";
  EXPECT_EQ(Count(*independent, "Faces:"), kSurfaceTriangles) << *independent;
  EXPECT_EQ(independent->find("ERROR"), std::string::npos) << *independent;
}

TEST_P(MeshFiles, ConvertTakesTheFileBackToDxf) {
  const MeshFileCase& c = GetParam();
  const std::string mesh = Path(std::string("surfaces.") + c.extension);
  const std::string dxf = Path("back.dxf");
  std::vector<std::string_view> args{"build3d", kSurfaces, "-o", mesh};
  if (*c.format != '\0') args.insert(args.end(), {"--format", c.format});
  ASSERT_EQ(RunCli(args).exit, ExitOk);
  const CommandRun converted = RunCli({"convert", mesh, "-o", dxf});
  ASSERT_EQ(converted.exit, ExitOk) << converted.err;
  const CommandRun info = RunCli({"info3d", dxf});
  ASSERT_EQ(info.exit, ExitOk) << info.err;
  EXPECT_NE(
      info.out.find(c.namedObjects ? "\"Graph_3\": 625 points, 1152 triangles" : "3456 triangles"),
      std::string::npos)
      << info.out;
}

INSTANTIATE_TEST_SUITE_P(Formats, MeshFiles, ::testing::ValuesIn(kMeshFiles),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(MeshCommandLine, FormatsThatAreOnlyReadOrUnknownAreUsageErrors) {
  QTemporaryDir dir;
  const std::string out = dir.filePath("x.3mf").toStdString();
  const CommandRun readOnly = RunCli({"build3d", kSurfaces, "-o", out});
  EXPECT_EQ(readOnly.exit, ExitUsage);
  EXPECT_NE(readOnly.err.find("only read"), std::string::npos) << readOnly.err;
  const CommandRun unknown = RunCli({"build3d", kSurfaces, "-o", out, "--format", "vrml"});
  EXPECT_EQ(unknown.exit, ExitUsage);
  EXPECT_NE(unknown.err.find("unknown format 'vrml'"), std::string::npos) << unknown.err;
}

TEST(MeshCommandLine, ABrokenMeshIsAnUnknownFormat) {
  QTemporaryDir dir;
  const std::string in = dir.filePath("broken.glb").toStdString();
  FILE* file = std::fopen(in.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("glTF broken", file);
  std::fclose(file);
  const CommandRun run = RunCli({"convert", in, "-o", dir.filePath("o.dxf").toStdString()});
  EXPECT_EQ(run.exit, ExitFailed);
  EXPECT_EQ(run.err, "Невідомий формат Файлу! - " + in + "\nlinewright-cli: " + in +
                         ": the binary glTF's lengths run past its end\n");
}

// ---- render3d -------------------------------------------------------------------

struct Render3DUsageCase {
  const char* label;
  std::vector<std::string_view> args;
  const char* message;
};

class Render3DUsage : public ::testing::TestWithParam<Render3DUsageCase> {};

TEST_P(Render3DUsage, IsRefusedWithItsReason) {
  std::vector<std::string_view> args{"render3d"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const CommandRun run = RunCli(args);
  EXPECT_EQ(run.exit, ExitUsage);
  EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, Render3DUsage,
    ::testing::Values(
        Render3DUsageCase{"NoDocument", {"-o", "x.png"}, "no document"},
        Render3DUsageCase{"NoPicture", {"d.lwf"}, "must end in .png or .bmp"},
        Render3DUsageCase{"WrongPicture", {"d.lwf", "-o", "x.jpg"}, "must end in .png or .bmp"},
        Render3DUsageCase{"HugeSize", {"d.lwf", "-o", "x.png", "--size", "5000x10"}, "4096x4096"},
        Render3DUsageCase{"ZeroSize", {"d.lwf", "-o", "x.png", "--size", "0x10"}, "4096x4096"},
        Render3DUsageCase{"TwoAngles", {"d.lwf", "-o", "x.png", "--turn", "1,2"}, "three angles"},
        Render3DUsageCase{"WordAngle", {"d.lwf", "-o", "x.png", "--turn", "1,a,3"}, "three angles"},
        Render3DUsageCase{
            "UnknownMode", {"d.lwf", "-o", "x.png", "--mode", "wire"}, "points, lines"},
        Render3DUsageCase{"MissingValue", {"d.lwf", "-o"}, "missing"}),
    [](const auto& p) { return std::string(p.param.label); });

// The example drawn as polygons: the figure fills part of a black frame in the
// surfaces' colours; as lines, far less of the frame is lit.
TEST(Render3D, DrawsTheViewWithoutADisplay) {
  QTemporaryDir dir;
  const std::string filled = dir.filePath("filled.png").toStdString();
  const std::string lines = dir.filePath("lines.bmp").toStdString();
  const CommandRun a =
      RunCli({"render3d", kSurfaces, "-o", filled, "--size", "320x240", "--turn", "30,20,0"});
  if (a.exit == ExitFailed && a.err.find("EGL") != std::string::npos) {
    GTEST_SKIP() << "no off-screen OpenGL here: " << a.err;
  }
  ASSERT_EQ(a.exit, ExitOk) << a.err;
  const CommandRun b = RunCli({"render3d", kSurfaces, "-o", lines, "--size", "320x240", "--turn",
                               "30,20,0", "--mode", "lines"});
  ASSERT_EQ(b.exit, ExitOk) << b.err;
  const auto lit = [](const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != qRgb(0, 0, 0);
    }
    return count;
  };
  const QImage polygons(QString::fromStdString(filled)), edges(QString::fromStdString(lines));
  ASSERT_EQ(polygons.size(), QSize(320, 240));
  ASSERT_EQ(edges.size(), QSize(320, 240));
  EXPECT_EQ(polygons.pixel(0, 0), qRgb(0, 0, 0));
  const int filledPixels = lit(polygons), edgePixels = lit(edges);
  EXPECT_GT(filledPixels, 320 * 240 / 10);
  EXPECT_LT(edgePixels, filledPixels);
  EXPECT_GT(edgePixels, 0);
}

// A document without 3D graphs would give a black frame; it is refused instead.
TEST(Render3D, ADocumentWithout3DGraphsDrawsNothing) {
  QTemporaryDir dir;
  const std::string out = dir.filePath("none.png").toStdString();
  const CommandRun run = RunCli({"render3d", LW_EXAMPLES_DIR "/functions.lwf", "-o", out});
  EXPECT_EQ(run.exit, ExitFailed);
  EXPECT_NE(run.err.find("has no 3D graphs"), std::string::npos) << run.err;
  EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
}

}  // namespace
}  // namespace lw::cli
