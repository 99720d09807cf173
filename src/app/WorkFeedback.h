// The status line and progress bar as a worker thread sees them: it writes here,
// under a lock or atomically, and the interface thread copies what changed into the
// real status bar and progress window (MirrorTo) on its ticks.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "document/Feedback.h"

namespace lw {

class WorkFeedback : public StatusSink, public ProgressSink {
 public:
  // Before a job: the bar as the real one stands, nothing pending.
  void Reset(int maximum, int position);
  // Interface thread: hands the pending texts and the bar to the real sinks.
  void MirrorTo(StatusSink& status, ProgressSink& progress);

  // StatusSink
  void SetStatus(const std::string& text) override;
  void StartStatusTimer() override;
  // ProgressSink; showing and closing the window stay with the interface thread.
  void Show() override {}
  void Close() override {}
  void SetCaption(const std::string& caption) override;
  void SetMaximum(int maximum) override { maximum_.store(maximum); }
  int Maximum() const override { return maximum_.load(); }
  void SetPosition(int position) override { position_.store(position); }
  int Position() const override { return position_.load(); }
  void Advance(int steps) override { position_.fetch_add(steps); }

 private:
  std::mutex mutex_;
  std::optional<std::string> status_;
  std::optional<std::string> caption_;
  int timerStarts_ = 0;
  std::atomic<int> maximum_{100};
  std::atomic<int> position_{0};
};

}  // namespace lw
