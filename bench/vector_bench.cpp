// The 2D picture as a drawing. First examples/functions.lwf built at 1600 x 1200 and
// written as PNG (as render2d writes it), as SVG and as PDF: each drawing within 2x of
// the PNG. Then the record's share of a build: the region, contour and colour-map
// builders over the whole picture with their record (BuildEntry2D) against the same
// builders alone (RunBuilder), within 1.1x, for a cheap formula (0) and a dear one (1), and the
// record's memory against the picture's. Each runs seven times; the table compares the fastest runs
// (other work on a shared machine only ever adds time) and, for information, the medians.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "Picture2DSetup.h"
#include "document/SettingsFile.h"
#include "plot2d/PngFormat.h"
#include "plot2d/VectorFormats.h"

namespace {

constexpr int kWidth = lw::PlotPicture::DefaultWidth;
constexpr int kHeight = lw::PlotPicture::DefaultHeight;

// functions.lwf built as render2d builds it, on a view of the whole picture.
struct FunctionsPicture {
  lw::Document doc;
  lw::Params2D params;
  lw::View2D view;
  lw::PlotPicture picture{kWidth, kHeight};
  lw::FormulaParser explicitParser;
  lw::DivisionTrackingParser poleParser;
  lw::Palette palette = lw::StartupPalette();
  lw::RecordingStatus status;
  lw::SilentProgress progress;
  lw::TemporaryGrid grid;

  FunctionsPicture() {
    if (lw::LoadSettingsFile(LW_EXAMPLES_DIR "/functions.lwf", doc) != lw::FileResult::Ok) {
      std::abort();
    }
    lw::Plot2DContext ctx{doc,    params,   view, picture, explicitParser, poleParser, palette,
                          status, progress, grid, nullptr, nullptr,        kWidth,     kHeight};
    lw::BuildAll2D(ctx);
  }
};

const FunctionsPicture& Functions() {
  static const FunctionsPicture built;
  return built;
}

void WritePng(benchmark::State& state) {
  const lw::PlotPicture& picture = Functions().picture;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lw::EncodePng(
        kWidth, kHeight, [&](int y, std::uint8_t* rgb) { picture.RgbRow(y, kWidth, rgb); },
        [&](int y) { return picture.RowRepeats(y, kWidth); }));
  }
}

void WriteSvg(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(lw::EncodeSvg(Functions().picture.Record(), kWidth, kHeight));
  }
}

void WritePdf(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(lw::EncodePdf(Functions().picture.Record(), kWidth, kHeight));
  }
}

enum Kind { Region, Contour, Gamma };
const char* kKindNames[] = {"Region", "Contour", "Gamma"};
// A cheap formula, where the record's pass over the pixels weighs most, and a dear one.
const char* kFields[] = {"X*X+Y*Y-100", "SIN(X)*COS(Y)*5-X/(Y*Y+1)"};

Picture2DSetup SetupOf(Kind kind, int field = 1) {
  return Picture2DSetup(kFields[field], kind == Gamma ? lw::ColorGamma : lw::Relation,
                        kind == Contour ? 1 : 0);
}

void Recorded(benchmark::State& state, Kind kind, int field) {
  Picture2DSetup s = SetupOf(kind, field);
  for (auto _ : state) {
    s.picture.Fill(0xFFFFFF);  // one layer per build, as after a clearing build
    lw::BuildEntry2D(s.ctx, 0);
  }
}

void Unrecorded(benchmark::State& state, Kind kind, int field) {
  Picture2DSetup s = SetupOf(kind, field);
  for (auto _ : state) {
    s.picture.Fill(0xFFFFFF);
    lw::RunBuilder(s.ctx, 0, lw::BuilderFor(s.doc.Graphs2D.At(0)));
  }
}

// Bytes the record holds beyond the picture after one build of the kind.
double RecordBytes(Kind kind) {
  Picture2DSetup s = SetupOf(kind);
  lw::BuildEntry2D(s.ctx, 0);
  double bytes = 0;
  for (const lw::RecordItem& item : s.picture.Record().Items()) {
    if (const auto* image = std::get_if<lw::RecordImage>(&item)) {
      bytes += static_cast<double>(image->pixels.sizeInBytes());
    }
  }
  return bytes;
}

constexpr int kRepetitions = 7;

struct Times {
  double fastest = 0, median = 0;  // ms of CPU time
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

bool PrintRatio(const std::map<std::string, Times>& ms, const std::string& what,
                const std::string& base, double target) {
  const auto a = ms.find(what);
  const auto b = ms.find(base);
  if (a == ms.end() || b == ms.end()) return true;
  const double ratio = a->second.fastest / b->second.fastest;
  std::printf("%-20s %-20s %9.2f %9.2f %7.2f %7.2f %-7s %7.2f\n", what.c_str(), base.c_str(),
              a->second.fastest, b->second.fastest, ratio, target,
              ratio <= target ? "met" : "NOT met", a->second.median / b->second.median);
  return ratio <= target;
}

void PrintRatios(const std::map<std::string, Times>& ms) {
  std::printf("\n%-20s %-20s %9s %9s %7s %7s %15s\n", "run", "against", "ms", "base ms", "ratio",
              "target", "median ratio");
  bool met = PrintRatio(ms, "WriteSvg", "WritePng", 2.0);
  met = PrintRatio(ms, "WritePdf", "WritePng", 2.0) && met;
  for (int kind = 0; kind < 3; ++kind) {
    for (int field = 0; field < 2; ++field) {
      const std::string name = std::string(kKindNames[kind]) + "/" + std::to_string(field);
      met = PrintRatio(ms, "Recorded/" + name, "Unrecorded/" + name, 1.1) && met;
    }
  }
  const double picture = 4.0 * kWidth * kHeight;
  std::printf("\n%-20s %12s %12s %8s\n", "record of", "bytes", "picture", "share");
  for (int kind = 0; kind < 3; ++kind) {
    const double bytes = RecordBytes(Kind(kind));
    std::printf("%-20s %12.0f %12.0f %7.1f%%\n", kKindNames[kind], bytes, picture,
                100.0 * bytes / picture);
  }
  std::printf("\nall time targets: %s\n", met ? "met" : "NOT met");
}

template <class... Args>
void Register(const std::string& name, void (*run)(benchmark::State&, Args...), Args... args) {
  benchmark::RegisterBenchmark(name.c_str(), run, args...)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(kRepetitions)
      ->ComputeStatistics(
          "fastest",
          [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
      ->ReportAggregatesOnly(true);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  Register("WritePng", WritePng);
  Register("WriteSvg", WriteSvg);
  Register("WritePdf", WritePdf);
  for (int kind = 0; kind < 3; ++kind) {
    for (int field = 0; field < 2; ++field) {
      const std::string name = std::string(kKindNames[kind]) + "/" + std::to_string(field);
      Register("Recorded/" + name, Recorded, Kind(kind), field);
      Register("Unrecorded/" + name, Unrecorded, Kind(kind), field);
    }
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios(reporter.ms);
  benchmark::Shutdown();
  return 0;
}
