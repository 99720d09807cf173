#include "scene3d/SurfaceBuilder.h"

#include <gtest/gtest.h>

#include "CaseNames.h"
#include "ModelChecks.h"
#include "document/Document.h"
#include "document/Feedback.h"
#include "document/Palette.h"
#include "formula/FormulaParser.h"
#include "scene3d/Scene3DCommands.h"

namespace lw {
namespace {

struct AxisCase {
  float start, end, step;
  std::size_t limit;
  std::optional<std::size_t> samples;
};

TEST(AxisSamples, SinglePrecisionRunningSums) {
  const AxisCase cases[] = {
      {-6, 6, 0.4f, MaxGridPoints, 30},  // the sum passes 6 by rounding before the 31st
      {0, 1, 0.1f, MaxGridPoints, 10},
      {-20, 20, 0.4f, MaxGridPoints, 101},
      {5, 5, 1, MaxGridPoints, 1},
      {0, 49, 1, 50, 50},
      {0, 50, 1, 50, std::nullopt},                  // more than the limit
      {1e8f, 2e8f, 1, MaxGridPoints, std::nullopt},  // the sum never moves
  };
  for (const auto& c : cases) {
    const auto samples = AxisSamples(c.start, c.end, c.step, c.limit);
    ASSERT_EQ(samples.has_value(), c.samples.has_value()) << c.start << ".." << c.end;
    if (samples) {
      EXPECT_EQ(samples->size(), *c.samples) << c.start << ".." << c.end;
    }
  }
}

class Build3D : public ::testing::Test {
 protected:
  Build3D() {
    auto block = std::make_unique<G3dBlock>();
    current = block.get();
    scene.blocks.push_back(std::move(block));
    params.StepX = params.StepY = params.StepZ = 1;
    params.XEnd3D = 1;
    params.YEnd3D = 2;
    params.ZEnd3D = 3;
    parser.SetConstants();
  }

  Build3DContext Context() {
    return {document, params, scene, *current, parser, palette, status, progress, view};
  }

  void AddGraph(std::string text, std::uint32_t form = ZOfXY, Colour colour = 0x0A0B0C) {
    document.Graphs3D.Append(std::move(text), PlotP3d{colour, form});
  }

  // Builds graph `index` into a fresh object and returns it.
  G3dObject& Build(std::size_t index) {
    auto context = Context();
    AppendObject(*current, "target");
    BuildSurface(context, index, document.Graphs3D.At(index), current->objects.size() - 1);
    return *current->objects.back();
  }

  std::array<float, 3> Point(const G3dObject& object, std::size_t i) {
    return {object.points[i].x, object.points[i].y, object.points[i].z};
  }

  Document document;
  Params3D params;
  G3dScene scene;
  G3dBlock* current;
  FormulaParser parser;
  Palette palette;
  RecordingStatus status;
  SilentProgress progress;
  RecordingScene3DView view;
};

TEST_F(Build3D, EachFormPutsFOnItsOwnAxis) {
  struct Case {
    std::uint32_t form;
    std::size_t points, triangles, probe;
    std::array<float, 3> probed;
  };
  // X 0..1 (2 samples), Y 0..2 (3), Z 0..3 (4); F = X + 10Y + 100Z with the
  // computed axis's variable at 0.
  const Case cases[] = {
      {ZOfXY, 6, 4, 3, {1, 1, 11}},     // outer Y, inner X: point 3 = row 1, column 1
      {YOfXZ, 8, 6, 5, {1, 101, 1}},    // outer X, inner Z
      {XOfYZ, 12, 12, 4, {110, 1, 1}},  // outer Z, inner Y
      {0x0300, 6, 4, 3, {1, 1, 11}},    // only the low byte of the form counts
  };
  for (const auto& c : cases) {
    document.Graphs3D.Clear();
    AddGraph("X+10*Y+100*Z", c.form);
    const G3dObject& object = Build(0);
    EXPECT_EQ(object.points.size(), c.points) << c.form;
    EXPECT_EQ(object.triangles.size(), c.triangles) << c.form;
    EXPECT_EQ(Point(object, c.probe), c.probed) << c.form;
  }
}

TEST_F(Build3D, PointNumberingTriangleOrderColoursAndNormals) {
  AddGraph("0");
  const G3dObject& object = Build(0);
  ASSERT_EQ(object.points.size(), 6u);  // rows y = 0, 1, 2 of x = 0, 1
  EXPECT_EQ(Point(object, 4), (std::array<float, 3>{0, 2, 0}));
  const std::vector<std::array<std::int32_t, 3>> expected{
      {0, 2, 3}, {0, 3, 1}, {2, 4, 5}, {2, 5, 3}};
  ASSERT_EQ(object.triangles.size(), expected.size());
  for (std::size_t t = 0; t < expected.size(); ++t) {
    const auto c = object.triangles[t].corners;
    EXPECT_EQ((std::array<std::int32_t, 3>{c[0].point, c[1].point, c[2].point}), expected[t]);
    EXPECT_EQ(c[2].r, 0x0C);
    EXPECT_EQ(c[2].g, 0x0B);
    EXPECT_EQ(c[2].b, 0x0A);
    EXPECT_FLOAT_EQ(c[1].normal[2], -1.0f);
  }
  EXPECT_EQ(Vertices(object, 3).size(), 3u);  // (0,3,1) (2,5,3) and (0,2,3)
  ExpectConsistent(object);
  EXPECT_EQ(status.Text(), "Окей");
  EXPECT_EQ(progress.Position(), 3 + 2);  // rows of points, then rows of cells
}

TEST_F(Build3D, ZeroWidthIntervalGivesPointsButNoCells) {
  params.XEnd3D = 0;
  AddGraph("Y");
  const G3dObject& object = Build(0);
  EXPECT_EQ(object.points.size(), 3u);
  EXPECT_TRUE(object.triangles.empty());
  EXPECT_EQ(status.Text(), "Окей");
}

TEST_F(Build3D, NoValueMeansZero) {
  params.XStart3D = -1;
  AddGraph("SQRT(X)+1");
  const G3dObject& object = Build(0);
  EXPECT_FLOAT_EQ(object.points[0].z, 0.0f);  // x = -1
  EXPECT_FLOAT_EQ(object.points[1].z, 1.0f);  // x = 0
  EXPECT_FLOAT_EQ(object.points[2].z, 2.0f);  // x = 1
}

TEST_F(Build3D, WrongFormulaOrGridLeavesTheObjectAlone) {
  AddGraph("(X+1");
  AddGraph("X");
  auto context = Context();
  G3dObject& object = AppendObject(*current, "target");
  AppendPoint(object, 9, 9, 9);
  BuildSurface(context, 0, document.Graphs3D.At(0), 0);
  EXPECT_EQ(object.points.size(), 1u);
  parser.Evaluate("(X+1");
  EXPECT_EQ(status.Text(), FormulaErrorMessages[parser.ErrorCode()]);

  params.XStart3D = 1e8f;
  params.XEnd3D = 2e8f;
  BuildSurface(context, 1, document.Graphs3D.At(1), 0);
  EXPECT_EQ(object.points.size(), 1u);
  EXPECT_EQ(status.Text(), "Помилка вводу кроку вісі Х");
  params.XEnd3D = 1e8f;
  params.ZStart3D = -1e6f;
  params.ZEnd3D = 1e6f;
  document.Graphs3D.Replace(1, "X", PlotP3d{0, XOfYZ});
  BuildSurface(context, 1, document.Graphs3D.At(1), 0);
  EXPECT_EQ(status.Text(), "Помилка вводу кроку вісі Z");
}

// Each form samples one axis in the outer loop (Y for Z = F(X,Y), X for Y = F(X,Z),
// Z for X = F(Y,Z)); a step that cannot advance along it is refused like one on the
// inner axis.
struct OuterAxisCase {
  const char* name;
  std::uint32_t form;
  float Params3D::*start;
  float Params3D::*end;
  const char* message;
};

void PrintTo(const OuterAxisCase& c, std::ostream* out) {
  *out << c.name;
}

class OuterAxis : public Build3D, public ::testing::WithParamInterface<OuterAxisCase> {};

TEST_P(OuterAxis, AStepThatCannotAdvanceLeavesTheObjectAlone) {
  params.ZStart3D = 0;  // every axis has a few samples
  params.ZEnd3D = 2;
  params.*GetParam().start = 1e8f;
  params.*GetParam().end = 2e8f;
  AddGraph("1", GetParam().form);
  auto context = Context();
  G3dObject& object = AppendObject(*current, "target");
  AppendPoint(object, 9, 9, 9);
  BuildSurface(context, 0, document.Graphs3D.At(0), 0);
  EXPECT_EQ(object.points.size(), 1u);
  EXPECT_TRUE(object.triangles.empty());
  EXPECT_EQ(status.Text(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, OuterAxis,
    ::testing::Values(OuterAxisCase{"ZOfXY", ZOfXY, &Params3D::YStart3D, &Params3D::YEnd3D,
                                    "Помилка вводу кроку вісі Y"},
                      OuterAxisCase{"YOfXZ", YOfXZ, &Params3D::XStart3D, &Params3D::XEnd3D,
                                    "Помилка вводу кроку вісі Х"},
                      OuterAxisCase{"XOfYZ", XOfYZ, &Params3D::ZStart3D, &Params3D::ZEnd3D,
                                    "Помилка вводу кроку вісі Z"}),
    test::CaseName());

TEST_F(Build3D, AxesObjectFollowsTheAppearanceOptions) {
  struct Case {
    bool axes, letters;
    std::size_t triangles;
    bool visible;
  };
  const Case cases[] = {{false, false, 0, false},
                        {true, false, 9, true},
                        {false, true, 11, true},
                        {true, true, 20, true}};
  for (const auto& c : cases) {
    document.Appearance.Axes3D = c.axes;
    document.Appearance.AxisLetters3D = c.letters;
    current->objects.clear();
    G3dObject& axes = AppendObject(*current, "axes");
    AppendPoint(axes, 1, 1, 1);
    auto context = Context();
    BuildAxes(context);
    EXPECT_EQ(axes.triangles.size(), c.triangles);
    EXPECT_EQ(axes.visible, c.visible);
    if (c.triangles == 0) {
      EXPECT_TRUE(axes.points.empty());
      continue;
    }
    EXPECT_EQ(axes.g, 0xFF);  // the main 3D colour, lime green by default
    EXPECT_EQ(axes.r, 0);
    const auto first = axes.triangles[0].corners;
    EXPECT_EQ(first[0].point, first[1].point);  // a stroke: two corners on one point
    EXPECT_FLOAT_EQ(first[0].normal[0], 0.0f);  // no normals for the axes
  }
  // Axes only: X stroke from XS to XE, its arrow at XE - 0.5.
  document.Appearance.AxisLetters3D = false;
  auto context = Context();
  BuildAxes(context);
  const G3dObject& axes = *current->objects[0];
  EXPECT_EQ(Point(axes, static_cast<std::size_t>(axes.triangles[0].corners[2].point)),
            (std::array<float, 3>{1, 0, 0}));
  EXPECT_EQ(Point(axes, static_cast<std::size_t>(axes.triangles[1].corners[1].point)),
            (std::array<float, 3>{0.5f, -0.2f, 0}));
}

}  // namespace
}  // namespace lw
