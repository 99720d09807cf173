// Rebuild requests folded into one build at a time, with a runner that ends its
// builds at once and with one that ends them later, beside the interface.
#include "app/RebuildRequest.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <string>
#include <vector>

namespace lw {
namespace {

// A runner whose builds end when the test says so (or at once when synchronous).
struct FakeRunner {
  bool synchronous = false;
  bool running = false;
  bool otherWork = false;
  std::vector<std::string> log;

  RebuildRunner Runner() {
    return RebuildRunner{[this](RebuildSpace s) {
                           log.push_back(s == RebuildSpace::Space2D ? "start 2D" : "start 3D");
                           running = !synchronous;
                         },
                         [this] { return running || otherWork; },
                         [this] { log.push_back("stop"); }};
  }
};

void RunQueuedEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
}

TEST(RebuildRequest, ABurstOfRequestsIsOneBuild) {
  FakeRunner fake;
  fake.synchronous = true;
  RebuildRequest request(fake.Runner());
  for (int i = 0; i < 5; ++i) request.Request(RebuildSpace::Space2D);
  EXPECT_TRUE(request.Pending());
  RunQueuedEvents();
  EXPECT_EQ(fake.log, std::vector<std::string>{"start 2D"});
  EXPECT_EQ(request.Finished(), 1);
  EXPECT_FALSE(request.Pending());
}

TEST(RebuildRequest, ANewerValueStopsTheRunningBuildAndStartsTheNext) {
  FakeRunner fake;
  RebuildRequest request(fake.Runner());
  request.Request(RebuildSpace::Space2D);
  RunQueuedEvents();
  EXPECT_TRUE(request.Building());
  request.Request(RebuildSpace::Space2D);
  request.Request(RebuildSpace::Space2D);
  RunQueuedEvents();  // nothing starts beside a running build
  fake.running = false;
  request.WorkEnded();
  RunQueuedEvents();
  EXPECT_EQ(fake.log, (std::vector<std::string>{"start 2D", "stop", "stop", "start 2D"}));
  EXPECT_EQ(request.Finished(), 1);
  fake.running = false;
  request.WorkEnded();
  EXPECT_EQ(request.Finished(), 2);
  EXPECT_FALSE(request.Pending());
}

TEST(RebuildRequest, AValueThatLetsTheBuildFinishWaitsForIt) {
  FakeRunner fake;
  RebuildRequest request(fake.Runner());
  request.Request(RebuildSpace::Space2D, RunningBuild::Finish);
  RunQueuedEvents();
  request.Request(RebuildSpace::Space2D, RunningBuild::Finish);
  request.Request(RebuildSpace::Space2D, RunningBuild::Finish);
  RunQueuedEvents();
  fake.running = false;
  request.WorkEnded();
  RunQueuedEvents();
  EXPECT_EQ(fake.log, (std::vector<std::string>{"start 2D", "start 2D"}));
  EXPECT_EQ(request.Finished(), 1);
}

TEST(RebuildRequest, TheOtherSpaceWaitsWithoutStoppingTheBuild) {
  FakeRunner fake;
  RebuildRequest request(fake.Runner());
  request.Request(RebuildSpace::Space3D);
  RunQueuedEvents();
  request.Request(RebuildSpace::Space2D);
  fake.running = false;
  request.WorkEnded();
  RunQueuedEvents();
  EXPECT_EQ(fake.log, (std::vector<std::string>{"start 3D", "start 2D"}));
}

TEST(RebuildRequest, OtherWorkOfTheProgramIsNeitherStoppedNorRacedWith) {
  FakeRunner fake;
  fake.otherWork = true;
  RebuildRequest request(fake.Runner());
  request.Request(RebuildSpace::Space2D);
  RunQueuedEvents();
  EXPECT_TRUE(fake.log.empty());
  fake.otherWork = false;
  request.WorkEnded();
  RunQueuedEvents();
  EXPECT_EQ(fake.log, std::vector<std::string>{"start 2D"});
}

TEST(RebuildRequest, CancelDropsWhatWaits) {
  FakeRunner fake;
  fake.synchronous = true;
  RebuildRequest request(fake.Runner());
  request.Request(RebuildSpace::Space2D);
  request.Cancel();
  RunQueuedEvents();
  EXPECT_TRUE(fake.log.empty());
}

}  // namespace
}  // namespace lw
