// Samples of a curve of one parameter, chosen so that successive points lie at most
// about one pixel apart wherever the curve is continuous: a first even pass, then
// passes that divide every interval still too long on screen, and narrow down the
// intervals where the curve breaks (no value, or a divisor changing sign). The
// choice depends on the values only, so any number of threads gives the same samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "document/WorkControl.h"

namespace lw {

// One point of a curve: its parameter, its position in world units, the division
// counts of its formulas (a change between neighbours means a pole may lie between
// them) and whether it has a value at all.
struct CurveSample {
  double t = 0;
  double x = 0, y = 0;
  std::uint64_t divisions = 0;
  bool valid = false;
};

// Whether the segment between two samples is drawn: both have values and no divisor
// changed sign between them.
inline bool Joined(const CurveSample& a, const CurveSample& b) {
  return a.valid && b.valid && a.divisions == b.divisions;
}

// Where pixels are: px = x * ScaleX + OriginX, py = OriginY - y * ScaleY, and the
// pixel box (with a margin) outside which the spacing of samples does not matter.
struct CurveFrame {
  double scaleX = 1, scaleY = 1;
  double originX = 0, originY = 0;
  double left = 0, top = 0, right = 0, bottom = 0;
};

// Fills x, y, divisions and valid of every sample from its t, on worker slot `slot`.
using CurveEvaluator = std::function<void(std::span<CurveSample> samples, int slot)>;

// The even first pass, and the samples a curve may take at most (the passes that
// refine it stop dividing there).
inline constexpr std::size_t InitialCurveSteps = 1024;
inline constexpr std::size_t MaxCurveSamples = std::size_t{1} << 19;
// The dots of a curve drawn without joining: this many steps, so 2001 dots.
inline constexpr std::size_t CurveDotSteps = 2000;

// The curve from t0 to t1, refined as described above; empty when the work was
// stopped. `threads` is the number of worker slots the evaluator has.
std::vector<CurveSample> SampleCurve(double t0, double t1, const CurveFrame& frame,
                                     const WorkControl* work, int threads,
                                     const CurveEvaluator& evaluate,
                                     std::size_t maxSamples = MaxCurveSamples);

// `steps` + 1 samples evenly from t0 to t1, both ends exact; empty when stopped.
std::vector<CurveSample> SampleEvenly(double t0, double t1, std::size_t steps,
                                      const WorkControl* work, int threads,
                                      const CurveEvaluator& evaluate);

}  // namespace lw
