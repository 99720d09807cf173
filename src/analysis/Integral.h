// The definite integral of a formula in one variable by a rectangle sum with a fixed
// step: the area under the graph, the volume of the solid of revolution, or the
// plain integral sum. Each calculation writes its lines to a log through a feedback
// interface, which also gets the progress and may stop a long calculation; a window
// pumps its events there so it keeps painting.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "document/WorkControl.h"
#include "formula/FormulaParser.h"

namespace lw {

enum class IntegralKind : std::uint8_t { Area = 0, Volume = 1, Sum = 2 };

// The fields of the integral window, with their texts at creation.
struct IntegralRequest {
  std::string expression;
  std::string left = "-10";
  std::string right = "10";
  std::string step = "0.001";
  std::string variable = "X";
  IntegralKind kind = IntegralKind::Area;
};

class CalculationFeedback {
 public:
  virtual ~CalculationFeedback() = default;
  // One more line of the results log (UTF-8).
  virtual void AppendLine(const std::string& line) = 0;
  // 0 before the samples, 100 after them, whole percents in between.
  virtual void SetProgress(int /*percent*/) {}
  // Asked between chunks of samples; false stops the calculation.
  virtual bool KeepGoing() { return true; }
};

// Samples evaluated between two KeepGoing calls; a few milliseconds of work.
inline constexpr std::int64_t IntegralChunk = 1 << 16;

inline constexpr const char* IntegralCancelledLine = "Обрахунок перервано.";
// The answer to a text of several formulas, such as a parametric curve's.
inline constexpr const char* CurveIntegralLine =
    "Інтеграл береться від одного виразу, а не від кривої виду X;Y;T0;T1.";

struct IntegralOutcome {
  bool hasResult = false;  // a result line was written
  double result = 0.0;
  std::int64_t samples = 0;
};

class Integrator {
 public:
  Integrator();
  Integrator(const Integrator&) = delete;
  Integrator& operator=(const Integrator&) = delete;

  // The whole calculation of the "Порахувати" button. With work, the samples are
  // evaluated on its threads (the sum is still added in sample order, so the result
  // is the same to the last bit) and its stop request ends the calculation like a
  // false KeepGoing.
  IntegralOutcome Calculate(const IntegralRequest& request, CalculationFeedback& feedback,
                            char decimalSeparator = '.', const WorkControl* work = nullptr);

 private:
  // The rectangle sum of the samples a, a + h, ... <= b of the compiled formula.
  enum class SumEnd { Done, NoValue, Stopped };
  struct SampleSum {
    SumEnd end = SumEnd::Done;
    double sum = 0.0;
    std::int64_t samples = 0;
  };
  // Samples evaluated together by one worker; a chunk is a whole number of pieces.
  static constexpr std::size_t kPiece = 4096;
  static_assert(IntegralChunk % kPiece == 0);
  // One piece of samples: their x, then their values and error codes.
  struct SamplePiece {
    std::array<double, kPiece> xs, values;
    std::array<std::uint8_t, kPiece> codes;
    std::size_t count = 0;
    bool last = false;  // no sample follows this piece
  };
  static bool AddInOrder(IntegralKind kind, const double* values, const std::uint8_t* codes,
                         std::size_t n, SampleSum& out);
  // The x of the samples, a, a + h, ... while x <= b.
  struct RunningX {
    double x, b, h;
  };
  static bool AddAndLayOut(IntegralKind kind, const double* values, const std::uint8_t* codes,
                           std::size_t n, SampleSum& out, RunningX& walk, double* next,
                           std::size_t room, std::size_t& laid);
  SampleSum SumSerially(double a, double b, double h, char letter, IntegralKind kind,
                        CalculationFeedback& feedback, const WorkControl* work);
  SampleSum SumInParallel(double a, double b, double h, char letter, IntegralKind kind,
                          const std::string& normalized, CalculationFeedback& feedback,
                          const WorkControl* work, int threads);

  // Reads the limits, step and variable; writes the failure line when one is wrong.
  bool ReadLimits(const IntegralRequest& request, CalculationFeedback& feedback, double& a,
                  double& b, double& h, char& letter);

  FormulaParser parser_;
};

}  // namespace lw
