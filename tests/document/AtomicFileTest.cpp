// The writer every save goes through: whichever step fails, the previous file stays
// byte for byte, nothing is left beside it, and the failure says why.
#include "document/AtomicFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "TempDir.h"

namespace lw {
namespace {

enum class Step { Open, Write, ShortWrite, Flush, Sync, Close, Rename };

// The system's calls, except that the first call of one step fails with `error`.
class FailingFileSystem final : public FileSystem {
 public:
  FailingFileSystem(Step step, int error) : step_(step), error_(error) {}

  int CreateNew(const std::string& path, unsigned mode, int& fd) override {
    if (Fires(Step::Open)) return error_;
    return real_.CreateNew(path, mode, fd);
  }
  int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
    if (shortened_ && Fires(Step::ShortWrite)) return error_;
    if (step_ == Step::ShortWrite && !shortened_ && size > 1) {
      shortened_ = true;  // half now, and the next write fails
      return real_.Write(fd, data, size / 2, written);
    }
    // A write during the stream is one of a full piece; the flush is the last one.
    if (Fires(size >= (std::size_t{64} << 10) ? Step::Write : Step::Flush)) return error_;
    return real_.Write(fd, data, size, written);
  }
  int Sync(int fd) override { return Fires(Step::Sync) ? error_ : real_.Sync(fd); }
  int Close(int fd) override {
    const int error = real_.Close(fd);  // the descriptor goes either way
    return Fires(Step::Close) ? error_ : error;
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Fires(Step::Rename) ? error_ : real_.Rename(from, to);
  }
  int Link(const std::string& existing, const std::string& newName) override {
    return real_.Link(existing, newName);
  }
  int Remove(const std::string& path) override { return real_.Remove(path); }
  int SyncFolder(const std::string& folder) override { return real_.SyncFolder(folder); }

  bool Fired() const { return fired_; }

 private:
  bool Fires(Step step) {
    if (fired_ || step != step_) return false;
    fired_ = true;
    return true;
  }
  FileSystem& real_ = SystemFileSystem();
  Step step_;
  int error_;
  bool fired_ = false, shortened_ = false;
};

std::vector<std::string> FolderContent(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct FailureCase {
  std::string name;
  Step step;
  std::size_t bytes;  // more than one piece reaches the write step
};

class AtomicFileFailure : public ::testing::TestWithParam<std::tuple<FailureCase, int>> {};

TEST_P(AtomicFileFailure, KeepsThePreviousFileAndSaysWhy) {
  const auto& [c, error] = GetParam();
  testing::TempDir dir;
  const std::string path = dir.File("doc.lwf");
  testing::WriteAll(path, "previous");
  FailingFileSystem files(c.step, error);
  {
    AtomicFile file(path, files);
    const std::string piece(c.bytes / 4 + 1, 'x');
    for (int k = 0; k < 4; ++k) file.Write(piece);
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.Error(), error);
  }
  EXPECT_TRUE(files.Fired());
  EXPECT_EQ(testing::ReadAll(path), "previous");
  EXPECT_EQ(FolderContent(std::filesystem::path(path).parent_path()),
            std::vector<std::string>{"doc.lwf"});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, AtomicFileFailure,
    ::testing::Combine(::testing::Values(FailureCase{"Open", Step::Open, 100},
                                         FailureCase{"Write", Step::Write, 1 << 20},
                                         FailureCase{"ShortWrite", Step::ShortWrite, 1 << 20},
                                         FailureCase{"Flush", Step::Flush, 100},
                                         FailureCase{"Sync", Step::Sync, 100},
                                         FailureCase{"Close", Step::Close, 100},
                                         FailureCase{"Rename", Step::Rename, 100}),
                       ::testing::Values(ENOSPC, EIO, EACCES, EROFS)),
    [](const auto& param) {
      const int error = std::get<1>(param.param);
      return std::get<0>(param.param).name + "_" +
             (error == ENOSPC   ? "ENOSPC"
              : error == EIO    ? "EIO"
              : error == EACCES ? "EACCES"
                                : "EROFS");
    });

// Paths that cannot take the file, on the real file system.
TEST(AtomicFile, RefusesWhatCannotBeReplaced) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.File("folder"));
  const struct {
    std::string path;
    int error;
  } cases[] = {
      {dir.File("folder"), EISDIR},
      {dir.File("missing/doc.lwf"), ENOENT},
      {dir.File(std::string(256, 'n')), ENAMETOOLONG},
  };
  for (const auto& c : cases) {
    int error = 0;
    EXPECT_FALSE(WriteFileAtomically(c.path, "x", &error)) << c.path;
    EXPECT_EQ(error, c.error) << c.path;
    EXPECT_FALSE(WriteFailureReason(error).empty());
  }
  EXPECT_EQ(FolderContent(dir.File("")), std::vector<std::string>{"folder"});
}

// A link keeps pointing at the file it named, which gets the new bytes; a replaced
// file keeps its permissions.
TEST(AtomicFile, FollowsLinksAndKeepsPermissions) {
  testing::TempDir dir;
  const std::string real = dir.File("real.lwf"), link = dir.File("link.lwf");
  testing::WriteAll(real, "old");
  std::filesystem::permissions(real, std::filesystem::perms(0640));
  std::filesystem::create_symlink(real, link);
  ASSERT_TRUE(WriteFileAtomically(link, "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(testing::ReadAll(real), "new");
  EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms(0640));
}

// A mesh and its material library are one save: when the main file cannot replace
// its target, the library already replaced gets its old bytes back, and a library
// that was new goes again.
TEST(AtomicFile, FilesCommittedTogetherAreAllOrNothing) {
  for (const bool libraryExisted : {true, false}) {
    testing::TempDir dir;
    const std::string main = dir.File("f.obj"), library = dir.File("f.mtl");
    testing::WriteAll(main, "old obj");
    if (libraryExisted) testing::WriteAll(library, "old mtl");
    FailingFileSystem files(Step::Rename, EIO);
    AtomicFile libraryFile(library), mainFile(main, files);
    libraryFile.Write("new mtl");
    mainFile.Write("new obj");
    AtomicFile* order[] = {&libraryFile, &mainFile};
    EXPECT_FALSE(CommitTogether(order));
    EXPECT_EQ(testing::ReadAll(main), "old obj");
    EXPECT_EQ(std::filesystem::exists(library), libraryExisted);
    if (libraryExisted) {
      EXPECT_EQ(testing::ReadAll(library), "old mtl");
    }
    EXPECT_EQ(FolderContent(dir.File("")).size(), libraryExisted ? 2u : 1u);
  }
}

// The system's calls, keeping the windows a large file was sent to the disk in.
class WindowRecorder final : public FileSystem {
 public:
  struct Window {
    long long waitFrom, waitSize, offset, size;
  };
  int CreateNew(const std::string& path, unsigned mode, int& fd) override {
    return real_.CreateNew(path, mode, fd);
  }
  int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
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
  void WriteBehind(int fd, long long waitFrom, long long waitSize, long long offset,
                   long long size) override {
    windows.push_back({waitFrom, waitSize, offset, size});
    real_.WriteBehind(fd, waitFrom, waitSize, offset, size);
  }
  std::vector<Window> windows;

 private:
  FileSystem& real_ = SystemFileSystem();
};

// A large file goes to the disk window after window while it is written: the windows
// follow each other without a gap, and each waits for the one before it only.
TEST(AtomicFileWindows, LargeFilesGoToTheDiskWindowAfterWindow) {
  testing::TempDir dir;
  const std::string path = dir.File("large.bin");
  WindowRecorder files;
  std::string expected;
  {
    AtomicFile file(path, files);
    for (int piece = 0; piece < 300; ++piece) {
      // Small pieces and, now and then, one larger than a window.
      const std::size_t size = piece % 100 == 50 ? (std::size_t{5} << 20) : 40000;
      const std::string bytes(size, static_cast<char>('a' + piece % 26));
      expected += bytes;
      ASSERT_TRUE(file.Write(bytes));
    }
    ASSERT_TRUE(file.Commit());
  }
  ASSERT_GE(files.windows.size(), 4u);
  long long end = 0, previousStart = 0;
  for (const WindowRecorder::Window& w : files.windows) {
    EXPECT_EQ(w.offset, end);
    EXPECT_EQ(w.waitFrom, previousStart);
    EXPECT_EQ(w.waitSize, end - previousStart);
    EXPECT_GE(w.size, 2LL << 20);
    previousStart = w.offset;
    end = w.offset + w.size;
  }
  EXPECT_LE(end, static_cast<long long>(expected.size()));
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(in), {}, expected.begin(), expected.end()));
}

}  // namespace
}  // namespace lw
