// Long work (builds, integrals, 3D files) as the parts of the program start it: one
// job at a time beside the interface, its status texts and progress written to a
// WorkFeedback and mirrored into the real status line and progress window while it
// runs. A command that must not run beside it asks RefuseWhileBusy first.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "app/BackgroundWork.h"
#include "app/WorkFeedback.h"
#include "document/Feedback.h"

namespace lw {

// What a command that must not run beside long work says instead.
inline constexpr std::string_view BusyText =
    "Зачекайте: ще триває обчислення (Esc у вікні стану його перериває)";
// What a stopped build leaves in the status bar.
inline constexpr std::string_view BuildStoppedText = "Побудову перервано.";

class LongWork {
 public:
  using Job = std::function<void(WorkControl&, WorkFeedback&)>;

  // status: the real status line the work's texts are mirrored into.
  explicit LongWork(StatusSink& status);
  // Stops a running job and waits for it; its completion handler does not run.
  ~LongWork();
  LongWork(const LongWork&) = delete;
  LongWork& operator=(const LongWork&) = delete;

  bool Busy() const { return work_.Busy(); }
  // For a command that must not run beside long work: true, with BusyText in the
  // status bar, while work runs.
  bool RefuseWhileBusy();
  // Starts job on the worker thread; done runs on this thread when it has ended.
  // False (with BusyText) when other work runs.
  bool Start(Job job, std::function<void(bool stopped)> done);
  // Asks the running work to stop; safe at any time.
  void Stop() { work_.Stop(); }
  // Stops the running work because newer work makes its result out of date: not a
  // stop the user asked for, so its completion says nothing of it.
  void Drop() {
    if (!Busy()) return;
    dropped_ = true;
    work_.Stop();
  }
  // In a completion handler: the work ended through Drop.
  bool Dropped() const { return dropped_; }
  BackgroundWork& Work() { return work_; }

  // The progress window the work's bar is mirrored into; none keeps it silent.
  void SetProgress(ProgressSink* progress) { progress_ = progress; }
  ProgressSink& Progress() { return progress_ ? *progress_ : silentProgress_; }
  // Runs on every tick of the work, after its texts and bar have been mirrored.
  void AddTick(std::function<void()> tick) { ticks_.push_back(std::move(tick)); }
  void AddBusyListener(std::function<void()> listener) {
    work_.AddBusyListener(std::move(listener));
  }

 private:
  StatusSink& status_;
  SilentProgress silentProgress_;
  ProgressSink* progress_ = nullptr;
  std::vector<std::function<void()>> ticks_;
  bool dropped_ = false;
  WorkFeedback feedback_;
  // Last, so that it goes first: it stops and waits for a job still using the rest.
  BackgroundWork work_;
};

}  // namespace lw
