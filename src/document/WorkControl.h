// What a long piece of work (a build, an integral, a file read or write) needs from
// whoever started it: how many threads it may use, and whether it has been asked to
// stop. The interface thread asks; the work looks at the flag between columns, rows
// or chunks and ends early, leaving its result in a defined state.
#pragma once

#include <atomic>

namespace lw {

class WorkControl {
 public:
  // threads <= 0 means every core of the machine.
  explicit WorkControl(int threads = 0) : threads_(threads) {}
  WorkControl(const WorkControl&) = delete;
  WorkControl& operator=(const WorkControl&) = delete;

  // The number of threads the work may use, at least 1.
  int Threads() const;
  // Safe from any thread at any time, also after the work has ended.
  void RequestStop() noexcept { stop_.store(true, std::memory_order_relaxed); }
  bool StopRequested() const noexcept { return stop_.load(std::memory_order_relaxed); }

 private:
  int threads_;
  std::atomic<bool> stop_{false};
};

// Whether the work behind control (none: serial, never stopped) has been asked to stop.
inline bool Stopped(const WorkControl* control) {
  return control != nullptr && control->StopRequested();
}

}  // namespace lw
