// Evaluations per formula: our compiled path, the formula as native C++, and
// muParser, each over the same 1024 (x, y) pairs. After the usual benchmark output
// a table gives ns per evaluation and the ratios, with the targets: within 1.5x of
// native in geometric mean, no formula worse than 2.5x, faster than muParser on each.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "FormulaParser.h"
#ifdef LW_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

constexpr int kSamples = 1024;

struct BenchFormula {
  const char* ours;
  const char* muparser;
  // Called through this pointer for every evaluation, as code that learns the formula
  // only at run time would call it: never inlined into the loop.
  double (*native)(double x, double y);
};

const std::array<BenchFormula, 5> kFormulas = {{
    {"SIN(X)*EXP(-X/5)", "sin(X)*exp(-X/5)",
     [](double x, double) { return std::sin(x) * std::exp(-x / 5); }},
    {"X*X+Y*Y-100", "X*X+Y*Y-100", [](double x, double y) { return x * x + y * y - 100; }},
    {"1/(X-1)", "1/(X-1)", [](double x, double) { return 1 / (x - 1); }},
    {"SQRT(ABS(X))*COS(3*X)+X^2/7", "sqrt(abs(X))*cos(3*X)+X^2/7",
     [](double x, double) { return std::sqrt(std::fabs(x)) * std::cos(3 * x) + x * x / 7; }},
    {"(X+1)*(X-2)*(X+3)/(X*X+1)", "(X+1)*(X-2)*(X+3)/(X*X+1)",
     [](double x, double) { return (x + 1) * (x - 2) * (x + 3) / (x * x + 1); }},
}};

struct Samples {
  std::vector<double> x;
  std::vector<double> y;
  Samples() {
    for (int i = 0; i < kSamples; ++i) {
      x.push_back(-7.3 + i * 0.0137);
      y.push_back(2.1 - i * 0.0091);
    }
  }
};
const Samples kSamplesXY;

void Ours(benchmark::State& state, const BenchFormula* formula) {
  lw::FormulaParser parser;
  parser.Compile(formula->ours);
  double& x = parser.VariableSlot('X');
  double& y = parser.VariableSlot('Y');
  state.SetLabel(parser.HasNativeCode() ? "machine code" : "flat program");
  for (auto _ : state) {
    for (int i = 0; i < kSamples; ++i) {
      x = kSamplesXY.x[i];
      y = kSamplesXY.y[i];
      benchmark::DoNotOptimize(parser.EvaluateCompiled());
    }
  }
  parser.ReleaseCompiled();
}

void Native(benchmark::State& state, const BenchFormula* formula) {
  for (auto _ : state) {
    for (int i = 0; i < kSamples; ++i) {
      benchmark::DoNotOptimize(formula->native(kSamplesXY.x[i], kSamplesXY.y[i]));
    }
  }
}

#ifdef LW_HAVE_MUPARSER
void MuParser(benchmark::State& state, const BenchFormula* formula) {
  double x = 0;
  double y = 0;
  mu::Parser parser;
  parser.DefineVar("X", &x);
  parser.DefineVar("Y", &y);
  parser.SetExpr(formula->muparser);
  for (auto _ : state) {
    for (int i = 0; i < kSamples; ++i) {
      x = kSamplesXY.x[i];
      y = kSamplesXY.y[i];
      benchmark::DoNotOptimize(parser.Eval());
    }
  }
}
#endif

// Remembers ns per evaluation (CPU time, steadier than wall time on a shared machine)
// for each run while the console shows the usual output.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      nsPerEvaluation[run.benchmark_name()] =
          run.cpu_accumulated_time * 1e9 / double(run.iterations) / kSamples;
    }
  }
  std::map<std::string, double> nsPerEvaluation;
};

void PrintTable(const std::map<std::string, double>& ns) {
  std::printf("\n%-30s %10s %10s %10s %12s %12s\n", "formula", "ours ns", "native ns", "muParser",
              "ours/native", "ours/muParser");
  double logSum = 0.0;
  double worst = 0.0;
  bool fasterThanMuParser = true;
  for (std::size_t i = 0; i < kFormulas.size(); ++i) {
    const std::string index = std::to_string(i);
    const auto find = [&](const char* kind) {
      const auto it = ns.find(std::string(kind) + "/" + index);
      return it == ns.end() ? NAN : it->second;
    };
    const double ours = find("Ours");
    const double native = find("Native");
    const double mu = find("MuParser");
    const double ratio = ours / native;
    logSum += std::log(ratio);
    worst = std::max(worst, ratio);
    fasterThanMuParser = fasterThanMuParser && ours < mu;
    std::printf("%-30s %10.2f %10.2f %10.2f %12.2f %12.2f\n", kFormulas[i].ours, ours, native, mu,
                ratio, ours / mu);
  }
  const double geometricMean = std::exp(logSum / double(kFormulas.size()));
  std::printf("\nours/native geometric mean %.2f (target <= 1.5): %s\n", geometricMean,
              geometricMean <= 1.5 ? "met" : "NOT met");
  std::printf("ours/native worst %.2f (target <= 2.5): %s\n", worst,
              worst <= 2.5 ? "met" : "NOT met");
  std::printf("faster than muParser on every formula: %s\n", fasterThanMuParser ? "yes" : "NO");
}

}  // namespace

int main(int argc, char** argv) {
  for (std::size_t i = 0; i < kFormulas.size(); ++i) {
    const std::string index = std::to_string(i);
    benchmark::RegisterBenchmark(("Ours/" + index).c_str(), Ours, &kFormulas[i]);
    benchmark::RegisterBenchmark(("Native/" + index).c_str(), Native, &kFormulas[i]);
#ifdef LW_HAVE_MUPARSER
    benchmark::RegisterBenchmark(("MuParser/" + index).c_str(), MuParser, &kFormulas[i]);
#endif
  }
  benchmark::Initialize(&argc, argv);
  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintTable(reporter.nsPerEvaluation);
  benchmark::Shutdown();
  return 0;
}
