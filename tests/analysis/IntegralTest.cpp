#include "analysis/Integral.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace lw {
namespace {

class RecordingFeedback : public CalculationFeedback {
 public:
  void AppendLine(const std::string& line) override { lines.push_back(line); }
  void SetProgress(int percent) override { progress.push_back(percent); }
  bool KeepGoing() override { return ++asked <= allowedChunks; }

  std::vector<std::string> lines;
  std::vector<int> progress;
  int asked = 0;
  int allowedChunks = 1 << 30;
};

IntegralRequest Request(const char* expression, const char* left, const char* right,
                        const char* step, IntegralKind kind, const char* variable = "X") {
  IntegralRequest r;
  r.expression = expression;
  r.left = left;
  r.right = right;
  r.step = step;
  r.kind = kind;
  r.variable = variable;
  return r;
}

std::vector<std::string> LogOf(const IntegralRequest& request) {
  Integrator integrator;
  RecordingFeedback feedback;
  integrator.Calculate(request, feedback);
  return feedback.lines;
}

struct LogCase {
  IntegralRequest request;
  std::vector<std::string> lines;
};

TEST(IntegralTest, LogLinesOfTheExamples) {
  using K = IntegralKind;
  const LogCase cases[] = {
      {Request("1", "0", "1", "0.5", K::Sum), {"Інтегральна сума : 1", "Результат : 1.5"}},
      {Request("X", "-1", "1", "0.5", K::Area), {"Площа під графіком : X", "Результат : 1.5"}},
      {Request("X", "-1", "1", "0.5", K::Sum), {"Інтегральна сума : X", "Результат : 0"}},
      {Request("1", "0", "1", "1", K::Volume),
       {"Об'єм фігури обертання : 1", "Результат : 6.28318530717959"}},
      {Request("1", "5", "1", "-1", K::Sum), {"Інтегральна сума : 1", "Результат : 5"}},
      {Request("x", "0", "0", "0.25", K::Area, "x"), {"Площа під графіком : x", "Результат : 0"}},
      {Request("X+2", "3", "3", "0.5", K::Area), {"Площа під графіком : X+2", "Результат : 2.5"}},
      {Request("T", "0", "2", "1", K::Sum, " t1"), {"Інтегральна сума : T", "Результат : 3"}},
      {Request("1", "0", "1", "0", K::Area), {"Площа під графіком : 1", "Помилка вводу кроку."}},
      {Request("1", "0", "1", "0*P", K::Area), {"Площа під графіком : 1", "Помилка вводу кроку."}},
      {Request("1", "0", "1", "0.1", K::Area, "1"),
       {"Площа під графіком : 1", "Помилка вводу змінної"}},
      {Request("1", "0", "1", "0.1", K::Area, ""),
       {"Площа під графіком : 1", "Помилка вводу змінної"}},
      {Request("1", "(", "1", "0.1", K::Area),
       {"Площа під графіком : 1", "Помилка вводу лівої межі."}},
      {Request("1", "0", "1/0", "0.1", K::Area),
       {"Площа під графіком : 1", "Помилка вводу правої межі."}},
      {Request("LN(X)", "-1", "1", "0.5", K::Area),
       {"Площа під графіком : LN(X)", "Результат : неозначеність"}},
      {Request("(X", "0", "1", "0.5", K::Area),
       {"Площа під графіком : (X", "Непарні круглі скобки"}},
      {Request("", "0", "1", "0.5", K::Area), {"Площа під графіком : ", "Це не вираз"}},
      {Request("X+", "0", "1", "0.5", K::Sum), {"Інтегральна сума : X+", "Результат : 0.75"}},
      {Request("1.5*10^(-7)", "0", "0", "1", K::Sum),
       {"Інтегральна сума : 1.5*10^(-7)", "Результат : 1.5*10^(-7)"}},
      {Request("1.5*10^20", "0", "0", "1", K::Sum),
       {"Інтегральна сума : 1.5*10^20", "Результат : 1.5*10^20"}},
      {Request("10^200", "0", "0", "10^200", K::Volume),
       {"Об'єм фігури обертання : 10^200", "Результат : нескінченність"}},
      {Request("1", "1", "10^400", "1", K::Area),
       {"Площа під графіком : 1", "Помилка вводу правої межі."}},
      {Request("1", "0", "1", "10^(-400)", K::Area),
       {"Площа під графіком : 1", "Помилка вводу кроку."}},
      {Request("1", "10^20", "10^20+1", "1", K::Area),
       {"Площа під графіком : 1", "Помилка вводу кроку."}},
      {Request("5*COS(T);5*SIN(T);0;2*P", "0", "1", "0.5", K::Area, "T"),
       {"Площа під графіком : 5*COS(T);5*SIN(T);0;2*P", CurveIntegralLine}},
      {Request("X;", "-1", "1", "0.5", K::Area),  // a trailing ';' is only a delimiter
       {"Площа під графіком : X;", "Результат : 1.5"}},
  };
  for (const LogCase& c : cases) {
    EXPECT_EQ(LogOf(c.request), c.lines) << c.request.expression << " " << c.request.left;
  }
}

TEST(IntegralTest, DefaultsOfTheWindowGiveTwentyThousandAndOneSamples) {
  Integrator integrator;
  RecordingFeedback feedback;
  IntegralRequest request;
  request.expression = "1";
  const IntegralOutcome outcome = integrator.Calculate(request, feedback);
  EXPECT_TRUE(outcome.hasResult);
  EXPECT_EQ(outcome.samples, 20001);
  EXPECT_NEAR(outcome.result, 20.001, 1e-9);
  ASSERT_FALSE(feedback.progress.empty());
  EXPECT_EQ(feedback.progress.front(), 0);
  EXPECT_EQ(feedback.progress.back(), 100);
}

TEST(IntegralTest, TheThreeMeasuresOfOneFunction) {
  using K = IntegralKind;
  Integrator integrator;
  RecordingFeedback feedback;
  const double h = 0.25;
  const double xs[] = {-1.0, -0.75, -0.5, -0.25, 0.0, 0.25, 0.5, 0.75, 1.0};
  double area = 0, volume = 0, sum = 0;
  for (double x : xs) {
    const double f = x * x * x - 0.5;
    area += std::fabs(f);
    volume += f * f;
    sum += f;
  }
  EXPECT_DOUBLE_EQ(
      integrator.Calculate(Request("X^3-0.5", "-1", "1", "0.25", K::Area), feedback).result,
      h * area);
  EXPECT_DOUBLE_EQ(
      integrator.Calculate(Request("X^3-0.5", "-1", "1", "0.25", K::Volume), feedback).result,
      Pi * (h * volume));
  EXPECT_DOUBLE_EQ(
      integrator.Calculate(Request("X^3-0.5", "-1", "1", "0.25", K::Sum), feedback).result,
      h * sum);
}

TEST(IntegralTest, TheVariablesAreClearedForEveryCalculation) {
  Integrator integrator;
  RecordingFeedback feedback;
  IntegralRequest request = Request("A=A+1", "0", "2", "1", IntegralKind::Sum);
  EXPECT_DOUBLE_EQ(integrator.Calculate(request, feedback).result,
                   2 + 3 + 4);  // the trial evaluation counts
  EXPECT_DOUBLE_EQ(integrator.Calculate(request, feedback).result, 2 + 3 + 4);
}

TEST(IntegralTest, LongCalculationsReportProgressAndCanBeStopped) {
  Integrator integrator;
  RecordingFeedback feedback;
  feedback.allowedChunks = 3;
  // 2e8 samples.
  const IntegralOutcome outcome =
      integrator.Calculate(Request("X", "-10", "10", "10^(-7)", IntegralKind::Area), feedback);
  EXPECT_FALSE(outcome.hasResult);
  EXPECT_EQ(outcome.samples, 4 * IntegralChunk);
  ASSERT_EQ(feedback.lines.size(), 2u);
  EXPECT_EQ(feedback.lines[1], IntegralCancelledLine);
  ASSERT_GE(feedback.progress.size(), 4u);
  EXPECT_EQ(feedback.progress[0], 0);
  EXPECT_EQ(feedback.asked, 4);
  for (std::size_t i = 1; i < feedback.progress.size(); ++i) {
    EXPECT_GE(feedback.progress[i], feedback.progress[i - 1]);
    EXPECT_LT(feedback.progress[i], 100);
  }
}

TEST(IntegralTest, ProgressRisesToAHundred) {
  Integrator integrator;
  RecordingFeedback feedback;
  const IntegralOutcome outcome =
      integrator.Calculate(Request("1", "0", "1", "10^(-6)", IntegralKind::Sum), feedback);
  EXPECT_TRUE(outcome.hasResult);
  EXPECT_GT(feedback.progress.size(), 10u);
  EXPECT_EQ(feedback.progress.back(), 100);
  EXPECT_GE(feedback.progress[feedback.progress.size() - 2], 90);
}

}  // namespace
}  // namespace lw
