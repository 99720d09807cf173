// Every window is wide enough for the window manager to show its caption whole, and
// the scan windows' own commands have pictures of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QToolButton>

#include "WindowsTestSupport.h"
#include "windows/ColourScaleWindow.h"
#include "windows/ScanWindow.h"
#include "windows/ToolIcons.h"
#include "windows/WindowKit.h"

namespace lw::test {
namespace {

TEST(Captions, AWiderCaptionNeedsAWiderWindow) {
  const QFont font = QApplication::font();
  const int shortCaption = CaptionWidth(QStringLiteral("Шкала кольорів"), font);
  const int longCaption =
      CaptionWidth(QStringLiteral("Значення при відповідних аргументах :"), font);
  EXPECT_GT(longCaption, shortCaption);
  QFont larger = font;
  larger.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() * 2 : 22);
  EXPECT_GT(CaptionWidth(QStringLiteral("Шкала кольорів"), larger), shortCaption);
  // Room for the title bar's buttons even without a caption.
  EXPECT_GT(CaptionWidth(QString(), font), 3 * QFontMetrics(font).height());
}

// The windows as they are first shown, the fixed-size colour scale among them.
TEST(Captions, EveryWindowShownIsAsWideAsItsCaptionNeeds) {
  ProgramFixture f;
  for (QWidget* window : f.Main().WindowsInOrder()) {
    if (window == &f.Main()) continue;
    window->show();
    const int needed = CaptionWidth(window->windowTitle(), QApplication::font());
    EXPECT_GE(window->width(), needed) << window->windowTitle().toStdString();
    window->hide();
  }
  // A caption changed while the window is up widens it too.
  QWidget* scale = f.Windows().ColourScale;
  scale->show();
  scale->setWindowTitle(QStringLiteral("Шкала кольорів для дуже довгої назви вікна"));
  EXPECT_GE(scale->width(), CaptionWidth(scale->windowTitle(), QApplication::font()));
}

QImage Picture(const QIcon& icon) {
  return icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The commands that shift an expression through the point and take the bounds from
// the selection each have a drawn picture, none of them alike or empty.
TEST(ScanPictures, TheScanCommandsHaveDistinctDrawnPictures) {
  ProgramFixture f;
  ScanWindow* scan = f.Windows().Scan;
  const QImage relation = Picture(scan->Button(1)->icon());
  const QImage function = Picture(scan->Button(2)->icon());
  const QImage bounds = Picture(scan->Button(4)->icon());
  EXPECT_EQ(relation, Picture(DrawnIcon(ToolGlyph::RelationThroughPoint)));
  EXPECT_EQ(function, Picture(DrawnIcon(ToolGlyph::FunctionThroughPoint)));
  EXPECT_EQ(bounds, Picture(DrawnIcon(ToolGlyph::BoundsFromSelection)));
  QImage empty(24, 24, QImage::Format_ARGB32);
  empty.fill(Qt::transparent);
  for (const QImage* image : {&relation, &function, &bounds}) EXPECT_NE(*image, empty);
  EXPECT_NE(relation, function);
  EXPECT_NE(function, bounds);
  EXPECT_NE(relation, bounds);
}

}  // namespace
}  // namespace lw::test
