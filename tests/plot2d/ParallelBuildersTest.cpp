// The builders that sample every pixel give the same picture, status and progress on
// several threads as on one, and a stop request ends them early.
#include <gtest/gtest.h>

#include <string>

#include "CaseNames.h"
#include "Plot2DFixture.h"
#include "plot2d/BuildCommands.h"
#include "plot2d/Builders2D.h"

namespace lw {
namespace {

struct ParallelCase {
  const char* name;
  const char* formula;
  std::uint8_t kind;
  std::uint8_t interpolated;
  std::uint8_t relation;
  bool xorDrawing;
  const char* xStart = "-10";  // the X interval's start
};

class ParallelBuildersTest : public test::Plot2DFixture,
                             public ::testing::WithParamInterface<ParallelCase> {
 protected:
  // The picture and status of one build of the case with `threads` threads (0: none).
  std::pair<std::vector<Colour>, std::string> Build(int threads) {
    const ParallelCase& c = GetParam();
    picture.Fill(kWhite);
    explicitParser.SeedRandom(1);  // every build draws the same random numbers
    doc.Graphs2D.Clear();
    doc.Params.XorDrawing = c.xorDrawing;
    doc.Params.Field(ParamField::XStart) = c.xStart;
    // The one graph twice, so XOR drawing meets its own pixels.
    Add(c.formula, c.kind, c.interpolated, c.relation);
    Add(c.formula, c.kind, c.interpolated, c.relation, 0x00FF00);
    WorkControl control(threads);
    ctx.work = threads > 0 ? &control : nullptr;
    BuildAll2D(ctx);
    ctx.work = nullptr;
    return {Snapshot(), status.Text()};
  }
};

TEST_P(ParallelBuildersTest, SameResultOnEveryThreadCount) {
  SetScales("7.3", "5.1");
  SetView(200, 150);
  const auto serial = Build(0);
  for (const int threads : {1, 2, 3, 8}) {
    const auto parallel = Build(threads);
    EXPECT_EQ(parallel.first, serial.first) << threads << " threads";
    EXPECT_EQ(parallel.second, serial.second) << threads << " threads";
  }
}

std::vector<Colour> PixelsOf(const PlotPicture& picture) {
  std::vector<Colour> all;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) all.push_back(picture.GetPixel(x, y));
  }
  return all;
}

// What the view shows during a build: the columns the threads publish as they finish
// them add up to the picture the build ends with, and publishing changes nothing.
TEST_P(ParallelBuildersTest, FinishedColumnsReachTheViewAndChangeNothing) {
  SetScales("7.3", "5.1");
  SetView(200, 150);
  const auto plain = Build(2);
  PictureMirror mirror;
  mirror.Start(picture.Width(), picture.Height());
  ctx.mirror = &mirror;
  EXPECT_EQ(Build(2), plain);
  // One more graph, whose columns alone reach a copy of the picture shown before it.
  PlotPicture shown(picture.Width(), picture.Height());
  shown.CopyFrom(picture);
  mirror.TakeInto(shown);
  WorkControl control(2);
  ctx.work = &control;
  BuildEntry2D(ctx, 0);
  ctx.work = nullptr;
  ctx.mirror = nullptr;
  mirror.TakeInto(shown);
  EXPECT_EQ(PixelsOf(shown), Snapshot());
}

const ParallelCase kParallelCases[] = {
    {"RegionEqual", "X*X+Y*Y-49", Relation, 0, Equal, false},
    {"RegionGreater", "SIN(X)-Y", Relation, 0, Greater, false},
    {"RegionLessXor", "X*Y-3", Relation, 0, Less, true},
    {"RegionGreaterOrEqual", "Y-X*X/5", Relation, 0, GreaterOrEqual, false},
    {"RegionLessOrEqual", "X-Y", Relation, 0, LessOrEqual, true},
    {"RegionUnknownSign", "X", Relation, 0, 9, false},
    {"RegionNoValueAtTheLastSample", "SQRT(-X-Y)", Relation, 0, Less, false},
    {"ContourCircle", "X*X+Y*Y-49", Relation, 1, Equal, false},
    {"ContourPoleLeftOut", "1/X-Y", Relation, 1, Equal, false},
    {"ContourXor", "SIN(X*Y)", Relation, 1, Equal, true},
    {"ContourLogarithmWithoutValues", "LN(X)-Y", Relation, 1, Equal, false},
    {"ContourEmptyInterval", "X-Y", Relation, 1, Equal, false, "20"},
    {"ColourMap", "X*Y", ColorGamma, 0, Equal, false},
    {"ColourMapXor", "SIN(X)*Y*30", ColorGamma, 0, Equal, true},
    {"ColourMapWithoutValues", "SQRT(X)*40", ColorGamma, 0, Equal, false},
    {"RandomStaysInSampleOrder", "RAND(100)-50-X*Y", ColorGamma, 0, Equal, false},
    {"AssignmentStaysInSampleOrder", "A=A+1", ColorGamma, 0, Equal, false},
    {"WrongFormula", "X*(Y", Relation, 0, Less, false},
};

INSTANTIATE_TEST_SUITE_P(Builders, ParallelBuildersTest, ::testing::ValuesIn(kParallelCases),
                         lw::test::CaseName());

struct StopCase {
  const char* name;
  const char* formula;
  std::uint8_t kind;
  std::uint8_t interpolated;
};

class StoppedBuildTest : public test::Plot2DFixture,
                         public ::testing::WithParamInterface<StopCase> {};

// A stopped builder leaves the picture as it was and does not report a finished graph.
TEST_P(StoppedBuildTest, StoppedBuilderDrawsNothing) {
  SetView(60, 60);
  Add(GetParam().formula, GetParam().kind, GetParam().interpolated, Less);
  ASSERT_TRUE(BeginBuild2D(ctx));
  const auto before = Snapshot();
  status.SetStatus("");
  for (const int threads : {1, 2}) {
    WorkControl control(threads);
    control.RequestStop();
    ctx.work = &control;
    BuildEntry2D(ctx, 0);
    ctx.work = nullptr;
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(status.Text(), "");
  }
}

const StopCase kStopCases[] = {
    {"Region", "X-Y", Relation, 0},
    {"Contour", "X-Y", Relation, 1},
    {"ColourMap", "X-Y", ColorGamma, 0},
};

INSTANTIATE_TEST_SUITE_P(Builders, StoppedBuildTest, ::testing::ValuesIn(kStopCases),
                         lw::test::CaseName());

}  // namespace
}  // namespace lw
