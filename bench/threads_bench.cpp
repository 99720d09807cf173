// The samplers on one thread and on every core, in one run: region, colour map and
// contour over 1600 x 1200 pixels, the 1001 x 1001 surface and an integral of SIN(X)
// over 10^8 samples; and the surface saved as a DXF file (to the temporary folder,
// and to memory to leave the disk out), its text formatted on the threads while the
// file is written. Each is timed several times, one thread and
// every core in turn, and judged by the fastest run (other work on a shared machine
// only ever adds time): every core should take at most 0.6x the time of one thread
// (0.65x for the DXF file, whose writes stay on one thread). Two more columns tell
// the code's part of that ratio from the machine's: how many cores the run kept busy,
// and how much more processor time the same work took on every core; and beside them
// what the machine alone adds at the moment, from a one-thread copy of the same work
// on each core at once, sharing nothing (a virtual machine's cores often slow down
// when all are busy). Then the latencies of a stop request during the DXF save and
// during a 2D build (a colour map, and a curve of T while it is refined), and how late a 50 ms
// timer of the interface thread fires while a 5-second build runs beside it (all should stay under
// 0.1 s). Arguments pick the rows whose names contain one of them (the latencies are then skipped,
// but for the DXF save's when its row is picked): `threads_bench surface`.
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "Picture2DSetup.h"
#include "ProcessorTime.h"
#include "analysis/Integral.h"
#include "app/BackgroundWork.h"
#include "plot2d/BuildCommands.h"
#include "plot2d/Builders2D.h"
#include "scene3d/G3dFile.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/Scene3DCommands.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// The time of runs not yet made: any run is faster.
constexpr Timing kNoRun{1e300, 0.0};

// The faster of two timings.
Timing Faster(const Timing& a, const Timing& b) {
  return b.wall < a.wall ? b : a;
}

constexpr const char* kFormula = "SIN(X)*COS(Y)*5-X/(Y*Y+1)";

// The 2D samplers' work on the formula the ratios are given for.
struct Setup2D : Picture2DSetup {
  Setup2D(std::uint8_t kind, std::uint8_t interpolated)
      : Picture2DSetup(kFormula, kind, interpolated) {}
};

// One set of a 2D sampler's data per core, so that copies of a build can run at once.
class Setups2D {
 public:
  Setups2D(std::uint8_t kind, std::uint8_t interpolated) {
    for (int c = lw::WorkControl().Threads(); c > 0; --c)
      copies_.push_back(std::make_unique<Setup2D>(kind, interpolated));
  }
  void Build(const lw::WorkControl* work, int copy) { copies_[copy]->Build(work); }

 private:
  std::vector<std::unique_ptr<Setup2D>> copies_;
};

// A sampler's work on the threads `work` allows, in the data of copy number `copy`.
using Sampler = std::function<void(const lw::WorkControl* work, int copy)>;

// The fastest run on one thread, on every core, and of a one-thread copy per core
// all at once. The ratio of the first two is about Work() / Busy(): how many cores
// the run kept busy is the code's doing; how much more processor time the same work
// took on every core is mostly the machine's, and Copies() is what the machine alone
// adds, as the copies share nothing. (The copies' time is no floor for the ratio:
// they cannot even out a core that runs slower, as the samplers' pieces do.)
struct Row {
  const char* name;
  double target = 0.6;
  Timing one = kNoRun, all = kNoRun, copies = kNoRun;
  int cores = lw::WorkControl().Threads();
  double Ratio() const { return all.wall / one.wall; }
  bool Fast() const { return Ratio() <= target; }
  double Busy() const { return all.processor / all.wall; }
  double Work() const { return all.processor / one.processor; }
  double Copies() const { return copies.processor / (cores * one.processor); }
};

// The rows to time and how often each.
struct Job {
  Row row;
  int runs;
  Sampler run;
  int done = 0;
  std::function<void()> prepare = [] {};  // before each run, off the clock
};

// A one-thread copy of the work on each core, all at once.
void RunCopies(const Sampler& run, int cores) {
  const lw::WorkControl single(1);
  std::vector<std::thread> others;
  for (int c = 1; c < cores; ++c) others.emplace_back([&, c] { run(&single, c); });
  run(&single, 0);  // on this thread, as the samplers' first share is
  for (std::thread& other : others) other.join();
}

// One thread, every core and the copies take turns within each row, and the rows too,
// each row's runs spread evenly over the whole time: a change in the machine's load or
// clock touches all three alike, and a spell of the host's other work lands on
// every row a little rather than on one row whole.
void TimeInTurns(std::vector<Job>& jobs) {
  const lw::WorkControl one(1), all(0);
  int rounds = 0;
  for (const Job& job : jobs) rounds = std::max(rounds, job.runs);
  for (int i = 1; i <= rounds; ++i) {
    for (Job& job : jobs) {
      for (; job.done * rounds < i * job.runs; ++job.done) {
        Row& row = job.row;
        job.prepare();
        row.one = Faster(row.one, Time([&] { job.run(&one, 0); }, CLOCK_THREAD_CPUTIME_ID));
        job.prepare();
        row.all = Faster(row.all, Time([&] { job.run(&all, 0); }));
        job.prepare();
        row.copies = Faster(row.copies, Time([&] { RunCopies(job.run, row.cores); }));
      }
    }
  }
}

void Print(const Row& r) {
  std::printf("%-24s %10.4f %10.4f %7.3f %6.2f %6.2f %6.2f  %4.2f %s\n", r.name, r.one.wall,
              r.all.wall, r.Ratio(), r.Busy(), r.Work(), r.Copies(), r.target,
              r.Fast() ? "ok" : "SLOW");
}

// The rows the command line asks for: all of them when it names none.
class RowFilter {
 public:
  RowFilter(int argc, char** argv) : parts_(argv + 1, argv + argc) {}
  bool Everything() const { return parts_.empty(); }
  bool Wants(std::string_view name) const {
    return Everything() || std::any_of(parts_.begin(), parts_.end(), [&](std::string_view part) {
             return name.find(part) != std::string_view::npos;
           });
  }

 private:
  std::vector<std::string_view> parts_;
};

void BuildSurface(lw::HeadlessScene3D& space, const lw::WorkControl* work) {
  for (const auto f : {lw::ParamField::XStart3D, lw::ParamField::YStart3D})
    space.document.Params.Field(f) = "-50";
  for (const auto f : {lw::ParamField::XEnd3D, lw::ParamField::YEnd3D})
    space.document.Params.Field(f) = "50";
  for (const auto f : {lw::ParamField::StepX, lw::ParamField::StepY})
    space.document.Params.Field(f) = "0.1";
  space.document.Graphs3D.Append("SIN(X)*COS(Y)", lw::PlotP3d{0x00FF00, 0});
  lw::Build3DContext context = space.Context();
  context.work = work;
  if (!lw::BuildAll3D(context)) std::abort();
}

void Surface(const lw::WorkControl* work, int) {
  lw::HeadlessScene3D space;
  BuildSurface(space, work);
}

// The surface, built once, saved as DXF through the file half as the save command
// does, into a folder of its own; each copy has a file of its own. Each run writes a
// new file: the previous one is removed before the clock starts, as freeing its pages
// is the disk's work alike for one thread and every core.
class DxfFiles {
 public:
  DxfFiles(const lw::HeadlessScene3D& space, const QString& folder)
      : space_(space), dir_(folder + "/linewright_dxf_XXXXXX") {}
  bool Usable() const { return dir_.isValid(); }
  void Save(const lw::WorkControl* work, int copy) {
    if (Write(work, copy) != lw::FileDone) std::abort();
  }
  int Write(const lw::WorkControl* work, int copy) {
    const QString path = dir_.filePath(QString("surface_%1.dxf").arg(copy));
    lw::G3dFile file(space_.block, &space_.palette3D);
    file.SetWork(work);
    return file.WriteDxf(path.toStdString());
  }
  bool Empty() const { return QDir(dir_.path()).isEmpty(QDir::Files | QDir::Hidden); }
  void Clear() {
    QDir dir(dir_.path());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) dir.remove(name);
  }

 private:
  const lw::HeadlessScene3D& space_;
  QTemporaryDir dir_;
};

class NoFeedback : public lw::CalculationFeedback {
 public:
  void AppendLine(const std::string&) override {}
};

void Integral(const lw::WorkControl* work, int) {
  lw::IntegralRequest request;
  request.expression = "SIN(X)";
  request.step = "0.0000002";  // 10^8 samples over [-10, 10]
  lw::Integrator integrator;
  NoFeedback feedback;
  integrator.Calculate(request, feedback, '.', work);
}

// From the stop request to the end of a colour map of a heavy formula.
double StopLatency() {
  Setup2D s(lw::ColorGamma, 0);
  s.doc.Graphs2D.Clear();
  s.doc.Graphs2D.Append("SIN(X*Y)*EXP(COS(X))*LN(2+SIN(Y))", lw::PlotP{0, lw::ColorGamma, 0, 0});
  lw::WorkControl control;
  std::thread worker([&] { s.Build(&control); });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const auto asked = Clock::now();
  control.RequestStop();
  worker.join();
  return Seconds(Clock::now() - asked);
}

// From the stop request to the end of a curve of T refined to its bound of samples
// (a figure that winds over the view many times), during its sampling passes.
double CurveStopLatency() {
  Setup2D s(lw::ParametricCurve, 1);
  s.doc.Graphs2D.Clear();
  s.doc.Graphs2D.Append("9*SIN(T*1.01)*EXP(COS(T)-1);9*COS(T)*LN(2+SIN(T*3))/LN(3);0;100000",
                        lw::PlotP{0, lw::ParametricCurve, 1, 0});
  lw::WorkControl control;
  std::thread worker([&] { s.Build(&control); });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const auto asked = Clock::now();
  control.RequestStop();
  worker.join();
  return Seconds(Clock::now() - asked);
}

// From the stop request to the end of a DXF save of the surface on every core; a
// stopped save must leave no file behind.
double DxfStopLatency(DxfFiles& files) {
  double worst = 0.0;
  for (int attempt = 0; attempt < 5; ++attempt) {
    files.Clear();
    lw::WorkControl control;
    int result = lw::FileDone;
    std::thread worker([&] { result = files.Write(&control, 0); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50 + 30 * attempt));
    const auto asked = Clock::now();
    control.RequestStop();
    worker.join();
    worst = std::max(worst, Seconds(Clock::now() - asked));
    // A save that ended before the request is left standing.
    if (result == lw::FileStopped && !files.Empty()) std::abort();
  }
  return worst;
}

// The largest delay of a 50 ms timer of this thread during builds beside it that
// take about five seconds.
double InterfaceLatency() {
  auto s = std::make_shared<Setup2D>(lw::Relation, 1);
  lw::BackgroundWork work;
  const auto end = Clock::now() + std::chrono::seconds(5);
  work.Start(
      [s, end](lw::WorkControl& control) {
        while (Clock::now() < end && !control.StopRequested()) s->Build(&control);
      },
      [](bool) {});
  double worst = 0.0;
  auto last = Clock::now();
  QTimer timer;
  timer.setInterval(50);
  timer.callOnTimeout([&] {
    const auto now = Clock::now();
    worst = std::max(worst, Seconds(now - last) - 0.05);
    last = now;
    if (!work.Busy()) QCoreApplication::quit();
  });
  timer.start();
  QCoreApplication::exec();
  return worst;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::printf("threads: %d\n", lw::WorkControl().Threads());
  const RowFilter filter(argc, argv);
  std::vector<Job> jobs;
  const auto add = [&](const char* name, int runs, auto&& run) {
    if (filter.Wants(name)) jobs.push_back({{name}, runs, run});
  };
  Setups2D region(lw::Relation, 0), contour(lw::Relation, 1), gamma(lw::ColorGamma, 0);
  add("region 1600x1200", 41, [&](auto w, int copy) { region.Build(w, copy); });
  add("colour map 1600x1200", 41, [&](auto w, int copy) { gamma.Build(w, copy); });
  add("contour 1600x1200", 41, [&](auto w, int copy) { contour.Build(w, copy); });
  add("surface 1001x1001", 61, Surface);
  add("integral 10^8 samples", 3, Integral);
  // The DXF save to the disk's temporary folder, and to a folder in memory where there
  // is one: the second is the code's part of the ratio without the disk's flush.
  lw::HeadlessScene3D dxfSpace;
  std::vector<std::unique_ptr<DxfFiles>> dxf;
  for (const auto& [name, folder] : {std::pair{"dxf file 1001x1001", QDir::tempPath()},
                                     std::pair{"dxf file in memory", QString("/dev/shm")}}) {
    if (!filter.Wants(name)) continue;
    if (dxfSpace.block->objects.empty()) BuildSurface(dxfSpace, nullptr);
    auto files = std::make_unique<DxfFiles>(dxfSpace, folder);
    if (!files->Usable()) continue;
    DxfFiles& f = *dxf.emplace_back(std::move(files));
    add(name, 15, [&f](auto w, int copy) { f.Save(w, copy); });
    jobs.back().row.target = 0.65;
    jobs.back().prepare = [&f] { f.Clear(); };
  }
  TimeInTurns(jobs);
  bool ok = true;
  std::printf("\n%-24s %10s %10s %7s %6s %6s %6s  %s\n", "", "1 thread s", "all s", "ratio", "busy",
              "work", "copies", "target ratio");
  for (const Job& job : jobs) {
    ok = ok && job.row.Fast();
    Print(job.row);
  }
  std::printf(
      "(busy: cores kept busy on all; work: processor time on all over one thread;\n"
      " copies: processor time of a one-thread copy per core at once over one copy's)\n");
  if (!dxf.empty()) {
    const double stop = DxfStopLatency(*dxf.front());
    ok = ok && stop < 0.1;
    std::printf("\ndxf save stop latency   %8.4f s  %s (target < 0.1 s)\n", stop,
                stop < 0.1 ? "ok" : "SLOW");
  }
  if (!filter.Everything()) return ok ? 0 : 1;
  const double stop = StopLatency();
  const double curveStop = CurveStopLatency();
  const double ui = InterfaceLatency();
  std::printf("\nstop latency            %8.4f s  %s (target < 0.1 s)\n", stop,
              stop < 0.1 ? "ok" : "SLOW");
  std::printf("curve stop latency      %8.4f s  %s (target < 0.1 s)\n", curveStop,
              curveStop < 0.1 ? "ok" : "SLOW");
  std::printf("interface timer late by %8.4f s  %s (target < 0.1 s)\n", ui,
              ui < 0.1 ? "ok" : "SLOW");
  return ok && stop < 0.1 && curveStop < 0.1 && ui < 0.1 ? 0 : 1;
}
