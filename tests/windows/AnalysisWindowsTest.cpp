// The calculator, the integral window and the 3D scan window, driven through their
// controls.
#include <gtest/gtest.h>

#include <QApplication>

#include <QKeyEvent>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "WindowsTestSupport.h"
#include "app/ProgramAnalysis.h"
#include "windows/CalculatorWindow.h"
#include "windows/IntegralWindow.h"
#include "windows/Scan3DWindow.h"

namespace lw::test {
namespace {

// The log's lines as stored (no-break spaces kept).
std::vector<std::string> Lines(QPlainTextEdit* log) {
  std::vector<std::string> lines;
  QTextBlock block = log->document()->firstBlock();
  for (; block.isValid(); block = block.next()) lines.push_back(block.text().toStdString());
  if (lines.size() == 1 && lines[0].empty()) lines.clear();
  return lines;
}

// The lines one calculation adds to the log.
std::vector<std::string> Calculate(CalculatorWindow* w, const std::string& expression) {
  const std::size_t before = Lines(w->Log()).size();
  w->Input()->setText(QString::fromStdString(expression));
  w->Calculate();
  const auto lines = Lines(w->Log());
  return {lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()};
}

std::string Cell(CalculatorWindow* w, char letter) {
  return w->Table()->item(letter - 'A', 1)->text().toStdString();
}

struct CalculatorCase {
  const char* name;
  std::string expression;
  std::vector<std::string> lines;
};

void PrintTo(const CalculatorCase& c, std::ostream* out) {
  *out << c.name;
}

class CalculatorLog : public ::testing::TestWithParam<CalculatorCase> {};

TEST_P(CalculatorLog, WritesTheExpressionResultAndMessage) {
  ProgramFixture f;
  EXPECT_EQ(Calculate(f.Windows().Calculator, GetParam().expression), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CalculatorLog,
    ::testing::Values(CalculatorCase{"OneThird", "1/3", {"1/3", "Результат : 0.333333333333333"}},
                      CalculatorCase{"SquareRootOfMinusOne",
                                     "SQRT(-1)",
                                     {"SQRT(-1)", "Результат : 0", "Помилка\xC2\xA0 sqrt"}},
                      CalculatorCase{"EmptyExpression", "", {"", "Результат : 0", "Це не вираз"}},
                      CalculatorCase{"LowerCaseSine", "sin(p/2)", {"sin(p/2)", "Результат : 1"}},
                      CalculatorCase{
                          "TinyNumber", "1/10^20", {"1/10^20", "Результат : 1*10^(-20)"}},
                      CalculatorCase{"HugeNumber", "10^20", {"10^20", "Результат : 1*10^20"}}),
    CaseName());

TEST(Calculator, AssignmentsPersistAndTheMenuRefreshesTheTable) {
  ProgramFixture f;
  CalculatorWindow* w = f.Windows().Calculator;
  EXPECT_EQ(Calculate(w, "A=5").back(), "Результат : 5");
  EXPECT_EQ(Calculate(w, "A*2").back(), "Результат : 10");
  EXPECT_EQ(Cell(w, 'A'), "0");  // the table waits for a refresh
  f.Main().Action(Command::Calculator)->trigger();
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(Cell(w, 'A'), "5");
  EXPECT_EQ(Cell(w, 'P'), "3.14159265358979");
}

TEST(Calculator, TableCommands) {
  ProgramFixture f;
  CalculatorWindow* w = f.Windows().Calculator;
  w->Table()->item(1, 1)->setText("1,5");
  w->Table()->item(2, 1)->setText("B*2");
  w->Table()->item(3, 1)->setText("sin(1)");
  w->SetFromTable();
  EXPECT_EQ(Calculate(w, "B+C+D").back(), "Результат : 4.5");
  w->ZeroTable();
  EXPECT_EQ(Cell(w, 'P'), "0");
  EXPECT_EQ(Calculate(w, "P").back(), "Результат : 3.14159265358979");
  w->ConstantsToTable();
  EXPECT_EQ(Cell(w, 'E'), "2.71828182845905");
  EXPECT_EQ(Cell(w, 'B'), "0");
  w->ZeroTable();
  w->SetFromTable();
  EXPECT_EQ(Calculate(w, "P+E+B").back(), "Результат : 0");
}

TEST(Calculator, ClearInputOptionEmptiesTheFieldAndIsStored) {
  ProgramFixture f;
  CalculatorWindow* w = f.Windows().Calculator;
  ASSERT_TRUE(w->ClearInput()->isChecked());
  Calculate(w, "1+1");
  EXPECT_TRUE(w->Input()->text().isEmpty());
  w->ClearInput()->click();
  Calculate(w, "1+1");
  EXPECT_EQ(w->Input()->text().toStdString(), "1+1");
  f.State().SetAskToSave(false);
  EXPECT_TRUE(f.Main().close());
  f.Restart();
  EXPECT_FALSE(f.Windows().Calculator->ClearInput()->isChecked());
}

struct IntegralCase {
  const char* name;
  std::string expression, left, right, step, variable;
  int kind;
  std::vector<std::string> lines;
};

void PrintTo(const IntegralCase& c, std::ostream* out) {
  *out << c.name;
}

class IntegralLog : public ::testing::TestWithParam<IntegralCase> {};

TEST_P(IntegralLog, WritesItsLines) {
  ProgramFixture f;
  IntegralWindow* w = f.Windows().Integral;
  const IntegralCase& c = GetParam();
  w->Expression()->setText(QString::fromStdString(c.expression));
  w->Left()->setText(QString::fromStdString(c.left));
  w->Right()->setText(QString::fromStdString(c.right));
  w->Step()->setText(QString::fromStdString(c.step));
  w->Variable()->setText(QString::fromStdString(c.variable));
  w->Kind()->setCurrentIndex(c.kind);
  const int height = w->height();
  w->CalculateButton()->click();
  f.Settle();
  QApplication::processEvents();  // the lines the calculation posted to the log
  EXPECT_EQ(Lines(w->Log()), c.lines);
  EXPECT_EQ(w->height(), height);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, IntegralLog,
    ::testing::Values(
        IntegralCase{
            "SumOfOne", "1", "0", "1", "0.5", "X", 2, {"Інтегральна сума : 1", "Результат : 1.5"}},
        IntegralCase{"AreaUnderX",
                     "X",
                     "-1",
                     "1",
                     "0.5",
                     "X",
                     0,
                     {"Площа під графіком : X", "Результат : 1.5"}},
        IntegralCase{"VolumeOfOne",
                     "1",
                     "0",
                     "1",
                     "1",
                     "x",
                     1,
                     {"Об'єм фігури обертання : 1", "Результат : 6.28318530717959"}},
        IntegralCase{"SumBackwards",
                     "X",
                     "5",
                     "1",
                     "-1",
                     "X",
                     2,
                     {"Інтегральна сума : X", "Результат : 15"}},
        IntegralCase{"ZeroStep",
                     "X",
                     "0",
                     "1",
                     "0",
                     "X",
                     0,
                     {"Площа під графіком : X", "Помилка вводу кроку."}},
        IntegralCase{"VariableNotALetter",
                     "X",
                     "0",
                     "1",
                     "1",
                     "1",
                     0,
                     {"Площа під графіком : X", "Помилка вводу змінної"}},
        IntegralCase{"BadLeftBound",
                     "X",
                     "(",
                     "1",
                     "1",
                     "X",
                     0,
                     {"Площа під графіком : X", "Помилка вводу лівої межі."}},
        IntegralCase{"EmptyRightBound",
                     "X",
                     "0",
                     "",
                     "1",
                     "X",
                     0,
                     {"Площа під графіком : X", "Помилка вводу правої межі."}},
        IntegralCase{"LogWithoutValue",
                     "LN(X)",
                     "-1",
                     "1",
                     "0.5",
                     "X",
                     0,
                     {"Площа під графіком : LN(X)", "Результат : неозначеність"}},
        IntegralCase{"UnbalancedParentheses",
                     "(X",
                     "0",
                     "1",
                     "1",
                     "X",
                     0,
                     {"Площа під графіком : (X", "Непарні круглі скобки"}}),
    CaseName());

// A long calculation shows its progress in the taller window and lets the windows
// paint while it runs.
// Runs the interface thread's events until the calculation has ended.
void AwaitIntegral(IntegralWindow* w) {
  while (w->Calculating()) QApplication::processEvents(QEventLoop::AllEvents, 5);
  QApplication::processEvents();
}

TEST(Integral, LongCalculationShowsProgressAndKeepsAnswering) {
  ProgramFixture f;
  IntegralWindow* w = f.Windows().Integral;
  w->show();
  const int height = w->height();
  w->Expression()->setText("1");
  w->Step()->setText("0.000001");
  w->Kind()->setCurrentIndex(2);
  w->CalculateButton()->click();
  EXPECT_TRUE(w->Calculating());
  EXPECT_EQ(w->height(), height + 20);
  EXPECT_FALSE(w->CalculateButton()->isEnabled());
  // The interface thread is free meanwhile: its timer fires.
  int ticks = 0;
  QTimer timer;
  timer.callOnTimeout([&] { ++ticks; });
  timer.start(1);
  AwaitIntegral(w);
  EXPECT_GT(ticks, 0);
  EXPECT_EQ(w->height(), height);
  EXPECT_EQ(w->Progress()->value(), 100);
  const auto lines = Lines(w->Log());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].rfind("Результат : 20", 0), 0u);
}

struct StopWay {
  const char* name;
  void (*stop)(IntegralWindow* w);
};

class IntegralStop : public ::testing::TestWithParam<StopWay> {};

TEST_P(IntegralStop, StopsALongCalculation) {
  ProgramFixture f;
  IntegralWindow* w = f.Windows().Integral;
  w->show();
  w->Expression()->setText("X");
  w->Step()->setText("0.000000001");
  w->CalculateButton()->click();
  ASSERT_TRUE(w->Calculating());
  GetParam().stop(w);
  AwaitIntegral(w);
  EXPECT_EQ(Lines(w->Log()).back(), "Обрахунок перервано.");
  EXPECT_FALSE(w->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, IntegralStop,
    ::testing::Values(StopWay{"CloseBox", [](IntegralWindow* w) { w->close(); }},
                      StopWay{"CloseButton",
                              [](IntegralWindow* w) {
                                for (auto* b : w->findChildren<QPushButton*>()) {
                                  if (b->text() == QStringLiteral("&Зачинити")) b->click();
                                }
                              }},
                      StopWay{"Escape",
                              [](IntegralWindow* w) {
                                QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                                QApplication::sendEvent(w, &key);
                              }}),
    lw::test::CaseName());

struct Scan3DFixture {
  Scan3DFixture() {
    f.State().Edits().AddGraph3D("SIN(X)*COS(Y)", PlotP3d{0, ZOfXY});
    f.State().Edits().AddGraph3D("LN(X)", PlotP3d{0, ZOfXY});
    f.State().Edits().AddGraph3D("sin(x)", PlotP3d{0, ZOfXY});
    f.State().Edits().AddGraph3D("X+Y", PlotP3d{0, ZOfXY});
    w = f.Windows().Scan3D;
  }
  std::string Value(int row) const { return w->Grid()->item(row, 1)->text().toStdString(); }
  void Type(int axis, const char* text) {
    w->Coordinate(axis)->setText(text);
    w->Coordinate(axis)->textEdited(text);
  }
  ProgramFixture f;
  Scan3DWindow* w;
};

TEST(Scan3D, OpensWithTheValuesAtTheTypedPoint) {
  Scan3DFixture s;
  s.f.Main().Action(Command::Scan3D)->trigger();
  ASSERT_TRUE(s.w->isVisible());
  ASSERT_EQ(s.w->Grid()->rowCount(), 4);
  EXPECT_EQ(s.w->Name(2)->text().toStdString(), "Z");
  EXPECT_EQ(s.Value(0), "0");
  EXPECT_EQ(s.Value(1), "не існує");
  EXPECT_EQ(s.Value(2), "Синтаксична помилка");
  s.Type(0, "1,5");
  s.Type(1, "1.5");
  s.w->RefreshButton()->click();
  EXPECT_EQ(s.Value(3), "3");
}

TEST(Scan3D, FunctionThroughThePointAlongTheDependentAxis) {
  Scan3DFixture s;
  s.f.Main().Action(Command::Scan3D)->trigger();
  s.Type(0, "1");
  s.Type(1, "2");
  s.Type(2, "5");
  s.w->Grid()->setCurrentCell(3, 0);
  s.w->ThroughPointButton()->click();
  EXPECT_EQ(s.w->Grid()->item(3, 0)->text().toStdString(), "X+Y+2");
  EXPECT_EQ(s.Value(3), "5");
  EXPECT_EQ(s.f.State().Doc().Graphs3D.Text(3), "X+Y");
  s.w->SaveButton()->click();
  EXPECT_EQ(s.f.State().Doc().Graphs3D.Text(3), "X+Y+2");
}

TEST(Scan3D, AnUnreadableCoordinateIsReportedAndNothingChanges) {
  Scan3DFixture s;
  s.f.Main().Action(Command::Scan3D)->trigger();
  s.Type(0, "2");
  s.Type(1, "abc");
  s.w->RefreshButton()->click();
  EXPECT_EQ(s.f.State().Status(), "Помилка вводу координати Y : abc");
  EXPECT_EQ(s.Value(3), "0");  // still the values at (0, 0, 0)
}

TEST(Scan3D, NoGraphsOnlyTheHeader) {
  ProgramFixture f;
  f.Main().Action(Command::Scan3D)->trigger();
  EXPECT_EQ(f.Windows().Scan3D->Grid()->rowCount(), 0);
}

}  // namespace
}  // namespace lw::test
