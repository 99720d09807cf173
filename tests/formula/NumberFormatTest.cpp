#include "formula/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lw {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FormatGeneral, Table) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {-2.5, "-2.5"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {3.141592653589793, "3.14159265358979"},
      {0.001, "0.001"},
      {0.0001, "0.0001"},
      {0.00012345, "0.00012345"},
      {0.00001, "1E-5"},
      {-0.000015, "-1.5E-5"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {1.5e20, "1.5E20"},
      {1e-20, "1E-20"},
      {1234567890123456.0, "1.23456789012346E15"},
      {9.9999999999999999e14, "1E15"},  // rounding carries into the next power of ten
      {0.99999999999999999, "1"},
      {100.0, "100"},
      {1e300, "1E300"},
      {5e-324, "4.94065645841247E-324"},
      {kInf, "INF"},
      {-kInf, "-INF"},
      {std::nan(""), "NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatGeneral(c.value), c.text) << c.value;
}

TEST(FormatGeneral, DecimalSeparatorIsTheCallers) {
  EXPECT_EQ(FormatGeneral(-1.25, ','), "-1,25");
  EXPECT_EQ(FormatGeneral(1.5e-7, ','), "1,5E-7");
  EXPECT_EQ(FormatGeneral(12, ','), "12");
}

TEST(CalculatorResultLine, Table) {
  const struct {
    double value;
    const char* line;
  } cases[] = {
      {1.0 / 3.0, "Результат : 0.333333333333333"},
      {0.0, "Результат : 0"},
      {10.0, "Результат : 10"},
      {1e-20, "Результат : 1*10^(-20)"},
      {1e20, "Результат : 1*10^20"},
      {-1.5e-7, "Результат : -1.5*10^(-7)"},
      {std::nan(""), "Результат : неозначеність"},
      {kInf, "Результат : нескінченність"},
      {-kInf, "Результат : нескінченність"},
  };
  for (const auto& c : cases) EXPECT_EQ(CalculatorResultLine(c.value), c.line) << c.value;
}

}  // namespace
}  // namespace lw
