// Evaluations per formula: our compiled path one point per call and as one batch,
// the formula as native C++, muParser, and numpy's vectorised arrays (measured by
// python3 in the same run, when it is there), each over the same 1024 (x, y) pairs.
// After the usual benchmark output a table gives ns per evaluation and the ratios,
// with the targets: within 1.5x of native in geometric mean, no formula worse than
// 2.5x, faster than muParser on each, and the batch at or below numpy on each.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "formula/FormulaParser.h"
#ifdef LW_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

constexpr int kSamples = 1024;
// Each benchmark runs this often; the table gives the median.
constexpr int kRepetitions = 5;

struct BenchFormula {
  const char* ours;
  const char* muparser;
  const char* numpy;
  // Called through this pointer for every evaluation, as code that learns the formula
  // only at run time would call it: never inlined into the loop.
  double (*native)(double x, double y);
};

const std::array<BenchFormula, 5> kFormulas = {{
    {"SIN(X)*EXP(-X/5)", "sin(X)*exp(-X/5)", "np.sin(x)*np.exp(-x/5)",
     [](double x, double) { return std::sin(x) * std::exp(-x / 5); }},
    {"X*X+Y*Y-100", "X*X+Y*Y-100", "x*x+y*y-100",
     [](double x, double y) { return x * x + y * y - 100; }},
    {"1/(X-1)", "1/(X-1)", "1/(x-1)", [](double x, double) { return 1 / (x - 1); }},
    {"SQRT(ABS(X))*COS(3*X)+X^2/7", "sqrt(abs(X))*cos(3*X)+X^2/7",
     "np.sqrt(np.abs(x))*np.cos(3*x)+x**2/7",
     [](double x, double) { return std::sqrt(std::fabs(x)) * std::cos(3 * x) + x * x / 7; }},
    {"(X+1)*(X-2)*(X+3)/(X*X+1)", "(X+1)*(X-2)*(X+3)/(X*X+1)", "(x+1)*(x-2)*(x+3)/(x*x+1)",
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

// The same points as one batch per 1024, as the builders' column and row walks call it.
void Batch(benchmark::State& state, const BenchFormula* formula) {
  lw::FormulaParser parser;
  parser.Compile(formula->ours);
  std::vector<double> values(kSamples);
  std::vector<std::uint8_t> codes(kSamples);
  const lw::FormulaParser::BatchInput inputs[] = {{'X', kSamplesXY.x}, {'Y', kSamplesXY.y}};
  for (auto _ : state) {
    parser.EvaluateBatch(inputs, {values.data(), codes.data()});
    benchmark::DoNotOptimize(values.data());
    benchmark::ClobberMemory();
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
// of every repetition while the console shows the usual output; the table takes the
// median of the repetitions, the statistic numpy's row is measured with, so that a
// burst of load elsewhere on the machine weighs alike on both sides.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      repetitions_[run.run_name.function_name].push_back(run.cpu_accumulated_time * 1e9 /
                                                         double(run.iterations) / kSamples);
    }
  }
  std::map<std::string, double> NsPerEvaluation() const {
    std::map<std::string, double> medians;
    for (auto [name, ns] : repetitions_) {
      std::sort(ns.begin(), ns.end());
      medians[name] = ns[ns.size() / 2];
    }
    return medians;
  }

 private:
  std::map<std::string, std::vector<double>> repetitions_;
};

// ns per point of each formula as numpy arrays of the same 1024 points: the median
// of many timed repeats, in CPU time like the rest; empty when python3 with numpy is
// not there.
std::vector<double> MeasureNumpy() {
  std::string script =
      "import sys, time\n"
      "try:\n import numpy as np\nexcept ImportError:\n sys.exit(0)\n"
      "i = np.arange(1024, dtype=np.float64)\n"
      "x = -7.3 + i * 0.0137\ny = 2.1 - i * 0.0091\n"
      "for e in sys.argv[1:]:\n"
      " f = eval('lambda x, y: ' + e)\n"
      " runs = []\n"
      " for r in range(101):\n"
      "  t = time.process_time()\n"
      "  for k in range(20): f(x, y)\n"
      "  runs.append((time.process_time() - t) / 20)\n"
      " runs.sort()\n"
      " print(runs[len(runs) // 2] * 1e9 / 1024)\n";
  // The system's python3 is the one the numpy package goes with.
  std::string command =
      "$(command -v /usr/bin/python3 || command -v python3) -c \"" + script + "\"";
  for (const BenchFormula& formula : kFormulas) command += std::string(" '") + formula.numpy + "'";
  command += " 2>/dev/null";
  std::vector<double> ns;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return ns;
  double value = 0.0;
  while (std::fscanf(pipe, "%lf", &value) == 1) ns.push_back(value);
  pclose(pipe);
  if (ns.size() != kFormulas.size()) ns.clear();
  return ns;
}

void PrintTable(const std::map<std::string, double>& ns) {
  const std::vector<double> numpy = MeasureNumpy();
  std::printf("\n%-30s %9s %9s %9s %9s %9s %11s %11s %11s\n", "formula", "ours ns", "batch ns",
              "native ns", "muParser", "numpy ns", "ours/native", "ours/muPars", "batch/numpy");
  double logSum = 0.0;
  double worst = 0.0;
  bool fasterThanMuParser = true;
  bool batchAtOrBelowNumpy = !numpy.empty();
  for (std::size_t i = 0; i < kFormulas.size(); ++i) {
    const std::string index = std::to_string(i);
    const auto find = [&](const char* kind) {
      const auto it = ns.find(std::string(kind) + "/" + index);
      return it == ns.end() ? NAN : it->second;
    };
    const double ours = find("Ours");
    const double native = find("Native");
    const double mu = find("MuParser");
    const double batch = find("Batch");
    const double np = numpy.empty() ? NAN : numpy[i];
    batchAtOrBelowNumpy = batchAtOrBelowNumpy && batch <= np;
    const double ratio = ours / native;
    logSum += std::log(ratio);
    worst = std::max(worst, ratio);
    fasterThanMuParser = fasterThanMuParser && ours < mu;
    std::printf("%-30s %9.2f %9.2f %9.2f %9.2f %9.2f %11.2f %11.2f %11.2f\n", kFormulas[i].ours,
                ours, batch, native, mu, np, ratio, ours / mu, batch / np);
  }
  const double geometricMean = std::exp(logSum / double(kFormulas.size()));
  std::printf("\nours/native geometric mean %.2f (target <= 1.5): %s\n", geometricMean,
              geometricMean <= 1.5 ? "met" : "NOT met");
  std::printf("ours/native worst %.2f (target <= 2.5): %s\n", worst,
              worst <= 2.5 ? "met" : "NOT met");
  std::printf("faster than muParser on every formula: %s\n", fasterThanMuParser ? "yes" : "NO");
  if (numpy.empty()) {
    std::printf("numpy: not measured (python3 with numpy is missing)\n");
  } else {
    std::printf("batch at or below numpy on every formula: %s\n",
                batchAtOrBelowNumpy ? "yes" : "NO");
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (std::size_t i = 0; i < kFormulas.size(); ++i) {
    const std::string index = std::to_string(i);
    benchmark::RegisterBenchmark(("Ours/" + index).c_str(), Ours, &kFormulas[i])
        ->Repetitions(kRepetitions);
    benchmark::RegisterBenchmark(("Batch/" + index).c_str(), Batch, &kFormulas[i])
        ->Repetitions(kRepetitions);
    benchmark::RegisterBenchmark(("Native/" + index).c_str(), Native, &kFormulas[i])
        ->Repetitions(kRepetitions);
#ifdef LW_HAVE_MUPARSER
    benchmark::RegisterBenchmark(("MuParser/" + index).c_str(), MuParser, &kFormulas[i])
        ->Repetitions(kRepetitions);
#endif
  }
  benchmark::Initialize(&argc, argv);
  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintTable(reporter.NsPerEvaluation());
  benchmark::Shutdown();
  return 0;
}
