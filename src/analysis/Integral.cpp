#include "analysis/Integral.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "document/ParallelLoop.h"
#include "document/WorkerParsers.h"
#include "formula/NumberFormat.h"

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

// Samples evaluated per call of the engine on one thread.
constexpr std::int64_t kSerialBlock = 512;

}  // namespace

// Adds the measures of n samples in their order; true, with the end set, at the
// first sample without a value.
bool Integrator::AddInOrder(IntegralKind kind, const double* values, const std::uint8_t* codes,
                            std::size_t n, SampleSum& out) {
  double sum = out.sum;
  std::size_t i = 0;
  for (; i < n && codes[i] == NoFormulaError; ++i) sum += Measure(kind, values[i]);
  out.sum = sum;
  out.samples += static_cast<std::int64_t>(i);
  if (i == n) return false;
  out.end = SumEnd::NoValue;
  return true;
}

// Adds the measures of the n samples just evaluated while laying out the x of up to
// `room` samples of the next block in next (their number in laid): the sum and the
// running x are each a chain of dependent additions, and in one loop the processor
// runs the two side by side. True, with the end set, at the first sample without a
// value.
bool Integrator::AddAndLayOut(IntegralKind kind, const double* values, const std::uint8_t* codes,
                              std::size_t n, SampleSum& out, RunningX& walk, double* next,
                              std::size_t room, std::size_t& laid) {
  // Both chains in locals: the stores to next could otherwise alias them.
  double x = walk.x, sum = out.sum;
  std::size_t i = 0, m = 0;
  for (; i < n && m < room && x <= walk.b; ++i) {
    if (codes[i] != NoFormulaError) break;
    sum += Measure(kind, values[i]);
    next[m++] = x;
    x += walk.h;
  }
  out.sum = sum;
  out.samples += static_cast<std::int64_t>(i);
  for (; m < room && x <= walk.b; x += walk.h) next[m++] = x;
  walk.x = x;
  laid = m;
  return AddInOrder(kind, values + i, codes + i, n - i, out);
}

Integrator::SampleSum Integrator::SumSerially(double a, double b, double h, char letter,
                                              IntegralKind kind, CalculationFeedback& feedback,
                                              const WorkControl* work) {
  SampleSum out;
  // A formula that keeps state between samples is evaluated one sample per call, so
  // nothing is evaluated past a sample without a value.
  const std::int64_t block = DependsOnSampleOrder(parser_) ? 1 : kSerialBlock;
  std::array<std::array<double, kSerialBlock>, 2> xs;
  std::array<double, kSerialBlock> values;
  std::array<std::uint8_t, kSerialBlock> codes;
  const double expected = std::floor((b - a) / h) + 1.0;
  RunningX walk{a, b, h};
  std::int64_t laidOut = 0;  // no block runs past the end of a chunk
  const auto room = [&] {
    return static_cast<std::size_t>(std::min(block, IntegralChunk - laidOut % IntegralChunk));
  };
  std::size_t n = 0;
  AddAndLayOut(kind, nullptr, nullptr, 0, out, walk, xs[0].data(), room(), n);
  laidOut += static_cast<std::int64_t>(n);
  for (std::size_t cur = 0; n > 0; cur = 1 - cur) {
    parser_.EvaluateBatch(letter, std::span(xs[cur].data(), n), {values.data(), codes.data()});
    std::size_t next = 0;
    if (AddAndLayOut(kind, values.data(), codes.data(), n, out, walk, xs[1 - cur].data(), room(),
                     next))
      return out;
    laidOut += static_cast<std::int64_t>(next);
    n = next;
    if (n > 0 && out.samples % IntegralChunk == 0 &&
        !ReportChunk(feedback, work, out.samples, expected)) {
      out.end = SumEnd::Stopped;
      return out;
    }
  }
  return out;
}

// A stream of pieces: the values evaluated on every thread, and the measures added in
// sample order up to the first sample without a value. The x of each piece come from
// the same running sum as in the serial loop; as there, one loop adds a piece's
// measures and lays out the x of the piece that reuses its buffer next, so the two
// chains of dependent additions run side by side. The first pieces are laid out
// before the stream starts.
Integrator::SampleSum Integrator::SumInParallel(double a, double b, double h, char letter,
                                                IntegralKind kind, const std::string& normalized,
                                                CalculationFeedback& feedback,
                                                const WorkControl* work, int threads) {
  SampleSum out;
  WorkerParsers<FormulaParser> engines(parser_, normalized, threads);
  std::vector<SamplePiece> pieces(static_cast<std::size_t>(4 * threads));
  const auto piece = [&pieces](int buffer) -> SamplePiece& {
    return pieces[static_cast<std::size_t>(buffer)];
  };
  const double expected = std::floor((b - a) / h) + 1.0;
  RunningX walk{a, b, h};
  const auto laidOut = [&walk](SamplePiece& p, std::size_t count) {
    p.count = count;
    p.last = !(walk.x <= walk.b);
  };
  for (SamplePiece& p : pieces) {
    std::size_t n = 0;
    AddAndLayOut(kind, nullptr, nullptr, 0, out, walk, p.xs.data(), kPiece, n);
    laidOut(p, n);
  }
  // Set by the giving stage, read by the taking one: nothing more is needed.
  std::atomic<bool> ended{false};
  const auto take = [&](int buffer) {
    return !ended.load(std::memory_order_relaxed) && piece(buffer).count > 0;
  };
  const auto evaluate = [&](int buffer, int slot) {
    SamplePiece& p = piece(buffer);
    engines[slot].EvaluateBatch(letter, std::span(p.xs.data(), p.count),
                                {p.values.data(), p.codes.data()});
  };
  const auto give = [&](int buffer) {
    if (ended.load(std::memory_order_relaxed)) return;
    SamplePiece& p = piece(buffer);
    const bool last = p.last;
    std::size_t laid = 0;
    bool end = AddAndLayOut(kind, p.values.data(), p.codes.data(), p.count, out, walk, p.xs.data(),
                            kPiece, laid);
    laidOut(p, laid);
    if (!end && !last && out.samples % IntegralChunk == 0 &&
        !ReportChunk(feedback, work, out.samples, expected)) {
      out.end = SumEnd::Stopped;
      end = true;
    }
    if (end) ended.store(true, std::memory_order_relaxed);
  };
  StreamInOrder(work, engines.Slots(), static_cast<int>(pieces.size()), take, evaluate, give);
  if (out.end == SumEnd::Done && Stopped(work)) out.end = SumEnd::Stopped;
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
  if (normalized.find(';') != std::string::npos) {
    // The text of a curve of T (X;Y;T0;T1): several formulas, not one to integrate.
    feedback.AppendLine(CurveIntegralLine);
    return outcome;
  }
  const CompiledFormula compiled(parser_, normalized);
  parser_.EvaluateCompiled();
  if (parser_.HasError() && parser_.ErrorCode() <= NotAnExpression) {
    feedback.AppendLine(std::string(FormulaErrorMessages[parser_.ErrorCode()]));
    return outcome;
  }

  feedback.SetProgress(0);
  const IntegralKind kind = request.kind;
  // Fewer samples than a chunk take less time than setting the workers going.
  const bool large = std::floor((b - a) / h) + 1.0 > static_cast<double>(IntegralChunk);
  const int threads = large ? ThreadsFor(work, parser_) : 1;
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
