// Following a slider: a recorded drag of the constant A from 1 to 5 (100 values, as
// the mouse gave them at 60 moves a second) is replayed through the slider path: the
// constants line is rewritten and the coalesced rebuild draws the whole picture.
// Two documents: examples/functions.lwf and a 1600 x 1200 colour map of
// SIN(X)*COS(Y)*A. Three measures per document, each the median of five runs:
//   - finished pictures a second when every value is built before the next is given
//     (target: at least 20);
//   - the same values given at the recorded pace: pictures finished and the longest
//     wait of a 10 ms timer of the interface thread (target: under 100 ms);
//   - the ratio of the slider path to bare builds of the same values (its overhead).
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ProcessorTime.h"
#include "app/ConstantSliders.h"
#include "app/Program.h"
#include "app/Program2D.h"

namespace {

constexpr int kRuns = 5;
constexpr int kValues = 100;
constexpr int kMoveIntervalMs = 16;  // the recorded drag: a mouse move every 16 ms

// The recorded drag: 1 to 5, a little uneven as a hand moves.
std::vector<double> RecordedSweep() {
  std::vector<double> values;
  for (int i = 0; i < kValues; ++i) {
    const double t = static_cast<double>(i) / (kValues - 1);
    values.push_back(1.0 + 4.0 * (t * t * (3.0 - 2.0 * t)));
  }
  return values;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct Setup {
  QTemporaryDir dir;
  lw::Program program{dir.path().toStdString()};
  lw::ConstantSliders sliders{program};
  std::size_t line = 0;

  explicit Setup(bool colourMap) {
    program.TwoD().SetViewSize(1600, 1200);
    if (colourMap) {
      program.Edits().SetConstants(false, {"A=1"});
      program.Edits().AddGraph2D("SIN(X)*COS(Y)*A", lw::PlotP{0, lw::ColorGamma, 0, lw::Equal});
    } else if (!program.LoadSets(LW_EXAMPLES_DIR "/functions.lwf")) {
      std::fprintf(stderr, "cannot read functions.lwf\n");
      std::exit(1);
    }
    for (const lw::ConstantLine& c : sliders.Constants(false)) {
      if (c.name == 'A' && c.adjustable) line = c.line;
    }
  }

  void WaitForBuild() {
    while (sliders.Rebuilds().Pending()) QCoreApplication::processEvents();
  }
};

// Seconds to follow every value to a finished picture.
Timing FollowEvery(Setup& s, const std::vector<double>& values) {
  return Time([&] {
    for (double v : values) {
      s.sliders.SetValue(false, s.line, v);
      s.WaitForBuild();
    }
  });
}

// Seconds for bare builds of the same values (no rewriting, no event loop).
double BareBuilds(Setup& s, const std::vector<double>& values) {
  return Time([&] {
           for (double v : values) {
             s.program.Edits().SetConstants(false, {"A=" + lw::ConstantValueText(v)});
             s.program.TwoD().BuildAll();
           }
         })
      .wall;
}

struct PacedResult {
  int pictures = 0;
  double worstWaitMs = 0.0;
};

// The values at the pace they were recorded, with a 10 ms probe timer measuring how
// long the interface thread keeps it waiting.
PacedResult FollowAtPace(Setup& s, const std::vector<double>& values) {
  const int before = s.sliders.Rebuilds().Finished();
  PacedResult result;
  QElapsedTimer clock;
  clock.start();
  qint64 lastProbe = 0;
  QTimer probe;
  probe.setInterval(10);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    result.worstWaitMs = std::max(result.worstWaitMs, (now - lastProbe) * 1e-6 - 10.0);
    lastProbe = now;
  });
  probe.start();
  for (std::size_t i = 0; i < values.size(); ++i) {
    const qint64 due = static_cast<qint64>(i) * kMoveIntervalMs * 1'000'000;
    while (clock.nsecsElapsed() < due) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    s.sliders.SetValue(false, s.line, values[i]);
  }
  s.WaitForBuild();
  probe.stop();
  result.pictures = s.sliders.Rebuilds().Finished() - before;
  return result;
}

void Measure(const char* name, bool colourMap) {
  Setup s(colourMap);
  const std::vector<double> values = RecordedSweep();
  std::vector<double> follow, followCpu, bare, pictures, waits;
  for (int run = 0; run < kRuns; ++run) {
    const Timing t = FollowEvery(s, values);
    follow.push_back(t.wall);
    followCpu.push_back(t.processor);
    bare.push_back(BareBuilds(s, values));
    const PacedResult paced = FollowAtPace(s, values);
    pictures.push_back(paced.pictures);
    waits.push_back(paced.worstWaitMs);
  }
  const double rate = kValues / Median(follow);
  const double cpuRate = kValues / Median(followCpu);
  std::printf("%-34s %8.1f pictures/s by the clock, %.1f by processor time (target >= 20: %s)\n",
              name, rate, cpuRate, rate >= 20.0 ? "met" : "MISSED");
  std::printf(
      "%-34s %8.0f of %d values built at the recorded pace, worst interface wait %.0f ms "
      "(target < 100: %s)\n",
      "", Median(pictures), kValues, Median(waits), Median(waits) < 100.0 ? "met" : "MISSED");
  std::printf("%-34s %8.3f slider path / bare builds (median of %d runs)\n", "",
              Median(follow) / Median(bare), kRuns);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  Measure("functions.lwf, 1600 x 1200", false);
  Measure("SIN(X)*COS(Y)*A map, 1600 x 1200", true);
  return 0;
}
