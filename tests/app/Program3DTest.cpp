#include "app/Program.h"
#include "app/Program3D.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

#include "CaseNames.h"
#include "TempDir.h"

namespace lw {
namespace {

using testing::TempDir;

// The status timer needs an event dispatcher, and the 2D picture's labels a GUI
// application; the offscreen platform needs no display.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QCoreApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[8] = "tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class Space3D : public ::testing::Test {
 protected:
  Space3D() : program(dir.File("")) { space().SetView(&view); }
  ~Space3D() override { space().SetView(nullptr); }
  Program3D& space() { return program.ThreeD(); }
  // The commands run beside the interface; these wait for them to end.
  void BuildAll() {
    space().BuildAll();
    program.Work().Wait();
  }
  void BuildSelected() {
    space().BuildSelected();
    program.Work().Wait();
  }
  int Save(const std::string& path) {
    if (!space().SaveFile(path)) return -1;
    program.Work().Wait();
    return space().LastFileResult();
  }
  int Open(const std::string& path) {
    if (!space().OpenFile(path)) return -1;
    program.Work().Wait();
    return space().LastFileResult();
  }
  void AddGraphs(std::initializer_list<const char*> texts) {
    for (const char* text : texts) program.Edits().AddGraph3D(text, PlotP3d{0x0000FF, ZOfXY});
  }

  TempDir dir;
  Program program;
  RecordingScene3DView view;
};

TEST_F(Space3D, StartsWithOneEmptyBlockFarPlane1000AndLines) {
  const G3dScene& scene = space().Scene();
  ASSERT_EQ(scene.blocks.size(), 1u);
  EXPECT_EQ(&space().Block(), scene.blocks[0].get());
  EXPECT_TRUE(space().Block().objects.empty());
  EXPECT_EQ(scene.farPlane, 1000.0f);
  EXPECT_EQ(scene.frontMode, 1);
  EXPECT_EQ(scene.backMode, 1);
}

TEST_F(Space3D, BuildAllMakesAxesAndOneObjectPerGraphAndSetsTheCamera) {
  AddGraphs({"x*y", "x+y", "1"});
  BuildAll();
  EXPECT_EQ(space().Block().objects.size(), 4u);
  EXPECT_EQ(program.Status(), "Окей");
  EXPECT_TRUE(program.StatusTimerActive());
  const Params3D& p = program.ThreeD().Validated();
  const G3dTransform& camera = space().Scene().camera;
  EXPECT_EQ(camera.tx, p.PosX);
  EXPECT_EQ(camera.ty, p.PosY);
  EXPECT_EQ(camera.tz, p.PosZ);
  EXPECT_EQ(view.rebuilds, 1);
  EXPECT_EQ(view.paints, 1);
}

TEST_F(Space3D, BuildSelectedWithoutSelectionSelectsTheFirst) {
  AddGraphs({"x", "y"});
  program.Edits().Select3D(5);  // past the end: nothing selected
  ASSERT_FALSE(program.Graphs3D().Selection());
  BuildSelected();
  ASSERT_TRUE(program.Graphs3D().Selection());
  EXPECT_EQ(*program.Graphs3D().Selection(), 0u);
  EXPECT_EQ(space().Block().objects.size(), 2u);  // axes and the graph
}

TEST_F(Space3D, RefusedParametersLeaveTheSpaceAlone) {
  AddGraphs({"x"});
  BuildAll();
  // A refused field, and a grid too fine to be built.
  for (const auto& [step, message] : {std::pair{"0", "Помилка вводу кроку вісі Х"},
                                      std::pair{"0.0001", "Помилка вводу кроку вісі Y"}}) {
    program.Edits().SetField(ParamField::StepX, step);
    program.Edits().SetField(ParamField::StepY, step);
    BuildAll();
    EXPECT_EQ(space().Block().objects.size(), 2u);
    EXPECT_EQ(program.Status(), message);
  }
}

struct ClearCase {
  const char* name;
  SpaceMode shown;
  int paints;
};

void PrintTo(const ClearCase& c, std::ostream* out) {
  *out << c.name;
}

class ClearSpace : public Space3D, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(ClearSpace, EmptiesTheBlockAndPaintsWhenShown) {
  AddGraphs({"x"});
  BuildAll();
  program.SetSpace(GetParam().shown);
  view = {};
  space().Clear();
  EXPECT_TRUE(space().Block().objects.empty());
  EXPECT_EQ(view.paints, GetParam().paints);
  EXPECT_EQ(view.rebuilds, 0);
}

INSTANTIATE_TEST_SUITE_P(Spaces, ClearSpace,
                         ::testing::Values(ClearCase{"Hidden", SpaceMode::Space2D, 0},
                                           ClearCase{"Shown", SpaceMode::Space3D, 1}),
                         test::CaseName());

TEST_F(Space3D, SavedDxfOpensAgainCentredWithTheCameraAt20) {
  AddGraphs({"x*y"});
  BuildAll();
  const std::size_t triangles = space().Block().objects[1]->triangles.size();
  const std::string path = dir.File("space.dxf");
  EXPECT_EQ(Save(path), 0);
  EXPECT_EQ(program.Status(), "Збереження - " + path + " - Окей");
  space().Clear();
  space().Scene().camera = {};
  EXPECT_EQ(Open(path), 0);
  EXPECT_EQ(program.Status(), "Завантаження - " + path + " - Окей");
  // Layers Axes, Graph_1 and the empty one the section name "ENTITIES" makes.
  ASSERT_EQ(space().Block().objects.size(), 3u);
  EXPECT_EQ(space().Block().objects[1]->triangles.size(), triangles);
  EXPECT_EQ(space().Scene().camera.tz, -20.0f);
  EXPECT_EQ(space().Scene().camera.tx, 0.0f);
}

struct FileFailure {
  const char* name;
  const char* contents;  // null: no such file
  bool save;
  const char* status;  // followed by the path
};

void PrintTo(const FileFailure& c, std::ostream* out) {
  *out << (c.save ? "save " : "open ") << c.name;
}

class FileFailures : public Space3D, public ::testing::WithParamInterface<FileFailure> {};

TEST_P(FileFailures, ReportThePathAndDoNotStartTheTimer) {
  const FileFailure& c = GetParam();
  std::string path = dir.File(c.name);
  if (c.contents) testing::WriteAll(path, c.contents);
  if (c.save) path = dir.File("missing-folder/") + c.name;
  const int result = c.save ? Save(path) : Open(path);
  EXPECT_NE(result, 0);
  EXPECT_EQ(program.Status(), std::string(c.status) + path);
  EXPECT_FALSE(program.StatusTimerActive());
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileFailures,
    ::testing::Values(FileFailure{"none.dxf", nullptr, false, "Помилка завантаження файлу! - "},
                      FileFailure{"bad.t3d", "NOT3D", false, "Невідомий формат Файлу! - "},
                      FileFailure{"out.dxf", nullptr, true, "Помилка збереження файлу! - "}),
    [](const ::testing::TestParamInfo<FileFailure>& p) {
      return test::NameFromText(std::string(p.param.save ? "Save_" : "Open_") + p.param.name);
    });

TEST_F(Space3D, ALoadedDocumentSetsTheDrawingModeAndMotionButTheStartUpResetDoesNot) {
  AppearanceSettings a = program.Doc().Appearance;
  a.DrawMode3D = 0;
  a.MotionType = 1;
  program.Edits().SetAppearance(a);
  // Changing the stored settings alone is not the lists' handler.
  EXPECT_EQ(space().Scene().frontMode, 1);
  const std::string path = dir.File("look.lwf");
  ASSERT_TRUE(program.SaveSets(path));
  ASSERT_TRUE(program.LoadSets(path));
  EXPECT_EQ(space().Scene().frontMode, 0);
  EXPECT_EQ(space().Scene().backMode, 0);
  EXPECT_EQ(space().Navigator().MotionMode(), 1);
  program.Edits().ResetAppearanceLists();
  EXPECT_EQ(program.Doc().Appearance.DrawMode3D, 2);
  EXPECT_EQ(space().Scene().frontMode, 0);
  EXPECT_EQ(space().Navigator().MotionMode(), 1);
}

struct DrawModeCase {
  const char* name;
  int mode;
  SpaceMode shown;
  int paints;
};

void PrintTo(const DrawModeCase& c, std::ostream* out) {
  *out << c.name;
}

class DrawMode : public Space3D, public ::testing::WithParamInterface<DrawModeCase> {};

TEST_P(DrawMode, HandlerSetsBothSidesAndPaintsIn3D) {
  program.SetSpace(GetParam().shown);
  space().SetDrawMode(GetParam().mode);
  EXPECT_EQ(space().Scene().frontMode, GetParam().mode);
  EXPECT_EQ(space().Scene().backMode, GetParam().mode);
  EXPECT_EQ(view.paints, GetParam().paints);
}

INSTANTIATE_TEST_SUITE_P(Modes, DrawMode,
                         ::testing::Values(DrawModeCase{"PointsShown", 0, SpaceMode::Space3D, 1},
                                           DrawModeCase{"PolygonsShown", 2, SpaceMode::Space3D, 1},
                                           DrawModeCase{"PolygonsHidden", 2, SpaceMode::Space2D,
                                                        0}),
                         test::CaseName());

TEST_F(Space3D, SensitivitiesFollowTheAppearanceAndZeroCountsAsOne) {
  EXPECT_FLOAT_EQ(space().Navigator().Sensitivities()[1], -0.1f);  // the window's Y = -10
  AppearanceSettings a = program.Doc().Appearance;
  a.SensitivityRX = 0;
  a.SensitivityZ = 250;
  program.Edits().SetAppearance(a);
  EXPECT_FLOAT_EQ(space().Navigator().Sensitivities()[3], 0.01f);
  EXPECT_FLOAT_EQ(space().Navigator().Sensitivities()[2], 2.5f);
}

// A typed name with a writable format's extension wins over the chosen line; any
// other name gets the chosen line's extension, so the content matches the name.
TEST(SaveChoiceOf, TheTypedExtensionWinsElseTheChosenOneIsAdded) {
  const std::string dxf(Save3DFormats[0].filter), stl(Save3DFormats[1].filter);
  const std::string stlText(Save3DFormats[2].filter);
  const struct {
    std::string filter, path, written;
    Space3DFileKind kind;
  } cases[] = {
      {dxf, "t.obj", "t.obj", Space3DFileKind::Obj},
      {stl, "fine.PLY", "fine.PLY", Space3DFileKind::Ply},
      {stl, "t", "t.stl", Save3DFormats[1].kind},
      {stlText, "t.stl", "t.stl", Space3DFileKind::StlAscii},
      {dxf, "t", "t.dxf", Space3DFileKind::Dxf},
      {stl, "t.3mf", "t.3mf.stl", Save3DFormats[1].kind},  // 3MF is only read
      {"", "notes.txt", "notes.txt.dxf", Space3DFileKind::Dxf},
  };
  for (const auto& c : cases) {
    const SaveChoice save = SaveChoiceOf(c.filter, c.path);
    EXPECT_EQ(save.path, c.written) << c.filter << " " << c.path;
    EXPECT_EQ(save.kind, c.kind) << c.filter << " " << c.path;
  }
}

// A view that prepares a large figure between events: the program hears of it and
// can ask it to stop.
class DrawingView : public RecordingScene3DView {
 public:
  void StopDrawing() override { ++stops; }
  int stops = 0;
};

struct DrawingCase {
  const char* name;
  bool stopByUser;
  const char* finalText;  // empty: the build's own
};

class ViewDrawing : public ::testing::TestWithParam<DrawingCase> {};

// The build command ends when the figure is drawn: until then the progress window
// shows the drawing and the status bar does not say the build is done; the user's
// stop reaches the view and ends it with the stop text.
TEST_P(ViewDrawing, TheBuildEndsWhenTheFigureIsDrawn) {
  const DrawingCase& c = GetParam();
  TempDir dir;
  Program program(dir.File(""));
  DrawingView view;
  SilentProgress progress;
  program.SetProgress(&progress);
  Program3D& space = program.ThreeD();
  space.SetView(&view);
  program.Edits().AddGraph3D("SIN(X)", PlotP3d{0x0000FF, ZOfXY});
  space.BuildAll();
  program.Work().Wait();
  const std::string built = program.Status();
  progress.SetMaximum(7);

  space.DrawingStarted(40);
  EXPECT_TRUE(space.Drawing());
  EXPECT_EQ(program.Status(), DrawingText);
  EXPECT_TRUE(progress.Visible());
  EXPECT_EQ(progress.Caption(), DrawingCaption);
  space.DrawingAdvanced(25);
  EXPECT_EQ(progress.Position(), 25);
  if (c.stopByUser) {
    program.StopWork();
    EXPECT_EQ(view.stops, 1);
  }
  space.DrawingEnded(c.stopByUser);
  EXPECT_FALSE(space.Drawing());
  EXPECT_FALSE(progress.Visible());
  EXPECT_EQ(progress.Maximum(), 7);
  EXPECT_EQ(program.Status(), *c.finalText ? std::string(c.finalText) : built);
  program.StopWork();  // nothing is drawn now: nothing to stop
  EXPECT_EQ(view.stops, c.stopByUser ? 1 : 0);
  space.SetView(nullptr);
  program.SetProgress(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Drawing, ViewDrawing,
                         ::testing::Values(DrawingCase{"Finished", false, ""},
                                           DrawingCase{"StoppedByTheUser", true,
                                                       "Побудову перервано."}),
                         test::CaseName());

}  // namespace
}  // namespace lw
