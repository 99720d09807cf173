#include "Integral.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "NumberFormat.h"

namespace lw {
namespace {

std::string StartLine(IntegralKind kind, const std::string& expression) {
  switch (kind) {
    case IntegralKind::Volume:
      return "Об'єм фігури обертання : " + expression;
    case IntegralKind::Sum:
      return "Інтегральна сума : " + expression;
    default:
      return "Площа під графіком : " + expression;
  }
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The token program lives only as long as one calculation, however it ends.
class CompiledFormula {
 public:
  CompiledFormula(FormulaParser& parser, const std::string& normalized) : parser_(parser) {
    parser_.Compile(normalized);
  }
  ~CompiledFormula() { parser_.ReleaseCompiled(); }
  CompiledFormula(const CompiledFormula&) = delete;
  CompiledFormula& operator=(const CompiledFormula&) = delete;

 private:
  FormulaParser& parser_;
};

double Measure(IntegralKind kind, double v) {
  switch (kind) {
    case IntegralKind::Area:
      return std::fabs(v);
    case IntegralKind::Volume:
      return std::fabs(v * v);
    default:
      return v;
  }
}

}  // namespace

Integrator::Integrator() = default;

bool Integrator::ReadLimits(const IntegralRequest& request, CalculationFeedback& feedback,
                            double& a, double& b, double& h, char& letter) {
  parser_.ClearVariables();
  parser_.SetVariable("P", Pi);
  parser_.SetVariable("E", EulerE);
  // An infinite limit or step would keep the sampling loop from ever ending.
  std::string text = request.left;
  a = parser_.EvaluateNormalized(text);
  if (parser_.HasError() || !std::isfinite(a)) {
    feedback.AppendLine("Помилка вводу лівої межі.");
    return false;
  }
  text = request.right;
  b = parser_.EvaluateNormalized(text);
  if (parser_.HasError() || !std::isfinite(b)) {
    feedback.AppendLine("Помилка вводу правої межі.");
    return false;
  }
  text = request.step;
  h = parser_.EvaluateNormalized(text);
  if (parser_.HasError() || h == 0.0 || !std::isfinite(h)) {
    feedback.AppendLine("Помилка вводу кроку.");
    return false;
  }
  const auto found = std::find_if(request.variable.begin(), request.variable.end(), IsLetter);
  if (found == request.variable.end()) {
    feedback.AppendLine("Помилка вводу змінної");
    return false;
  }
  letter = static_cast<char>(*found >= 'a' ? *found - 'a' + 'A' : *found);
  h = std::fabs(h);
  if (a > b) std::swap(a, b);
  // A step below the spacing of doubles at the interval's ends would leave x where
  // it is, and the loop would never end.
  if (a + h == a || b + h == b) {
    feedback.AppendLine("Помилка вводу кроку.");
    return false;
  }
  return true;
}

IntegralOutcome Integrator::Calculate(const IntegralRequest& request, CalculationFeedback& feedback,
                                      char decimalSeparator) {
  IntegralOutcome outcome;
  feedback.AppendLine(StartLine(request.kind, request.expression));
  double a = 0.0, b = 0.0, h = 0.0;
  char letter = 'X';
  if (!ReadLimits(request, feedback, a, b, h, letter)) return outcome;

  double& variable = parser_.VariableSlot(letter);
  variable = 0.0;
  std::string normalized = request.expression;
  FormulaParser::Normalize(normalized);
  const CompiledFormula compiled(parser_, normalized);
  parser_.EvaluateCompiled();
  if (parser_.HasError() && parser_.ErrorCode() <= NotAnExpression) {
    feedback.AppendLine(std::string(FormulaErrorMessages[parser_.ErrorCode()]));
    return outcome;
  }

  feedback.SetProgress(0);
  const double expected = std::floor((b - a) / h) + 1.0;
  const IntegralKind kind = request.kind;
  double sum = 0.0;
  double x = a;
  std::int64_t samples = 0;
  while (x <= b) {
    const std::int64_t chunkEnd = samples + IntegralChunk;
    for (; x <= b && samples < chunkEnd; x += h, ++samples) {
      variable = x;
      const double v = parser_.EvaluateCompiled();
      if (parser_.HasError()) {
        feedback.AppendLine("Результат : неозначеність");
        outcome.samples = samples;
        return outcome;
      }
      sum += Measure(kind, v);
    }
    if (x > b) break;
    const double done = static_cast<double>(samples) * 100.0 / expected;
    feedback.SetProgress(static_cast<int>(std::clamp(done, 0.0, 99.0)));
    if (!feedback.KeepGoing()) {
      feedback.AppendLine(IntegralCancelledLine);
      outcome.samples = samples;
      return outcome;
    }
  }
  double result = h * sum;
  if (kind == IntegralKind::Volume) result = Pi * result;
  feedback.SetProgress(100);
  feedback.AppendLine(CalculatorResultLine(result, decimalSeparator));
  outcome.hasResult = true;
  outcome.result = result;
  outcome.samples = samples;
  return outcome;
}

}  // namespace lw
