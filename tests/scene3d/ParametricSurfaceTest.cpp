// Surfaces given by a point of two parameters: the samples of each parameter, the
// sphere closing on itself, and the texts the builder refuses.
#include "scene3d/ParametricSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "CaseNames.h"
#include "document/Document.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/Scene3DCommands.h"

namespace lw {
namespace {

struct SamplesCase {
  const char* name;
  double start, end, step;
  std::size_t limit;
  std::optional<std::size_t> count;
};

class ParameterSamplesTest : public ::testing::TestWithParam<SamplesCase> {};

TEST_P(ParameterSamplesTest, EqualStepsWithBothEnds) {
  const SamplesCase& c = GetParam();
  const auto samples = ParameterSamples(c.start, c.end, c.step, c.limit);
  ASSERT_EQ(samples.has_value(), c.count.has_value());
  if (!samples) return;
  ASSERT_EQ(samples->size(), *c.count);
  EXPECT_EQ(samples->front(), c.start);
  EXPECT_EQ(samples->back(), c.end);  // exactly: a closed figure closes
  for (std::size_t i = 1; i < samples->size(); ++i) {
    EXPECT_LE(std::fabs((*samples)[i] - (*samples)[i - 1]), c.step * (1 + 1e-12));
  }
}

const SamplesCase kSamplesCases[] = {
    {"FullTurnInStepsBelowTheStep", 0, 2 * Pi, 0.4, MaxGridPoints, 17},
    {"HalfTurn", 0, Pi, 0.4, MaxGridPoints, 9},
    {"StepDividesTheIntervalExactly", 0, 2, 0.5, MaxGridPoints, 5},
    {"DescendingInterval", 3, -3, 1, MaxGridPoints, 7},
    {"EqualEndsGiveOneSample", 1.5, 1.5, 0.4, MaxGridPoints, 1},
    {"ZeroStepRefused", 0, 1, 0, MaxGridPoints, std::nullopt},
    {"NegativeStepRefused", 0, 1, -0.1, MaxGridPoints, std::nullopt},
    {"TooManySamplesRefused", 0, 100, 1, 50, std::nullopt},
    {"InfiniteEndRefused", 0, INFINITY, 1, MaxGridPoints, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Parameters, ParameterSamplesTest, ::testing::ValuesIn(kSamplesCases),
                         test::CaseName());

// One parametric graph built alone, with the given U and V steps.
struct SurfaceSpace {
  explicit SurfaceSpace(const std::string& text, const char* step = "0.4") {
    space.document.Params.Field(ParamField::StepX) = step;
    space.document.Params.Field(ParamField::StepY) = step;
    space.document.Graphs3D.Append(text, PlotP3d{0x123456, ParametricSurface});
    Build3DContext context = space.Context();
    EXPECT_TRUE(BuildAll3D(context));
  }
  const G3dObject& Graph() const { return *space.block->objects.at(1); }
  HeadlessScene3D space;
};

constexpr const char* kSphere = "3*COS(U)*SIN(V);3*SIN(U)*SIN(V);3*COS(V);0;2*P;0;P";

TEST(ParametricSurfaceTest, SphereLiesOnItsRadiusAndSpansIt) {
  SurfaceSpace built(kSphere);
  const G3dObject& sphere = built.Graph();
  ASSERT_EQ(sphere.points.size(), 17u * 9u);  // U in 16 steps, V in 8
  EXPECT_EQ(sphere.triangles.size(), 2u * 16u * 8u);
  std::array<float, 3> low{}, high{};
  for (std::size_t i = 0; i < sphere.points.size(); ++i) {
    const G3dPoint& p = sphere.points[i];
    EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 3.0, 0.01) << i;
    const std::array<float, 3> c{p.x, p.y, p.z};
    for (std::size_t k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], c[k]);
      high[k] = std::max(high[k], c[k]);
    }
  }
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_NEAR(low[k], -3.0f, 0.01f) << k;
    EXPECT_NEAR(high[k], 3.0f, 0.01f) << k;
  }
  EXPECT_EQ(sphere.r, 0x56);
  EXPECT_EQ(sphere.b, 0x12);
  EXPECT_EQ(built.space.status.Text(), "Окей");
}

TEST(ParametricSurfaceTest, RowsRunAlongUAndFollowOneAnotherInV) {
  SurfaceSpace built("U;V;U*V;0;2;10;11", "1");
  const G3dObject& grid = built.Graph();
  ASSERT_EQ(grid.points.size(), 6u);  // rows V = 10, 11 of U = 0, 1, 2
  const G3dPoint& p = grid.points[4];
  EXPECT_EQ((std::array<float, 3>{p.x, p.y, p.z}), (std::array<float, 3>{1, 11, 11}));
}

TEST(ParametricSurfaceTest, NoValueLeavesThatCoordinateOnItsPlane) {
  SurfaceSpace built("SQRT(U);5;LN(V);-1;0;1;1", "1");
  const G3dObject& grid = built.Graph();
  ASSERT_EQ(grid.points.size(), 2u);
  EXPECT_EQ(grid.points[0].x, 0.0f);  // no root of -1
  EXPECT_EQ(grid.points[0].y, 5.0f);
  EXPECT_EQ(built.space.status.Text(), "Окей");  // the last point has its values
}

struct RefusalCase {
  const char* name;
  const char* text;
  const char* status;
};

class ParametricRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ParametricRefusalTest, LeavesTheObjectEmptyWithAMessage) {
  SurfaceSpace built(GetParam().text);
  EXPECT_EQ(built.Graph().points.size(), 0u);
  EXPECT_EQ(built.space.status.Text(), GetParam().status);
}

const RefusalCase kRefusalCases[] = {
    {"TooFewParts", "U;V;1;0;1;0", "Очікується вираз виду X ; Y ; Z ; U0 ; U1 ; V0 ; V1"},
    {"TooManyParts", "U;V;1;0;1;0;1;2", "Очікується вираз виду X ; Y ; Z ; U0 ; U1 ; V0 ; V1"},
    {"EmptyPart", "U;;1;0;1;0;1", "Очікується вираз виду X ; Y ; Z ; U0 ; U1 ; V0 ; V1"},
    {"WrongCoordinateFormula", "U;V*(2;1;0;1;0;1", "Непарні круглі скобки"},
    {"BoundWithoutValue", "U;V;1;0;1/0;0;1", "Ділення на нуль"},
    {"BoundWrongInItself", "U;V;1;0;1;0;(2", "Непарні круглі скобки"},
    {"TooDenseAlongU", "U;V;1;0;1E9;0;1", "Помилка вводу кроку вісі Х"},
    {"TooDenseAlongV", "U;V;1;0;1;0;1E9", "Помилка вводу кроку вісі Y"},
};

INSTANTIATE_TEST_SUITE_P(Texts, ParametricRefusalTest, ::testing::ValuesIn(kRefusalCases),
                         test::CaseName());

}  // namespace
}  // namespace lw
