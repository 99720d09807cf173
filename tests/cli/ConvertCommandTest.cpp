#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "CommandRun.h"
#include "document/Palette.h"
#include "scene3d/DxfFormat.h"

namespace lw::cli {
namespace {

CommandRun Convert(std::vector<std::string_view> args) {
  return RunCommand(RunConvert, std::move(args));
}

class ConvertCommand : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
  void Write(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  QTemporaryDir dir;
};

// One face on layer A from (2, 0, 5) to (10, 4, 5), colour number 5.
constexpr const char* kFace =
    "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nA\n0\nENDTAB\n0\nENDSEC\n"
    "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n8\nA\n10\n2\n20\n0\n30\n5\n11\n10\n21\n4\n31\n5\n"
    "12\n10\n22\n0\n32\n5\n62\n5\n0\nENDSEC\n0\nEOF\n";

TEST_F(ConvertCommand, DxfIsCentredAndColouredThroughThePalette) {
  const std::string in = Path("in.dxf"), out = Path("out.dxf"), plt = Path("p.plt");
  Write(in, kFace);
  Palette palette;
  palette.Set(5, 0x000077);
  Write(plt, std::string(palette.bytes.begin(), palette.bytes.end()));
  const CommandRun run = Convert({in, "-o", out, "--palette", plt});
  ASSERT_EQ(run.exit, ExitOk) << run.err;
  EXPECT_EQ(run.err, "Збереження - " + out + " - Окей\n");
  const std::string text = ReadAll(out);
  // Read back reversed, then centred: the first corner (10, 0, 5) is now (4, -2, 0).
  EXPECT_NE(text.find(" 10\r\n4.000000\r\n 20\r\n-2.000000\r\n 30\r\n0.000000\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(" 62\r\n119\r\n"), std::string::npos);
  G3dBlock block;
  ReadDxf(text, block, palette);
  EXPECT_EQ(block.objects.size(), 2u);  // A and "ENTITIES": the second one ends the table
}

TEST_F(ConvertCommand, BinaryFigure) {
  std::string t3d = "T3D\x01";
  t3d += std::string("\0\x09\x08\x07\x00", 5);
  const char counts[8] = {1, 0, 0, 0, 3, 0, 0, 0};
  t3d += std::string(counts, 8) + std::string(24, '\0');
  for (float v : {0.0f, 0.0f, 0.0f, 2.0f, 0.0f, 0.0f, 0.0f, 2.0f, 0.0f}) {
    t3d += std::string(reinterpret_cast<const char*>(&v), 4);
  }
  const char triangle[13] = {3, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0};
  t3d += std::string(triangle, 13);
  const std::string in = Path("fig.t3d"), out = Path("fig.dxf");
  Write(in, t3d);
  const CommandRun run = Convert({in, "-o", out});
  ASSERT_EQ(run.exit, ExitOk) << run.err;
  const std::string text = ReadAll(out);
  EXPECT_NE(text.find(" 2\r\nUnititled0\r\n"), std::string::npos);
  EXPECT_NE(text.find(" 11\r\n1.000000\r\n 21\r\n-1.000000\r\n"), std::string::npos);
  EXPECT_NE(text.find(" 62\r\n9\r\n"), std::string::npos);  // the figure colour's red byte
}

TEST_F(ConvertCommand, Failures) {
  const std::string missing = Path("missing.dxf"), junk = Path("junk.t3d"), out = Path("o.dxf");
  Write(junk, "T3X");
  const struct {
    std::vector<std::string_view> args;
    int exit;
    std::string err;
  } cases[] = {
      {{missing, "-o", out}, ExitFailed, "Помилка завантаження файлу! - " + missing + "\n"},
      {{junk, "-o", out}, ExitFailed, "Невідомий формат Файлу! - " + junk + "\n"},
      {{junk, "-o", out, "--palette", missing},
       ExitFailed,
       "Помилка завантаження файлу Палітри! - " + missing + "\n"},
  };
  for (const auto& c : cases) {
    const CommandRun run = Convert(c.args);
    EXPECT_EQ(run.exit, c.exit);
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_TRUE(ReadAll(out).empty());
  EXPECT_EQ(Convert({}).exit, ExitUsage);
  EXPECT_EQ(Convert({"a.dxf"}).exit, ExitUsage);
  EXPECT_EQ(Convert({"a.dxf", "-o"}).exit, ExitUsage);
  EXPECT_EQ(Convert({"--help"}).exit, ExitOk);
}

}  // namespace
}  // namespace lw::cli
