#include "document/OptionsFile.h"

#include <gtest/gtest.h>

#include <vector>

#include "TempDir.h"

namespace lw {
namespace {

using namespace std::string_literals;
using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

// Written by hand from the layout.
const std::string kGolden =
    "100\n800\n120\n600\n"
    "1101111011001\n"
    "/home/ira/Графіки.lwf\n"
    "11849159\n"
    "\xCC\n-16777208\n-13\nCourier New\n1\n10\n0101\n"
    "/home/ira/notes.txt\n"
    "\0"s;

Options GoldenOptions() {
  Options o;
  o.Left = 100;
  o.Width = 800;
  o.Top = 120;
  o.Height = 600;
  o.NormalState = true;
  o.ScanOptions = {true, false, true, true, true, true, false};
  o.AskToSave = true;
  o.ShowToolPanel = true;
  o.ShowHints = false;
  o.ShowStatusBar = false;
  o.CalculatorClearInput = true;
  o.DocumentPath = "/home/ira/Графіки.lwf";
  o.NotepadFont = LabelFont{204, 0xFF000008, -13, "Courier New", 1, 10, false, true, false, true};
  o.NotepadFile = "/home/ira/notes.txt";
  return o;
}

TEST(OptionsFile, GoldenBytesBothWays) {
  std::string golden = kGolden;
  // The path is UTF-8 here and code page 1251 in the file.
  golden.replace(golden.find("Графіки"), std::string("Графіки").size(),
                 "\xC3\xF0\xE0\xF4\xB3\xEA\xE8");
  Options read;
  ASSERT_TRUE(DecodeOptions(golden, read));
  EXPECT_EQ(read, GoldenOptions());
  EXPECT_EQ(EncodeOptions(GoldenOptions()), golden);
}

TEST(OptionsFile, SwitchesKeepTheSenseOfTheirControls) {
  // Anything but '0' leaves the normally-on switches on; anything but '1' leaves
  // the tool panel and the status bar off.
  std::string bytes = EncodeOptions(Options{});
  bytes.replace(bytes.find("0111111110101\n"), 13, "xxxxxxxxxxxxx");
  Options o;
  ASSERT_TRUE(DecodeOptions(bytes, o));
  EXPECT_FALSE(o.NormalState);
  EXPECT_EQ(o.ScanOptions, Options{}.ScanOptions);
  EXPECT_TRUE(o.AskToSave);
  EXPECT_FALSE(o.ShowToolPanel);
  EXPECT_TRUE(o.ShowHints);
  EXPECT_FALSE(o.ShowStatusBar);
  EXPECT_TRUE(o.CalculatorClearInput);
}

TEST(OptionsFile, MissingOrDamagedFileGivesTheDefaults) {
  TempDir dir;
  EXPECT_EQ(ReadOptionsFile(dir.File("none.dat")), Options{});
  const std::string good = EncodeOptions(GoldenOptions());
  for (const std::size_t length : {std::size_t{0}, std::size_t{5}, good.size() / 2}) {
    WriteAll(dir.File("cut.dat"), good.substr(0, length));
    EXPECT_EQ(ReadOptionsFile(dir.File("cut.dat")), Options{}) << length;
  }
  // Without the closing zero byte the file still reads.
  WriteAll(dir.File("nozero.dat"), good.substr(0, good.size() - 1));
  EXPECT_EQ(ReadOptionsFile(dir.File("nozero.dat")), GoldenOptions());
}

TEST(OptionsFile, WriteThenReadAndSilentFailure) {
  TempDir dir;
  WriteOptionsFile(dir.File("Linewright.dat"), GoldenOptions());
  EXPECT_EQ(ReadOptionsFile(dir.File("Linewright.dat")), GoldenOptions());
  WriteOptionsFile(dir.File("missing/Linewright.dat"), GoldenOptions());
  EXPECT_EQ(ReadOptionsFile(dir.File("missing/Linewright.dat")), Options{});
}

TEST(OptionsFile, UnstorablePathIsForgottenNotEverything) {
  Options o = GoldenOptions();
  o.DocumentPath = "/tmp/\xE4\xB8\xAD.lwf";
  o.NotepadFont.FaceName = "\xE4\xB8\xAD";
  Options back;
  ASSERT_TRUE(DecodeOptions(EncodeOptions(o), back));
  EXPECT_EQ(back.DocumentPath, "");
  EXPECT_EQ(back.NotepadFont.FaceName, LabelFont{}.FaceName);
  EXPECT_EQ(back.NotepadFile, o.NotepadFile);
  EXPECT_EQ(back.Width, 800);
}

TEST(OptionsFile, LastCommandLineArgumentNamesTheDocument) {
  Options o;
  o.DocumentPath = "last.lwf";
  const struct {
    std::vector<std::string> arguments;
    const char* path;
  } cases[] = {
      {{}, "last.lwf"},
      {{"a.lwf"}, "a.lwf"},
      {{"-x", "a.lwf", "b.lwf"}, "b.lwf"},
      {{"a.lwf", ""}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(StartupDocumentPath(o, c.arguments), c.path);
}

}  // namespace
}  // namespace lw
