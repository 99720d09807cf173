#include "Integral.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "NumberFormat.h"
#include "ParallelLoop.h"
#include "WorkerParsers.h"

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

namespace {

// Progress between chunks, and whether the calculation may go on.
bool ReportChunk(CalculationFeedback& feedback, const WorkControl* work, std::int64_t samples,
                 double expected) {
  const double done = static_cast<double>(samples) * 100.0 / expected;
  feedback.SetProgress(static_cast<int>(std::clamp(done, 0.0, 99.0)));
  return feedback.KeepGoing() && !Stopped(work);
}

}  // namespace

Integrator::SampleSum Integrator::SumSerially(double a, double b, double h, char letter,
                                              IntegralKind kind, CalculationFeedback& feedback,
                                              const WorkControl* work) {
  SampleSum out;
  double& variable = parser_.VariableSlot(letter);
  const double expected = std::floor((b - a) / h) + 1.0;
  double x = a;
  while (x <= b) {
    const std::int64_t chunkEnd = out.samples + IntegralChunk;
    for (; x <= b && out.samples < chunkEnd; x += h, ++out.samples) {
      variable = x;
      const double v = parser_.EvaluateCompiled();
      if (parser_.HasError()) {
        out.end = SumEnd::NoValue;
        return out;
      }
      out.sum += Measure(kind, v);
    }
    if (x > b) break;
    if (!ReportChunk(feedback, work, out.samples, expected)) {
      out.end = SumEnd::Stopped;
      return out;
    }
  }
  return out;
}

// Chunk by chunk: the x of the chunk by the same running sum as the serial loop, the
// values on every thread, then the sum in sample order up to the first sample
// without a value.
Integrator::SampleSum Integrator::SumInParallel(double a, double b, double h, char letter,
                                                IntegralKind kind, const std::string& normalized,
                                                CalculationFeedback& feedback,
                                                const WorkControl* work, int threads) {
  SampleSum out;
  WorkerParsers<FormulaParser> engines(parser_, normalized, threads);
  constexpr auto kChunk = static_cast<std::size_t>(IntegralChunk);
  std::vector<double> xs(kChunk), values(kChunk);
  std::vector<std::uint8_t> failed(kChunk);
  const double expected = std::floor((b - a) / h) + 1.0;
  double x = a;
  while (x <= b) {
    int n = 0;
    for (; x <= b && n < IntegralChunk; x += h) xs[static_cast<std::size_t>(n++)] = x;
    ForEachPiece(work, engines.Slots(), n, 4096, [&](int first, int last, int slot) {
      FormulaParser& parser = engines[slot];
      double& variable = parser.VariableSlot(letter);
      for (int i = first; i < last; ++i) {
        const auto at = static_cast<std::size_t>(i);
        variable = xs[at];
        values[at] = parser.EvaluateCompiled();
        failed[at] = parser.HasError() ? 1 : 0;
      }
    });
    if (Stopped(work)) {  // pieces of this chunk may have been skipped
      out.end = SumEnd::Stopped;
      return out;
    }
    for (int i = 0; i < n; ++i, ++out.samples) {
      const auto at = static_cast<std::size_t>(i);
      if (failed[at] != 0) {
        out.end = SumEnd::NoValue;
        return out;
      }
      out.sum += Measure(kind, values[at]);
    }
    if (x > b) break;
    if (!ReportChunk(feedback, work, out.samples, expected)) {
      out.end = SumEnd::Stopped;
      return out;
    }
  }
  return out;
}

IntegralOutcome Integrator::Calculate(const IntegralRequest& request, CalculationFeedback& feedback,
                                      char decimalSeparator, const WorkControl* work) {
  IntegralOutcome outcome;
  feedback.AppendLine(StartLine(request.kind, request.expression));
  double a = 0.0, b = 0.0, h = 0.0;
  char letter = 'X';
  if (!ReadLimits(request, feedback, a, b, h, letter)) return outcome;

  parser_.VariableSlot(letter) = 0.0;
  std::string normalized = request.expression;
  FormulaParser::Normalize(normalized);
  const CompiledFormula compiled(parser_, normalized);
  parser_.EvaluateCompiled();
  if (parser_.HasError() && parser_.ErrorCode() <= NotAnExpression) {
    feedback.AppendLine(std::string(FormulaErrorMessages[parser_.ErrorCode()]));
    return outcome;
  }

  feedback.SetProgress(0);
  const IntegralKind kind = request.kind;
  const int threads = ThreadsFor(work, parser_);
  const SampleSum sampled =
      threads > 1 ? SumInParallel(a, b, h, letter, kind, normalized, feedback, work, threads)
                  : SumSerially(a, b, h, letter, kind, feedback, work);
  outcome.samples = sampled.samples;
  if (sampled.end == SumEnd::NoValue) {
    feedback.AppendLine("Результат : неозначеність");
    return outcome;
  }
  if (sampled.end == SumEnd::Stopped) {
    feedback.AppendLine(IntegralCancelledLine);
    return outcome;
  }
  double result = h * sampled.sum;
  if (kind == IntegralKind::Volume) result = Pi * result;
  feedback.SetProgress(100);
  feedback.AppendLine(CalculatorResultLine(result, decimalSeparator));
  outcome.hasResult = true;
  outcome.result = result;
  return outcome;
}

}  // namespace lw
