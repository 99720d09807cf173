// The file half shared by the document formats.
#include "document/FileIo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FileSizeLimit.h"
#include "TempDir.h"

namespace lw {
namespace {

// A write that fails part way, as on a full disk, keeps the previous file whole and
// leaves no temporary file beside it.
TEST(WriteFileAtomically, AWriteThatFailsPartWayKeepsThePreviousFile) {
  testing::TempDir dir;
  const std::string path = dir.File("doc.lwf");
  ASSERT_TRUE(WriteFileAtomically(path, "previous"));
  {
    const test::FileSizeLimit limit(4096);
    EXPECT_FALSE(WriteFileAtomically(path, std::string(std::size_t{1} << 20, 'x')));
  }
  EXPECT_EQ(testing::ReadAll(path), "previous");
  const auto folder = std::filesystem::path(path).parent_path();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  EXPECT_TRUE(WriteFileAtomically(path, "next"));
  EXPECT_EQ(testing::ReadAll(path), "next");
}

}  // namespace
}  // namespace lw
