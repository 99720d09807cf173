#include "scene3d/Scene3DCommands.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FileSizeLimit.h"
#include "document/Document.h"
#include "document/Feedback.h"
#include "document/Palette.h"
#include "formula/FormulaParser.h"
#include "scene3d/DxfFormat.h"
#include "scene3d/G3dFile.h"

namespace lw {
namespace {

class Commands3D : public ::testing::Test {
 protected:
  Commands3D() {
    auto block = std::make_unique<G3dBlock>();
    current = block.get();
    scene.blocks.push_back(std::move(block));
    Set(ParamField::XStart3D, "-1");
    Set(ParamField::XEnd3D, "1");
    Set(ParamField::YStart3D, "2");  // swapped by the validation
    Set(ParamField::YEnd3D, "-2");
    Set(ParamField::StepX, "1");
    Set(ParamField::StepY, "1");
    for (int i = 0; i < 256; ++i) palette.Set(i, static_cast<Colour>(i) * 0x010101u);
  }

  void Set(ParamField field, std::string text) { document.Params.Field(field) = std::move(text); }

  Build3DContext Context() {
    return {document, params, scene, *current, parser, palette, status, progress, view};
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& o : current->objects) names.push_back(o->name);
    return names;
  }

  std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

  void WriteFile(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }

  Document document;
  Params3D params;
  G3dScene scene;
  G3dBlock* current;
  FormulaParser parser;
  Palette palette;
  RecordingStatus status;
  SilentProgress progress;
  RecordingScene3DView view;
  QTemporaryDir dir;
};

TEST_F(Commands3D, BuildAllIntoAnEmptySpace) {
  document.Graphs3D.Append("X", PlotP3d{0xFF, ZOfXY});
  document.Graphs3D.Append("Y", PlotP3d{0xFF00, YOfXZ});
  document.Graphs3D.Append("1", PlotP3d{0xFF0000, XOfYZ});
  auto context = Context();
  BuildAll3D(context);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Axes", "Graph_1", "Graph_2", "Graph_3"}));
  EXPECT_EQ(current->objects[1]->points.size(), 3u * 5u);  // x -1..1, y -2..2
  EXPECT_FALSE(current->objects[0]->visible);              // both axes options are off
  EXPECT_EQ(progress.Maximum(), 2 * 4 + 1);
  EXPECT_EQ(progress.Caption(), "Стан побудови : графік №3");
  EXPECT_FALSE(progress.Visible());
  EXPECT_EQ(status.Text(), "Окей");
  EXPECT_EQ(status.TimerStarts(), 1);
  EXPECT_FLOAT_EQ(scene.camera.tz, -40.0f);  // PosZ
  EXPECT_EQ(view.rebuilds, 1);
  EXPECT_EQ(view.paints, 1);

  // Again without clearing: the old objects stay, the axes object is not added again.
  document.Appearance.Clear3D = false;
  BuildAll3D(context);
  EXPECT_EQ(current->objects.size(), 7u);
  EXPECT_EQ(current->objects[6]->name, "Graph_3");
}

// A refused field, or a grid too fine for any graph to be built, changes nothing;
// the message names the axis of the first graph at fault.
TEST_F(Commands3D, BadParametersTouchNothing) {
  const struct {
    const char* step;
    const char* message;
  } cases[] = {
      {"0", "Помилка вводу кроку вісі Х"},
      {"0.0001", "Помилка вводу кроку вісі Y"},  // graph 1 on Y; graph 3 would fail on Z
  };
  for (const auto& c : cases) {
    document.Graphs3D = {};
    for (const std::uint32_t form : {ZOfXY, YOfXZ, XOfYZ}) {
      document.Graphs3D.Append("X", PlotP3d{0, form});
    }
    current->objects.clear();
    AppendObject(*current, "kept");
    for (const ParamField f : {ParamField::StepX, ParamField::StepY, ParamField::StepZ}) {
      Set(f, c.step);
    }
    auto context = Context();
    EXPECT_FALSE(BuildAll3D(context));
    int selected = 0;
    BuildSelected3D(context, selected);
    EXPECT_EQ(status.Text(), c.message);
    EXPECT_EQ(Names(), (std::vector<std::string>{"kept"}));
    EXPECT_EQ(view.rebuilds, 0);
  }
}

TEST_F(Commands3D, BuildSelected) {
  auto context = Context();
  int selected = -1;
  BuildSelected3D(context, selected);  // empty list: nothing at all
  EXPECT_EQ(selected, -1);
  EXPECT_TRUE(current->objects.empty());

  document.Graphs3D.Append("X", PlotP3d{});
  document.Graphs3D.Append("", PlotP3d{});
  BuildSelected3D(context, selected);
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Axes", "Graph_1"}));
  EXPECT_EQ(progress.Caption(), "Стан побудови : графік №1");
  EXPECT_EQ(progress.Position(), 0);

  selected = 1;
  BuildSelected3D(context, selected);  // a wrong formula: the object stays empty
  EXPECT_EQ(Names(), (std::vector<std::string>{"Axes", "Graph_2"}));
  EXPECT_TRUE(current->objects[1]->points.empty());
  EXPECT_NE(status.Text(), "Окей");
}

TEST_F(Commands3D, BuildingOverAnOpenedFileTakesItsFirstObjectForTheAxes) {
  const std::string path = Path("two.dxf");
  G3dBlock figure;
  for (const char* name : {"first", "second"}) {
    G3dObject& o = AppendObject(figure, name);
    G3dTriangle& t = AppendTriangle(o);
    AddCorner(t, 0, o, 0, 0, 0);
    AddCorner(t, 1, o, 1, 0, 0);
    AddCorner(t, 2, o, 0, 1, 0);
  }
  WriteFile(path, WriteDxf(figure));
  auto context = Context();
  ASSERT_EQ(Open3DFile(context, path, KindOfPath(path)), FileDone);
  document.Appearance.Clear3D = false;
  document.Graphs3D.Append("X", PlotP3d{});
  int selected = 0;
  BuildSelected3D(context, selected);
  EXPECT_EQ(Names(), (std::vector<std::string>{"first", "second", "ENTITIES", "Graph_1"}));
  EXPECT_TRUE(current->objects[0]->triangles.empty());
  EXPECT_FALSE(current->objects[0]->visible);
  EXPECT_EQ(current->objects[1]->triangles.size(), 1u);
}

TEST_F(Commands3D, OpenAndSaveReportTheirOutcome) {
  auto context = Context();
  const std::string missing = Path("missing.dxf");
  EXPECT_EQ(Open3DFile(context, missing, Space3DFileKind::Dxf), FileCannotRead);
  EXPECT_EQ(status.Text(), "Помилка завантаження файлу! - " + missing);

  const std::string junk = Path("junk.T3D");
  WriteFile(junk, "not a figure");
  AppendObject(*current, "kept");
  EXPECT_EQ(Open3DFile(context, junk, KindOfPath(junk)), FileUnknownFormat);
  EXPECT_EQ(status.Text(), "Невідомий формат Файлу! - " + junk);
  EXPECT_EQ(Names(), (std::vector<std::string>{"kept"}));

  const std::string unwritable = Path("no/such/folder/out.dxf");
  EXPECT_EQ(Save3DFile(context, unwritable), FileCannotWrite);
  EXPECT_EQ(status.Text(), "Помилка збереження файлу! - " + unwritable);

  G3dObject& square = *current->objects[0];
  G3dTriangle& t = AppendTriangle(square);
  AddCorner(t, 0, square, 2, 0, -1);
  AddCorner(t, 1, square, 10, 4, -1);
  AddCorner(t, 2, square, 10, 0, -1);
  const std::string saved = Path("saved.dxf");
  EXPECT_EQ(Save3DFile(context, saved), FileDone);
  EXPECT_EQ(status.Text(), "Збереження - " + saved + " - Окей");

  EXPECT_EQ(Open3DFile(context, saved, Space3DFileKind::Dxf), FileDone);
  EXPECT_EQ(status.Text(), "Завантаження - " + saved + " - Окей");
  EXPECT_FLOAT_EQ(scene.camera.tz, -20.0f);
  const G3dObject& read = *current->objects[0];
  ASSERT_EQ(read.points.size(), 3u);
  EXPECT_FLOAT_EQ(read.points[0].x, 4.0f);  // centred: x in [-4, 4], y in [-2, 2], z = 0
  EXPECT_FLOAT_EQ(read.points[1].y, 2.0f);
  EXPECT_FLOAT_EQ(read.points[2].z, 0.0f);
  EXPECT_FLOAT_EQ(read.triangles[0].corners[0].normal[2], 1.0f);  // the order was reversed
  EXPECT_EQ(view.rebuilds, 1);
}

// A file beyond the read limit is refused whole, whatever it holds, and the 3D space
// keeps what it had; one within the limit reads as usual.
TEST_F(Commands3D, FilesBeyondTheReadLimitAreRefused) {
  G3dBlock figure;
  G3dObject& o = AppendObject(figure, "figure");
  G3dTriangle& t = AppendTriangle(o);
  AddCorner(t, 0, o, 0, 0, 0);
  AddCorner(t, 1, o, 1, 0, 0);
  AddCorner(t, 2, o, 0, 1, 0);
  const std::string dxf = WriteDxf(figure);
  const std::string path = Path("figure.dxf");
  WriteFile(path, dxf);
  const std::string t3d = Path("figure.t3d");
  WriteFile(t3d, std::string(64, '\0'));
  AppendObject(*current, "kept");

  G3dFile file(current, &palette);
  const auto size = static_cast<long long>(dxf.size());
  file.SetMaxReadBytes(size - 1);
  EXPECT_EQ(file.ReadDxf(path), FileUnknownFormat);
  EXPECT_EQ(file.ReadT3d(t3d), FileUnknownFormat);
  EXPECT_EQ(Names(), (std::vector<std::string>{"kept"}));
  file.SetMaxReadBytes(size);
  EXPECT_EQ(file.ReadDxf(path), FileDone);
  EXPECT_EQ(Names(), (std::vector<std::string>{"figure", "ENTITIES"}));
}

// A save that fails part way, as on a full disk, keeps the previous file whole.
TEST_F(Commands3D, ASaveThatFailsPartWayKeepsThePreviousFile) {
  G3dObject& o = AppendObject(*current, "figure");
  for (int i = 0; i < 2000; ++i) {
    G3dTriangle& t = AppendTriangle(o);
    AddCorner(t, 0, o, float(i), 0, 0);
    AddCorner(t, 1, o, float(i), 1, 0);
    AddCorner(t, 2, o, float(i), 0, 1);
  }
  const std::string path = Path("figure.dxf");
  WriteFile(path, "previous");
  G3dFile file(current, &palette);
  {
    const test::FileSizeLimit limit(8192);
    EXPECT_EQ(file.WriteDxf(path), FileCannotWrite);
  }
  QFile previous(QString::fromStdString(path));
  ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
  EXPECT_EQ(previous.readAll(), QByteArray("previous"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"figure.dxf"});
}

TEST_F(Commands3D, ClearAndKinds) {
  AppendObject(*current, "a");
  auto context = Context();
  Clear3DSpace(context);
  EXPECT_TRUE(current->objects.empty());
  EXPECT_EQ(KindOfPath("x.t3d"), Space3DFileKind::T3d);
  EXPECT_EQ(KindOfPath("X.T3D"), Space3DFileKind::T3d);
  EXPECT_EQ(KindOfPath("x.dxf"), Space3DFileKind::Dxf);
  EXPECT_EQ(KindOfPath("t3d"), Space3DFileKind::Dxf);
}

}  // namespace
}  // namespace lw
