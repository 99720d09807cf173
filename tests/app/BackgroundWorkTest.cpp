// The runner of long work: one job at a time, its end heard on the interface thread,
// stopping safe at any time, and the program's builds through it giving the same
// picture as a build on the calling thread.
#include "app/BackgroundWork.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "TempDir.h"
#include "app/Program.h"
#include "app/Program2D.h"
#include "app/Program3D.h"
#include "plot2d/BuildCommands.h"

namespace lw {
namespace {

// Runs the interface thread's events until done() or a generous time has passed.
template <class Done>
bool PumpUntil(Done done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 60000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return done();
}

// A job that runs until it is asked to stop.
void UntilStopped(WorkControl& control) {
  while (!control.StopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(BackgroundWorkTest, CompletionRunsOnTheInterfaceThreadAfterTheJob) {
  BackgroundWork work(2);
  std::atomic<bool> ran{false};
  std::thread::id completedOn;
  int completions = 0;
  bool stoppedFlag = true;
  ASSERT_TRUE(work.Start([&](WorkControl&) { ran = true; },
                         [&](bool stopped) {
                           completedOn = std::this_thread::get_id();
                           stoppedFlag = stopped;
                           ++completions;
                         }));
  EXPECT_TRUE(work.Busy());
  ASSERT_TRUE(PumpUntil([&] { return completions == 1; }));
  EXPECT_TRUE(ran.load());
  EXPECT_FALSE(work.Busy());
  EXPECT_FALSE(stoppedFlag);
  EXPECT_EQ(completedOn, std::this_thread::get_id());
}

TEST(BackgroundWorkTest, OneJobAtATimeAndStopIsSafeAnytime) {
  BackgroundWork work;
  work.Stop();  // idle: nothing happens
  bool stoppedFlag = false;
  int completions = 0;
  ASSERT_TRUE(work.Start(UntilStopped, [&](bool stopped) {
    stoppedFlag = stopped;
    ++completions;
  }));
  EXPECT_FALSE(work.Start([](WorkControl&) {}, [&](bool) { ++completions; }));
  work.Stop();
  work.Stop();
  work.Wait();
  EXPECT_EQ(completions, 1);
  EXPECT_TRUE(stoppedFlag);
  EXPECT_FALSE(work.Busy());
  // The completion posted by the worker finds nothing left to do.
  QCoreApplication::processEvents();
  EXPECT_EQ(completions, 1);
  work.Stop();
}

// A new request during a job: stop it, and start the next one from its completion.
TEST(BackgroundWorkTest, CompletionMayStartTheNextJob) {
  BackgroundWork work;
  int busyChanges = 0;
  work.AddBusyListener([&] { ++busyChanges; });
  std::atomic<int> second{0};
  ASSERT_TRUE(work.Start(UntilStopped, [&](bool) {
    EXPECT_TRUE(work.Start([&](WorkControl&) { second = 1; }, [](bool) {}));
  }));
  work.Stop();
  ASSERT_TRUE(PumpUntil([&] { return second.load() == 1 && !work.Busy(); }));
  EXPECT_GE(busyChanges, 2);
}

// Wait() took the first job's end; the end its worker posted arrives during the
// second job and must not take (and join) that one.
TEST(BackgroundWorkTest, AnEndPostedBeforeWaitDoesNotEndTheNextJob) {
  BackgroundWork work;
  int completions = 0;
  ASSERT_TRUE(work.Start([](WorkControl&) {},
                         [&](bool) {
                           ++completions;
                           EXPECT_TRUE(work.Start(UntilStopped, [&](bool) { ++completions; }));
                         }));
  work.Wait();
  EXPECT_EQ(completions, 1);
  QCoreApplication::processEvents();
  EXPECT_TRUE(work.Busy());
  EXPECT_EQ(completions, 1);
  work.Stop();
  ASSERT_TRUE(PumpUntil([&] { return !work.Busy(); }));
  EXPECT_EQ(completions, 2);
}

// The worker has posted its end before the destructor's join returns; the end is
// dropped with the object instead of reaching it afterwards.
TEST(BackgroundWorkTest, AnEndPostedBeforeDestructionIsDropped) {
  bool completed = false;
  {
    BackgroundWork work;
    ASSERT_TRUE(work.Start([](WorkControl&) {}, [&](bool) { completed = true; }));
  }
  QCoreApplication::processEvents();
  EXPECT_FALSE(completed);
}

TEST(BackgroundWorkTest, DestroyingStopsARunningJob) {
  auto work = std::make_unique<BackgroundWork>();
  bool completed = false;
  ASSERT_TRUE(work->Start(UntilStopped, [&](bool) { completed = true; }));
  work.reset();
  EXPECT_FALSE(completed);
}

class ProgramWorkTest : public ::testing::Test {
 protected:
  ProgramWorkTest() : program(dir.File("")) {
    // No text: the test has no font database.
    AppearanceSettings look = program.Doc().Appearance;
    look.ShowAxes = look.ShowUnits = look.ShowVariableNames = false;
    program.Edits().SetAppearance(look);
    program.Edits().SetField(ParamField::ScaleX, "10");
    program.Edits().SetField(ParamField::ScaleY, "10");
    program.Edits().AddGraph2D("X*X+Y*Y-100", PlotP{0x0000FF, Relation, 0, Less});
    program.Edits().AddGraph2D("SIN(X)*COS(Y)*200", PlotP{0, ColorGamma, 0, Equal});
    program.Edits().AddGraph2D("X*Y-4", PlotP{0x00FF00, Relation, 1, Equal});
    program.Edits().AddGraph2D("SIN(X)", PlotP{0xFF0000, Function, 1, Equal});
  }

  testing::TempDir dir;
  Program program;
};

TEST_F(ProgramWorkTest, BuildBesideTheInterfaceMatchesABuildOnThisThread) {
  program.TwoD().BuildAll();
  EXPECT_TRUE(program.Busy());
  ASSERT_TRUE(PumpUntil([&] { return !program.Busy(); }));
  const PlotPicture& picture = program.TwoD().Picture();
  const QImage beside = picture.ToImage(picture.Width(), picture.Height());
  const std::string status = program.Status();

  // The same build with the core's commands on this thread, one sample at a time.
  PlotPicture serial(picture.Width(), picture.Height());
  Params2D params;
  View2D view;
  FormulaParser explicitParser;
  DivisionTrackingParser poleParser;
  RecordingStatus recorded;
  SilentProgress progress;
  TemporaryGrid grid;
  Plot2DContext ctx{program.Doc(),
                    params,
                    view,
                    serial,
                    explicitParser,
                    poleParser,
                    program.Pal(),
                    recorded,
                    progress,
                    grid,
                    nullptr,
                    nullptr,
                    program.TwoD().ViewWidth(),
                    program.TwoD().ViewHeight()};
  BuildAll2D(ctx);
  EXPECT_TRUE(beside == serial.ToImage(serial.Width(), serial.Height()));
  EXPECT_EQ(status, recorded.Text());
}

TEST_F(ProgramWorkTest, CommandsWaitForTheWorkOrAreRefused) {
  ASSERT_TRUE(program.StartWork([](WorkControl& control, WorkFeedback&) { UntilStopped(control); },
                                [](bool) {}));
  const std::size_t graphs = program.Doc().Graphs2D.Count();
  program.TwoD().BuildAll();
  EXPECT_EQ(program.Status(), BusyText);
  program.SetStatus("");
  EXPECT_FALSE(program.Edits().AddGraph2D("X", PlotP{}));
  EXPECT_EQ(program.Doc().Graphs2D.Count(), graphs);
  EXPECT_EQ(program.Status(), BusyText);
  EXPECT_EQ(program.Edits().Refusal(), BusyText);  // what the graph dialog then says
  program.SetStatus("");
  program.SetSpace(SpaceMode::Space3D);
  EXPECT_EQ(program.Space(), SpaceMode::Space2D);
  program.SetStatus("");
  program.ThreeD().BuildAll();
  EXPECT_EQ(program.Status(), BusyText);
  program.StopWork();
  program.Work().Wait();
  EXPECT_FALSE(program.Busy());
}

TEST_F(ProgramWorkTest, StoppedBuildKeepsWhatWasDrawnAndSaysSo) {
  program.TwoD().BuildAll();
  program.StopWork();
  program.Work().Wait();
  EXPECT_EQ(program.Status(), BuildStoppedText);
  EXPECT_FALSE(program.Busy());
}

TEST_F(ProgramWorkTest, StoppedThreeDBuildKeepsNoHalfBuiltObject) {
  program.Edits().AddGraph3D("X*Y", PlotP3d{0x0000FF, ZOfXY});
  program.Edits().AddGraph3D("X+Y", PlotP3d{0x00FF00, ZOfXY});
  program.ThreeD().BuildAll();
  program.Work().Wait();
  const G3dBlock& block = program.ThreeD().Block();
  ASSERT_EQ(block.objects.size(), 3u);
  const std::size_t whole = block.objects[1]->points.size();
  program.ThreeD().BuildAll();
  program.StopWork();
  program.Work().Wait();
  // Whatever finished is whole: the axes object and complete graphs only.
  ASSERT_GE(block.objects.size(), 1u);
  ASSERT_LE(block.objects.size(), 3u);
  for (std::size_t i = 1; i < block.objects.size(); ++i) {
    EXPECT_EQ(block.objects[i]->points.size(), whole) << i;
  }
  EXPECT_EQ(program.Status(), BuildStoppedText);
}

}  // namespace
}  // namespace lw
