#include "analysis/ScanValues.h"

#include <gtest/gtest.h>

#include "ScanRowPrinting.h"
#include "analysis/ScanText.h"
#include "formula/FormulaParser.h"

namespace lw {
namespace {

std::string ValueCellTextFor(FormulaParser& parser, const std::string& formula) {
  const double v = parser.Evaluate(formula);
  return ValueCellText(parser, v, '.');
}

PlotList2D Graphs(std::initializer_list<const char*> texts) {
  PlotList2D list;
  for (const char* t : texts) list.Append(t, PlotP{});
  return list;
}

TEST(ScanValuesTest, NoGraphsLeavesOnlyTheHeaderAndShowsThePoint) {
  FormulaParser parser;
  const BuildParameters parameters;
  const ScanValuesPanel panel =
      ComputeScanValues(PlotList2D{}, parameters, Params2D{}, parser, {0.0, 0.0}, '.');
  EXPECT_TRUE(panel.rows.empty());
  EXPECT_EQ(panel.varXText, "X");
  EXPECT_EQ(panel.varYText, "Y");
  EXPECT_EQ(panel.xText, "0");
  EXPECT_EQ(panel.yText, "0");
}

TEST(ScanValuesTest, EachRowShowsTheNormalisedFormulaAndItsValue) {
  FormulaParser parser;
  BuildParameters parameters;
  parameters.Constants2D = {"a=3", "", "k=2*p"};
  const PlotList2D graphs = Graphs({"sqrt(x)", "(X+1", "x*y+a ,", "k", "1/(X-1)", "2 3", "sin(x)"});
  const ScanValuesPanel panel =
      ComputeScanValues(graphs, parameters, Params2D{}, parser, {-1.0, 0.5}, ',');
  const std::vector<ScanRow> expected = {
      {"SQRT(X)", "не існує"},
      {"(X+1", "Непарні круглі скобки"},
      {"X*Y+A", "2,5"},
      {"K", "6,28318530717959"},
      {"1/(X-1)", "-0,5"},
      {"2 3", "Синтаксична помилка"},
      {"SIN(X)", "-0,841470984807897"},
  };
  EXPECT_EQ(panel.rows, expected);
  EXPECT_EQ(panel.xText, "-1");
  EXPECT_EQ(panel.yText, "0,5");
}

// A curve of T has no value at a point of the plane: its row says so instead of
// reporting its ';' as a syntax error.
TEST(ScanValuesTest, CurvesOfAParameterHaveNoValueAtAPoint) {
  FormulaParser parser;
  PlotList2D graphs;
  graphs.Append("5*cos(t);5*sin(t);0;2*p", PlotP{0, ParametricCurve, 1, Equal});
  graphs.Append("6+2*cos(3*t);0;2*p", PlotP{0, PolarCurve, 0, Equal});
  graphs.Append("x+1", PlotP{0, Function, 1, Equal});
  // An unknown kind is scanned as a formula, which the engine reads up to the ';'.
  graphs.Append("x;y", PlotP{0, 5, 1, Equal});
  const ScanValuesPanel panel =
      ComputeScanValues(graphs, BuildParameters{}, Params2D{}, parser, {5.0, 0.0}, '.');
  const std::vector<ScanRow> expected = {
      {"5*COS(T);5*SIN(T);0;2*P", "не існує"},
      {"6+2*COS(3*T);0;2*P", "не існує"},
      {"X+1", "6"},
      {"X;Y", "5"},
  };
  EXPECT_EQ(panel.rows, expected);
  ScanRow row = panel.rows[0];
  EXPECT_FALSE(RelationThroughPoint(row));
  EXPECT_FALSE(FunctionThroughPoint(row, "0"));
  EXPECT_EQ(row, panel.rows[0]);
}

TEST(ScanValuesTest, UsesTheValidatedVariableLetters) {
  FormulaParser parser;
  BuildParameters parameters;
  parameters.Field(ParamField::VarX) = "time";
  parameters.Field(ParamField::VarY) = "v";
  Params2D validated;
  validated.VarX = 'T';
  validated.VarY = 'V';
  const ScanValuesPanel panel =
      ComputeScanValues(Graphs({"T*10+V"}), parameters, validated, parser, {2.0, 3.0}, '.');
  ASSERT_EQ(panel.rows.size(), 1u);
  EXPECT_EQ(panel.rows[0].value, "23");
  EXPECT_EQ(panel.varXText, "time");
}

TEST(ScanValuesTest, ConstantsAreBoundAfreshEachTime) {
  FormulaParser parser;
  parser.SetVariable("A", 100.0);
  const ScanValuesPanel panel =
      ComputeScanValues(Graphs({"A+P"}), BuildParameters{}, Params2D{}, parser, {0, 0}, '.');
  EXPECT_EQ(panel.rows[0].value, "3.14159265358979");
}

struct RelationCase {
  ScanRow before;
  ScanRow after;
  bool changed;
};

TEST(RelationThroughPointTest, Table) {
  const RelationCase cases[] = {
      {{"X^2+Y^2-4", "1"}, {"X^2+Y^2-5", "0"}, true},
      {{"X^2+Y^2+3", "8"}, {"X^2+Y^2-5", "0"}, true},
      {{"X^2+Y^2", "-2"}, {"X^2+Y^2+2", "0"}, true},
      {{"X+1", "1,5"}, {"X-0.5", "0"}, true},  // value written with a comma
      {{"X*-3", "6"}, {"X*-3-6", "0"}, true},  // a factor is no trailing constant
      {{"X", "1E-20"}, {"X-1*10^(-20)", "0"}, true},
      {{"SQRT(X)", "не існує"}, {"SQRT(X)", "не існує"}, false},
      {{"(X", "Непарні круглі скобки"}, {"(X", "Непарні круглі скобки"}, false},
      {{"X", "-INF"}, {"X", "-INF"}, false},
      {{"X", "-abc"}, {"X", "-abc"}, false},  // an edited value cell
  };
  for (const RelationCase& c : cases) {
    ScanRow row = c.before;
    EXPECT_EQ(RelationThroughPoint(row), c.changed) << c.before.expression;
    EXPECT_EQ(row, c.after) << c.before.expression;
  }
}

TEST(RelationThroughPointTest, TheNewExpressionIsZeroAtThePoint) {
  FormulaParser parser;
  parser.SetVariable("X", 1.25);
  parser.SetVariable("Y", -0.5);
  for (const char* formula : {"X^2+Y^2-4", "X*Y+7", "X-Y", "X*1E-5"}) {
    std::string text = formula;
    ScanRow row{text, ValueCellTextFor(parser, text)};
    ASSERT_TRUE(RelationThroughPoint(row)) << formula;
    EXPECT_NEAR(parser.Evaluate(row.expression), 0.0, 1e-12) << row.expression;
  }
}

struct FunctionCase {
  ScanRow before;
  const char* y;
  ScanRow after;
  bool changed;
};

TEST(FunctionThroughPointTest, Table) {
  const FunctionCase cases[] = {
      {{"X^2", "4"}, "1", {"X^2-3", "1"}, true},
      {{"X^2+1", "5"}, "2", {"X^2-2", "2"}, true},
      {{"X^2-1", "3"}, "7", {"X^2+3", "7"}, true},
      {{"X^2", "4"}, "4", {"X^2", "4"}, false},  // already through the point
      {{"X+3", "5"}, "5", {"X+3", "5"}, true},   // the constant is written again
      {{"LN(X)", "не існує"}, "1", {"LN(X)", "не існує"}, false},
      {{"X", "2"}, "", {"X", "2"}, false},  // no readable y
      {{"X", "0,5"}, "0,25", {"X-0.25", "0,25"}, true},
  };
  for (const FunctionCase& c : cases) {
    ScanRow row = c.before;
    EXPECT_EQ(FunctionThroughPoint(row, c.y), c.changed) << c.before.expression;
    EXPECT_EQ(row, c.after) << c.before.expression;
  }
}

TEST(SaveScanExpressionsTest, ExpressionsReplaceTheTextsAndKeepTheEntries) {
  PlotList2D graphs;
  graphs.Append("x", PlotP{0x123456, Relation, 1, Less});
  graphs.Append("y", PlotP{0x654321, Function, 0, Equal});
  SaveScanExpressions({{"X+1", "0"}, {"Y-2", "1"}, {"extra", ""}}, graphs);
  ASSERT_EQ(graphs.Count(), 2u);
  EXPECT_EQ(graphs.Text(0), "X+1");
  EXPECT_EQ(graphs.Text(1), "Y-2");
  EXPECT_EQ(graphs.At(0), (PlotP{0x123456, Relation, 1, Less}));
  SaveScanExpressions({{"Z", ""}}, graphs);  // fewer rows than graphs
  EXPECT_EQ(graphs.Text(0), "Z");
  EXPECT_EQ(graphs.Text(1), "Y-2");
}

TEST(ScannedPointRowsTest, GeneralFormat) {
  const auto rows = ScannedPointRows({{1.5, -2.0}, {1e-20, 1.0 / 3.0}}, ',');
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], "1,5");
  EXPECT_EQ(rows[0][1], "-2");
  EXPECT_EQ(rows[1][0], "1E-20");
  EXPECT_EQ(rows[1][1], "0,333333333333333");
}

TEST(BoundsMemoryTest, SelectionBecomesTheBoundsAndRestoreBringsThemBack) {
  BuildParameters parameters;
  parameters.Field(ParamField::XStart) = "-2*P";
  const ScanMapping mapping{10.0, 20.0, 100, 200};
  BoundsMemory memory;
  EXPECT_EQ(memory.Saved(), (std::array<std::string, 4>{"-20", "20", "-20", "20"}));
  memory.FromSelection(parameters, {50, 100, 150, 300}, mapping, '.');
  EXPECT_EQ(parameters.Field(ParamField::XStart), "-5");
  EXPECT_EQ(parameters.Field(ParamField::XEnd), "5");
  EXPECT_EQ(parameters.Field(ParamField::YStart), "-5");
  EXPECT_EQ(parameters.Field(ParamField::YEnd), "5");
  memory.Restore(parameters);
  EXPECT_EQ(parameters.Field(ParamField::XStart), "-2*P");
  EXPECT_EQ(parameters.Field(ParamField::XEnd), "20");
}

TEST(BoundsMemoryTest, DraggingUpwardsLeftYieldsReversedIntervals) {
  BuildParameters parameters;
  BoundsMemory memory;
  memory.FromSelection(parameters, {150, 300, 50, 100}, {10.0, 20.0, 100, 200}, ',');
  EXPECT_EQ(parameters.Field(ParamField::XStart), "5");
  EXPECT_EQ(parameters.Field(ParamField::XEnd), "-5");
  EXPECT_EQ(parameters.Field(ParamField::YStart), "5");
  EXPECT_EQ(parameters.Field(ParamField::YEnd), "-5");
}

TEST(BoundsMemoryTest, TinyBoundsAreWrittenSoTheEngineReadsThem) {
  BuildParameters parameters;
  BoundsMemory memory;
  memory.FromSelection(parameters, {101, 199, 103, 197}, {1e6, 1e6, 100, 200}, '.');
  FormulaParser parser;
  std::string text = parameters.Field(ParamField::XStart);
  EXPECT_DOUBLE_EQ(parser.EvaluateNormalized(text), 1e-6);
  text = parameters.Field(ParamField::YStart);
  EXPECT_DOUBLE_EQ(parser.EvaluateNormalized(text), 3e-6);
}

}  // namespace
}  // namespace lw
