#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "CommandRun.h"

namespace lw::cli {
namespace {

CommandRun Info3D(std::vector<std::string_view> args) {
  return RunCommand(RunInfo3D, std::move(args));
}

TEST(Info3DCommand, ListsObjectsAsRead) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("two.dxf").toStdString();
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "0\r\nSECTION\r\n2\r\nTABLES\r\n0\r\nTABLE\r\n2\r\nLAYER\r\n0\r\nLAYER\r\n2\r\nA\r\n"
      "0\r\nLAYER\r\n2\r\nB\r\n0\r\nENDTAB\r\n0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n"
      "0\r\n3DFACE\r\n8\r\nB\r\n10\r\n-1.5\r\n20\r\n0\r\n30\r\n1E-5\r\n11\r\n2\r\n21\r\n3\r\n"
      "31\r\n0\r\n12\r\n2\r\n22\r\n0\r\n32\r\n0\r\n13\r\n-1.5\r\n23\r\n3\r\n33\r\n0\r\n"
      "0\r\nENDSEC\r\n0\r\nEOF\r\n");
  file.close();
  const CommandRun run = Info3D({path});
  EXPECT_EQ(run.exit, ExitOk) << run.err;
  EXPECT_EQ(run.out,
            "Objects: 3\n"
            "0 \"A\": 0 points, 0 triangles\n"
            "1 \"B\": 4 points, 2 triangles, x [-1.5, 2], y [0, 3], z [0, 9.99999974737875E-6]\n"
            "2 \"ENTITIES\": 0 points, 0 triangles\n");
}

TEST(Info3DCommand, Failures) {
  QTemporaryDir dir;
  const std::string missing = dir.filePath("none.t3d").toStdString();
  const CommandRun run = Info3D({missing});
  EXPECT_EQ(run.exit, ExitFailed);
  EXPECT_EQ(run.err, "Помилка завантаження файлу! - " + missing + "\n");
  EXPECT_EQ(Info3D({}).exit, ExitUsage);
  EXPECT_EQ(Info3D({"a", "b"}).exit, ExitUsage);
  EXPECT_EQ(Info3D({"--help"}).exit, ExitOk);
}

}  // namespace
}  // namespace lw::cli
