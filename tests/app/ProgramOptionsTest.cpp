// Where the options file goes: beside the program, or to the user's configuration
// folder when the program's folder cannot be written (an installed program).
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>
#include <functional>

#include "CaseNames.h"
#include "TempDir.h"
#include "app/Program.h"
#include "app/ProgramAnalysis.h"

namespace lw {
namespace {

using testing::TempDir;

// Points the user's configuration folder into the test's folder while it lives.
class ConfigHome {
 public:
  explicit ConfigHome(const std::string& path)
      : saved_(qgetenv("XDG_CONFIG_HOME")), had_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(path));
  }
  ~ConfigHome() {
    if (had_) {
      qputenv("XDG_CONFIG_HOME", saved_);
    } else {
      qunsetenv("XDG_CONFIG_HOME");
    }
  }

 private:
  QByteArray saved_;
  bool had_;
};

std::string Clean(const std::string& path) {
  return QDir::cleanPath(QString::fromStdString(path)).toStdString();
}

TEST(ProgramOptions, StayBesideAWritableProgram) {
  TempDir dir;
  Program program(dir.File(""));
  EXPECT_EQ(Clean(program.OptionsPath()), Clean(dir.File("Linewright.dat")));
}

TEST(ProgramOptions, GoToTheUserConfigurationWhenTheProgramFolderCannotBeWritten) {
  TempDir dir;
  const ConfigHome home(dir.File("config"));
  // A folder that does not exist cannot be written, whoever runs the tests.
  Program program(dir.File("installed/share/linewright"));
  EXPECT_EQ(Clean(program.OptionsPath()), Clean(dir.File("config/linewright/Linewright.dat")));
  program.SetShowHints(!program.ShowHints());
  const bool hints = program.ShowHints();
  program.WriteOptions(WindowBounds{10, 400, 20, 300}, true);
  ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(program.OptionsPath())));

  Program again(dir.File("installed/share/linewright"));
  again.ReadOptions({});
  EXPECT_EQ(again.ShowHints(), hints);
}

// Where a program whose folder exists and can be written keeps its options.
struct WritableFolderCase {
  const char* name;
  const char* folder;
  bool beside;
};

class ProgramOptionsPlace : public ::testing::TestWithParam<WritableFolderCase> {};

TEST_P(ProgramOptionsPlace, BesideOnlyWhenNotAnInstalledDataFolder) {
  TempDir dir;
  const ConfigHome home(dir.File("config"));
  const std::string folder = dir.File(GetParam().folder);
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
  Program program(folder);
  const std::string expected =
      GetParam().beside ? folder + "/Linewright.dat" : dir.File("config/linewright/Linewright.dat");
  EXPECT_EQ(Clean(program.OptionsPath()), Clean(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ProgramOptionsPlace,
    ::testing::Values(
        // Run by root, the package's own folder can be written, yet is not the user's.
        WritableFolderCase{"InstalledDataFolderRunByItsOwner", "usr/share/linewright", false},
        WritableFolderCase{"InstalledUnderAnotherPrefix", "home/u/.local/share/linewright/", false},
        WritableFolderCase{"CopiedProgramFolderNamedLinewright", "opt/linewright", true},
        WritableFolderCase{"FolderMerelyNamedShare", "share", true}),
    test::CaseName());

// The options other windows change and the options file carries: a change notifies
// the windows once, the same value again not at all, and the next start reads it back.
struct CarriedCase {
  const char* name;
  std::function<void(Program&)> change;
  std::function<bool(Program&)> changed;
};

class OptionCounter : public ProgramObserver {
 public:
  void OptionsChanged() override { ++count; }
  int count = 0;
};

class CarriedOption : public ::testing::TestWithParam<CarriedCase> {};

TEST_P(CarriedOption, NotifiesOnceAndComesBackAtTheNextStart) {
  TempDir dir;
  const CarriedCase& c = GetParam();
  {
    Program program(dir.File(""));
    ASSERT_FALSE(c.changed(program));
    OptionCounter counter;
    program.Observers().Add(&counter);
    c.change(program);
    c.change(program);
    EXPECT_TRUE(c.changed(program));
    EXPECT_EQ(counter.count, 1);
    program.Observers().Remove(&counter);
    program.WriteOptions(WindowBounds{10, 400, 20, 300}, true);
  }
  Program again(dir.File(""));
  again.ReadOptions({});
  EXPECT_TRUE(c.changed(again));
}

LabelFont NotepadFont() {
  LabelFont font;
  font.FaceName = "Courier";
  font.Size = 14;
  return font;
}

INSTANTIATE_TEST_SUITE_P(
    Options, CarriedOption,
    ::testing::Values(CarriedCase{"CalculatorClearsInput",
                                  [](Program& p) { p.Analysis().SetCalculatorClearsInput(false); },
                                  [](Program& p) { return !p.Analysis().CalculatorClearsInput(); }},
                      CarriedCase{"NotepadColour", [](Program& p) { p.SetNotepadColour(0x123456); },
                                  [](Program& p) { return p.NotepadColour() == 0x123456u; }},
                      CarriedCase{"NotepadFont",
                                  [](Program& p) { p.SetNotepadFont(NotepadFont()); },
                                  [](Program& p) { return p.NotepadFont() == NotepadFont(); }},
                      CarriedCase{"NotepadFile",
                                  [](Program& p) { p.SetNotepadFile("/tmp/notes.txt"); },
                                  [](Program& p) { return p.NotepadFile() == "/tmp/notes.txt"; }}),
    test::CaseName());

// The scan window's options live with the analysis tools; the options file still
// carries every change, made before or after the window took them.
TEST(ScanOptionsFile, CarriesAChangedOptionToTheNextStart) {
  TempDir dir;
  {
    Program program(dir.File(""));
    program.Analysis().TakeStoredOptions();
    program.Analysis().SetScanOption(SelectArea, false);
    program.WriteOptions(WindowBounds{}, false);
  }
  Program again(dir.File(""));
  again.ReadOptions({});
  EXPECT_FALSE(again.Analysis().StoredOptions()[SelectArea]);
  again.Analysis().TakeStoredOptions();
  EXPECT_FALSE(again.Analysis().Scan().Options()[SelectArea]);
  EXPECT_TRUE(again.Analysis().Scan().Options()[0]);
}

}  // namespace
}  // namespace lw
