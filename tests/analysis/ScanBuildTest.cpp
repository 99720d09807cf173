// The scan marks through real 2D builds: whatever the builds draw and however the view
// changes between them, leaving scan mode leaves exactly the graphs.
#include <gtest/gtest.h>

#include <vector>

#include "analysis/ScanSession.h"
#include "plot2d/BuildCommands.h"

namespace lw {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

struct Bench {
  Bench() : picture(kWidth, kHeight) {
    document.Appearance.ClearBackground = false;
    document.Graphs2D.Append("X^2/4-3", PlotP{0x0000FF, Function, 1, Equal});
    document.Graphs2D.Append("X^2+Y^2-16", PlotP{0x00AA00, Relation, 0, Equal});
    picture.Fill(0xFFFFFF);
  }

  Plot2DContext Context(ScanMarkOverlay* marks) {
    Plot2DContext ctx{document,   params,  view,   picture,  explicitParser,
                      poleParser, palette, status, progress, grid};
    ctx.scanMarks = marks;
    ctx.viewWidth = kWidth;
    ctx.viewHeight = kHeight;
    return ctx;
  }

  std::vector<Colour> Pixels() const {
    std::vector<Colour> pixels;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) pixels.push_back(picture.GetPixel(x, y));
    }
    return pixels;
  }

  Document document;
  Params2D params;
  View2D view;
  PlotPicture picture;
  FormulaParser explicitParser;
  DivisionTrackingParser poleParser;
  Palette palette{};
  RecordingStatus status;
  SilentProgress progress;
  TemporaryGrid grid;
};

// Two builds on one picture, the second with other bounds, so a different view.
void BuildTwice(Bench& bench, ScanSession* session) {
  Plot2DContext ctx = bench.Context(session);
  BuildAll2D(ctx);
  if (session != nullptr) {
    session->ToggleScanMode();
    session->ScanAt(50, 40, true);
    session->ScanAt(150, 60, true);
    session->ScanAt(90, 120, true);
  }
  bench.document.Params.Field(ParamField::XStart) = "-5";
  bench.document.Params.Field(ParamField::XEnd) = "8";
  BuildAll2D(ctx);
}

TEST(ScanBuildTest, MarksLeaveAndReturnAroundBuildsThatKeepThePicture) {
  Bench plain;
  BuildTwice(plain, nullptr);

  Bench scanned;
  ScanSession session(scanned.picture, scanned.view);
  BuildTwice(scanned, &session);
  EXPECT_NE(scanned.Pixels(), plain.Pixels());  // the marks are in the picture
  session.ToggleScanMode();
  EXPECT_EQ(scanned.Pixels(), plain.Pixels());
}

// Builds that clear the picture, alone and mixed with ones that keep it: the marks
// are never erased from a picture that no longer holds them.
TEST(ScanBuildTest, MarksStayExactAcrossBuildsThatClearThePicture) {
  for (const bool secondClears : {true, false}) {
    Bench plain;
    plain.document.Appearance.ClearBackground = true;
    Plot2DContext plainCtx = plain.Context(nullptr);
    BuildAll2D(plainCtx);
    plain.document.Appearance.ClearBackground = secondClears;
    BuildAll2D(plainCtx);

    Bench scanned;
    scanned.document.Appearance.ClearBackground = true;
    ScanSession session(scanned.picture, scanned.view);
    Plot2DContext ctx = scanned.Context(&session);
    BuildAll2D(ctx);
    session.ToggleScanMode();
    session.ScanAt(50, 40, true);
    session.ScanAt(150, 60, true);
    session.ScanAt(90, 120, true);
    BuildAll2D(ctx);
    scanned.document.Appearance.ClearBackground = secondClears;
    BuildAll2D(ctx);
    EXPECT_NE(scanned.Pixels(), plain.Pixels()) << secondClears;
    session.ToggleScanMode();
    EXPECT_EQ(scanned.Pixels(), plain.Pixels()) << secondClears;
  }
}

}  // namespace
}  // namespace lw
