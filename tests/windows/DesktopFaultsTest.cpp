// Faults a user met on the desktop: each test holds one of them fixed.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

#include "WindowsTestSupport.h"
#include "app/Program2D.h"
#include "app/Program3D.h"
#include "windows/CalculatorWindow.h"
#include "windows/GraphParamsDialog.h"
#include "windows/MainWindow.h"
#include "windows/ParamsWindow.h"
#include "windows/PlotView.h"
#include "windows/ScanWindow.h"

namespace lw::test {
namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void U32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// One triangle in the program's binary 3D layout.
std::string T3dTriangle() {
  std::string out = "T3D";
  out += '\x01';
  out += '\0';
  out += "\x0A\x14\x1E";
  out += '\0';
  U32(out, 1);
  U32(out, 3);
  out += std::string(24, '\x55');
  const float points[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  for (const auto& p : points) {
    for (float v : p) U32(out, std::bit_cast<std::uint32_t>(v));
  }
  out += '\x03';
  for (std::uint32_t i = 0; i < 3; ++i) U32(out, i);
  return out;
}

std::string DxfTriangle() {
  return "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n8\nL\n10\n0\n20\n0\n30\n0\n11\n1\n21\n0\n31\n0\n"
         "12\n0\n22\n1\n32\n0\n13\n0\n23\n1\n33\n0\n0\nENDSEC\n0\nEOF";
}

struct ReaderCase {
  const char* name;
  const char* fileName;
  bool t3d;        // the file's true format
  int filterLine;  // index into Open3DFormats, -1: no filter reported
  bool read;       // the figure arrives
};

class ReaderByFilter : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderByFilter, TheContentElseTheChosenFilterPicksTheReader) {
  const ReaderCase& c = GetParam();
  ProgramFixture f;
  const std::string path = f.Path(c.fileName);
  WriteFile(path, c.t3d ? T3dTriangle() : DxfTriangle());
  f.answers.files.push_back(QString::fromStdString(path));
  if (c.filterLine >= 0) {
    const std::string_view line = Open3DFormats[static_cast<std::size_t>(c.filterLine)].filter;
    f.answers.filters.push_back(
        QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
  }
  f.Main().Run(Command::Open3DFile);
  f.Settle();
  if (c.read) {
    EXPECT_EQ(f.State().Status(), "Завантаження - " + path + " - Окей");
  }
  std::size_t triangles = 0;
  for (const auto& object : f.State().ThreeD().Block().objects)
    triangles += object->triangles.size();
  EXPECT_EQ(triangles > 0, c.read);
}

const ReaderCase readerCases[] = {
    {"T3dNamedBinWithT3dFilter", "tet.bin", true, 0, true},
    {"DxfNamedT3dWithDxfFilter", "shape.t3d", false, 1, true},
    {"T3dWithDxfFilterIsReadByItsContent", "tet.t3d", true, 1, true},
    {"NoFilterFallsBackToTheExtension", "tet.t3d", true, -1, true},
};

INSTANTIATE_TEST_SUITE_P(Files, ReaderByFilter, testing::ValuesIn(readerCases),
                         [](const testing::TestParamInfo<ReaderCase>& c) {
                           return std::string(c.param.name);
                         });

TEST(Open3DFilter, ListsEveryFormatInOrder) {
  // The two first lines stay first; the mesh formats and the line for all follow.
  EXPECT_TRUE(Open3DFilter().starts_with("Tervan`s 3D (*.t3d) ;;AutoCad DXF файли (*.dxf);;STL"));
  EXPECT_TRUE(Open3DFilter().ends_with(";;" + std::string(Open3DAnyFilter)));
  EXPECT_EQ(KindOfChoice(" AutoCad DXF файли (*.dxf) ", "x.t3d"), Space3DFileKind::Dxf);
}

TEST(Frame3D, SavedBeforeThe3DSpaceWasShownHasThePanelSize) {
  ProgramFixture f;
  f.Main().resize(700, 500);
  f.Main().show();
  Pump(50);
  const QSize panel = f.Main().View2D()->size();
  const std::string path = f.Path("frame.bmp");
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Run(Command::Save3DFrame);
  f.Settle();
  EXPECT_EQ(QImage(QString::fromStdString(path)).size(), panel);
}

TEST(ResultLog, KeepsTheStartOfTheLinesInViewAfterAppending) {
  QPlainTextEdit log;
  // As the calculator and integral windows set their logs.
  log.setLineWrapMode(QPlainTextEdit::NoWrap);
  log.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log.resize(120, 60);
  log.show();
  Pump(20);
  for (int i = 0; i < 6; ++i) {
    AppendLogLine(&log,
                  "Площа під графіком : sin(x) від 0 до 3.14159265358979 = " + std::to_string(i));
  }
  Pump(20);
  EXPECT_EQ(log.horizontalScrollBar()->value(), 0);
  EXPECT_EQ(log.verticalScrollBar()->value(), log.verticalScrollBar()->maximum());
  EXPECT_GT(log.horizontalScrollBar()->maximum(), 0);
}

class PrintedPicture : public testing::TestWithParam<bool> {};

TEST_P(PrintedPicture, IsEmbeddedLosslesslyOnOnePage) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(300, 200);
  // Noise, which a lossy encoder would be chosen for.
  f.State().TwoD().DrawOnPicture([](PlotPicture& p) {
    std::uint32_t seed = 12345;
    for (int y = 0; y < 200; ++y) {
      for (int x = 0; x < 300; ++x) {
        seed = seed * 1103515245u + 12345u;
        p.SetPixel(x, y, (seed >> 8) & 0xFFFFFF);
      }
    }
  });
  const std::string pdf = f.Path("page.pdf");
  f.answers.printFiles.push_back(QString::fromStdString(pdf));
  f.answers.fitToPage = GetParam();
  f.Main().Run(Command::Print);
  QFile file(QString::fromStdString(pdf));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_TRUE(bytes.contains("/Subtype /Image") || bytes.contains("/Subtype/Image"));
  EXPECT_FALSE(bytes.contains("DCTDecode"));
}

INSTANTIATE_TEST_SUITE_P(Placement, PrintedPicture, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& c) {
                           return std::string(c.param ? "FittedToThePage" : "PixelForPixel");
                         });

TEST(BuildParameters, EveryControlCanBeReachedOnAScreenSmallerThanTheWindow) {
  ProgramFixture f;
  const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
  f.Main().Run(Command::BuildParameters);
  ParamsWindow& w = *f.Windows().Params;
  ASSERT_TRUE(w.isVisible());
  Pump(20);
  EXPECT_LE(w.height(), room.height());
  EXPECT_LE(w.width(), room.width());
  auto* scroll = w.findChild<QScrollArea*>();
  ASSERT_NE(scroll, nullptr);
  for (bool threeD : {false, true}) {
    w.ShowPage(threeD);
    QPushButton* build = w.BuildAllButton(threeD);
    scroll->ensureWidgetVisible(build);
    Pump(10);
    const QRect shown(build->mapTo(scroll->viewport(), QPoint(0, 0)), build->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(shown)) << (threeD ? "3D" : "2D");
  }
}

using WindowOpener = QWidget* (*)(ProgramFixture&);

// Both layouts of the graph-parameters dialog: every control lies wholly inside the
// dialog with a margin, no two controls overlap, and the buttons clear their captions.
class GraphParamsLayout : public testing::TestWithParam<bool> {};

TEST_P(GraphParamsLayout, EveryControlFitsInsideWithRoomForItsCaption) {
  ProgramFixture f;
  GraphParamsDialog& dialog = *f.Windows().GraphParams;
  GetParam() ? dialog.PrepareDialog3D() : dialog.PrepareDialog2D();
  QList<QWidget*> shown;
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isWindow() && !child->isHidden()) shown.append(child);
  }
  const QRect inside = dialog.rect().adjusted(1, 1, -1, -1);
  for (QWidget* child : shown) {
    EXPECT_TRUE(inside.contains(child->geometry())) << child->metaObject()->className();
    for (QWidget* other : shown) {
      if (other != child) {
        EXPECT_FALSE(child->geometry().intersects(other->geometry()));
      }
    }
  }
  for (QPushButton* button : {dialog.OkButton(), dialog.CloseButton()}) {
    const int caption = button->fontMetrics().horizontalAdvance(button->text().remove('&'));
    EXPECT_GE(button->width(), caption + 16) << button->text().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Dialog, GraphParamsLayout, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& c) {
                           return std::string(c.param ? "Layout3D" : "Layout2D");
                         });

struct ReopenCase {
  const char* name;
  Command command;
  WindowOpener window;
};

class SecondaryWindowPlace : public testing::TestWithParam<ReopenCase> {};

TEST_P(SecondaryWindowPlace, ComesBackWhereTheUserLeftIt) {
  ProgramFixture f;
  f.Main().show();
  f.Main().Run(GetParam().command);
  QWidget* w = GetParam().window(f);
  ASSERT_TRUE(w->isVisible());
  Pump(20);
  // As the window manager moves it when the user drags the title bar.
  const QPoint left(37, 41);
  w->windowHandle()->setFramePosition(left);
  Pump(20);
  const QPoint inside = w->geometry().topLeft();
  w->close();
  Pump(10);
  f.Main().move(f.Main().pos() + QPoint(60, 30));
  f.Main().Run(GetParam().command);
  Pump(20);
  EXPECT_EQ(w->geometry().topLeft(), inside);
}

const ReopenCase reopenCases[] = {
    {"BuildParameters", Command::BuildParameters,
     [](ProgramFixture& f) -> QWidget* { return f.Windows().Params; }},
    {"Calculator", Command::Calculator,
     [](ProgramFixture& f) -> QWidget* { return f.Windows().Calculator; }},
    {"ScanValues", Command::Scan2D, [](ProgramFixture& f) -> QWidget* { return f.Windows().Scan; }},
};

INSTANTIATE_TEST_SUITE_P(Windows, SecondaryWindowPlace, testing::ValuesIn(reopenCases),
                         [](const testing::TestParamInfo<ReopenCase>& c) {
                           return std::string(c.param.name);
                         });

QList<QByteArray> FirstLines(const std::string& path, int count) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().split('\n').mid(0, count);
}

TEST(Options, AStartAndAQuitLeaveTheSavedPlaceAsItWas) {
  ProgramFixture f;
  f.Main().Action(Command::AskToSave)->trigger();  // no prompt on closing
  f.Main().showNormal();
  f.Main().move(100, 100);
  f.Main().resize(800, 600);
  Pump(50);
  ASSERT_TRUE(f.Main().close());
  const std::string options = f.Path("Linewright.dat");
  const QList<QByteArray> saved = FirstLines(options, 4);
  ASSERT_EQ(saved.size(), 4);
  for (int run = 1; run <= 3; ++run) {
    f.Restart();
    f.Main().SetPlacementDelay(10);
    f.Main().showMaximized();
    for (int i = 0; i < 300 && f.Main().PlacementPending(); ++i) Pump(10);
    ASSERT_TRUE(f.Main().close());
    EXPECT_EQ(FirstLines(options, 4), saved) << "after start " << run;
  }
}

}  // namespace
}  // namespace lw::test
