#include "plot2d/CurveSampling.h"

#include <algorithm>
#include <cmath>

#include "document/ParallelLoop.h"

namespace lw {
namespace {

// Samples handed to the evaluator per call.
constexpr std::size_t kBlock = 256;
// Refining passes after the first; each divides what is still too coarse.
constexpr int kPasses = 10;
// The most pieces one interval is cut into by one pass: a jump of thousands of pixels
// (a curve running off to infinity) is narrowed pass by pass instead of all at once.
constexpr std::size_t kMostPieces = 256;
// Pieces of an interval where the curve breaks: each pass narrows the break eightfold.
constexpr std::size_t kBreakPieces = 8;

void EvaluateAll(std::span<CurveSample> samples, const WorkControl* work, int threads,
                 const CurveEvaluator& evaluate) {
  const int blocks = static_cast<int>((samples.size() + kBlock - 1) / kBlock);
  ForEachPiece(work, threads, blocks, 0, [&](int first, int last, int slot) {
    for (int b = first; b < last && !Stopped(work); ++b) {
      const std::size_t begin = static_cast<std::size_t>(b) * kBlock;
      evaluate(samples.subspan(begin, std::min(kBlock, samples.size() - begin)), slot);
    }
  });
}

// Both ends beyond the same edge of the frame: nothing between them is seen, so
// their distance does not matter.
bool BeyondOneEdge(const CurveFrame& f, double ax, double ay, double bx, double by) {
  return (ax < f.left && bx < f.left) || (ax > f.right && bx > f.right) ||
         (ay < f.top && by < f.top) || (ay > f.bottom && by > f.bottom);
}

// How many pieces the next pass cuts the interval from a to b into; 1 keeps it.
std::size_t PiecesOf(const CurveSample& a, const CurveSample& b, const CurveFrame& f) {
  const double middle = a.t + (b.t - a.t) / 2;
  if (middle == a.t || middle == b.t) return 1;  // the parameter cannot be divided finer
  if (!a.valid && !b.valid) return 1;
  if (!Joined(a, b)) return kBreakPieces;
  const double ax = a.x * f.scaleX + f.originX, ay = f.originY - a.y * f.scaleY;
  const double bx = b.x * f.scaleX + f.originX, by = f.originY - b.y * f.scaleY;
  if (BeyondOneEdge(f, ax, ay, bx, by)) return 1;
  const double gap = std::max(std::fabs(bx - ax), std::fabs(by - ay));
  if (!(gap > 1.0)) return 1;
  if (!(gap < static_cast<double>(kMostPieces))) return kMostPieces;
  return static_cast<std::size_t>(std::ceil(gap));
}

// Fits the new samples into what is left of the budget, by the same share for every
// interval, so the result still depends on the values only. Returns the new count.
std::size_t FitToBudget(std::vector<std::size_t>& pieces, std::size_t extra, std::size_t room) {
  if (extra <= room) return extra;
  std::size_t fitted = 0;
  for (std::size_t& p : pieces) {
    p = 1 + (p - 1) * room / extra;
    fitted += p - 1;
  }
  return fitted;
}

// One refining pass; false when nothing was divided.
bool Refine(std::vector<CurveSample>& samples, const CurveFrame& frame, const WorkControl* work,
            int threads, const CurveEvaluator& evaluate, std::size_t maxSamples) {
  if (samples.size() >= maxSamples) return false;
  std::vector<std::size_t> pieces(samples.size() - 1);
  std::size_t extra = 0;
  for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
    pieces[i] = PiecesOf(samples[i], samples[i + 1], frame);
    extra += pieces[i] - 1;
  }
  extra = FitToBudget(pieces, extra, maxSamples - samples.size());
  if (extra == 0) return false;
  std::vector<CurveSample> fresh;
  fresh.reserve(extra);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    for (std::size_t j = 1; j < pieces[i]; ++j) {
      const double share = static_cast<double>(j) / static_cast<double>(pieces[i]);
      fresh.push_back(CurveSample{std::lerp(samples[i].t, samples[i + 1].t, share)});
    }
  }
  EvaluateAll(fresh, work, threads, evaluate);
  if (Stopped(work)) return false;
  std::vector<CurveSample> merged;
  merged.reserve(samples.size() + fresh.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    merged.push_back(samples[i]);
    if (i < pieces.size()) {
      for (std::size_t j = 1; j < pieces[i]; ++j) merged.push_back(fresh[next++]);
    }
  }
  samples = std::move(merged);
  return true;
}

}  // namespace

std::vector<CurveSample> SampleEvenly(double t0, double t1, std::size_t steps,
                                      const WorkControl* work, int threads,
                                      const CurveEvaluator& evaluate) {
  if (t0 == t1) steps = 0;
  std::vector<CurveSample> samples(steps + 1);
  for (std::size_t i = 0; i <= steps; ++i) {
    samples[i].t = steps == 0 ? t0 : std::lerp(t0, t1, static_cast<double>(i) / steps);
  }
  EvaluateAll(samples, work, threads, evaluate);
  if (Stopped(work)) return {};
  return samples;
}

std::vector<CurveSample> SampleCurve(double t0, double t1, const CurveFrame& frame,
                                     const WorkControl* work, int threads,
                                     const CurveEvaluator& evaluate, std::size_t maxSamples) {
  std::vector<CurveSample> samples =
      SampleEvenly(t0, t1, std::min(InitialCurveSteps, maxSamples - 1), work, threads, evaluate);
  for (int pass = 0; pass < kPasses && !samples.empty(); ++pass) {
    if (!Refine(samples, frame, work, threads, evaluate, maxSamples)) break;
  }
  if (Stopped(work)) return {};
  return samples;
}

}  // namespace lw
