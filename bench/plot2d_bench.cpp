// Full builds of a relation region, a contour and a colour map over the whole
// 1600 x 1200 picture, against the bare compiled evaluations of the same formula at
// the same pixels (the same walk, parser and variable slots, nothing tested or drawn).
// Each runs seven times; after the usual output a table compares the fastest runs
// (other work on a shared machine only ever adds time) and, for information, the
// medians, and gives the targets: region and colour map within 1.25x of their bare
// evaluations, contour within 1.5x.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "Picture2DSetup.h"
#include "plot2d/BuildCommands.h"
#include "plot2d/Builders2D.h"

namespace {

constexpr int kWidth = lw::PlotPicture::DefaultWidth;
constexpr int kHeight = lw::PlotPicture::DefaultHeight;

const std::array<const char*, 2> kFormulas = {"X*X+Y*Y-100", "SIN(X)*COS(Y)*5-X/(Y*Y+1)"};

using Setup = Picture2DSetup;

// The walk of the two-dimensional builders with only the evaluations left in it.
void BareWalk(lw::FormulaParser& parser, const lw::View2D& v, const char* formula) {
  std::string text = formula;
  lw::FormulaParser::Normalize(text);
  parser.Compile(text);
  double& xSlot = parser.VariableSlot(v.VarX);
  double& ySlot = parser.VariableSlot(v.VarY);
  int rows = 0;
  for (double y = v.YStart; y <= v.YEnd; y += v.PixelStepY) ++rows;
  for (double x = v.XStart; x <= v.XEnd; x += v.PixelStepX) {
    double y = v.YStart;
    for (int r = 0; r < rows; ++r, y += v.PixelStepY) {
      xSlot = x;
      ySlot = y;
      benchmark::DoNotOptimize(parser.EvaluateCompiled());
      benchmark::DoNotOptimize(parser.HasError());
    }
  }
  parser.ReleaseCompiled();
}

enum Kind { Region, Contour, Gamma };

void Build(benchmark::State& state, Kind kind, const char* formula) {
  Setup s(formula, kind == Gamma ? lw::ColorGamma : lw::Relation, kind == Contour ? 1 : 0);
  for (auto _ : state) lw::BuildEntry2D(s.ctx, 0);
  state.counters["pixels"] = double(kWidth) * kHeight;
}

void Bare(benchmark::State& state, Kind kind, const char* formula) {
  Setup s(formula, lw::Relation, 0);
  lw::FormulaParser& parser =
      kind == Contour ? static_cast<lw::FormulaParser&>(s.poleParser) : s.explicitParser;
  for (auto _ : state) BareWalk(parser, s.view, formula);
}

// Each benchmark runs this many times. On a shared machine a burst of other work can
// slow single runs by a fifth or more, and the builds, which write the picture, feel
// it more than the bare evaluations; the fastest run shows what the code costs.
constexpr int kRepetitions = 7;

struct Times {
  double fastest = 0, median = 0;  // ms of CPU time per build
};

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate) continue;
      Times& times = ms[run.run_name.function_name];
      if (run.aggregate_name == "fastest") times.fastest = run.GetAdjustedCPUTime();
      if (run.aggregate_name == "median") times.median = run.GetAdjustedCPUTime();
    }
  }
  std::map<std::string, Times> ms;
};

const char* kKindNames[] = {"Region", "Contour", "Gamma"};

void PrintRatios(const std::map<std::string, Times>& ms) {
  // CPU time: the machine may be busy with other work while this runs.
  std::printf("\n%-8s %-28s %10s %10s %8s %8s %16s\n", "builder", "formula", "build ms", "bare ms",
              "ratio", "target", "median ratio");
  bool allMet = true;
  for (int kind = 0; kind < 3; ++kind) {
    const double target = kind == Contour ? 1.5 : 1.25;
    for (std::size_t f = 0; f < kFormulas.size(); ++f) {
      const std::string suffix = std::string(kKindNames[kind]) + "/" + std::to_string(f);
      const auto build = ms.find("Build" + suffix);
      const auto bare = ms.find("Bare" + suffix);
      if (build == ms.end() || bare == ms.end()) continue;
      const double ratio = build->second.fastest / bare->second.fastest;
      allMet = allMet && ratio <= target;
      std::printf("%-8s %-28s %10.1f %10.1f %8.2f %8.2f %-7s %8.2f\n", kKindNames[kind],
                  kFormulas[f], build->second.fastest, bare->second.fastest, ratio, target,
                  ratio <= target ? "met" : "NOT met", build->second.median / bare->second.median);
    }
  }
  std::printf("\nall targets: %s\n", allMet ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  for (int kind = 0; kind < 3; ++kind) {
    for (std::size_t f = 0; f < kFormulas.size(); ++f) {
      const std::string suffix = std::string(kKindNames[kind]) + "/" + std::to_string(f);
      for (const char* way : {"Build", "Bare"}) {
        benchmark::RegisterBenchmark((way + suffix).c_str(), way[1] == 'u' ? Build : Bare,
                                     Kind(kind), kFormulas[f])
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(kRepetitions)
            ->ComputeStatistics(
                "fastest",
                [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
            ->ReportAggregatesOnly(true);
      }
    }
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios(reporter.ms);
  benchmark::Shutdown();
  return 0;
}
