#include "analysis/Scan3D.h"

#include <gtest/gtest.h>

#include "ScanRowPrinting.h"
#include "formula/FormulaParser.h"

namespace lw {
namespace {

PlotList3D Graphs(std::initializer_list<std::pair<const char*, std::uint32_t>> entries) {
  PlotList3D list;
  for (const auto& [text, form] : entries) list.Append(text, PlotP3d{0, form});
  return list;
}

class Scan3DTest : public testing::Test {
 protected:
  Scan3DResult Refresh(const PlotList3D& graphs, const Coordinates3D& point) {
    return Refresh3DScan(graphs, parameters_, validated_, parser_, point, rows_, '.');
  }

  BuildParameters parameters_;
  Params3D validated_;
  FormulaParser parser_;
  std::vector<ScanRow> rows_;
};

TEST_F(Scan3DTest, NoGraphsLeaveOnlyTheHeader) {
  rows_ = {{"old", "1"}};
  EXPECT_TRUE(Refresh(PlotList3D{}, {"0.0", "0.0", "0.0"}).ok);
  EXPECT_TRUE(rows_.empty());
}

TEST_F(Scan3DTest, ValuesAtTheDefaultPointWithoutNormalisation) {
  Refresh(Graphs({{"SIN(X)*COS(Y)", 0}, {"LN(X)", 0}, {"sin(x)", 0}, {"(X", 1}, {"X+1 ", 0}}),
          {"0.0", "0.0", "0.0"});
  const std::vector<ScanRow> expected = {
      {"SIN(X)*COS(Y)", "0"},          {"LN(X)", "не існує"}, {"sin(x)", "Синтаксична помилка"},
      {"(X", "Непарні круглі скобки"}, {"X+1 ", "1"},
  };
  EXPECT_EQ(rows_, expected);
}

TEST_F(Scan3DTest, AParametricSurfaceHasNoValueAndIsNotShifted) {
  const PlotList3D graphs = Graphs(
      {{"3*COS(U)*SIN(V);3*SIN(U)*SIN(V);3*COS(V);0;2*P;0;P", ParametricSurface}, {"X+1", 0}});
  Refresh(graphs, {"1", "0", "0"});
  const std::vector<ScanRow> expected = {
      {"3*COS(U)*SIN(V);3*SIN(U)*SIN(V);3*COS(V);0;2*P;0;P", "не існує"}, {"X+1", "2"}};
  EXPECT_EQ(rows_, expected);
  FunctionThroughPoint3D(graphs, parameters_, validated_, parser_, {"1", "0", "0"}, 0, rows_, '.');
  EXPECT_EQ(rows_, expected);
}

TEST_F(Scan3DTest, CoordinatesTakeEitherSeparatorAndTheChosenLetters) {
  validated_.VarX3D = 'U';
  validated_.VarY3D = 'V';
  validated_.VarZ3D = 'W';
  EXPECT_TRUE(Refresh(Graphs({{"U*100+V*10+W", 0}}), {"1,5", "1.5", " 2 "}).ok);
  EXPECT_EQ(rows_[0].value, "167");
}

TEST_F(Scan3DTest, EmptyFieldsKeepTheConstantsLineValues) {
  parameters_.Constants3D = {"x=4", "k=2*p"};
  Refresh(Graphs({{"X+K", 0}, {"Y", 0}}), {"", "", "1"});
  EXPECT_EQ(rows_[0].value, "10.2831853071796");
  EXPECT_EQ(rows_[1].value, "0");
}

TEST_F(Scan3DTest, AnUnreadableCoordinateChangesNothing) {
  const PlotList3D graphs = Graphs({{"X+Y+Z", 0}});
  Refresh(graphs, {"1", "2", "3"});
  const std::vector<ScanRow> before = rows_;
  parameters_.Field(ParamField::VarZ3D) = "Z";
  parser_.SetVariable("Q", 42.0);
  const Scan3DResult result = Refresh(graphs, {"5", "6", "abc"});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.badField, 2);
  EXPECT_EQ(result.message, "Помилка вводу координати Z : abc");
  EXPECT_EQ(rows_, before);
  EXPECT_EQ(parser_.Variable('X'), 1.0);   // not half set to the new point
  EXPECT_EQ(parser_.Variable('Q'), 42.0);  // not cleared either
}

struct ThroughCase {
  const char* expression;
  std::uint32_t form;
  Coordinates3D point;
  ScanRow after;
};

TEST_F(Scan3DTest, FunctionThroughPointAlongTheDependentAxis) {
  const ThroughCase cases[] = {
      {"X+Y", 0, {"1", "2", "5"}, {"X+Y+2", "5"}},
      {"X+Z", 1, {"1", "7", "2"}, {"X+Z+4", "7"}},
      {"Y*Z-1", 2, {"0,5", "2", "3"}, {"Y*Z-5.5", "0.5"}},
      {"X+Y", 7, {"1", "2", "3"}, {"X+Y", "3"}},  // unknown form: z, already through
      {"X+Y+1", 0, {"1", "2", "5"}, {"X+Y+2", "5"}},
      {"LN(X)", 0, {"0", "0", "1"}, {"LN(X)", "не існує"}},
      {"X+Y", 0, {"1", "2", ""}, {"X+Y-3", "0"}},  // an empty field: its variable, 0
  };
  for (const ThroughCase& c : cases) {
    const PlotList3D graphs = Graphs({{"Z", 0}, {c.expression, c.form}});
    EXPECT_TRUE(
        FunctionThroughPoint3D(graphs, parameters_, validated_, parser_, c.point, 1, rows_, '.')
            .ok);
    ASSERT_EQ(rows_.size(), 2u);
    EXPECT_EQ(rows_[1], c.after) << c.expression;
  }
}

TEST_F(Scan3DTest, TheShiftedSurfacePassesThroughThePoint) {
  const PlotList3D graphs = Graphs({{"X*X-Y/3+0.25", 0}});
  const Coordinates3D point{"1.5", "-2", "0.1"};
  FunctionThroughPoint3D(graphs, parameters_, validated_, parser_, point, 0, rows_, '.');
  EXPECT_NEAR(parser_.Evaluate(rows_[0].expression), 0.1, 1e-12) << rows_[0].expression;
}

TEST_F(Scan3DTest, SaveWritesTheExpressionsBack) {
  PlotList3D graphs = Graphs({{"X+Y", 0}, {"Z", 2}});
  Save3DScanExpressions({{"X+Y+2", "5"}, {"Z-1", "0"}}, graphs);
  EXPECT_EQ(graphs.Text(0), "X+Y+2");
  EXPECT_EQ(graphs.Text(1), "Z-1");
  EXPECT_EQ(graphs.At(1).Form, 2u);
}

}  // namespace
}  // namespace lw
