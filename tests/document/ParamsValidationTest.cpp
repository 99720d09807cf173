#include <gtest/gtest.h>

#include "document/BuildParameters.h"
#include "document/Feedback.h"
#include "formula/FormulaParser.h"

namespace lw {
namespace {

// Field values that make one 2D check fail, with its message; every other field
// keeps its default.
struct FailureCase {
  ParamField field;
  const char* text;
  const char* message;
};

TEST(ValidateParams2D, EachCheckHasItsMessage) {
  const FailureCase cases[] = {
      {ParamField::ScaleX, "0", "Помилка вводу маштабу вісі Х"},
      {ParamField::ScaleX, "-1", "Помилка вводу маштабу вісі Х"},
      {ParamField::ScaleX, "", "Помилка вводу маштабу вісі Х"},
      {ParamField::ScaleY, "0", "Помилка вводу маштабу вісі Y"},
      {ParamField::ScaleY, "1/0", "Помилка вводу маштабу вісі Y"},
      {ParamField::XStart, "((2)", "Помилка вводу інтервалу поч. X"},
      {ParamField::XStart, "((1)", "Помилка вводу інтервалу поч. X"},
      {ParamField::XEnd, "-20", "Помилка вводу інтервалу кін. X"},
      {ParamField::XEnd, "sqrt(-1)", "Помилка вводу інтервалу кін. X"},
      {ParamField::YStart, "2)", "Помилка вводу інтервалу поч. Y"},
      {ParamField::YEnd, "-20", "Помилка вводу інтервалу кін. Y"},
      {ParamField::Proxima, "ln(0)", "Помилка вводу Proxima"},
      {ParamField::Gradient, "0", "Помилка вводу градіенту кольорів"},
      {ParamField::Gradient, "0*P", "Помилка вводу градіенту кольорів"},
      {ParamField::VarX, "", "Помилка вводу змінної вісі Х"},
      {ParamField::VarX, "1", "Помилка вводу змінної вісі Х"},
      {ParamField::VarX, "час", "Помилка вводу змінної вісі Х"},
      {ParamField::VarY, "2 3", "Помилка вводу змінної вісі Y"},
      // A value that overflowed cannot bound anything.
      {ParamField::XStart, "exp(700)*exp(700)", "Помилка вводу інтервалу поч. X"},
  };
  for (const auto& c : cases) {
    BuildParameters p;
    p.Field(c.field) = c.text;
    Params2D v;
    FormulaParser parser;
    parser.SetConstants();
    RecordingStatus status;
    EXPECT_FALSE(ValidateParams2D(p, v, parser, status)) << c.text;
    EXPECT_EQ(status.Text(), c.message) << c.text;
  }
}

TEST(ValidateParams2D, DefaultsPassAndGiveTheirValues) {
  BuildParameters p;
  p.Field(ParamField::XStart) = "20";
  p.Field(ParamField::XEnd) = "-2*10";
  p.Field(ParamField::ScaleY) = "1,5";
  p.Field(ParamField::VarX) = " t1";
  p.Field(ParamField::VarY) = "2a";
  p.Field(ParamField::Gradient) = "-0.1";
  Params2D v;
  FormulaParser parser;
  RecordingStatus status;
  ASSERT_TRUE(ValidateParams2D(p, v, parser, status));
  EXPECT_EQ(status.Text(), "");
  EXPECT_EQ(v.ScaleX, 10);
  EXPECT_EQ(v.ScaleY, 1.5);
  // Swapped in the values only; the texts stay as typed.
  EXPECT_EQ(v.XStart, -20);
  EXPECT_EQ(v.XEnd, 20);
  EXPECT_EQ(p.Field(ParamField::XStart), "20");
  EXPECT_EQ(v.YStart, -20);
  EXPECT_EQ(v.YEnd, 20);
  EXPECT_EQ(v.Proxima, 0.2);
  EXPECT_EQ(v.Gradient, -0.1);
  EXPECT_EQ(v.VarX, 'T');
  EXPECT_EQ(v.VarY, 'A');
}

TEST(ValidateParams2D, ValuesBeforeTheFailureAreStored) {
  BuildParameters p;
  p.Field(ParamField::ScaleX) = "3";
  p.Field(ParamField::XStart) = "-7";
  p.Field(ParamField::XEnd) = "-7";
  Params2D v;
  v.YStart = 99;
  FormulaParser parser;
  RecordingStatus status;
  EXPECT_FALSE(ValidateParams2D(p, v, parser, status));
  EXPECT_EQ(v.ScaleX, 3);
  EXPECT_EQ(v.XStart, -7);
  EXPECT_EQ(v.YStart, 99);  // never reached
}

TEST(ValidateParams2D, OnlyTheFirstErrorIsReportedAndScalesCountUnderAutoScale) {
  BuildParameters p;
  p.AutoScale = true;
  p.Field(ParamField::ScaleY) = "0";
  p.Field(ParamField::Gradient) = "0";
  p.Field(ParamField::VarX) = "";
  Params2D v;
  FormulaParser parser;
  RecordingStatus status;
  EXPECT_FALSE(ValidateParams2D(p, v, parser, status));
  EXPECT_EQ(status.Text(), "Помилка вводу маштабу вісі Y");
}

TEST(ValidateParams2D, FieldsSeeTheConstantsBoundBefore) {
  BuildParameters p;
  p.Constants2D = {"A=3", "", "B=1/0", "C=A+1"};
  p.Field(ParamField::ScaleX) = "2*A";
  p.Field(ParamField::ScaleY) = "C";
  FormulaParser explicitParser;
  DivisionTrackingParser poleParser;
  Params2D v;
  RecordingStatus status;
  // Right after start A is 0, so 2*A is no scale.
  EXPECT_FALSE(ValidateParams2D(p, v, explicitParser, status));
  BindConstants2D(p, explicitParser, poleParser);
  for (FormulaParser* parser :
       {static_cast<FormulaParser*>(&explicitParser), static_cast<FormulaParser*>(&poleParser)}) {
    EXPECT_EQ(parser->Variable('A'), 3);
    EXPECT_EQ(parser->Variable('C'), 4);
    EXPECT_EQ(parser->Variable('P'), Pi);
    EXPECT_EQ(parser->Variable('E'), EulerE);
  }
  ASSERT_TRUE(ValidateParams2D(p, v, explicitParser, status));
  EXPECT_EQ(v.ScaleX, 6);
  EXPECT_EQ(v.ScaleY, 4);
}

TEST(BindConstants2D, ClearsWhatAnEarlierBuildSet) {
  BuildParameters p;
  FormulaParser explicitParser;
  DivisionTrackingParser poleParser;
  explicitParser.SetVariable("Q", 5);
  poleParser.SetVariable("Q", 5);
  BindConstants2D(p, explicitParser, poleParser);
  EXPECT_EQ(explicitParser.Variable('Q'), 0);
  EXPECT_EQ(poleParser.Variable('Q'), 0);
}

TEST(ValidateParams3D, EachCheckHasItsMessage) {
  const FailureCase cases[] = {
      {ParamField::StepX, "0", "Помилка вводу кроку вісі Х"},
      {ParamField::StepX, "-0.4", "Помилка вводу кроку вісі Х"},
      {ParamField::StepY, "x(", "Помилка вводу кроку вісі Y"},
      {ParamField::StepZ, "0", "Помилка вводу кроку вісі Z"},
      {ParamField::XStart3D, "(", "Помилка вводу інтервалу поч. X"},
      {ParamField::XEnd3D, "1/0", "Помилка вводу інтервалу кін. X"},
      {ParamField::YStart3D, "", "Помилка вводу інтервалу поч. Y"},
      {ParamField::YEnd3D, "*", "Помилка вводу інтервалу кін. Y"},
      {ParamField::ZStart3D, "ln(-1)", "Помилка вводу інтервалу поч. Z"},
      {ParamField::ZEnd3D, "sqrt(-4)", "Помилка вводу інтервалу кін. Z"},
      {ParamField::PosX, "1/0", "Помилка вводу положення X"},
      {ParamField::PosY, "(", "Помилка вводу положення Y"},
      {ParamField::PosZ, "", "Помилка вводу положення Z"},
      {ParamField::VarX3D, "5", "Помилка вводу змінної вісі Х"},
      {ParamField::VarY3D, "", "Помилка вводу змінної вісі Y"},
      {ParamField::VarZ3D, "ї", "Помилка вводу змінної вісі Z"},
      // A step that is positive as a double but nothing as a float, or too small
      // to move along its axis, would never finish a build.
      {ParamField::StepX, "1/10^50", "Помилка вводу кроку вісі Х"},
      {ParamField::StepY, "1/10^12", "Помилка вводу кроку вісі Y"},
      {ParamField::XEnd3D, "10^39", "Помилка вводу інтервалу кін. X"},
  };
  for (const auto& c : cases) {
    BuildParameters p;
    p.Field(c.field) = c.text;
    Params3D v;
    FormulaParser parser;
    RecordingStatus status;
    EXPECT_FALSE(ValidateParams3D(p, v, parser, status)) << c.text;
    EXPECT_EQ(status.Text(), c.message) << c.text;
  }
}

TEST(ValidateParams3D, ValuesAreFloatsSwappedAndEqualBoundsAccepted) {
  BuildParameters p;
  p.Field(ParamField::StepX) = "0.1";
  p.Field(ParamField::XStart3D) = "5";
  p.Field(ParamField::XEnd3D) = "5";
  p.Field(ParamField::YStart3D) = "6";
  p.Field(ParamField::YEnd3D) = "-6";
  p.Field(ParamField::PosZ) = "-40";
  p.Field(ParamField::VarZ3D) = "w";
  p.Constants3D = {"A=2", "B=A*3"};
  Params3D v;
  FormulaParser parser;
  parser.SetVariable("Q", 1);
  RecordingStatus status;
  ASSERT_TRUE(ValidateParams3D(p, v, parser, status));
  EXPECT_EQ(v.StepX, 0.1f);
  EXPECT_NE(static_cast<double>(v.StepX), 0.1);
  EXPECT_EQ(v.XStart3D, 5.0f);
  EXPECT_EQ(v.XEnd3D, 5.0f);
  EXPECT_EQ(v.YStart3D, -6.0f);
  EXPECT_EQ(v.YEnd3D, 6.0f);
  EXPECT_EQ(v.PosZ, -40.0f);
  EXPECT_EQ(v.VarX3D, 'X');
  EXPECT_EQ(v.VarZ3D, 'W');
  // The 3D constants are bound on the surface parser after every check passed.
  EXPECT_EQ(parser.Variable('B'), 6);
  EXPECT_EQ(parser.Variable('Q'), 0);
  EXPECT_EQ(parser.Variable('P'), Pi);
}

TEST(ValidateParams3D, FailureLeavesConstantsUnboundAndEarlierValuesStored) {
  BuildParameters p;
  p.Field(ParamField::StepX) = "2";
  p.Field(ParamField::PosY) = "";
  p.Constants3D = {"A=7"};
  Params3D v;
  FormulaParser parser;
  RecordingStatus status;
  EXPECT_FALSE(ValidateParams3D(p, v, parser, status));
  EXPECT_EQ(status.Text(), "Помилка вводу положення Y");
  EXPECT_EQ(v.StepX, 2.0f);
  EXPECT_EQ(v.ZEnd3D, 6.0f);
  EXPECT_EQ(v.PosZ, 0.0f);
  EXPECT_EQ(parser.Variable('A'), 0);
}

}  // namespace
}  // namespace lw
