// Pictures in and out of the 2D picture, the 3D frame, printing to a PDF file, the
// about window and the help viewer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTextBrowser>

#include "CaseNames.h"
#include "WindowsTestSupport.h"
#include "app/Pictures.h"
#include "app/Program2D.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"

namespace lw::test {
namespace {

QByteArray ReadBytes(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

int PdfPageCount(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  int count = 0;
  for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next()) ++count;
  return count;
}

struct SaveCase {
  const char* name;
  int width;
  int height;
  const char* format;
};

void PrintTo(const SaveCase& c, std::ostream* out) {
  *out << c.name;
}

class SavePicture : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SavePicture, WritesTheVisiblePartAtTheViewsSizeAndSaysSoWithoutTheTimer) {
  ProgramFixture f;
  const SaveCase c = GetParam();
  f.State().TwoD().SetViewSize(c.width, c.height);
  f.State().TwoD().DrawOnPicture([&](PlotPicture& p) {
    p.SetPixel(0, 0, 0x0000FF);
    p.SetPixel(c.width - 1, c.height - 1, 0xFF0000);
  });
  const std::string path = f.Path(c.name);
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Run(Command::SavePicture);
  f.Settle();
  QImageReader reader(QString::fromStdString(path));
  EXPECT_EQ(reader.format(), QByteArray(c.format));
  const QImage saved = reader.read();
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), QSize(c.width, c.height));
  EXPECT_EQ(saved.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(saved.pixelColor(c.width - 1, c.height - 1), QColor(0, 0, 255));
  EXPECT_EQ(f.State().Status(), "Збереження - " + path + " - Окей");
  EXPECT_FALSE(f.State().StatusTimerActive());
  EXPECT_EQ(f.answers.titles.back(), "Зберегти як Bitmap...");
}

INSTANTIATE_TEST_SUITE_P(Sizes, SavePicture,
                         ::testing::Values(SaveCase{"view.bmp", 500, 400, "bmp"},
                                           SaveCase{"small.bmp", 17, 9, "bmp"},
                                           SaveCase{"view.png", 320, 200, "png"},
                                           SaveCase{"noext", 40, 30, "bmp"},
                                           SaveCase{"wide.png", 2560, 1391, "png"},
                                           SaveCase{"tall.bmp", 900, 1500, "bmp"}),
                         CaseName());

TEST(SavePicture, AFolderThatCannotBeWrittenLeavesTheStatusAlone) {
  ProgramFixture f;
  const std::string status = f.State().Status();
  f.answers.files.push_back(QString::fromStdString(f.Path("missing/folder/p.bmp")));
  WhenModal([](QWidget* modal) { modal->close(); });
  f.Main().Run(Command::SavePicture);
  f.Settle();
  EXPECT_EQ(f.State().Status(), status);
}

// The 2D picture as a drawing: the shapes of its record, not its pixels.
struct DrawingCase {
  const char* name;
  const char* start;  // how the file begins
  const char* shape;  // what shapes make in it (the PDF page is compressed: its font)
  const char* image;  // what a layer of pixels would be
};

void PrintTo(const DrawingCase& c, std::ostream* out) {
  *out << c.name;
}

class SaveDrawing : public ::testing::TestWithParam<DrawingCase> {};

TEST_P(SaveDrawing, KeepsCurvesAsShapesAndSaysSo) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(320, 200);
  f.State().Edits().AddGraph2D("sin(x)", PlotP{0x0000FF, Function, 1, Equal});
  f.Main().Run(Command::BuildAll2D);
  f.Settle();
  const std::string path = f.Path(GetParam().name);
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Run(Command::SavePicture);
  f.Settle();
  const QByteArray bytes = ReadBytes(path);
  EXPECT_TRUE(bytes.startsWith(GetParam().start));
  EXPECT_TRUE(bytes.contains(GetParam().shape));
  EXPECT_FALSE(bytes.contains(GetParam().image));
  EXPECT_EQ(f.State().Status(), "Збереження - " + path + " - Окей");
  ASSERT_FALSE(f.answers.filterLists.empty());
  EXPECT_TRUE(f.answers.filterLists.back().contains(QStringLiteral("(*.svg)")));
  EXPECT_TRUE(f.answers.filterLists.back().contains(QStringLiteral("(*.pdf)")));
}

INSTANTIATE_TEST_SUITE_P(Formats, SaveDrawing,
                         ::testing::Values(DrawingCase{"graph.svg", "<?xml", "<polyline", "<image"},
                                           DrawingCase{"graph.PDF", "%PDF-", "/FontFile",
                                                       "/Subtype /Image"}),
                         CaseName());

TEST(SaveFrame3D, OffersNoDrawings) {
  ProgramFixture f;
  f.Main().Run(Command::Save3DFrame);
  ASSERT_FALSE(f.answers.filterLists.empty());
  EXPECT_FALSE(f.answers.filterLists.back().contains(QStringLiteral("svg")));
}

struct OpenCase {
  const char* name;
  int width;
  int height;
  bool clearBackground;
  int viewWidth = 539;
  int viewHeight = 468;
};

void PrintTo(const OpenCase& c, std::ostream* out) {
  *out << c.name;
}

class OpenPicture : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenPicture, LoadsIntoTheTopLeftOfAWholePicture) {
  ProgramFixture f;
  const OpenCase c = GetParam();
  f.State().TwoD().SetViewSize(c.viewWidth, c.viewHeight);
  const PlotPicture::Size size = PlotPicture::SizeForView(c.viewWidth, c.viewHeight);
  AppearanceSettings look = f.State().Doc().Appearance;
  look.ClearBackground = c.clearBackground;
  look.BackgroundColor = 0x00FF00;
  f.State().Edits().SetAppearance(look);
  f.State().TwoD().DrawOnPicture([&](PlotPicture& p) { p.Fill(0x808080); });
  QImage image(c.width, c.height, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 0));
  const std::string path = f.Path("in.bmp");
  ASSERT_TRUE(image.save(QString::fromStdString(path), "BMP"));
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Run(Command::OpenPicture);
  const PlotPicture& picture = f.State().TwoD().Picture();
  EXPECT_EQ(picture.Width(), size.width);
  EXPECT_EQ(picture.Height(), size.height);
  EXPECT_EQ(picture.GetPixel(0, 0), 0x0000FFu);
  EXPECT_EQ(
      picture.GetPixel(std::min(c.width, size.width) - 1, std::min(c.height, size.height) - 1),
      0x0000FFu);
  const Colour outside = c.clearBackground ? 0x00FF00u : 0x808080u;
  if (c.width < size.width) {
    EXPECT_EQ(picture.GetPixel(c.width, 0), outside);
  }
  if (c.height < size.height) {
    EXPECT_EQ(picture.GetPixel(0, c.height), outside);
  }
  EXPECT_EQ(f.answers.titles.back(), "Прочитати Bitmap...");
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, OpenPicture,
    ::testing::Values(OpenCase{"SmallOnACleared", 200, 100, true},
                      OpenCase{"SmallOverTheOld", 200, 100, false},
                      OpenCase{"LargerThanThePicture", 1700, 1300, true},
                      OpenCase{"SmallIntoAGrownPicture", 200, 100, false, 2400, 1300},
                      OpenCase{"LargeIntoAGrownPicture", 2000, 1500, true, 2400, 1300}),
    CaseName());

TEST(OpenPicture, AFileThatIsNoPictureLeavesThePictureAsItWas) {
  ProgramFixture f;
  f.State().TwoD().DrawOnPicture([&](PlotPicture& p) { p.Fill(0x808080); });
  const std::string path = f.Path("bad.bmp");
  {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
  }
  f.answers.files.push_back(QString::fromStdString(path));
  WhenModal([](QWidget* modal) { modal->close(); });
  f.Main().Run(Command::OpenPicture);
  EXPECT_EQ(f.State().TwoD().Picture().GetPixel(0, 0), 0x808080u);
}

TEST(Print, TheVisible2DPictureGoesToOnePdfPage) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(300, 200);
  f.State().TwoD().DrawOnPicture([&](PlotPicture& p) { p.Fill(0x00FFFF); });
  const std::string pdf = f.Path("page.pdf");
  f.answers.printFiles.push_back(QString::fromStdString(pdf));
  f.Main().Run(Command::Print);
  const QByteArray bytes = ReadBytes(pdf);
  ASSERT_FALSE(bytes.isEmpty());
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_EQ(PdfPageCount(bytes), 1);
}

// The 2D picture is printed from its shapes: curves as paths and labels as text, at the
// printer's resolution, unscaled or fitted to the page.
class PrintedDrawing : public ::testing::TestWithParam<bool> {};

TEST_P(PrintedDrawing, HasCurvesAndTextButNoImage) {
  ProgramFixture f;
  f.State().TwoD().SetViewSize(300, 200);
  f.State().Edits().AddGraph2D("sin(x)*3", PlotP{0x0000FF, Function, 1, Equal});
  f.Main().Run(Command::BuildAll2D);
  f.Settle();
  const std::string pdf = f.Path("drawing.pdf");
  f.answers.printFiles.push_back(QString::fromStdString(pdf));
  f.answers.fitToPage = GetParam();
  f.Main().Run(Command::Print);
  const QByteArray bytes = ReadBytes(pdf);
  EXPECT_EQ(PdfPageCount(bytes), 1);
  EXPECT_TRUE(bytes.contains("/FontFile"));
  EXPECT_FALSE(bytes.contains("/Subtype /Image"));
}

INSTANTIATE_TEST_SUITE_P(Placement, PrintedDrawing, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& c) {
                           return std::string(c.param ? "FittedToThePage" : "PixelForPixel");
                         });

TEST(Print, CancellingThePrintDialogPrintsNothing) {
  ProgramFixture f;
  f.Main().Run(Command::Print);
  EXPECT_EQ(f.State().Status(), "Готова");
}

TEST(SaveFrame3D, WritesAPictureOfThe3DPanel) {
  ProgramFixture f;
  const std::string path = f.Path("frame.bmp");
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Run(Command::Save3DFrame);
  f.Settle();
  const QImage saved(QString::fromStdString(path));
  EXPECT_FALSE(saved.isNull());
  EXPECT_EQ(f.State().Status(), "Збереження - " + path + " - Окей");
}

TEST(About, ShowsTheVersionAndAContactThatOpensAMailLink) {
  ProgramFixture f;
  AboutWindow& about = *f.Windows().About;
  EXPECT_EQ(about.windowTitle(), "Про программу :");
  EXPECT_EQ(about.Version()->text(), "Linewright v 0.5.0.b");
  QString opened;
  about.Contact()->OnOpen = [&](const QString& url) { opened = url; };
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(about.Contact(), &press);
  QApplication::sendEvent(about.Contact(), &release);
  EXPECT_EQ(opened, "mailto:" + about.Contact()->text());
  QMouseEvent overLabel(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                        Qt::NoModifier);
  QApplication::sendEvent(about.Contact(), &overLabel);
  EXPECT_EQ(about.Contact()->Colour(), QColor(255, 0, 0));
  QMouseEvent overWindow(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&about, &overWindow);
  EXPECT_EQ(about.Contact()->Colour(), QColor(0, 0, 255));
}

TEST(Help, OpensTheContentsPageInTheHelpViewer) {
  ProgramFixture f;
  ASSERT_TRUE(QDir(f.dir.path()).mkpath("Help"));
  {
    QFile page(f.dir.filePath("Help/index.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Зміст</title></head><body>Довідка</body></html>");
  }
  f.Main().Run(Command::Help);
  auto* help = f.Main().findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->Browser()->toPlainText().contains("Довідка"));
  EXPECT_EQ(help->Browser()->source().fileName(), "index.html");
}

}  // namespace
}  // namespace lw::test
