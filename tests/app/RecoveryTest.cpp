// The recovery file: what it holds reads back exactly; a program keeps its unsaved
// document in it and removes it when the document is safe; a file left by a program
// that was killed is found by the next one and brings the edits back byte for byte,
// while the file of a program still running is left alone.
#include "app/RecoveryFile.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <filesystem>
#include <functional>

#include "CaseNames.h"
#include "TempDir.h"
#include "app/Program.h"
#include "app/RecoveryKeeper.h"
#include "document/SettingsFormat.h"

namespace lw {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

bool Exists(const std::string& path) {
  return QFile::exists(QString::fromStdString(path));
}

std::string DocumentBytes(const Document& doc) {
  std::string bytes;
  EXPECT_EQ(EncodeSettings(doc, bytes), SettingsEncodeResult::Ok);
  return bytes;
}

// ----- the format -----

struct FormatCase {
  std::string name;
  std::string fileName;
  std::function<void(DocumentState&)> fill;
};

class RecoveryFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(RecoveryFormat, ReadsBackTheNameTheDocumentAndThePaletteExactly) {
  DocumentState state;
  GetParam().fill(state);
  const auto bytes = EncodeRecovery(GetParam().fileName, state);
  ASSERT_TRUE(bytes);
  const auto read = DecodeRecovery(*bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Name, GetParam().fileName);
  EXPECT_EQ(read->State, state);
  EXPECT_EQ(DocumentBytes(read->State.Doc), DocumentBytes(state.Doc));
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RecoveryFormat,
    ::testing::Values(
        FormatCase{"default_unnamed", "", [](DocumentState&) {}},
        FormatCase{"named_with_Cyrillic", "/home/користувач/графіки.lwf",
                   [](DocumentState& s) {
                     s.Doc.Params.Field(ParamField::VarX) = "час";
                     s.Colours.Set(255, 0xFFFFFF);
                   }},
        FormatCase{"name_with_a_line_break", "a\nb.lwf",
                   [](DocumentState& s) {
                     s.Doc.Params.Constants2D = {"A=1", "", "B=2"};
                   }},
        FormatCase{"graphs_of_every_kind", "/tmp/g.lwf",
                   [](DocumentState& s) {
                     s.Doc.Graphs2D.Append("x^2+y^2-4", PlotP{0xFF, Relation, 1, LessOrEqual});
                     s.Doc.Graphs2D.Append("x*y", PlotP{0xFF00, ColorGamma, 0, Equal});
                     s.Doc.Graphs3D.Append("sin(x)*cos(y)", PlotP3d{0xFF0000, YOfXZ});
                     s.Doc.Appearance.Font.FaceName = "DejaVu Sans";
                     s.Doc.Appearance.DrawMode3D = 0;
                   }}),
    test::CaseName());

struct DamagedCase {
  std::string name;
  std::function<std::string(const std::string& whole)> damage;
};

class DamagedRecovery : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedRecovery, IsNotTakenForADocument) {
  DocumentState state;
  state.Doc.Graphs2D.Append("x", PlotP{});
  const std::string whole = *EncodeRecovery("/d/doc.lwf", state);
  EXPECT_FALSE(DecodeRecovery(GetParam().damage(whole)));
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedRecovery,
    ::testing::Values(
        DamagedCase{"empty", [](const std::string&) { return std::string(); }},
        DamagedCase{"magic_only", [](const std::string&) { return std::string(RecoveryMagic); }},
        DamagedCase{"another_magic",
                    [](const std::string& w) { return "LWRECOVERY 2" + w.substr(12); }},
        DamagedCase{"name_longer_than_the_file",
                    [](const std::string& w) {
                      return std::string(RecoveryMagic) + "\n99999\n" + w.substr(24);
                    }},
        DamagedCase{"count_not_a_number",
                    [](const std::string& w) {
                      return std::string(RecoveryMagic) + "\nten\n" + w.substr(16);
                    }},
        DamagedCase{"cut_in_the_palette", [](const std::string& w) { return w.substr(0, 300); }},
        DamagedCase{"cut_in_the_document",
                    [](const std::string& w) { return w.substr(0, w.size() - 40); }}),
    test::CaseName());

// ----- the program's own file -----

class Keeping : public ::testing::Test {
 protected:
  Keeping() : program(dir.File("")) {
    program.KeepRecovery(dir.File("recovery"));
    keeper = program.Recovery();
  }
  // Runs the event loop until test() holds, or 3 s.
  static bool WaitFor(const std::function<bool()>& test) {
    QElapsedTimer clock;
    clock.start();
    while (!test() && clock.elapsed() < 3000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return test();
  }

  TempDir dir;
  Program program;
  RecoveryKeeper* keeper = nullptr;
};

TEST_F(Keeping, WritesAFewMomentsAfterAChangeAndNotBefore) {
  keeper->SetDelay(100);
  program.Edits().SetField(ParamField::XEnd, "77");
  EXPECT_FALSE(Exists(keeper->Path()));
  EXPECT_TRUE(keeper->Waiting());
  EXPECT_TRUE(WaitFor([&] { return Exists(keeper->Path()); }));
  const auto read = DecodeRecovery(ReadAll(keeper->Path()));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->State.Doc, program.Doc());
}

TEST_F(Keeping, WritesAtOnceWhenLongWorkStarts) {
  program.Edits().AddGraph2D("x", PlotP{0xFF});
  ASSERT_TRUE(keeper->Waiting());
  ASSERT_TRUE(program.StartWork([](WorkControl&, WorkFeedback&) {}, [](bool) {}));
  EXPECT_TRUE(Exists(keeper->Path()));
  program.Work().Wait();
}

TEST_F(Keeping, ASaveRemovesTheFileAndAnUndoToTheSavedDocumentToo) {
  program.Edits().SetField(ParamField::YEnd, "5");
  keeper->WriteNow();
  ASSERT_TRUE(Exists(keeper->Path()));
  ASSERT_TRUE(program.SaveSets(dir.File("doc.lwf")));
  EXPECT_FALSE(Exists(keeper->Path()));
  program.Edits().SetField(ParamField::YEnd, "6");
  keeper->WriteNow();
  ASSERT_TRUE(Exists(keeper->Path()));
  program.History().Undo();
  keeper->WriteNow();
  EXPECT_FALSE(Exists(keeper->Path()));
}

TEST_F(Keeping, AnOpenedDocumentAndANormalEndLeaveNoFile) {
  ASSERT_TRUE(program.SaveSets(dir.File("doc.lwf")));
  program.Edits().SetField(ParamField::YEnd, "5");
  keeper->WriteNow();
  ASSERT_TRUE(Exists(keeper->Path()));
  ASSERT_TRUE(program.LoadSets(dir.File("doc.lwf")));
  EXPECT_FALSE(Exists(keeper->Path()));
  program.Edits().SetField(ParamField::YEnd, "6");
  keeper->WriteNow();
  const std::string path = keeper->Path();
  ASSERT_TRUE(Exists(path));
  program.KeepRecovery(dir.File("elsewhere"));  // the old keeper ends as at a normal close
  EXPECT_FALSE(Exists(path));
  EXPECT_FALSE(Exists(RecoveryLockPath(path)));
}

// A program killed leaves its recovery file and a lock file nobody holds; copying
// the file under another name without a lock is what such a program leaves.
TEST_F(Keeping, AKilledProgramsEditsComeBackByteForByte) {
  ASSERT_TRUE(program.SaveSets(dir.File("work.lwf")));
  program.Edits().SetField(ParamField::XStart, "-3,5");
  program.Edits().AddGraph2D("abs(x)", PlotP{0x00FF00, Function, 1, Equal});
  program.Edits().SetConstants(true, {"C=11"});
  program.SetPaletteEntry(9, 0x0A0B0C);
  keeper->WriteNow();
  std::string expected;
  ASSERT_EQ(EncodeSettings(program.Doc(), expected), SettingsEncodeResult::Ok);
  const Palette expectedPalette = program.Pal();
  const std::string left = dir.File("recovery/4242-1.lwr");
  WriteAll(left, ReadAll(keeper->Path()));

  std::filesystem::create_directories(dir.File("next"));
  Program next(dir.File("next"));
  next.KeepRecovery(dir.File("recovery"));
  std::vector<LeftRecovery> found = next.LeftRecoveries();
  ASSERT_EQ(found.size(), 1u) << "the running program's own file is not offered";
  EXPECT_EQ(found[0].Path(), std::filesystem::absolute(left).string());
  const auto recovered = found[0].Read();
  ASSERT_TRUE(recovered);
  next.RestoreRecovered(*recovered);
  found[0].Remove();
  std::string restored;
  ASSERT_EQ(EncodeSettings(next.Doc(), restored), SettingsEncodeResult::Ok);
  EXPECT_EQ(restored, expected);
  EXPECT_EQ(next.Pal(), expectedPalette);
  EXPECT_EQ(next.CurrentFileName(), dir.File("work.lwf"));
  EXPECT_EQ(next.Caption(), "Linewright - work.lwf");
  EXPECT_EQ(next.History().Steps().UndoCount(), 0u) << "a fresh history";
  // Still unsaved: the restored document is kept by the new program at once.
  EXPECT_TRUE(Exists(next.Recovery()->Path()));
  EXPECT_FALSE(Exists(left));
  EXPECT_EQ(ReadAll(dir.File("work.lwf")).find("abs(x)"), std::string::npos)
      << "the document's own file is not touched";
}

// ----- whose files are left -----

TEST(LeftRecoveryFiles, ARunningProgramsFileIsNotOfferedAndAnEndedOnesIs) {
  TempDir dir;
  const std::string folder = dir.File("recovery");
  RecoverySlot running(folder);
  ASSERT_TRUE(running.Usable());
  ASSERT_TRUE(running.Write(*EncodeRecovery("", DocumentState{})));
  EXPECT_TRUE(LeftRecovery::Find(folder).empty());

  // A lock file that names a process that has ended, as a killed program leaves it.
  QProcess ended;
  ended.start(QStringLiteral("true"), {});
  ASSERT_TRUE(ended.waitForStarted());
  const qint64 gone = ended.processId();
  ASSERT_TRUE(ended.waitForFinished());
  const std::string left = folder + "/777-1.lwr";
  WriteAll(left, *EncodeRecovery("/x.lwf", DocumentState{}));
  WriteAll(RecoveryLockPath(left), std::to_string(gone) + "\nlinewright\n\n");
  std::vector<LeftRecovery> found = LeftRecovery::Find(folder);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Read()->Name, "/x.lwf");
  // Held while offered: a program starting meanwhile does not offer it too.
  EXPECT_TRUE(LeftRecovery::Find(folder).empty());
  found.clear();
  EXPECT_EQ(LeftRecovery::Find(folder).size(), 1u) << "not answered: offered again";
}

TEST(LeftRecoveryFiles, ALockLeftWithoutAFileGoesAndARunningProgramsLockStays) {
  TempDir dir;
  const std::string folder = dir.File("recovery");
  RecoverySlot running(folder);  // nothing written yet: only its lock is there
  const std::string left = folder + "/555-1.lwr";
  WriteAll(RecoveryLockPath(left), "999999999\nlinewright\n\n");
  EXPECT_TRUE(LeftRecovery::Find(folder).empty());
  EXPECT_FALSE(Exists(RecoveryLockPath(left)));
  EXPECT_TRUE(Exists(RecoveryLockPath(running.Path())));
  EXPECT_TRUE(running.Write("still mine"));
}

TEST(LeftRecoveryFiles, TwoProgramsAtOnceWriteFilesOfTheirOwn) {
  TempDir dir;
  RecoverySlot first(dir.File("r"));
  RecoverySlot second(dir.File("r"));
  EXPECT_NE(first.Path(), second.Path());
  ASSERT_TRUE(first.Write("one"));
  ASSERT_TRUE(second.Write("two"));
  EXPECT_EQ(ReadAll(first.Path()), "one");
  EXPECT_EQ(ReadAll(second.Path()), "two");
}

}  // namespace
}  // namespace lw
