// Every 3D file job as the desktop program runs it: the progress window shows while
// it runs (its Escape and close box are the stop), and a stop asked for in the middle
// ends it soon, leaving the old file or the 3D space as it was and saying so.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <chrono>
#include <filesystem>
#include <thread>

#include "CaseNames.h"
#include "FigureFiles.h"
#include "TempDir.h"
#include "app/Program.h"
#include "app/Program3D.h"

namespace lw {
namespace {

using testing::TempDir;

// Large enough that no job is over before the stop arrives (some 180 000 triangles).
constexpr int kSide = 300;
// The figure a stopped save writes: large enough that the fastest writers (binary
// STL, PLY, glb) are still at it when the stop comes on a loaded machine.
constexpr int kSaveSide = 1000;
// From the stop request to the job's end; generous beside the 0.1 s asked for, as
// the machine running the tests is shared.
constexpr qint64 kStopBoundMs = 500;

struct FileJobCase {
  const char* name;
  Space3DFileKind kind;
  const char* file;
  bool save;
};

void PrintTo(const FileJobCase& c, std::ostream* out) {
  *out << c.name;
}

class FileJobs : public ::testing::TestWithParam<FileJobCase> {
 protected:
  FileJobs() : program(dir.File("")) {
    program.SetProgress(&progress);
    space().SetView(&view);
  }
  ~FileJobs() override {
    space().SetView(nullptr);
    program.SetProgress(nullptr);
  }
  Program3D& space() { return program.ThreeD(); }

  // The grid written by the program's own writer of kind, for the kinds it writes.
  void SaveGrid(const std::string& path, Space3DFileKind kind) {
    PutGrid(space().Block(), kSide);
    ASSERT_TRUE(space().SaveFile(path, kind));
    program.Work().Wait();
    ASSERT_EQ(space().LastFileResult(), 0) << program.Status();
    ClearBlock(space().Block());
  }
  void MakeInput(const std::string& path, Space3DFileKind kind) {
    switch (kind) {
      case Space3DFileKind::T3d:
        testing::WriteAll(path, testing::T3dGrid(kSide));
        break;
      case Space3DFileKind::Gltf: {
        std::string bin;
        testing::WriteAll(path, testing::GltfGrid(kSide, "grid.bin", bin));
        testing::WriteAll(dir.File("grid.bin"), bin);
        break;
      }
      case Space3DFileKind::ThreeMf:
        testing::WriteAll(path, testing::ThreeMfGrid(kSide));
        break;
      default:
        SaveGrid(path, kind);
    }
  }
  static void PutGrid(G3dBlock& block, int side) { testing::PutGrid(block, side); }
  // The figure on screen before the job: one object of one triangle.
  void PutMarker() {
    G3dObject& object = AppendObject(space().Block(), "Marker");
    G3dTriangle& t = AppendTriangle(object);
    AddCorner(t, 0, object, 0, 0, 0);
    AddCorner(t, 1, object, 1, 0, 0);
    AddCorner(t, 2, object, 0, 1, 0);
  }
  // Lets the job get under way, asks it to stop, and returns how long it took to end.
  qint64 StopAfterAMoment() {
    EXPECT_TRUE(program.Busy());
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    QElapsedTimer clock;
    clock.start();
    program.StopWork();
    program.Work().Wait();
    return clock.elapsed();
  }

  TempDir dir;
  Program program;
  SilentProgress progress;
  RecordingScene3DView view;
};

TEST_P(FileJobs, AStopEndsTheJobSoonAndLeavesTheOldStateAlone) {
  const FileJobCase& c = GetParam();
  const std::string path = dir.File(c.file);
  if (c.save) {
    testing::WriteAll(path, "the previous file");
    PutGrid(space().Block(), kSaveSide);
    ASSERT_TRUE(space().SaveFile(path, c.kind));
  } else {
    MakeInput(path, c.kind);
    PutMarker();
    ASSERT_TRUE(space().OpenFile(path, c.kind));
  }
  EXPECT_TRUE(progress.Visible());
  EXPECT_EQ(progress.Caption(), FileProgressCaption);
  EXPECT_LE(StopAfterAMoment(), kStopBoundMs);
  EXPECT_FALSE(progress.Visible());
  EXPECT_FALSE(program.Busy());
  // A fast job on a loaded machine may be past its last piece (writing the file out
  // and renaming it) when the stop comes: then it ends whole, as any finished job.
  if (program.Status() == (c.save ? "Збереження - " : "Завантаження - ") + path + " - Окей") {
    EXPECT_NE(testing::ReadAll(path), "the previous file");
    return;
  }
  if (c.save) {
    EXPECT_EQ(program.Status(), "Збереження перервано. - " + path);
    EXPECT_TRUE(testing::ReadAll(path) == "the previous file") << "the old file was replaced";
    // No new file beside it, whole or in part.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")), {}), 1);
  } else {
    EXPECT_EQ(program.Status(), "Завантаження перервано. - " + path);
    ASSERT_EQ(space().Block().objects.size(), 1u);
    EXPECT_EQ(space().Block().objects[0]->name, "Marker");
  }
}

const FileJobCase openCases[] = {
    {"OpenDxf", Space3DFileKind::Dxf, "in.dxf", false},
    {"OpenT3d", Space3DFileKind::T3d, "in.t3d", false},
    {"OpenStl", Space3DFileKind::StlBinary, "in.stl", false},
    {"OpenObj", Space3DFileKind::Obj, "in.obj", false},
    {"OpenPly", Space3DFileKind::Ply, "in.ply", false},
    {"OpenGltf", Space3DFileKind::Gltf, "in.gltf", false},
    {"OpenGlb", Space3DFileKind::Glb, "in.glb", false},
    {"Open3mf", Space3DFileKind::ThreeMf, "in.3mf", false},
};

const FileJobCase saveCases[] = {
    {"SaveDxf", Space3DFileKind::Dxf, "out.dxf", true},
    {"SaveStlBinary", Space3DFileKind::StlBinary, "out.stl", true},
    {"SaveStlText", Space3DFileKind::StlAscii, "out.stl", true},
    {"SaveObj", Space3DFileKind::Obj, "out.obj", true},
    {"SavePly", Space3DFileKind::Ply, "out.ply", true},
    {"SaveGlb", Space3DFileKind::Glb, "out.glb", true},
};

INSTANTIATE_TEST_SUITE_P(Reads, FileJobs, ::testing::ValuesIn(openCases), test::CaseName());
INSTANTIATE_TEST_SUITE_P(Writes, FileJobs, ::testing::ValuesIn(saveCases), test::CaseName());

class FileInputs : public FileJobs {};

// The inputs above are sound: read to the end, each gives the whole grid, so the
// stopped reads above are stops and not refusals.
TEST_P(FileInputs, UnstoppedReadTheWholeGrid) {
  const FileJobCase& c = GetParam();
  const std::string path = dir.File(c.file);
  MakeInput(path, c.kind);
  ASSERT_TRUE(space().OpenFile(path, c.kind));
  program.Work().Wait();
  EXPECT_EQ(program.Status(), "Завантаження - " + path + " - Окей");
  std::size_t triangles = 0;
  for (const auto& object : space().Block().objects) triangles += object->triangles.size();
  EXPECT_GE(triangles, std::size_t{2} * (kSide - 1) * (kSide - 1));
  EXPECT_FALSE(progress.Visible());
}

INSTANTIATE_TEST_SUITE_P(Reads, FileInputs, ::testing::ValuesIn(openCases), test::CaseName());

TEST(FileJobProgress, TheBarIsBusyDuringTheJobAndGetsItsRangeBackAfter) {
  TempDir dir;
  Program program(dir.File(""));
  SilentProgress progress;
  program.SetProgress(&progress);
  progress.SetCaption("Стан побудови : графік №3");
  progress.SetMaximum(41);
  testing::PutGrid(program.ThreeD().Block(), 50);
  ASSERT_TRUE(program.ThreeD().SaveFile(dir.File("a.dxf")));
  EXPECT_EQ(progress.Maximum(), 0);
  EXPECT_EQ(progress.Caption(), FileProgressCaption);
  program.Work().Wait();
  EXPECT_EQ(progress.Maximum(), 41);
  EXPECT_FALSE(progress.Visible());
  program.SetProgress(nullptr);
}

}  // namespace
}  // namespace lw
