// Every kind of file the programs write, on a disk that fills up: before the first
// byte, or part way through. The previous file (and an OBJ's previous material
// library) stays byte for byte, nothing is left beside it, and the failure is
// reported, never "Окей".
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "CommandRun.h"
#include "FileSizeLimit.h"
#include "TempDir.h"
#include "app/NotepadDocument.h"
#include "app/Pictures.h"
#include "document/OptionsFile.h"
#include "document/Palette.h"
#include "document/SettingsFile.h"
#include "scene3d/G3dFile.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/Scene3DCommands.h"

namespace lw::cli {
namespace {

// A small figure, its document saved beside the files under test.
struct Figure {
  Figure() {
    space.document.Graphs3D.Append("X*Y", PlotP3d{0x00FF00, ZOfXY});
    Build3DContext context = space.Context();
    EXPECT_TRUE(BuildAll3D(context));
  }
  HeadlessScene3D space;
};

// Saves to `path`; true when the save said it succeeded.
using Save = std::function<bool(const std::string& path, const std::string& document)>;

bool SaveMesh(const std::string& path, Space3DFileKind kind) {
  Figure figure;
  G3dFile file(figure.space.block, &figure.space.palette3D);
  return Write3DFile(file, path, kind) == FileDone;
}

bool RunsOk(CommandFunction command, std::vector<std::string_view> args) {
  const CommandRun run = RunCommand(command, std::move(args));
  // A failed run says so, a successful one does not.
  EXPECT_EQ(run.err.find("Помилка збереження файлу!") == std::string::npos, run.exit == ExitOk)
      << run.err;
  return run.exit == ExitOk;
}

struct FileKind {
  std::string name;
  std::string file;  // the target's name
  Save save;
  bool silent = false;    // the options file: a failure is not reported
  std::string companion;  // a file of the same save beside the target
};

const FileKind kKinds[] = {
    {"Document", "doc.lwf",
     [](const std::string& p, const std::string&) {
       return SaveSettingsFile(p, Document{}) == FileResult::Ok;
     }},
    {"Options", "Linewright.dat",
     [](const std::string& p, const std::string&) {
       WriteOptionsFile(p, Options{});
       return false;
     },
     true},
    {"Palette", "colours.plt",
     [](const std::string& p, const std::string&) {
       return SavePaletteFile(p, StartupPalette()) == PaletteFileResult::Ok;
     }},
    {"PictureBmp", "picture.bmp",
     [](const std::string& p, const std::string&) {
       QString error;
       return WritePicture(QImage(40, 30, QImage::Format_RGB32), QString::fromStdString(p), error);
     }},
    {"PicturePng", "picture.png",
     [](const std::string& p, const std::string&) {
       QString error;
       return WritePicture(QImage(40, 30, QImage::Format_RGB32), QString::fromStdString(p), error);
     }},
    {"Notepad", "notes.txt",
     [](const std::string& p, const std::string&) {
       NotepadDocument notes;
       QString error;
       return notes.Save(QString::fromStdString(p), QString(200, QLatin1Char('n')), error);
     }},
    {"Dxf", "figure.dxf",
     [](const std::string& p, const std::string&) { return SaveMesh(p, Space3DFileKind::Dxf); }},
    {"Stl", "figure.stl",
     [](const std::string& p, const std::string&) {
       return SaveMesh(p, Space3DFileKind::StlBinary);
     }},
    {"ObjWithMaterials", "figure.obj",
     [](const std::string& p, const std::string&) { return SaveMesh(p, Space3DFileKind::Obj); },
     false, "figure.mtl"},
    {"CliResave", "out.lwf",
     [](const std::string& p, const std::string& doc) {
       return RunsOk(RunResave, {doc, p});
     }},
    {"CliRender2D", "out.bmp",
     [](const std::string& p, const std::string& doc) {
       return RunsOk(RunRender2D, {doc, "-o", p, "--size", "64x48"});
     }},
    {"CliBuild3D", "out.ply",
     [](const std::string& p, const std::string& doc) {
       return RunsOk(RunBuild3D, {doc, "-o", p});
     }},
};

struct Fill {
  std::string name;
  rlim_t room;  // bytes a file may grow to
};

class SaveOnAFullDisk : public ::testing::TestWithParam<std::tuple<FileKind, Fill>> {};

TEST_P(SaveOnAFullDisk, KeepsThePreviousFile) {
  const auto& [kind, fill] = GetParam();
  testing::TempDir dir;
  const std::string document = dir.File("source.lwf");
  {
    Figure figure;  // a document with a 3D graph and the 2D defaults
    ASSERT_EQ(SaveSettingsFile(document, figure.space.document), FileResult::Ok);
  }
  const std::string target = dir.File(kind.file);
  const std::string previous(300, 'p');
  testing::WriteAll(target, previous);
  if (!kind.companion.empty()) testing::WriteAll(dir.File(kind.companion), previous);
  const auto before = std::distance(std::filesystem::directory_iterator(dir.File("")), {});
  bool saved = false;
  {
    const test::FileSizeLimit limit(fill.room);
    saved = kind.save(target, document);
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(testing::ReadAll(target), previous);
  if (!kind.companion.empty()) {
    EXPECT_EQ(testing::ReadAll(dir.File(kind.companion)), previous);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")), {}), before);
  // With room again the same save goes through.
  EXPECT_TRUE(kind.save(target, document) || kind.silent);
  EXPECT_NE(testing::ReadAll(target), previous);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SaveOnAFullDisk,
                         ::testing::Combine(::testing::ValuesIn(kKinds),
                                            ::testing::Values(Fill{"NoRoom", 0},
                                                              Fill{"RoomFor40Bytes", 40})),
                         [](const auto& param) {
                           return std::get<0>(param.param).name + "_" +
                                  std::get<1>(param.param).name;
                         });

}  // namespace
}  // namespace lw::cli
