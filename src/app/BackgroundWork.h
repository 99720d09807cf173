// Runs one piece of long work at a time on a thread beside the interface thread, so
// the windows keep painting and answering while it runs. The interface thread starts
// the work, may ask it to stop at any time, and hears of its end on its own thread as
// soon as its event loop runs: the completion handler runs there, after the worker has
// been joined, so it may take the work's results without any locking.
#pragma once

#include <QSocketNotifier>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "app/WakeUpFile.h"
#include "document/WorkControl.h"

namespace lw {

class BackgroundWork {
 public:
  // The job; it runs on the worker thread and should look at the control's stop
  // request between pieces of its work.
  using Job = std::function<void(WorkControl& control)>;
  // Runs on the interface thread once the job has returned; stopped tells whether a
  // stop was asked for while it ran.
  using Completion = std::function<void(bool stopped)>;

  // threads <= 0: every core.
  explicit BackgroundWork(int threads = 0);
  // Stops a running job and waits for it; its completion handler does not run.
  ~BackgroundWork();
  BackgroundWork(const BackgroundWork&) = delete;
  BackgroundWork& operator=(const BackgroundWork&) = delete;

  bool Busy() const { return busy_; }
  // Starts job unless another one runs (then false and nothing happens).
  bool Start(Job job, Completion done);
  // Asks the running job to stop; safe to call at any time, also when idle. The
  // completion handler still runs.
  void Stop();
  // Blocks until the running job has returned, then runs its completion handler at
  // once (shut-down, and tests without an event loop).
  void Wait();

  // The running job has returned and its end is not taken yet.
  bool Ended() const;

  // Runs every 40 ms on the interface thread while a job runs (the windows follow its
  // progress with it), and once more just before the completion handler.
  void SetTick(std::function<void()> tick);
  // Called on the interface thread whenever Busy() changes.
  void AddBusyListener(std::function<void()> listener);

 private:
  void Complete();
  void NotifyBusy();

  int threads_;
  bool busy_ = false;
  std::uint64_t job_ = 0;  // the number of the last job started
  // The number of the last job that returned. An end that Wait() took already, or
  // that arrives during the next job, does not match job_ and is ignored.
  std::atomic<std::uint64_t> ended_{0};
  std::unique_ptr<WorkControl> control_;
  std::thread thread_;
  Completion done_;
  std::function<void()> tick_;
  std::vector<std::function<void()>> busyListeners_;
  QTimer ticker_;
  // The worker signals this file when its job has returned; the interface thread's
  // event loop watches it and takes the end at once. Nothing crosses the threads
  // through Qt, and nothing is left queued when this object goes.
  WakeUpFile wake_;
  std::unique_ptr<QSocketNotifier> woken_;
};

}  // namespace lw
