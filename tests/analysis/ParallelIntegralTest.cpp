// An integral on several threads writes the same lines, to the last digit, as on one:
// the samples are evaluated in parallel but summed in their order. A stop request
// ends it with the cancelled line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseNames.h"
#include "analysis/Integral.h"

namespace lw {
namespace {

class LinesFeedback : public CalculationFeedback {
 public:
  void AppendLine(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

struct ParallelIntegralCase {
  const char* name;
  const char* expression;
  const char* left;
  const char* right;
  const char* step;
  IntegralKind kind;
};

class ParallelIntegralTest : public ::testing::TestWithParam<ParallelIntegralCase> {
 protected:
  IntegralOutcome Run(const WorkControl* work, std::vector<std::string>& lines) {
    const ParallelIntegralCase& c = GetParam();
    IntegralRequest request;
    request.expression = c.expression;
    request.left = c.left;
    request.right = c.right;
    request.step = c.step;
    request.kind = c.kind;
    Integrator integrator;
    LinesFeedback feedback;
    const IntegralOutcome outcome = integrator.Calculate(request, feedback, '.', work);
    lines = feedback.lines;
    return outcome;
  }
};

TEST_P(ParallelIntegralTest, SameLinesOnEveryThreadCount) {
  std::vector<std::string> serialLines;
  const IntegralOutcome serial = Run(nullptr, serialLines);
  for (const int threads : {1, 2, 3, 8}) {
    WorkControl control(threads);
    std::vector<std::string> lines;
    const IntegralOutcome parallel = Run(&control, lines);
    EXPECT_EQ(lines, serialLines) << threads << " threads";
    EXPECT_EQ(parallel.samples, serial.samples) << threads << " threads";
    EXPECT_EQ(parallel.hasResult, serial.hasResult);
  }
}

const ParallelIntegralCase kParallelIntegralCases[] = {
    // Several chunks of samples, and a sum whose rounding depends on its order.
    {"SineArea", "SIN(X)", "-10", "10", "0.0001", IntegralKind::Area},
    {"SineSum", "SIN(X)*EXP(X/3)", "-10", "10.3", "0.00007", IntegralKind::Sum},
    {"Volume", "1/(1+X*X)", "-50", "50", "0.001", IntegralKind::Volume},
    {"NoValueLateInTheInterval", "SQRT(5-X)", "0", "10", "0.0001", IntegralKind::Area},
    {"NoValueAtTheFirstSample", "LN(X)", "-1", "1", "0.001", IntegralKind::Area},
    {"RandomStaysInSampleOrder", "RAND(10)", "0", "100", "0.001", IntegralKind::Sum},
    {"OneSample", "X+2", "3", "3", "0.5", IntegralKind::Area},
    // Fewer pieces than buffers on eight threads; pieces that end exactly at b.
    {"FewerPiecesThanBuffers", "X*X", "0", "1", "0.00001", IntegralKind::Area},
    {"WholePiecesOnly", "X", "0", "131071", "1", IntegralKind::Sum},
    {"WrongFormula", "(X", "0", "1", "0.1", IntegralKind::Area},
};

INSTANTIATE_TEST_SUITE_P(Integrals, ParallelIntegralTest,
                         ::testing::ValuesIn(kParallelIntegralCases), lw::test::CaseName());

TEST(StoppedIntegralTest, StopEndsWithTheCancelledLine) {
  for (const int threads : {1, 2}) {
    WorkControl control(threads);
    control.RequestStop();
    IntegralRequest request;
    request.expression = "SIN(X)";
    request.step = "0.00001";  // many chunks
    Integrator integrator;
    LinesFeedback feedback;
    const IntegralOutcome outcome = integrator.Calculate(request, feedback, '.', &control);
    EXPECT_FALSE(outcome.hasResult);
    ASSERT_FALSE(feedback.lines.empty());
    EXPECT_EQ(feedback.lines.back(), IntegralCancelledLine) << threads << " threads";
  }
}

}  // namespace
}  // namespace lw
