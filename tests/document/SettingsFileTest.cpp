#include "document/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "document/SettingsFormat.h"
#include "formula/FormulaParser.h"

namespace lw {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

Document SomeDocument() {
  Document d;
  d.Params.Field(ParamField::XEnd) = "40";
  d.Graphs2D.Append("x^2", PlotP{255, Function, 1, Equal});
  return d;
}

TEST(SettingsFile, SavedDocumentLoadsBackEqual) {
  TempDir dir;
  const std::string path = dir.File("Графік.lwf");
  ASSERT_EQ(SaveSettingsFile(path, SomeDocument()), FileResult::Ok);
  Document d;
  ASSERT_EQ(LoadSettingsFile(path, d), FileResult::Ok);
  EXPECT_EQ(d, SomeDocument());
}

TEST(SettingsFile, FailedSaveKeepsThePreviousFile) {
  TempDir dir;
  const std::string path = dir.File("a.lwf");
  ASSERT_EQ(SaveSettingsFile(path, SomeDocument()), FileResult::Ok);
  const std::string before = ReadAll(path);
  Document unstorable = SomeDocument();
  unstorable.Graphs2D.Append("x\xE2\x88\x9A", PlotP{});
  EXPECT_EQ(SaveSettingsFile(path, unstorable), FileResult::CannotWrite);
  EXPECT_EQ(ReadAll(path), before);
  // No temporary file is left beside it either.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(SettingsFile, SaveWhereNoFileCanBeMadeFails) {
  TempDir dir;
  EXPECT_EQ(SaveSettingsFile(dir.File("missing/a.lwf"), Document{}), FileResult::CannotWrite);
  std::filesystem::create_directory(dir.File("folder"));
  EXPECT_EQ(SaveSettingsFile(dir.File("folder"), Document{}), FileResult::CannotWrite);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
}

TEST(SettingsFile, LoadFailuresLeaveTheDocumentAlone) {
  TempDir dir;
  WriteAll(dir.File("text.lwf"), "Hello\n");
  WriteAll(dir.File("short.lwf"), "LWF\n10\n");
  const Document before = SomeDocument();
  const struct {
    std::string path;
    FileResult result;
  } cases[] = {
      {dir.File("none.lwf"), FileResult::CannotRead},
      {dir.File(""), FileResult::CannotRead},
      {dir.File("text.lwf"), FileResult::UnknownFormat},
      {dir.File("short.lwf"), FileResult::UnknownFormat},
  };
  for (const auto& c : cases) {
    Document d = before;
    EXPECT_EQ(LoadSettingsFile(c.path, d), c.result) << c.path;
    EXPECT_EQ(d, before) << c.path;
  }
}

TEST(SettingsFile, OversizedFileIsNotADocument) {
  TempDir dir;
  std::string bytes;
  ASSERT_EQ(EncodeSettings(Document{}, bytes), SettingsEncodeResult::Ok);
  // Whatever follows the last graph is not read, so padding keeps a file valid
  // until it grows past what any document needs.
  WriteAll(dir.File("padded.lwf"), bytes + std::string(1 << 20, ' '));
  Document d;
  EXPECT_EQ(LoadSettingsFile(dir.File("padded.lwf"), d), FileResult::Ok);
  WriteAll(dir.File("huge.lwf"), bytes + std::string(8 << 20, ' '));
  EXPECT_EQ(LoadSettingsFile(dir.File("huge.lwf"), d), FileResult::UnknownFormat);
}

TEST(SettingsFile, ShippedTemplateHoldsTheDefaults) {
  Document d = SomeDocument();
  ASSERT_EQ(LoadSettingsFile(LW_TEMPLATE_PATH, d), FileResult::Ok);
  EXPECT_EQ(d, Document{});
  std::string bytes;
  ASSERT_EQ(EncodeSettings(Document{}, bytes), SettingsEncodeResult::Ok);
  EXPECT_EQ(ReadAll(LW_TEMPLATE_PATH), bytes);
}

TEST(SettingsFile, ExamplesLoadAndSaveBackUnchanged) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LW_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".lwf") continue;
    ++count;
    Document d;
    ASSERT_EQ(LoadSettingsFile(entry.path().string(), d), FileResult::Ok) << entry.path();
    std::string bytes;
    ASSERT_EQ(EncodeSettings(d, bytes), SettingsEncodeResult::Ok);
    EXPECT_EQ(bytes, ReadAll(entry.path().string())) << entry.path();
    // In the form every tool reads, the scanners too, which do not normalise.
    const auto expectNormal = [&entry](const auto& texts) {
      for (std::size_t i = 0; i < texts.Count(); ++i) {
        std::string normal = texts.Text(i);
        FormulaParser::Normalize(normal);
        EXPECT_EQ(texts.Text(i), normal) << entry.path();
      }
    };
    expectNormal(d.Graphs2D);
    expectNormal(d.Graphs3D);
  }
  EXPECT_GE(count, 3);
}

}  // namespace
}  // namespace lw
