// The mesh formats' speed target, measured in one run: saving or opening the
// 1001 x 1001 surface (1 M points, 2 M triangles) as binary STL, binary PLY or GLB
// costs at most 1.5x saving or opening it as DXF. Each file goes to and comes from
// the disk through the file half, as the save and open commands do.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
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
  Fixture() {
    space.document.Graphs3D.Append(kFormula, lw::PlotP3d{});
    lw::Params3D& p = space.params;
    p.XStart3D = p.YStart3D = p.ZStart3D = 0.0f;
    p.XEnd3D = p.YEnd3D = p.ZEnd3D = 1000.0f;
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

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
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
  return 0;
}
