#include "analysis/ScanSession.h"

#include <gtest/gtest.h>

#include <vector>

#include "plot2d/PlotPicture.h"

namespace lw {
namespace {

constexpr int kSize = 120;
const ScanMapping kMapping{10.0, 10.0, 60, 60};

View2D ViewOf(const ScanMapping& m) {
  View2D view;
  view.ScaleX = m.ScaleX;
  view.ScaleY = m.ScaleY;
  view.OriginX = m.OriginX;
  view.OriginY = m.OriginY;
  return view;
}

std::vector<Colour> Pixels(const PlotPicture& picture) {
  std::vector<Colour> pixels;
  pixels.reserve(static_cast<std::size_t>(kSize * kSize));
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) pixels.push_back(picture.GetPixel(x, y));
  }
  return pixels;
}

// A picture whose pixels all differ from their neighbours, so a stray inversion shows.
void Paint(PlotPicture& picture) {
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      picture.SetPixel(x, y, static_cast<Colour>((x * 2654435761u) ^ (y * 40503u)) & 0xFFFFFF);
    }
  }
}

class ScanSessionTest : public testing::Test {
 protected:
  ScanSessionTest() : picture_(kSize, kSize), view_(ViewOf(kMapping)), session_(picture_, view_) {
    Paint(picture_);
    original_ = Pixels(picture_);
  }

  // The original picture with exactly these marks inverted into it.
  std::vector<Colour> Expected(const ScanMarkSet& marks) {
    PlotPicture reference(kSize, kSize);
    Paint(reference);
    DrawScanMarkSet(reference, marks);
    return Pixels(reference);
  }

  ScanMarkSet AllMarks() const {
    ScanMarkSet marks;
    marks.points = session_.Points();
    marks.mapping = kMapping;
    marks.last = session_.LastPoint();
    marks.squares = marks.lines = marks.circle = true;
    marks.closing = marks.points.size() >= 3;
    return marks;
  }

  void ClickTriangle() {
    session_.ScanAt(30, 30, true);
    session_.ScanAt(90, 40, true);
    session_.ScanAt(50, 95, true);
  }

  PlotPicture picture_;
  View2D view_;
  ScanSession session_;
  std::vector<Colour> original_;
};

TEST(ScanMappingTest, PixelsAndWorldPoints) {
  const ScanMapping m{13.475, 11.7, 269, 234};
  const ScanPoint p = PixelToWorld(m, 269 + 27, 234 - 117);
  EXPECT_DOUBLE_EQ(p.x, 27 / 13.475);
  EXPECT_DOUBLE_EQ(p.y, 10.0);
  // Truncation toward zero on both sides of the origin.
  EXPECT_EQ(MarkPosition(kMapping, {0.35, 0.35}), (PixelPoint{63, 57}));
  EXPECT_EQ(MarkPosition(kMapping, {-0.35, -0.35}), (PixelPoint{57, 63}));
  EXPECT_EQ(MarkPosition(kMapping, {1e300, -1e300}), (PixelPoint{1'000'000'000, 1'000'000'000}));
}

TEST_F(ScanSessionTest, ClicksOutsideScanModeOrWithoutGraphsRecordNothing) {
  EXPECT_FALSE(session_.ScanAt(30, 30, true).taken);
  session_.ToggleScanMode();
  const std::vector<Colour> withCircle = Pixels(picture_);
  EXPECT_FALSE(session_.ScanAt(30, 30, false).taken);
  EXPECT_TRUE(session_.Points().empty());
  EXPECT_EQ(Pixels(picture_), withCircle);
}

TEST_F(ScanSessionTest, AClickRecordsTheWorldPointAndAsksForTheValues) {
  session_.ToggleScanMode();
  const ScanSession::Click click = session_.ScanAt(75, 40, true);
  EXPECT_TRUE(click.taken);
  EXPECT_TRUE(click.showValues);
  EXPECT_EQ(click.point, (ScanPoint{1.5, 2.0}));
  EXPECT_EQ(session_.LastPoint(), (ScanPoint{1.5, 2.0}));
  ASSERT_EQ(session_.Points().size(), 1u);
  session_.SetOption(AppendPoints, false);
  session_.SetOption(ShowValuesWindow, false);
  const ScanSession::Click second = session_.ScanAt(60, 60, true);
  EXPECT_FALSE(second.showValues);
  EXPECT_EQ(session_.Points().size(), 1u);
  EXPECT_EQ(session_.LastPoint(), (ScanPoint{0.0, 0.0}));
}

TEST_F(ScanSessionTest, ThePictureHoldsExactlyTheMarksAndLeavingScanModeRestoresIt) {
  session_.ToggleScanMode();
  ClickTriangle();
  EXPECT_EQ(Pixels(picture_), Expected(AllMarks()));
  session_.ToggleScanMode();
  EXPECT_EQ(Pixels(picture_), original_);
  session_.ToggleScanMode();
  EXPECT_EQ(Pixels(picture_), Expected(AllMarks()));
}

TEST_F(ScanSessionTest, UncheckingTheClosingBoxRemovesOnlyTheClosingSegment) {
  session_.ToggleScanMode();
  ClickTriangle();
  session_.SetOption(ClosePolyline, false);
  ScanMarkSet open = AllMarks();
  open.closing = false;
  EXPECT_EQ(Pixels(picture_), Expected(open));
  EXPECT_NE(Expected(open), Expected(AllMarks()));
  session_.SetOption(ClosePolyline, true);
  EXPECT_EQ(Pixels(picture_), Expected(AllMarks()));
}

TEST_F(ScanSessionTest, EachMarkBoxTogglesItsOwnMarks) {
  session_.ToggleScanMode();
  ClickTriangle();
  struct Case {
    ScanOption option;
    bool ScanMarkSet::*mark;
  };
  const Case cases[] = {{ShowPoints, &ScanMarkSet::squares},
                        {JoinPoints, &ScanMarkSet::lines},
                        {MarkLastPoint, &ScanMarkSet::circle}};
  for (const Case& c : cases) {
    session_.SetOption(c.option, false);
    ScanMarkSet without = AllMarks();
    without.*c.mark = false;
    if (c.option == JoinPoints) without.closing = false;
    EXPECT_EQ(Pixels(picture_), Expected(without)) << c.option;
    session_.SetOption(c.option, true);
    EXPECT_EQ(Pixels(picture_), Expected(AllMarks())) << c.option;
  }
}

TEST_F(ScanSessionTest, BoxesWithoutMarksLeaveThePictureAlone) {
  session_.ToggleScanMode();
  ClickTriangle();
  const std::vector<Colour> before = Pixels(picture_);
  for (ScanOption option : {AppendPoints, ShowValuesWindow, SelectArea}) {
    session_.SetOption(option, false);
    EXPECT_EQ(Pixels(picture_), before) << option;
    session_.SetOption(option, true);
  }
}

TEST_F(ScanSessionTest, BoxesOutsideScanModeDrawNothing) {
  ClickTriangle();
  for (int option = 0; option < ScanOptionCount; ++option) {
    session_.SetOption(static_cast<ScanOption>(option), false);
    EXPECT_EQ(Pixels(picture_), original_) << option;
  }
  session_.SetOptions({true, true, true, true, true, true, true});
  EXPECT_EQ(Pixels(picture_), original_);
}

TEST_F(ScanSessionTest, SelectionFollowsThePointerOnlyWhenAsked) {
  session_.ButtonDown(10, 20);
  EXPECT_EQ(session_.Selection(), (SelectionRect{10, 20, 10, 20}));
  EXPECT_FALSE(session_.DragTo(30, 40));  // scan mode is off
  session_.ToggleScanMode();
  session_.ButtonDown(10, 20);
  const std::optional<SelectionRect> old = session_.DragTo(30, 40);
  ASSERT_TRUE(old);
  EXPECT_EQ(*old, (SelectionRect{10, 20, 10, 20}));
  EXPECT_EQ(session_.DragTo(35, 45), (SelectionRect{10, 20, 30, 40}));
  EXPECT_EQ(session_.Selection(), (SelectionRect{10, 20, 35, 45}));
  session_.ScanAt(35, 45, true);  // the button is up again
  EXPECT_FALSE(session_.DragTo(50, 50));
  session_.SetOption(SelectArea, false);
  session_.ButtonDown(1, 2);
  EXPECT_FALSE(session_.DragTo(50, 50));
  EXPECT_EQ(session_.Selection(), (SelectionRect{10, 20, 35, 45}));
}

TEST_F(ScanSessionTest, PointOfAListRow) {
  session_.ToggleScanMode();
  ClickTriangle();
  EXPECT_EQ(session_.PointAt(2), PixelToWorld(kMapping, 90, 40));
  EXPECT_FALSE(session_.PointAt(0));
  EXPECT_FALSE(session_.PointAt(4));
}

TEST_F(ScanSessionTest, DeletingTheOnlyPointLeavesNoMarks) {
  session_.SetOption(MarkLastPoint, false);
  session_.ToggleScanMode();
  session_.ScanAt(30, 30, true);
  EXPECT_NE(Pixels(picture_), original_);
  session_.DeletePoint(2);  // beyond the list
  EXPECT_EQ(session_.Points().size(), 1u);
  session_.DeletePoint(1);
  EXPECT_TRUE(session_.Points().empty());
  EXPECT_EQ(Pixels(picture_), original_);
}

TEST_F(ScanSessionTest, DeletingAMiddlePointRedrawsThePolyline) {
  session_.ToggleScanMode();
  ClickTriangle();
  session_.ScanAt(20, 80, true);
  session_.DeletePoint(2);
  ASSERT_EQ(session_.Points().size(), 3u);
  EXPECT_EQ(session_.Points()[1], PixelToWorld(kMapping, 50, 95));
  EXPECT_EQ(Pixels(picture_), Expected(AllMarks()));
}

TEST_F(ScanSessionTest, ClearingThePointsKeepsOnlyTheLastPointCircle) {
  session_.ToggleScanMode();
  ClickTriangle();
  session_.ClearPoints();
  EXPECT_TRUE(session_.Points().empty());
  EXPECT_EQ(Pixels(picture_), Expected(AllMarks()));
  session_.ToggleScanMode();
  EXPECT_EQ(Pixels(picture_), original_);
}

TEST_F(ScanSessionTest, ABuildWithANewMappingMovesTheMarksCleanly) {
  session_.ToggleScanMode();
  ClickTriangle();
  view_ = ViewOf({20.0, 5.0, 40, 70});  // a build prepares the new view first
  ASSERT_TRUE(session_.Active());
  session_.InvertMarks(picture_);
  EXPECT_EQ(Pixels(picture_), original_);
  picture_.SetPen(Pen{0x0000FF, Solid, 1, PenMode::Copy});
  picture_.MoveTo(0, 10);
  picture_.LineTo(kSize, 10);  // a graph drawn by the build
  const std::vector<Colour> built = Pixels(picture_);
  session_.InvertMarks(picture_);
  ScanMarkSet moved = AllMarks();
  moved.mapping = {20.0, 5.0, 40, 70};
  PlotPicture reference(kSize, kSize);
  Paint(reference);
  reference.SetPen(Pen{0x0000FF, Solid, 1, PenMode::Copy});
  reference.MoveTo(0, 10);
  reference.LineTo(kSize, 10);
  DrawScanMarkSet(reference, moved);
  EXPECT_EQ(Pixels(picture_), Pixels(reference));
  EXPECT_EQ(picture_.CurrentPen(), (Pen{0x0000FF, Solid, 1, PenMode::Copy}));
  session_.ToggleScanMode();
  EXPECT_EQ(Pixels(picture_), built);
}

TEST_F(ScanSessionTest, ABuildThatClearsThePictureGetsTheMarksBack) {
  session_.ToggleScanMode();
  ClickTriangle();
  picture_.Fill(0xFFFFFF);
  session_.PictureCleared();
  session_.InvertMarks(picture_);
  PlotPicture reference(kSize, kSize);
  reference.Fill(0xFFFFFF);
  DrawScanMarkSet(reference, AllMarks());
  EXPECT_EQ(Pixels(picture_), Pixels(reference));
  session_.ToggleScanMode();
  for (Colour c : Pixels(picture_)) ASSERT_EQ(c, 0xFFFFFFu);
}

TEST_F(ScanSessionTest, APictureClearedBehindTheSessionIsMarkedAgain) {
  session_.ToggleScanMode();
  ClickTriangle();
  picture_.Fill(0x000000);
  session_.PictureCleared();
  session_.ScanAt(100, 100, true);
  session_.ToggleScanMode();
  for (Colour c : Pixels(picture_)) ASSERT_EQ(c, 0u);
}

TEST(DrawScanMarkSetTest, DrawingTwiceRestoresEvenFarOutside) {
  PlotPicture picture(kSize, kSize);
  Paint(picture);
  const std::vector<Colour> before = Pixels(picture);
  ScanMarkSet marks;
  marks.points = {{1.0, 1.0}, {1e12, -1e12}, {-3.0, 2.0}, {0.0, 0.0}};
  marks.mapping = kMapping;
  marks.last = {-1e200, 5.0};
  marks.squares = marks.lines = marks.closing = marks.circle = true;
  DrawScanMarkSet(picture, marks);
  EXPECT_NE(Pixels(picture), before);
  DrawScanMarkSet(picture, marks);
  EXPECT_EQ(Pixels(picture), before);
}

TEST(DrawScanMarkSetTest, SquaresAndCircleHaveTheirSizes) {
  PlotPicture picture(kSize, kSize);
  picture.Fill(0xFFFFFF);
  ScanMarkSet marks;
  marks.points = {{0.0, 0.0}};
  marks.mapping = kMapping;
  marks.squares = true;
  DrawScanMarkSet(picture, marks);
  // The square's outline runs from 57 to 62 (right and bottom exclusive at 63).
  EXPECT_EQ(picture.GetPixel(57, 57), 0u);
  EXPECT_EQ(picture.GetPixel(62, 62), 0u);
  EXPECT_EQ(picture.GetPixel(63, 60), 0xFFFFFFu);
  EXPECT_EQ(picture.GetPixel(60, 60), 0xFFFFFFu);
  picture.Fill(0xFFFFFF);
  marks.squares = false;
  marks.circle = true;
  marks.last = {0.0, 0.0};
  DrawScanMarkSet(picture, marks);
  EXPECT_EQ(picture.GetPixel(56, 60), 0u);  // the box runs from 56 to 63
  EXPECT_EQ(picture.GetPixel(60, 60), 0xFFFFFFu);
  EXPECT_EQ(picture.GetPixel(55, 60), 0xFFFFFFu);
}

}  // namespace
}  // namespace lw
