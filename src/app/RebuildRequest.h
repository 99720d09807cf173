// The one way a changed value asks for its graphs to be built again. Requests made
// while a build is waiting or running are folded into one: at most one build runs at
// a time, a newer value may stop a running build of the same space, and because a
// build reads the document when it starts, the latest value always wins and no queue
// of stale builds forms.
#pragma once

#include <QTimer>
#include <functional>

namespace lw {

enum class RebuildSpace { Space2D, Space3D };

// What a newer value does to a running build of its space: drop it (the hand that
// moves a slider wants the newest picture soonest), or let it finish first (a play
// whose steps come faster than builds end would otherwise never finish one).
enum class RunningBuild { Drop, Finish };

// What runs the builds. A build may end inside start (then busy is false when start
// returns) or later, beside the interface; then the owner calls WorkEnded once the
// runner is idle again.
struct RebuildRunner {
  std::function<void(RebuildSpace)> start;
  std::function<bool()> busy = [] { return false; };
  // Drops the running build as out of date; its end still comes through WorkEnded.
  std::function<void()> stop = [] {};
};

class RebuildRequest {
 public:
  explicit RebuildRequest(RebuildRunner runner);
  RebuildRequest(const RebuildRequest&) = delete;
  RebuildRequest& operator=(const RebuildRequest&) = delete;

  // Asks for a build of space once the event loop is free; folds into a request
  // still waiting; a build of the same space still running is dropped or finishes.
  void Request(RebuildSpace space, RunningBuild running = RunningBuild::Drop);
  // Drops what is still waiting.
  void Cancel();
  // The runner has gone idle: the build started here (if any) has ended.
  void WorkEnded();

  bool Pending() const { return pending2D_ || pending3D_; }
  bool Building() const { return building_; }
  // Builds ended since construction (stopped ones included).
  int Finished() const { return finished_; }

 private:
  void RunPending();
  bool& PendingOf(RebuildSpace space) {
    return space == RebuildSpace::Space2D ? pending2D_ : pending3D_;
  }

  RebuildRunner runner_;
  QTimer timer_;
  bool pending2D_ = false;
  bool pending3D_ = false;
  bool building_ = false;
  RebuildSpace running_ = RebuildSpace::Space2D;
  int finished_ = 0;
};

}  // namespace lw
