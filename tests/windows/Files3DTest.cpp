// The 3D open and save commands: the type chosen in the dialog picks the format.
#include <gtest/gtest.h>

#include <QFile>

#include "WindowsTestSupport.h"
#include "app/Program3D.h"

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
    ::testing::Values(SaveTypeCase{"AsciiStlByType", "STL текстовий (*.stl)", "a.stl", "solid"},
                      SaveTypeCase{"DxfByType", "AutoCad DXF файли (*.dxf)", "a.stl",
                                   "0\r\nSECTION"},
                      SaveTypeCase{"PlyByExtension", "", "a.ply", "ply\n"},
                      SaveTypeCase{"GlbByType", "glTF 2.0 двійковий (*.glb)", "a.glb", "glTF"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Open3DType, ReadsWithTheReaderOfTheTypeChosen) {
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
  // The same file through the DXF reader is text of another kind: it is refused as
  // such and the space keeps what the first read brought.
  f.answers.filters.push_back("AutoCad DXF файли (*.dxf)");
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Action(Command::Open3DFile)->trigger();
  f.Settle();
  EXPECT_EQ(f.State().Status(), "Невідомий формат Файлу! - " + path);
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->name, "Graph_1");
}

}  // namespace
}  // namespace lw::test
