// The mesh formats' speed target, measured in one run: saving or opening the
// 1001 x 1001 surface (1 M points, 2 M triangles) as binary STL, binary PLY or GLB
// costs at most 1.5x saving or opening it as DXF. Each file goes to and comes from
// the disk through the file half, as the save and open commands do.
//
// Then the cost of a save of the largest surface (2001 x 2001, 8 M triangles; another
// side with --peak_side=N) in every writable format: its time and how much memory it
// took beyond the figure, as a multiple of the figure's own size. Each save runs in a
// child process of its own, so that no save inherits the heap another left behind.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "scene3d/G3dFile.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/Scene3DCommands.h"
#include "scene3d/SurfaceBuilder.h"

namespace {

constexpr const char* kFormula = "SIN(X/50)*COS(Y/50)*10+X/100";

struct Format {
  const char* name;
  lw::Space3DFileKind kind;
};

constexpr Format kFormats[] = {{"Dxf", lw::Space3DFileKind::Dxf},
                               {"StlBinary", lw::Space3DFileKind::StlBinary},
                               {"PlyBinary", lw::Space3DFileKind::Ply},
                               {"Glb", lw::Space3DFileKind::Glb}};

struct Fixture {
  explicit Fixture(float side = 1001.0f) {
    space.document.Graphs3D.Append(kFormula, lw::PlotP3d{});
    lw::Params3D& p = space.params;
    p.XStart3D = p.YStart3D = p.ZStart3D = 0.0f;
    p.XEnd3D = p.YEnd3D = p.ZEnd3D = side - 1.0f;
    p.StepX = p.StepY = p.StepZ = 1.0f;
    lw::AppendObject(*space.block, "Graph_1");
    lw::Build3DContext context = space.Context();
    lw::BuildSurface(context, 0, space.document.Graphs3D.At(0), 0);
  }
  std::string Path(const Format& f) const {
    return dir.filePath(QString("surface_") + f.name).toStdString();
  }
  lw::HeadlessScene3D space;
  QTemporaryDir dir;
};

Fixture& Surface() {
  static Fixture fixture;
  return fixture;
}

int Save(const Format& f, lw::G3dBlock& block, const lw::Palette& palette,
         const std::string& path) {
  lw::G3dFile file(&block, &palette);
  if (f.kind == lw::Space3DFileKind::Dxf) return file.WriteDxf(path);
  return file.WriteMesh(path, *lw::MeshFormatOf(f.kind));
}

void SaveSurface(benchmark::State& state, const Format& f) {
  Fixture& s = Surface();
  for (auto _ : state) {
    if (Save(f, *s.space.block, s.space.palette3D, s.Path(f)) != lw::FileDone) {
      state.SkipWithError("the save failed");
    }
  }
}

void OpenSurface(benchmark::State& state, const Format& f) {
  Fixture& s = Surface();
  const std::string path = s.Path(f);
  lw::G3dBlock block;
  lw::G3dFile file(&block, &s.space.palette3D);
  for (auto _ : state) {
    if (lw::Read3DFile(file, path, f.kind) != lw::FileDone) state.SkipWithError("the open failed");
    benchmark::DoNotOptimize(block.objects.size());
  }
  std::size_t triangles = 0;
  for (const auto& object : block.objects) triangles += object->triangles.size();
  state.counters["triangles"] = static_cast<double>(triangles);
}

// Median real and CPU seconds of each benchmark, by name.
struct Timing {
  double real = 0.0, cpu = 0.0;
};
std::map<std::string, Timing> timings;

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.aggregate_name != "median") continue;
      timings[run.run_name.function_name] = {run.GetAdjustedRealTime() / 1e3,
                                             run.GetAdjustedCPUTime() / 1e3};
    }
  }
};

void PrintRatios(const char* action) {
  const Timing dxf = timings[std::string(action) + "/Dxf"];
  std::printf("\n%s the 1001 x 1001 surface against DXF (target <= 1.5), medians:\n", action);
  for (const Format& f : kFormats) {
    if (f.kind == lw::Space3DFileKind::Dxf) continue;
    const Timing t = timings[std::string(action) + "/" + f.name];
    std::printf("  %-10s real %.3f s / %.3f s = %.2f;  cpu %.3f s / %.3f s = %.2f\n", f.name,
                t.real, dxf.real, dxf.real > 0 ? t.real / dxf.real : 0.0, t.cpu, dxf.cpu,
                dxf.cpu > 0 ? t.cpu / dxf.cpu : 0.0);
  }
}

constexpr Format kSaved[] = {
    {"Dxf", lw::Space3DFileKind::Dxf},           {"StlBinary", lw::Space3DFileKind::StlBinary},
    {"StlAscii", lw::Space3DFileKind::StlAscii}, {"Obj", lw::Space3DFileKind::Obj},
    {"PlyBinary", lw::Space3DFileKind::Ply},     {"Glb", lw::Space3DFileKind::Glb}};

// A line "Name:   1234 kB" of /proc/self/status, in bytes.
double StatusBytes(const char* name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(name, 0) == 0) return std::atof(line.c_str() + std::strlen(name)) * 1024.0;
  }
  return 0.0;
}

// The bytes the model keeps for the block: points, stored triangles, corner lists.
double FigureBytes(const lw::G3dBlock& block) {
  double bytes = 0.0;
  for (const auto& object : block.objects) {
    bytes += static_cast<double>(object->points.size() * sizeof(lw::G3dPoint) +
                                 object->vertices.size() * sizeof(lw::VertexRefs));
    if (!object->triangles.IsGrid()) {
      bytes += static_cast<double>(object->triangles.size() * sizeof(lw::G3dTriangle));
    }
  }
  return bytes;
}

struct SaveCost {
  double seconds = -1.0;  // negative: the save failed
  double extraBytes = 0.0;
};

// One save in a child: the heap's free pages are given back and the peak resident
// size is set back to the present one first (the figure is already resident), so
// the peak it reports is the save's own.
SaveCost SaveInChild(const Format& f, Fixture& s) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    // Free heap pages the parent kept resident would hide what the save allocates.
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const double resident = StatusBytes("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    const int result = Save(f, *s.space.block, s.space.palette3D, s.Path(f));
    SaveCost cost{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                  StatusBytes("VmHWM:") - resident};
    if (result != lw::FileDone) cost.seconds = -1.0;
    const bool sent = write(channel[1], &cost, sizeof cost) == sizeof cost;
    _exit(sent ? 0 : 1);
  }
  close(channel[1]);
  SaveCost cost;
  if (child < 0 || read(channel[0], &cost, sizeof cost) != sizeof cost) cost = {};
  close(channel[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  return cost;
}

void PrintSaveCosts(int side, int rounds) {
  Fixture s(static_cast<float>(side));
  const double figure = FigureBytes(*s.space.block);
  std::printf("\nSaving the %d x %d surface (figure %.0f MB), best of %d, each in a child:\n", side,
              side, figure / 1e6, rounds);
  std::printf("  %-10s %9s %12s %14s %9s\n", "format", "seconds", "extra MB", "extra/figure",
              "file MB");
  for (const Format& f : kSaved) {
    SaveCost best{-1.0, 0.0};
    for (int round = 0; round < rounds; ++round) {
      const SaveCost cost = SaveInChild(f, s);
      if (cost.seconds < 0.0) continue;
      if (best.seconds < 0.0 || cost.seconds < best.seconds) best.seconds = cost.seconds;
      best.extraBytes = std::max(best.extraBytes, cost.extraBytes);
    }
    const double fileBytes =
        static_cast<double>(QFileInfo(QString::fromStdString(s.Path(f))).size());
    if (best.seconds < 0.0) {
      std::printf("  %-10s failed\n", f.name);
      continue;
    }
    std::printf("  %-10s %9.2f %12.1f %14.2f %9.0f\n", f.name, best.seconds, best.extraBytes / 1e6,
                best.extraBytes / figure, fileBytes / 1e6);
    QFile::remove(QString::fromStdString(s.Path(f)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  int peakSide = 2001, peakRounds = 2;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--peak_side=", 12) == 0) peakSide = std::atoi(argv[i] + 12);
    if (std::strncmp(argv[i], "--peak_rounds=", 14) == 0) peakRounds = std::atoi(argv[i] + 14);
  }
  // Saves first: the opens read the files they leave.
  for (const Format& f : kFormats) {
    benchmark::RegisterBenchmark((std::string("Save/") + f.name).c_str(), SaveSurface, f)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
  }
  for (const Format& f : kFormats) {
    benchmark::RegisterBenchmark((std::string("Open/") + f.name).c_str(), OpenSurface, f)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios("Save");
  PrintRatios("Open");
  if (peakSide >= 2) PrintSaveCosts(peakSide, std::max(peakRounds, 1));
  return 0;
}
