// Saving meshes to files: what a saved file reads back as, a stop part-way, a
// memory failure, and the pieces the writers hand on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <set>
#include <string>

#include <sys/resource.h>

#include "CaseNames.h"
#include "MeshFixtures.h"
#include "TempDir.h"
#include "document/AtomicFile.h"
#include "scene3d/G3dFile.h"
#include "scene3d/MeshWriters.h"
#include "scene3d/Scene3DCommands.h"

namespace lw {
namespace {

struct SaveCase {
  const char* name;
  MeshFormat format;
  const char* file;
  const char* library;  // the companion written beside it, or ""
  bool names;           // objects come back by name
  bool colours;         // the graphs' colours come back (per corner or per face)
};

const SaveCase kSaves[] = {
    {"StlBinary", MeshFormat::StlBinary, "figure.stl", "", false, false},
    {"StlAscii", MeshFormat::StlAscii, "figure.stl", "", false, false},
    {"Obj", MeshFormat::Obj, "figure.obj", "figure.mtl", true, true},
    {"PlyBinary", MeshFormat::PlyBinary, "figure.ply", "", false, true},
    {"Glb", MeshFormat::Glb, "figure.glb", "", true, true},
};

class MeshSave : public ::testing::TestWithParam<SaveCase> {};

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// A block of one n x n grid in the grid colour of the sample, no axes.
G3dBlock Grid(std::uint32_t n) {
  G3dBlock block;
  G3dObject& grid = AppendObject(block, "Graph_1");
  for (std::uint32_t row = 0; row < n; ++row) {
    for (std::uint32_t column = 0; column < n; ++column) {
      AppendPoint(grid, static_cast<float>(column), static_cast<float>(row),
                  static_cast<float>((row * column) % 7));
    }
  }
  grid.triangles.SetGrid({n, n, 10, 20, 30});
  return block;
}

TEST_P(MeshSave, ReadsBackWithoutTheAxes) {
  const SaveCase& c = GetParam();
  testing::TempDir dir;
  G3dBlock figure = testing::SampleBlock();
  G3dFile file(&figure, nullptr);
  ASSERT_EQ(file.WriteMesh(dir.File(c.file), c.format), FileDone);

  G3dBlock read;
  G3dFile reader(&read, nullptr);
  ASSERT_EQ(reader.ReadMesh(dir.File(c.file), c.format), FileDone);
  std::size_t triangles = 0;
  for (const auto& object : read.objects) {
    triangles += object->triangles.size();
    EXPECT_NE(object->name, "Axes");
  }
  // Graph_1's 4 and Graph_2's 12; the axes' 2 and the empty object are left out.
  EXPECT_EQ(triangles, 16u);
  if (c.names) {
    ASSERT_EQ(read.objects.size(), 2u);
    EXPECT_EQ(read.objects[0]->name, "Graph_1");
    EXPECT_EQ(read.objects[1]->name, "Graph_2");
  }
  const G3dVertex last =
      read.objects.back()->triangles[read.objects.back()->triangles.size() - 1].corners[2];
  const std::array<std::uint8_t, 3> green{0, 255, 0}, grey{128, 128, 128};
  EXPECT_EQ((std::array<std::uint8_t, 3>{last.r, last.g, last.b}), c.colours ? green : grey);
  std::set<std::string> expected{c.file};
  if (*c.library != '\0') expected.insert(c.library);
  EXPECT_EQ(FilesIn(dir.File("")), expected);
}

// The system's file calls, asking the work to stop once the first piece of the new
// file has reached the disk.
class StopAfterFirstWrite final : public FileSystem {
 public:
  explicit StopAfterFirstWrite(WorkControl& work) : work_(work) {}
  int CreateNew(const std::string& path, unsigned mode, int& fd) override {
    return real_.CreateNew(path, mode, fd);
  }
  int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
    ++writes;
    work_.RequestStop();
    return real_.Write(fd, data, size, written);
  }
  int Sync(int fd) override { return real_.Sync(fd); }
  int Close(int fd) override { return real_.Close(fd); }
  int Rename(const std::string& from, const std::string& to) override {
    return real_.Rename(from, to);
  }
  int Link(const std::string& existing, const std::string& newName) override {
    return real_.Link(existing, newName);
  }
  int Remove(const std::string& path) override { return real_.Remove(path); }
  int SyncFolder(const std::string& folder) override { return real_.SyncFolder(folder); }

  int writes = 0;

 private:
  WorkControl& work_;
  FileSystem& real_ = SystemFileSystem();
};

TEST_P(MeshSave, AStopMidSaveKeepsTheOldFilesAndLeavesNothingBeside) {
  const SaveCase& c = GetParam();
  testing::TempDir dir;
  testing::WriteAll(dir.File(c.file), "old figure");
  if (*c.library != '\0') testing::WriteAll(dir.File(c.library), "old library");
  const std::set<std::string> before = FilesIn(dir.File(""));
  G3dBlock figure = Grid(400);  // several megabytes in every format
  WorkControl work;
  StopAfterFirstWrite files(work);
  G3dFile file(&figure, nullptr);
  file.SetWork(&work);
  file.SetFileSystem(&files);
  EXPECT_EQ(file.WriteMesh(dir.File(c.file), c.format), FileStopped);
  // No piece after the one being written when the stop came (which may go out as
  // two writes: what the file still held, then the piece).
  EXPECT_LE(files.writes, 2);
  EXPECT_EQ(testing::ReadAll(dir.File(c.file)), "old figure");
  if (*c.library != '\0') {
    EXPECT_EQ(testing::ReadAll(dir.File(c.library)), "old library");
  }
  EXPECT_EQ(FilesIn(dir.File("")), before);
}

// A stop asked for while the first piece is written ends the save there: no second
// piece is formatted, and every piece is about a megabyte.
TEST_P(MeshSave, StopsBetweenPieces) {
  const SaveCase& c = GetParam();
  const G3dBlock figure = Grid(400);  // 318 402 triangles: several pieces in every format
  WorkControl work;
  std::size_t pieces = 0, largest = 0;
  const MeshPieceSink main = [&](std::string_view piece) {
    ++pieces;
    largest = std::max(largest, piece.size());
    work.RequestStop();
    return true;
  };
  const MeshPieceSink library = [](std::string_view) { return true; };
  EXPECT_EQ(WriteMeshPieces(figure, c.format, {main, library, "figure.mtl"}, &work),
            MeshWriteResult::Stopped);
  EXPECT_EQ(pieces, 1u);
  EXPECT_LE(largest, (std::size_t{1} << 20) + 4096);
}

TEST_P(MeshSave, AMemoryFailureIsReportedAsSuch) {
  const SaveCase& c = GetParam();
  const MeshPieceSink full = [](std::string_view) -> bool { throw std::bad_alloc(); };
  EXPECT_EQ(WriteMeshPieces(testing::SampleBlock(), c.format, {full, full, "figure.mtl"}, nullptr),
            MeshWriteResult::OutOfMemory);
}

// While it lives, this process may map only `room` bytes more than it has now.
class AddressSpaceLimit {
 public:
  explicit AddressSpaceLimit(rlim_t room) {
    getrlimit(RLIMIT_AS, &saved_);
    std::ifstream status("/proc/self/status");
    std::string line;
    rlim_t mapped = 0;
    while (std::getline(status, line)) {
      if (line.starts_with("VmSize:")) mapped = std::strtoull(line.c_str() + 7, nullptr, 10) * 1024;
    }
    rlimit lowered = saved_;
    lowered.rlim_cur = mapped + room;
    setrlimit(RLIMIT_AS, &lowered);
  }
  ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved_); }
  AddressSpaceLimit(const AddressSpaceLimit&) = delete;
  AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

 private:
  rlimit saved_{};
};

// Within 64 MB more than the figure, every format saves a surface of a million
// triangles.
TEST_P(MeshSave, SavesALargeSurfaceUnderAMemoryLimit) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers reserve address space of their own";
#else
  const SaveCase& c = GetParam();
  testing::TempDir dir;
  G3dBlock figure = Grid(700);  // 977 202 triangles
  G3dFile file(&figure, nullptr);
  int result = FileDone;
  {
    const AddressSpaceLimit limit(64 << 20);
    result = file.WriteMesh(dir.File(c.file), c.format);
  }
  EXPECT_EQ(result, FileDone);
  G3dBlock read;
  G3dFile reader(&read, nullptr);
  ASSERT_EQ(reader.ReadMesh(dir.File(c.file), c.format), FileDone);
  std::size_t triangles = 0;
  for (const auto& object : read.objects) triangles += object->triangles.size();
  EXPECT_EQ(triangles, 977202u);
#endif
}

INSTANTIATE_TEST_SUITE_P(Formats, MeshSave, ::testing::ValuesIn(kSaves), test::CaseName{});

float FloatAt(const std::string& bytes, std::size_t at) {
  float value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

// Binary STL: a header other tools do not take for text, the facet count, and each
// facet's normal the flat normal of its corners.
TEST(MeshSaveStl, BinaryFacetsCarryTheirFlatNormals) {
  const G3dBlock figure = Grid(3);
  const auto written = WriteMesh(figure, MeshFormat::StlBinary, "grid.stl");
  ASSERT_TRUE(written.has_value());
  const std::string& stl = written->main;
  EXPECT_FALSE(stl.starts_with("solid"));
  ASSERT_EQ(stl.size(), 84u + 8u * 50u);
  std::uint32_t count = 0;
  std::memcpy(&count, stl.data() + 80, sizeof count);
  EXPECT_EQ(count, 8u);
  const G3dObject& grid = *figure.objects[0];
  for (std::size_t t = 0; t < 8; ++t) {
    const G3dTriangle triangle = grid.triangles[t];
    const std::array<float, 3> normal =
        FlatNormal(grid.points[triangle.corners[0].point], grid.points[triangle.corners[1].point],
                   grid.points[triangle.corners[2].point]);
    for (std::size_t k = 0; k < 3; ++k) {
      EXPECT_EQ(FloatAt(stl, 84 + 50 * t + 4 * k), normal[k]) << "facet " << t;
    }
  }
}

// OBJ: a material per colour used, named by the colour, in the library named after
// the file; a colour run starts a group of the object's name.
TEST(MeshSaveObj, MaterialsAreNamedByTheirColour) {
  const auto written = WriteMesh(testing::SampleBlock(), MeshFormat::Obj, "surface.obj");
  ASSERT_TRUE(written.has_value());
  ASSERT_EQ(written->companions.count("surface.mtl"), 1u);
  const std::string& library = written->companions.at("surface.mtl");
  for (const char* material : {"Colour_C80A14", "Colour_0506FA", "Colour_00FF00"}) {
    EXPECT_NE(library.find(std::string("newmtl ") + material + "\n"), std::string::npos);
  }
  EXPECT_EQ(library.find("Colour_FFFFFF"), std::string::npos);  // the axes' white
  EXPECT_NE(written->main.find("mtllib surface.mtl\n"), std::string::npos);
  EXPECT_NE(written->main.find("g Graph_1\nusemtl Colour_0506FA\n"), std::string::npos);
}

struct StatusCase {
  const char* name;
  int result;
  const char* text;
};

// A memory failure blames the memory, not the file.
const StatusCase kStatuses[] = {
    {"Done", FileDone, "Збереження - f.stl - Окей"},
    {"Stopped", FileStopped, "Збереження перервано. - f.stl"},
    {"OutOfMemory", FileOutOfMemory, "Недостатньо пам'яті для збереження! - f.stl"},
    {"CannotWrite", FileCannotWrite, "Помилка збереження файлу! - f.stl"},
};

class SaveStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(SaveStatus, SaysWhatHappened) {
  EXPECT_EQ(Write3DFileStatus(GetParam().result, "f.stl"), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Results, SaveStatus, ::testing::ValuesIn(kStatuses), test::CaseName{});

}  // namespace
}  // namespace lw
