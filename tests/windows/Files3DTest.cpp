// The 3D open and save commands: the type chosen in the dialog picks the format.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>

#include "WindowsTestSupport.h"
#include "app/Program3D.h"
#include "windows/ProgressWindow.h"

namespace lw::test {
namespace {

void PutTriangle(G3dBlock& block) {
  G3dObject& object = AppendObject(block, "Graph_1");
  G3dTriangle& t = AppendTriangle(object);
  AddCorner(t, 0, object, 0, 0, 0);
  AddCorner(t, 1, object, 1, 0, 0);
  AddCorner(t, 2, object, 0, 1, 0);
}

QByteArray Head(const std::string& path, int bytes) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.read(bytes);
}

struct SaveTypeCase {
  const char* name;
  const char* type;  // "" for none chosen
  const char* file;
  const char* head;  // how the written file begins
};

class Save3DType : public ::testing::TestWithParam<SaveTypeCase> {};

TEST_P(Save3DType, WritesTheFormatOfTheTypeChosen) {
  ProgramFixture f;
  PutTriangle(f.State().ThreeD().Block());
  const std::string path = f.Path(GetParam().file);
  f.answers.filters.push_back(QString::fromUtf8(GetParam().type));
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Action(Command::Save3DFile)->trigger();
  f.Settle();
  EXPECT_TRUE(Head(path, 80).startsWith(GetParam().head)) << Head(path, 80).toStdString();
  ASSERT_FALSE(f.answers.filterLists.empty());
  EXPECT_TRUE(f.answers.filterLists.back().contains("STL текстовий (*.stl)"));
  EXPECT_EQ(f.State().Status(), "Збереження - " + path + " - Окей");
}

INSTANTIATE_TEST_SUITE_P(
    Types, Save3DType,
    ::testing::Values(
        SaveTypeCase{"AsciiStlByType", "STL текстовий (*.stl)", "a.stl", "solid"},
        SaveTypeCase{"DxfByType", "AutoCad DXF файли (*.dxf)", "a.dxf", "0\r\nSECTION"},
        // A typed extension of a written format wins over the type.
        SaveTypeCase{"TypedExtensionWins", "AutoCad DXF файли (*.dxf)", "a.ply", "ply\n"},
        SaveTypeCase{"PlyByExtension", "", "a.ply", "ply\n"},
        SaveTypeCase{"GlbByType", "glTF 2.0 двійковий (*.glb)", "a.glb", "glTF"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Open3DType, ReadsWithTheReaderOfTheContent) {
  ProgramFixture f;
  G3dBlock& block = f.State().ThreeD().Block();
  PutTriangle(block);
  const std::string path = f.Path("figure.obj");
  ASSERT_TRUE(f.State().ThreeD().SaveFile(path));
  f.Settle();
  ASSERT_EQ(f.State().ThreeD().LastFileResult(), 0);
  ClearBlock(block);
  f.answers.filters.push_back("Wavefront OBJ (*.obj)");
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Action(Command::Open3DFile)->trigger();
  f.Settle();
  EXPECT_EQ(f.State().Status(), "Завантаження - " + path + " - Окей");
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->name, "Graph_1");
  // Opened with the DXF type chosen, the file's content still says OBJ, and wins.
  ClearBlock(block);
  f.answers.filters.push_back("AutoCad DXF файли (*.dxf)");
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Action(Command::Open3DFile)->trigger();
  f.Settle();
  EXPECT_EQ(f.State().Status(), "Завантаження - " + path + " - Окей");
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->name, "Graph_1");
}

// A figure whose save takes long enough for a stop to land in the middle.
void PutGrid(G3dBlock& block, std::uint32_t side) {
  G3dObject& grid = AppendObject(block, "Graph_1");
  for (std::uint32_t row = 0; row < side; ++row) {
    for (std::uint32_t column = 0; column < side; ++column) {
      AppendPoint(grid, static_cast<float>(column), static_cast<float>(row),
                  static_cast<float>((row * column) % 7));
    }
  }
  grid.triangles.SetGrid({side, side, 0, 200, 50});
}

// Runs the event loop until the running work has ended, or 3 s.
void PumpUntilIdle(ProgramFixture& f) {
  QElapsedTimer clock;
  clock.start();
  while (f.State().Busy() && clock.elapsed() < 3000) Pump(5);
}

struct StopWay {
  const char* name;
  void (*stop)(ProgressWindow* window);
  const char* type;
  const char* file;
};

class Stop3DSave : public ::testing::TestWithParam<StopWay> {};

TEST_P(Stop3DSave, TheProgressWindowShowsAndItsStopKeepsTheOldFile) {
  ProgramFixture f;
  PutGrid(f.State().ThreeD().Block(), 300);
  const std::string path = f.Path(GetParam().file);
  QFile old(QString::fromStdString(path));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("the previous file");
  old.close();
  f.answers.filters.push_back(QString::fromUtf8(GetParam().type));
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Action(Command::Save3DFile)->trigger();
  ProgressWindow* progress = f.Windows().Progress;
  ASSERT_TRUE(f.State().Busy());
  EXPECT_TRUE(progress->isVisible());
  GetParam().stop(progress);
  PumpUntilIdle(f);
  EXPECT_FALSE(f.State().Busy());
  EXPECT_FALSE(progress->isVisible());
  EXPECT_EQ(f.State().Status(), "Збереження перервано. - " + path);
  EXPECT_EQ(Head(path, 100), "the previous file");
}

void PressEscape(ProgressWindow* window) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window, &press);
}

void CloseBox(ProgressWindow* window) {
  window->close();
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Stop3DSave,
    ::testing::Values(StopWay{"EscapeDxf", PressEscape, "AutoCad DXF файли (*.dxf)", "a.dxf"},
                      StopWay{"CloseBoxDxf", CloseBox, "AutoCad DXF файли (*.dxf)", "a.dxf"},
                      StopWay{"EscapeObj", PressEscape, "Wavefront OBJ (*.obj)", "a.obj"},
                      StopWay{"CloseBoxStl", CloseBox, "STL двійковий (*.stl)", "a.stl"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Close, WhileASaveRunsReturnsAtOnceAndClosesWhenItHasEnded) {
  ProgramFixture f;
  f.State().SetAskToSave(false);
  bool closed = false;
  f.Main().OnClosed = [&closed] { closed = true; };
  PutGrid(f.State().ThreeD().Block(), 300);
  const std::string path = f.Path("a.dxf");
  ASSERT_TRUE(f.State().ThreeD().SaveFile(path));
  // The close request does not wait on this thread; the window stays until the
  // stopped save has ended, then closes as any close does.
  EXPECT_FALSE(f.Main().close());
  EXPECT_FALSE(closed);
  QElapsedTimer clock;
  clock.start();
  while (!closed && clock.elapsed() < 3000) Pump(5);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(f.State().Busy());
  EXPECT_EQ(f.State().Status(), "Збереження перервано. - " + path);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(f.Path("Linewright.dat"))));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

}  // namespace
}  // namespace lw::test
