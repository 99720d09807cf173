// Curves of a parameter drawn on a real-sized view: close to the true curve, unbroken
// where it is continuous, broken where it is not, the same on any number of threads.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "CaseNames.h"
#include "document/ParametricText.h"
#include "plot2d/BuildCommands.h"
#include "plot2d/Builders2D.h"
#include "plot2d/CurveSampling.h"
#include "plot2d/Plot2DContext.h"

namespace lw {
namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000FF;

// [-10, 10] in both directions on an 800 x 800 view: 40 pixels per unit, no axes.
class CurveView {
 public:
  CurveView() {
    doc.Params.Field(ParamField::XStart) = "-10";
    doc.Params.Field(ParamField::XEnd) = "10";
    doc.Params.Field(ParamField::YStart) = "-10";
    doc.Params.Field(ParamField::YEnd) = "10";
    doc.Params.AutoScale = true;
    doc.Params.Centering = true;
    doc.Appearance.ShowAxes = false;
    doc.Appearance.ShowUnits = false;
    doc.Appearance.ShowVariableNames = false;
  }

  // Builds the one graph alone on a cleared picture with `threads` threads (0: none).
  void Build(const std::string& text, std::uint8_t kind, std::uint8_t interpolated = 1,
             int threads = 0) {
    doc.Graphs2D.Clear();
    doc.Graphs2D.Append(text, PlotP{kRed, kind, interpolated, Equal});
    WorkControl control(threads);
    ctx.work = threads > 0 ? &control : nullptr;
    BuildAll2D(ctx);
    ctx.work = nullptr;
  }
  std::vector<std::pair<int, int>> Drawn() const {
    std::vector<std::pair<int, int>> pixels;
    for (int y = 0; y < 800; ++y) {
      for (int x = 0; x < 800; ++x) {
        if (picture.GetPixel(x, y) == kRed) pixels.emplace_back(x, y);
      }
    }
    return pixels;
  }
  std::vector<Colour> Snapshot() const {
    std::vector<Colour> all;
    for (int y = 0; y < 800; ++y) {
      for (int x = 0; x < 800; ++x) all.push_back(picture.GetPixel(x, y));
    }
    return all;
  }
  // Where a world point lands, before truncation.
  std::pair<double, double> Pixel(double x, double y) const {
    return {x * view.ScaleX + view.OriginX, view.OriginY - y * view.ScaleY};
  }

  Document doc;
  Params2D params;
  View2D view;
  PlotPicture picture{800, 800};
  FormulaParser explicitParser;
  DivisionTrackingParser poleParser;
  Palette palette;
  RecordingStatus status;
  SilentProgress progress;
  TemporaryGrid grid;
  Plot2DContext ctx{doc,    params,   view, picture, explicitParser, poleParser, palette,
                    status, progress, grid, nullptr, nullptr,        800,        800};
};

struct TrueCurveCase {
  const char* name;
  const char* text;
  std::uint8_t kind;
  std::function<std::pair<double, double>(double)> point;  // the true curve at T
  double t0, t1;
};

class TrueCurveTest : public ::testing::TestWithParam<TrueCurveCase> {};

double Distance2(std::pair<double, double> a, std::pair<double, double> b) {
  return (a.first - b.first) * (a.first - b.first) + (a.second - b.second) * (a.second - b.second);
}

// Every pixel of the curve's colour lies within 2 pixels of the true curve, and every
// whole degree of T has such a pixel within 2 pixels of its point: closed, unbroken.
TEST_P(TrueCurveTest, PixelsHugTheTrueCurveAndMissNoDegree) {
  const TrueCurveCase& c = GetParam();
  CurveView v;
  v.Build(c.text, c.kind);
  EXPECT_EQ(v.status.Text(), "Окей");
  const auto drawn = v.Drawn();
  ASSERT_FALSE(drawn.empty());
  // The true curve, densely, in pixel units (truncation puts a pixel up to one unit
  // to the lower right of the point, so pixel centres are compared).
  std::vector<std::pair<double, double>> truth;
  constexpr int kDense = 20000;
  for (int i = 0; i <= kDense; ++i) {
    const auto [x, y] = c.point(c.t0 + (c.t1 - c.t0) * i / kDense);
    const auto [px, py] = v.Pixel(x, y);
    truth.emplace_back(px - 0.5, py - 0.5);
  }
  for (const auto& [x, y] : drawn) {
    double best = 1e300;
    for (const auto& p : truth) best = std::min(best, Distance2(p, {x, y}));
    EXPECT_LE(std::sqrt(best), 2.0) << "pixel " << x << ", " << y;
  }
  for (int degree = 0; degree <= 360; ++degree) {
    const double t = c.t0 + (c.t1 - c.t0) * degree / 360.0;
    const auto [wx, wy] = c.point(t);
    const auto [px, py] = v.Pixel(wx, wy);
    double best = 1e300;
    for (const auto& [x, y] : drawn) best = std::min(best, Distance2({px - 0.5, py - 0.5}, {x, y}));
    EXPECT_LE(std::sqrt(best), 2.0) << "degree " << degree;
  }
}

const TrueCurveCase kTrueCurves[] = {
    {"Circle", "5*COS(T);5*SIN(T);0;2*P", ParametricCurve,
     [](double t) { return std::pair(5 * std::cos(t), 5 * std::sin(t)); }, 0, 2 * Pi},
    {"PolarRose", "6+2*COS(3*T);0;2*P", PolarCurve,
     [](double t) {
       const double r = 6 + 2 * std::cos(3 * t);
       return std::pair(r * std::cos(t), r * std::sin(t));
     },
     0, 2 * Pi},
    {"ArchimedeanSpiral", "T/2;0;6*P", PolarCurve,
     [](double t) { return std::pair(t / 2 * std::cos(t), t / 2 * std::sin(t)); }, 0, 6 * Pi},
    {"LissajousBackwards", "8*SIN(3*T);8*SIN(2*T);2*P;0", ParametricCurve,
     [](double t) { return std::pair(8 * std::sin(3 * t), 8 * std::sin(2 * t)); }, 2 * Pi, 0},
};

INSTANTIATE_TEST_SUITE_P(Curves, TrueCurveTest, ::testing::ValuesIn(kTrueCurves), test::CaseName());

struct BreakCase {
  const char* name;
  const char* text;
  std::uint8_t kind;
  // A world rectangle the curve must leave empty: the line across its break.
  double x0, x1, y0, y1;
};

class CurveBreakTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(CurveBreakTest, PenLiftsAcrossTheBreak) {
  const BreakCase& c = GetParam();
  CurveView v;
  v.Build(c.text, c.kind);
  ASSERT_FALSE(v.Drawn().empty());
  for (const auto& [x, y] : v.Drawn()) {
    const double wx = v.view.WorldX(x), wy = v.view.WorldY(y);
    EXPECT_FALSE(c.x0 < wx && wx < c.x1 && c.y0 < wy && wy < c.y1) << wx << ", " << wy;
  }
}

const BreakCase kBreaks[] = {
    // y = 1/x as a curve of T: the branches are not joined through the middle.
    {"PoleOfTheHyperbola", "T;1/T;-10;10", ParametricCurve, -1, 1, -1, 1},
    // The divisor of the second coordinate changes sign at T = 1.
    {"PoleInsideTheRange", "T;3/(T-1);-9;9", ParametricCurve, 0, 2, -2.5, 2.5},
    {"NoValueBelowZero", "T;SQRT(T);-9;9", ParametricCurve, -10, -0.05, -10, 10},
    {"PolarPole", "1/COS(T);-1.5;1.5", PolarCurve, -10, 0.9, -10, 10},
};

INSTANTIATE_TEST_SUITE_P(Curves, CurveBreakTest, ::testing::ValuesIn(kBreaks), test::CaseName());

struct ThreadCase {
  const char* name;
  const char* text;
  std::uint8_t kind;
  std::uint8_t interpolated;
  bool xorDrawing;
};

class CurveThreadsTest : public ::testing::TestWithParam<ThreadCase> {};

TEST_P(CurveThreadsTest, SamePictureAndStatusOnEveryThreadCount) {
  const ThreadCase& c = GetParam();
  CurveView v;
  v.doc.Params.XorDrawing = c.xorDrawing;
  v.Build(c.text, c.kind, c.interpolated, 0);
  const auto serial = v.Snapshot();
  const std::string status = v.status.Text();
  for (const int threads : {1, 2, 3, 8}) {
    v.status.SetStatus("");
    v.Build(c.text, c.kind, c.interpolated, threads);
    EXPECT_EQ(v.Snapshot(), serial) << threads << " threads";
    EXPECT_EQ(v.status.Text(), status) << threads << " threads";
  }
}

const ThreadCase kThreadCases[] = {
    {"Circle", "5*COS(T);5*SIN(T);0;2*P", ParametricCurve, 1, false},
    {"RoseDotsXor", "6+2*COS(3*T);0;2*P", PolarCurve, 0, true},
    {"Poles", "T;TG(T);-9;9", ParametricCurve, 1, false},
    {"NoValueAtTheEnd", "T;SQRT(-T);-9;9", ParametricCurve, 1, true},
    // Jumps below a pixel, so the noise is not refined to the bound of samples.
    {"RandomStaysInSampleOrder", "RAND(9)/1000;T;-9;9", ParametricCurve, 1, false},
};

INSTANTIATE_TEST_SUITE_P(Curves, CurveThreadsTest, ::testing::ValuesIn(kThreadCases),
                         test::CaseName());

struct RefusalCase {
  const char* name;
  const char* text;
  std::uint8_t kind;
  const char* status;  // "" for a kind that builds nothing
};

class CurveRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CurveRefusalTest, DrawsNothing) {
  const RefusalCase& c = GetParam();
  CurveView v;
  v.Build(c.text, c.kind);
  EXPECT_TRUE(v.Drawn().empty());
  if (*c.status != '\0') {
    EXPECT_EQ(v.status.Text(), c.status);
  }
}

const RefusalCase kRefusals[] = {
    {"ParametricWithThreeParts", "T;T;0", ParametricCurve, "Очікується вираз виду X ; Y ; T0 ; T1"},
    {"PolarWithFourParts", "T;T;0;1", PolarCurve, "Очікується вираз виду R ; T0 ; T1"},
    {"WrongCoordinate", "T;(T;0;1", ParametricCurve, "Непарні круглі скобки"},
    {"BoundWithoutValue", "T;T;0;LN(0)", ParametricCurve, "Помилка\xC2\xA0 log"},
    {"KindFiveBuildsNothing", "T;T;0;1", 5, ""},
};

INSTANTIATE_TEST_SUITE_P(Curves, CurveRefusalTest, ::testing::ValuesIn(kRefusals),
                         test::CaseName());

TEST(CurveBuild, XorTwiceRestoresThePicture) {
  CurveView v;
  v.doc.Params.XorDrawing = true;
  v.picture.Fill(kWhite);
  const auto before = v.Snapshot();
  v.doc.Graphs2D.Append("T/2;0;6*P", PlotP{kRed, PolarCurve, 1, Equal});
  ASSERT_TRUE(PrepareView2D(v.ctx));
  BuildEntry2D(v.ctx, 0);
  EXPECT_NE(v.Snapshot(), before);
  BuildEntry2D(v.ctx, 0);
  EXPECT_EQ(v.Snapshot(), before);
}

TEST(CurveBuild, StoppedBuildDrawsNothingAndReportsNothing) {
  for (const std::uint8_t interpolated : {0, 1}) {
    for (const int threads : {1, 2}) {
      CurveView v;
      v.doc.Graphs2D.Append("5*COS(T);5*SIN(T);0;2*P", PlotP{kRed, ParametricCurve, interpolated});
      ASSERT_TRUE(BeginBuild2D(v.ctx));
      const auto before = v.Snapshot();
      v.status.SetStatus("");
      WorkControl control(threads);
      control.RequestStop();
      v.ctx.work = &control;
      BuildEntry2D(v.ctx, 0);
      EXPECT_EQ(v.Snapshot(), before);
      EXPECT_EQ(v.status.Text(), "");
    }
  }
}

// The sampler on its own: a plain evaluator of x = T, y = k * T.
CurveEvaluator Line(double slope) {
  return [slope](std::span<CurveSample> samples, int) {
    for (CurveSample& s : samples) {
      s.x = s.t;
      s.y = slope * s.t;
      s.valid = true;
    }
  };
}

const CurveFrame kUnitFrame{1, 1, 0, 0, -1e9, -1e9, 1e9, 1e9};

TEST(CurveSampling, SuccessiveSamplesAtMostAPixelApart) {
  const auto samples = SampleCurve(0, 5000, kUnitFrame, nullptr, 1, Line(0.5));
  ASSERT_GT(samples.size(), 5000u);
  EXPECT_EQ(samples.front().t, 0);
  EXPECT_EQ(samples.back().t, 5000);
  for (std::size_t i = 1; i < samples.size(); ++i) {
    EXPECT_LE(std::fabs(samples[i].x - samples[i - 1].x), 1.0) << i;
    EXPECT_GT(samples[i].t, samples[i - 1].t) << i;
  }
}

TEST(CurveSampling, NoMoreThanTheBoundPerCurve) {
  const auto samples = SampleCurve(0, 1e9, kUnitFrame, nullptr, 1, Line(1), 4096);
  EXPECT_LE(samples.size(), 4096u);
  EXPECT_GT(samples.size(), 2048u);
  EXPECT_LE(SampleCurve(0, 1e12, kUnitFrame, nullptr, 1, Line(1)).size(), MaxCurveSamples);
}

TEST(CurveSampling, BeyondOneEdgeOfTheViewStaysCoarse) {
  const CurveFrame small{1, 1, 0, 0, 0, 0, 10, 10};
  // x runs far to the right of the view: only the part inside is refined.
  const auto samples = SampleCurve(0, 1e6, small, nullptr, 1, Line(0));
  EXPECT_LT(samples.size(), 2 * InitialCurveSteps);
}

TEST(CurveSampling, DotsAreAFixedCount) {
  EXPECT_EQ(SampleEvenly(0, 1, CurveDotSteps, nullptr, 1, Line(1)).size(), 2001u);
  EXPECT_EQ(SampleEvenly(3, 3, CurveDotSteps, nullptr, 1, Line(1)).size(), 1u);
}

}  // namespace
}  // namespace lw
