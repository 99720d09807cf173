// Surfaces sampled on several threads have the same points, in the same order, and
// the same status as on one; a stopped build stages no unfinished object.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "CaseNames.h"
#include "document/Document.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/Scene3DCommands.h"

namespace lw {
namespace {

struct SurfaceCase {
  const char* name;
  const char* formula;
  std::uint32_t form;
  const char* step;
};

using PointRow = std::tuple<float, float, float>;

struct Outcome {
  std::vector<std::vector<PointRow>> objects;
  std::string status;
  int progress = 0;
};

class ParallelSurfaceTest : public ::testing::TestWithParam<SurfaceCase> {
 protected:
  // pointByPoint makes the engine evaluate by the grammar, one point per call.
  Outcome Build(int threads, bool pointByPoint = false) {
    const SurfaceCase& c = GetParam();
    HeadlessScene3D space;
    space.surfaceParser.UseFlatProgram(!pointByPoint);
    for (const ParamField f : {ParamField::StepX, ParamField::StepY, ParamField::StepZ})
      space.document.Params.Field(f) = c.step;
    space.document.Graphs3D.Append(c.formula, PlotP3d{0x00FF00, c.form});
    space.document.Graphs3D.Append("X-Y", PlotP3d{0x0000FF, 0});
    const WorkControl control(threads);
    Build3DContext context = space.Context();
    context.work = threads > 0 ? &control : nullptr;
    EXPECT_TRUE(BuildAll3D(context));
    Outcome out;
    for (const auto& object : space.block->objects) {
      std::vector<PointRow> points;
      for (std::size_t i = 0; i < object->points.size(); ++i) {
        const G3dPoint& p = object->points[i];
        points.emplace_back(p.x, p.y, p.z);
      }
      out.objects.push_back(std::move(points));
    }
    out.status = space.status.Text();
    out.progress = space.progress.Position();
    return out;
  }
};

TEST_P(ParallelSurfaceTest, SamePointsOnEveryThreadCount) {
  const Outcome serial = Build(0);
  for (const int threads : {1, 2, 5}) {
    const Outcome parallel = Build(threads);
    EXPECT_EQ(parallel.objects, serial.objects) << threads << " threads";
    EXPECT_EQ(parallel.status, serial.status) << threads << " threads";
    EXPECT_EQ(parallel.progress, serial.progress) << threads << " threads";
  }
}

// Rows are evaluated a block of points per call of the engine.
TEST_P(ParallelSurfaceTest, SamePointsAsPointByPoint) {
  const Outcome reference = Build(0, true);
  for (const int threads : {0, 2}) {
    const Outcome batch = Build(threads);
    EXPECT_EQ(batch.objects, reference.objects) << threads << " threads";
    EXPECT_EQ(batch.status, reference.status) << threads << " threads";
  }
}

const SurfaceCase kSurfaceCases[] = {
    {"ZOfXY", "SIN(X)*COS(Y)", 0, "0.1"},
    {"YOfXZ", "X*Z/7", 1, "0.3"},
    {"XOfYZ", "Y*Y-Z", 2, "0.25"},
    {"PointsWithoutValue", "SQRT(X*Y)", 0, "0.2"},
    {"RandomStaysInSampleOrder", "RAND(5)", 0, "0.5"},
    {"WrongFormula", "X*(Y", 0, "0.4"},
    // Rows of 301 points: more than one block each.
    {"PoleAcrossLongRows", "1/(X-Y)", 0, "0.04"},
    {"LogarithmDomainAcrossLongRows", "LN(X*Z)", 1, "0.04"},
    {"HeldOuterDivisor", "Z/Y", 2, "0.04"},
    {"ParametricSphere", "3*COS(U)*SIN(V);3*SIN(U)*SIN(V);3*COS(V);0;2*P;0;P", 3, "0.1"},
    {"ParametricWithoutValues", "SQRT(U-V);U;V;-3;3;-3;3", 3, "0.05"},
    {"ParametricPoleAcrossLongRows", "U;V;1/(U-V);-6;6;-6;6", 3, "0.04"},
    {"ParametricRandomStaysInSampleOrder", "RAND(5);U;V;0;4;0;4", 3, "0.5"},
    {"ParametricWrongPartCount", "U;V;1", 3, "0.4"},
};

INSTANTIATE_TEST_SUITE_P(Surfaces, ParallelSurfaceTest, ::testing::ValuesIn(kSurfaceCases),
                         lw::test::CaseName());

TEST(StoppedSurfaceTest, StoppedBuildStagesNoUnfinishedObject) {
  for (const int threads : {1, 2}) {
    HeadlessScene3D space;
    space.document.Graphs3D.Append("X*Y", PlotP3d{0x00FF00, 0});
    Build3DContext context = space.Context();
    ASSERT_TRUE(PrepareBuild3D(context, AllGraphs3D(1)));
    WorkControl control(threads);
    control.RequestStop();
    context.work = &control;
    BuildGraphs3D(context, {0}, true);
    EXPECT_TRUE(space.block->objects.empty()) << threads << " threads";
    EXPECT_NE(space.status.Text(), "Окей");
  }
}

}  // namespace
}  // namespace lw
