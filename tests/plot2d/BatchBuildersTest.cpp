// The builders that sample every pixel evaluate a block of rows per call of the
// engine; their pictures must be those drawn by the plain rules, sample by sample,
// with the engine evaluating one point per call by its grammar, on one thread and
// on several. The cases
// lean on what a block could get wrong: poles (division counts), samples without a
// value, a held X, and columns longer than one block.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "Plot2DFixture.h"
#include "plot2d/BuildCommands.h"
#include "plot2d/BuilderCommon.h"
#include "plot2d/Builders2D.h"
#include "plot2d/ColorGamma.h"

namespace lw {
namespace {

struct BatchCase {
  const char* name;
  const char* formula;
  std::uint8_t kind;
  std::uint8_t interpolated;
  std::uint8_t relation;
  bool xorDrawing;
  bool drawsNothing = false;
};

// Whether a value passes the region's test with tolerance t.
bool Passes(std::uint8_t relation, double v, double t) {
  switch (relation) {
    case Equal:
      return std::fabs(v) < t;
    case Greater:
      return v + t > 0;
    case Less:
      return v - t < 0;
    case GreaterOrEqual:
      return v + t >= 0;
    case LessOrEqual:
      return v - t <= 0;
    default:
      return false;
  }
}

bool Crosses(double a, double b) {
  return (a <= 0 && b >= 0) || (a >= 0 && b <= 0);
}

// One sample of the plain per-point walk.
struct Sample {
  double value = 0;
  bool hasValue = false;
  std::uint32_t pair = 0;
};

class BatchBuildersTest : public test::Plot2DFixture,
                          public ::testing::WithParamInterface<BatchCase> {
 protected:
  void SetUp() override {
    // About 630 rows per column: three blocks, two of their seams inside the picture.
    SetScales("7.3", "31.7");
    SetView(200, 150);
    const BatchCase& c = GetParam();
    doc.Params.XorDrawing = c.xorDrawing;
    Add(c.formula, c.kind, c.interpolated, c.relation);
    // A second colour map would hide the first, or with XOR wipe it out.
    if (c.kind != ColorGamma) Add(c.formula, c.kind, c.interpolated, c.relation, 0x00FF00);
  }

  std::vector<Colour> Build(int threads) {
    WorkControl control(threads);
    ctx.work = threads > 0 ? &control : nullptr;
    BuildAll2D(ctx);
    ctx.work = nullptr;
    return Snapshot();
  }

  // The same build drawn here sample by sample: each pixel's variables set and the
  // formula evaluated by the engine's grammar, one point per call.
  std::vector<Colour> BuildPointByPoint() {
    EXPECT_TRUE(BeginBuild2D(ctx));
    DrawPointByPoint(0x0000FF);
    if (GetParam().kind != ColorGamma) DrawPointByPoint(0x00FF00);
    EndBuild2D(ctx);
    return Snapshot();
  }

  void DrawPointByPoint(Colour entryColour) {
    const BatchCase& c = GetParam();
    const View2D& v = view;
    DivisionTrackingParser& parser = poleParser;
    parser.UseFlatProgram(false);
    std::string text = c.formula;
    FormulaParser::Normalize(text);
    parser.Compile(text);
    const PixelWalk walk = WalkOf(v);
    const GammaRamp ramp(palette, params.Gradient);
    const Colour background = doc.Appearance.BackgroundColor & 0xFFFFFF;
    const Colour colour = DrawingColour(entryColour, c.xorDrawing, background);
    std::vector<Sample> prev, col(static_cast<std::size_t>(walk.Rows));
    double x = v.XStart;
    for (int column = 0; x <= v.XEnd; ++column) {
      double y = v.YStart;
      for (int r = 0; r < walk.Rows; ++r, y += v.PixelStepY) {
        parser.VariableSlot(v.VarX) = x;
        parser.VariableSlot(v.VarY) = y;
        const double value = parser.EvaluateCompiled();
        col[static_cast<std::size_t>(r)] = {value, !parser.HasError(), DivisionPair(parser)};
        if (parser.HasError()) continue;
        const int px = walk.Px0 + column, py = walk.Py0 - r;
        if (c.kind == ColorGamma) {
          Put(px, py, c.xorDrawing ? ramp(value) ^ background : ramp(value), c.xorDrawing);
        } else if (c.interpolated == 0 && Passes(c.relation, value, params.Proxima)) {
          Put(px, py, colour, c.xorDrawing);
        }
      }
      if (c.interpolated != 0 && !prev.empty()) DrawCells(prev, col, walk, column, colour);
      prev = col;
      if (!NextSample(x, v.XEnd, v.PixelStepX)) break;
    }
    parser.ReleaseCompiled();
    parser.UseFlatProgram(true);
  }

  // A contour's cells between two columns: all four corners with values, a sign
  // change or zero along an edge, and the same divisions at every corner.
  void DrawCells(const std::vector<Sample>& a, const std::vector<Sample>& b, const PixelWalk& walk,
                 int column, Colour colour) {
    for (std::size_t r = 1; r < b.size(); ++r) {
      const Sample p0 = a[r - 1], p1 = a[r], c0 = b[r - 1], c1 = b[r];
      if (!(p0.hasValue && p1.hasValue && c0.hasValue && c1.hasValue)) continue;
      if (!(Crosses(p0.value, c0.value) || Crosses(p1.value, c1.value) ||
            Crosses(p0.value, p1.value) || Crosses(c0.value, c1.value)))
        continue;
      if (p0.pair != c1.pair || p1.pair != c1.pair || c0.pair != c1.pair) continue;
      Put(walk.Px0 + column - 1, walk.Py0 - static_cast<int>(r), colour, GetParam().xorDrawing);
    }
  }

  void Put(int px, int py, Colour colour, bool xorDrawing) {
    if (xorDrawing) {
      picture.XorPixel(px, py, colour);
    } else {
      picture.SetPixel(px, py, colour);
    }
  }
};

TEST_P(BatchBuildersTest, SamePictureAsPointByPoint) {
  const std::vector<Colour> reference = BuildPointByPoint();
  const bool blank = reference == std::vector<Colour>(reference.size(), kWhite);
  ASSERT_EQ(blank, GetParam().drawsNothing);
  for (const int threads : {0, 1, 2}) EXPECT_EQ(Build(threads), reference) << threads << " threads";
}

const BatchCase kBatchCases[] = {
    {"RegionPole", "1/(X-Y)", Relation, 0, Less, false},
    {"RegionSqrtDomain", "SQRT(X*Y)-2", Relation, 0, Greater, false},
    {"RegionLogarithmsEqual", "LN(X)+LN(Y)", Relation, 0, Equal, true},
    {"RegionDivisionByZeroEverywhere", "Y/(X*0)", Relation, 0, LessOrEqual, false, true},
    {"RegionTangentPoles", "TG(X*Y/10)", Relation, 0, GreaterOrEqual, false},
    {"ContourOnlyAPole", "1/(X-Y)", Relation, 1, Equal, false, true},
    {"ContourPoleLeftOut", "1/X-Y", Relation, 1, Equal, false},
    {"ContourDivisionCounts", "X/Y-1/(X+1)", Relation, 1, Equal, false},
    {"ContourTangentPoles", "TG(X*Y/10)", Relation, 1, Equal, true},
    {"ContourSqrtDomain", "SQRT(25-X*X-Y*Y)-1", Relation, 1, Equal, false},
    {"ContourHeldXDivisor", "Y/X-2", Relation, 1, Equal, false},
    {"ColourMapPole", "1/(X*X+Y*Y-25)", ColorGamma, 0, Equal, false},
    {"ColourMapArcDomains", "ARCSIN(X/10)*ARCCOS(Y/10)*40", ColorGamma, 0, Equal, true},
    {"ColourMapPower", "X^Y", ColorGamma, 0, Equal, false},
    {"ColourMapNoValueAtTheLastSample", "SQRT(-X-Y)*30", ColorGamma, 0, Equal, false},
};

INSTANTIATE_TEST_SUITE_P(Builders, BatchBuildersTest, ::testing::ValuesIn(kBatchCases),
                         lw::test::CaseName());

}  // namespace
}  // namespace lw
