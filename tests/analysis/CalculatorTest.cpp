#include "analysis/Calculator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lw {
namespace {

using Lines = std::vector<std::string>;

TEST(CalculatorTest, LogLinesOfOneCalculation) {
  struct Case {
    const char* expression;
    Lines lines;
  };
  const Case cases[] = {
      {"1/3", {"1/3", "Результат : 0.333333333333333"}},
      {"SQRT(-1)", {"SQRT(-1)", "Результат : 0", "Помилка\u00A0 sqrt"}},
      {"", {"", "Результат : 0", "Це не вираз"}},
      {"sin(p/2)", {"sin(p/2)", "Результат : 1"}},
      {"10^(-20)", {"10^(-20)", "Результат : 1*10^(-20)"}},
      {"10^20", {"10^20", "Результат : 1*10^20"}},
      {"1.5*10^(-7)", {"1.5*10^(-7)", "Результат : 1.5*10^(-7)"}},
      {"10^400", {"10^400", "Результат : нескінченність"}},
      {"1+SQRT(-1)", {"1+SQRT(-1)", "Результат : 1", "Помилка\u00A0 sqrt"}},
      {"(1", {"(1", "Результат : 1", "Непарні круглі скобки"}},
      {"2,5*2", {"2,5*2", "Результат : 5"}},
      {"CTG(0)", {"CTG(0)", "Результат : 0", "Помилка\u00A0 ctg"}},
  };
  for (const Case& c : cases) {
    Calculator calculator;
    EXPECT_EQ(calculator.Calculate(c.expression), c.lines) << c.expression;
  }
}

TEST(CalculatorTest, AssignmentsPersistAndRefreshShowsThem) {
  Calculator calculator;
  EXPECT_EQ(calculator.Calculate("A=5"), (Lines{"A=5", "Результат : 5"}));
  EXPECT_EQ(calculator.Calculate("A*2"), (Lines{"A*2", "Результат : 10"}));
  VariableTable table;
  calculator.RefreshTable(table);
  EXPECT_EQ(table[0], "5");
  EXPECT_EQ(table['P' - 'A'], "3.14159265358979");
  EXPECT_EQ(table['E' - 'A'], "2.71828182845905");
  EXPECT_EQ(table['Z' - 'A'], "0");
  // A failed assignment still stores its value.
  calculator.Calculate("B=1/0");
  calculator.Calculate("C=2+SQRT(-4)");
  calculator.RefreshTable(table, ',');
  EXPECT_EQ(table[1], "0");
  EXPECT_EQ(table[2], "2");
}

TEST(CalculatorTest, SetFromTableReadsCommasAndRowsAbove) {
  Calculator calculator;
  VariableTable table;
  calculator.RefreshTable(table);
  table[0] = "1,5";     // A
  table[1] = "A*2";     // B sees the new A
  table[2] = "D+1";     // C sees the old D
  table[3] = "7";       // D
  table[4] = "sin(1)";  // E: not a function without normalisation; keeps e
  table[5] = "";        // F: empty, keeps its value
  calculator.Calculate("F=9");
  calculator.SetFromTable(table);
  EXPECT_DOUBLE_EQ(calculator.Parser().Variable('A'), 1.5);
  EXPECT_DOUBLE_EQ(calculator.Parser().Variable('B'), 3.0);
  EXPECT_DOUBLE_EQ(calculator.Parser().Variable('C'), 1.0);
  EXPECT_DOUBLE_EQ(calculator.Parser().Variable('D'), 7.0);
  EXPECT_DOUBLE_EQ(calculator.Parser().Variable('E'), EulerE);
  EXPECT_DOUBLE_EQ(calculator.Parser().Variable('F'), 9.0);
}

TEST(CalculatorTest, ZeroThenSetClearsEveryVariable) {
  Calculator calculator;
  VariableTable table;
  Calculator::ZeroTable(table);
  for (const std::string& cell : table) EXPECT_EQ(cell, "0");
  EXPECT_DOUBLE_EQ(calculator.Parser().Variable('P'), Pi);  // not before SetFromTable
  calculator.SetFromTable(table);
  for (char c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(calculator.Parser().Variable(c), 0.0) << c;
  EXPECT_EQ(calculator.Calculate("P"), (Lines{"P", "Результат : 0"}));
}

TEST(CalculatorTest, ConstantsGoIntoTheCellsOnly) {
  Calculator calculator;
  VariableTable table;
  Calculator::ZeroTable(table);
  calculator.SetFromTable(table);
  Calculator::ConstantsToTable(table, ',');
  EXPECT_EQ(table['E' - 'A'], "2,71828182845905");
  EXPECT_EQ(table['P' - 'A'], "3,14159265358979");
  EXPECT_EQ(table[0], "0");
  EXPECT_EQ(calculator.Parser().Variable('P'), 0.0);
  calculator.SetFromTable(table);
  EXPECT_NEAR(calculator.Parser().Variable('P'), Pi, 1e-14);
}

TEST(CalculatorTest, RowLabels) {
  EXPECT_EQ(VariableRowLabel(0), " A");
  EXPECT_EQ(VariableRowLabel(25), " Z");
}

}  // namespace
}  // namespace lw
