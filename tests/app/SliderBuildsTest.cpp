// The builds that follow a moving constant, with steps coming faster than builds end:
// the view only ever shows finished pictures, and a build replaced by a newer value
// is no stop the user asked for.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "TempDir.h"
#include "app/ConstantSliders.h"
#include "app/LongWork.h"
#include "app/Program.h"
#include "app/Program2D.h"

namespace lw {
namespace {

constexpr Colour graphColour = 0x00FF00;  // the same in either byte order

int GraphPixels(const QImage& image) {
  const QRgb ink = qRgb(0, 0xFF, 0);
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == ink ? 1 : 0;
  }
  return count;
}

// Looks at every picture the view is told to show, and at every status text.
struct ViewWatch : ProgramObserver {
  explicit ViewWatch(Program& p) : program(p) { program.Observers().Add(this); }
  ~ViewWatch() override { program.Observers().Remove(this); }
  void PictureChanged() override {
    ++shown;
    const int pixels = GraphPixels(program.TwoD().VisibleImage());
    if (pixels < fewestPixels) fewestPixels = pixels;
  }
  void StatusChanged() override {
    if (program.Status() == BuildStoppedText) ++stopTexts;
  }
  Program& program;
  int shown = 0;
  int fewestPixels = 1 << 30;
  int stopTexts = 0;
};

class SliderBuilds : public ::testing::Test {
 protected:
  SliderBuilds() : program(dir.File("")) {
    // A large view and a region (every pixel evaluated): builds take longer than steps.
    program.TwoD().SetViewSize(1200, 900);
    program.Edits().SetConstants(false, {"A=3"});
    program.Edits().AddGraph2D("y-sin(x*A)*A-sqrt(abs(x))", PlotP{graphColour, Relation, 0, Less});
    program.TwoD().BuildAll();
    program.Work().Wait();
  }

  // Runs the event loop until no build runs or waits.
  void Settle() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((program.Busy() || sliders.Rebuilds().Pending()) &&
           std::chrono::steady_clock::now() < end) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(program.Busy());
  }

  // Makes steps of the play with hardly a pause, counting those that came while a
  // build was still running.
  int StepWhileBuilding(int steps, const std::function<void()>& step) {
    int overlapping = 0;
    for (int i = 0; i < steps; ++i) {
      if (program.Busy()) ++overlapping;
      step();
      QCoreApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return overlapping;
  }

  testing::TempDir dir;
  Program program;
  ConstantSliders sliders{program};
};

TEST_F(SliderBuilds, PlayShowsOnlyFinishedPicturesAndNoStopText) {
  ASSERT_GT(GraphPixels(program.TwoD().VisibleImage()), 200);
  ViewWatch watch(program);
  ASSERT_TRUE(sliders.StartPlay(false, 0, 10));
  const int overlapping = StepWhileBuilding(60, [this] { sliders.AdvancePlay(); });
  sliders.StopPlay();
  Settle();
  EXPECT_GT(overlapping, 30) << "the steps did not outpace the builds";
  // Builds finished while the play ran, so pictures kept coming.
  EXPECT_GE(sliders.Rebuilds().Finished(), 2);
  EXPECT_GT(watch.shown, 0);
  EXPECT_GT(watch.fewestPixels, 200);
  EXPECT_EQ(watch.stopTexts, 0);
  // The last picture is that of the last value.
  EXPECT_EQ(program.TwoD().VisibleImage(), program.TwoD().Picture().ToImage(1200, 900));
  EXPECT_EQ(program.ExplicitParser().Variable('A'),
            std::stod(program.Doc().Params.Constants2D[0].substr(2)));
}

TEST_F(SliderBuilds, ATypedValueDropsTheRunningBuildWithoutAStopText) {
  ViewWatch watch(program);
  double value = 3;
  const int overlapping = StepWhileBuilding(40, [this, &value] {
    value += 0.5;
    sliders.SetValue(false, 0, value);
  });
  EXPECT_GT(overlapping, 20);
  // A build dropped for a newer value shows nothing; the view keeps the last
  // finished picture.
  EXPECT_GT(watch.fewestPixels, 200);
  Settle();
  EXPECT_EQ(watch.stopTexts, 0);
  EXPECT_EQ(program.ExplicitParser().Variable('A'), value);
  EXPECT_EQ(program.TwoD().VisibleImage(), program.TwoD().Picture().ToImage(1200, 900));
}

TEST_F(SliderBuilds, AStopTheUserAsksForStillSaysSo) {
  program.TwoD().BuildAll(BuildShowing::WhenFinished);
  program.StopWork();
  program.Work().Wait();
  EXPECT_EQ(program.Status(), BuildStoppedText);
}

}  // namespace
}  // namespace lw
