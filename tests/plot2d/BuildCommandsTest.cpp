#include "plot2d/BuildCommands.h"

#include <gtest/gtest.h>

#include "CaseNames.h"
#include "Plot2DFixture.h"

namespace lw {
namespace {

// Records what a build does to the scan marks and the plot view.
class RecordingOverlay : public ScanMarkOverlay, public PicturePresenter {
 public:
  bool Active() const override { return active; }
  void InvertMarks(PlotPicture& picture) override {
    ++inversions;
    picture.SetPen(Pen{0, Solid, 1, PenMode::Invert});
    picture.Ellipse(2, 2, 9, 9);
  }
  void PresentPicture() override { ++presents; }

  bool active = false;
  int inversions = 0;
  int presents = 0;
};

class BuildCommandsTest : public test::Plot2DFixture {
 protected:
  BuildCommandsTest() {
    ctx.scanMarks = &overlay;
    ctx.presenter = &overlay;
  }
  RecordingOverlay overlay;
};

TEST_F(BuildCommandsTest, BuildAllDrawsEveryEntryInOrderAndEndsWithTheTimer) {
  Add("1", Function, 0, 0, 0x0000FF);
  Add("1", Function, 0, 0, 0x00FF00);
  Add("X*0-3", Function, 0, 0, 0xFF0000);
  BuildAll2D(ctx);
  EXPECT_EQ(picture.GetPixel(4, 9), 0x00FF00u);  // the later entry is drawn over
  EXPECT_EQ(picture.GetPixel(4, 13), 0xFF0000u);
  EXPECT_EQ(progress.Caption(), "Стан побудови : графік №3");
  EXPECT_FALSE(progress.Visible());
  EXPECT_EQ(status.Text(), "Окей");
  EXPECT_EQ(status.TimerStarts(), 1);
  EXPECT_EQ(overlay.presents, 2);  // once by clearing, once at the end
}

TEST_F(BuildCommandsTest, BadParametersDrawNothingAndShowNoProgress) {
  doc.Params.Field(ParamField::Gradient) = "0*P";
  Add("1", Function, 0);
  picture.SetPixel(1, 1, 0x123456);
  BuildAll2D(ctx);
  EXPECT_EQ(status.Text(), "Помилка вводу градіенту кольорів");
  EXPECT_EQ(picture.GetPixel(1, 1), 0x123456u);
  EXPECT_TRUE(progress.Caption().empty());
  EXPECT_EQ(status.TimerStarts(), 0);
  EXPECT_EQ(overlay.presents, 0);
}

TEST_F(BuildCommandsTest, ClearingFillsTheWholePictureWithTheBackground) {
  doc.Appearance.BackgroundColor = 0x405060;
  BuildAll2D(ctx);
  EXPECT_EQ(picture.GetPixel(0, 0), 0x405060u);
  EXPECT_EQ(picture.GetPixel(239, 179), 0x405060u);
  EXPECT_EQ(status.TimerStarts(), 1);
}

TEST_F(BuildCommandsTest, AxesUnderOrOverTheGraphs) {
  doc.Appearance.ShowAxes = true;
  doc.Appearance.AxesColor = 0x000000;
  Add("0", Relation, 0, Equal, 0x0000FF);  // fills every pixel
  BuildAll2D(ctx);
  EXPECT_EQ(picture.GetPixel(10, 5), 0x0000FFu);  // the graph covers the vertical axis
  doc.Appearance.AxesOnTop = true;
  BuildAll2D(ctx);
  EXPECT_EQ(picture.GetPixel(10, 5), 0x000000u);
}

TEST_F(BuildCommandsTest, WithoutClearingXorBuildTwiceRemovesTheGraphs) {
  doc.Appearance.ClearBackground = false;
  doc.Params.XorDrawing = true;
  Add("X*X/5-4", Function, 1);
  Add("X*X+Y*Y-30", Relation, 0, Less, 0x00FFFF);
  picture.FillRect(0, 0, 240, 180, 0xABCDEF);
  const auto before = Snapshot();
  BuildAll2D(ctx);
  EXPECT_NE(Snapshot(), before);
  BuildAll2D(ctx);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(BuildCommandsTest, OverlaysAreKeptOutOfTheGraphs) {
  doc.Appearance.ClearBackground = false;
  overlay.active = true;
  ASSERT_TRUE(PrepareView2D(ctx));
  grid.Toggle(picture, view);
  overlay.InvertMarks(picture);
  const int before = overlay.inversions;
  Add("0", Relation, 0, Equal, 0x00FF00);  // fills the 21 x 21 sampled square
  BuildAll2D(ctx);
  EXPECT_EQ(overlay.inversions, before + 2);
  // Taking both overlays out again leaves the graph alone, with no grid or mark inside.
  grid.Toggle(picture, view);
  overlay.InvertMarks(picture);
  for (int y = 0; y <= 20; ++y) {
    for (int x = 0; x <= 20; ++x) ASSERT_EQ(picture.GetPixel(x, y), 0x00FF00u) << x << ',' << y;
  }
}

TEST_F(BuildCommandsTest, ClearingDropsTheGridAndTheBuildDrawsItAgain) {
  ASSERT_TRUE(PrepareView2D(ctx));
  grid.Toggle(picture, view);
  BuildAll2D(ctx);
  EXPECT_TRUE(grid.InPicture());
  const auto withGrid = Snapshot();
  grid.Toggle(picture, view);
  EXPECT_NE(Snapshot(), withGrid);
  EXPECT_TRUE(NonWhite().empty());  // nothing of an older grid was left behind
}

TEST_F(BuildCommandsTest, BuildSelected) {
  int selected = -1;
  BuildSelected2D(ctx, selected);  // empty list: nothing at all
  EXPECT_EQ(selected, -1);
  EXPECT_EQ(status.TimerStarts(), 0);
  EXPECT_EQ(overlay.presents, 0);

  Add("1", Function, 0, 0, 0x0000FF);
  Add("2", Function, 0, 0, 0x00FF00);
  BuildSelected2D(ctx, selected);
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(progress.Caption(), "Стан побудови : графік №1");
  EXPECT_EQ(picture.GetPixel(3, 9), 0x0000FFu);
  EXPECT_EQ(picture.GetPixel(3, 8), kWhite);

  selected = 1;
  BuildSelected2D(ctx, selected);
  EXPECT_EQ(progress.Caption(), "Стан побудови : графік №2");
  EXPECT_EQ(picture.GetPixel(3, 9), kWhite);
  EXPECT_EQ(picture.GetPixel(3, 8), 0x00FF00u);
  EXPECT_EQ(status.TimerStarts(), 2);
}

// Marks that cross the right edge of the fixture's 240 x 180 picture, and know whether
// they are in it.
class EdgeMarks : public ScanMarkOverlay {
 public:
  bool Active() const override { return true; }
  bool MarksInPicture() const override { return drawn; }
  void InvertMarks(PlotPicture& picture) override {
    ++inversions;
    picture.SetPen(Pen{0, Solid, 1, PenMode::Invert});
    picture.Ellipse(230, 40, 250, 60);
    drawn = !drawn;
  }
  bool drawn = false;
  int inversions = 0;
};

struct GrowthCase {
  const char* name;
  bool grid;   // the temporary grid is in the picture
  bool marks;  // the scan marks are in the picture
};

class PictureGrowth : public test::Plot2DFixture,
                      public ::testing::WithParamInterface<GrowthCase> {};

// A view larger than the picture makes it grow; the overlays drawn by inversion are
// whole again afterwards, so taking them out leaves the background everywhere, also
// where they once ran over the old edge.
TEST_P(PictureGrowth, OverlaysComeOutWithoutLeavingATrace) {
  const GrowthCase c = GetParam();
  EdgeMarks marks;
  ctx.scanMarks = &marks;
  SetView(240, 180);
  ASSERT_TRUE(PrepareView2D(ctx));
  picture.SetPen(Pen{0, Solid, 9, PenMode::Copy});  // wide grid lines reach past the edge
  if (c.grid) grid.Toggle(picture, view);
  if (c.marks) marks.InvertMarks(picture);
  const int inversions = marks.inversions;

  SetView(1700, 100);
  EXPECT_TRUE(FitPictureToView(ctx));
  EXPECT_EQ(picture.Width(), 1700);
  EXPECT_EQ(picture.Height(), 1200);
  EXPECT_EQ(grid.InPicture(), c.grid);
  EXPECT_EQ(marks.drawn, c.marks);
  EXPECT_EQ(marks.inversions, inversions + (c.marks ? 2 : 0));
  EXPECT_FALSE(FitPictureToView(ctx));  // large enough now

  if (c.grid) grid.Toggle(picture, view);
  if (c.marks) marks.InvertMarks(picture);
  EXPECT_TRUE(NonWhite().empty());
}

INSTANTIATE_TEST_SUITE_P(Overlays, PictureGrowth,
                         ::testing::Values(GrowthCase{"None", false, false},
                                           GrowthCase{"TemporaryGrid", true, false},
                                           GrowthCase{"ScanMarks", false, true},
                                           GrowthCase{"Both", true, true}),
                         test::CaseName());

}  // namespace
}  // namespace lw
