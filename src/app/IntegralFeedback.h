// The feedback of an integral calculated beside the interface.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "analysis/Integral.h"

namespace lw {

// An integral's log lines and progress as the worker thread writes them; the
// interface thread takes them on its ticks, in the order they were written.
class IntegralFeedback : public CalculationFeedback {
 public:
  void AppendLine(const std::string& line) override {
    const std::lock_guard lock(mutex_);
    lines_.push_back(line);
  }
  void SetProgress(int percent) override { percent_.store(percent); }
  std::vector<std::string> TakeLines() {
    const std::lock_guard lock(mutex_);
    return std::exchange(lines_, {});
  }
  int Percent() const { return percent_.load(); }

 private:
  std::mutex mutex_;
  std::vector<std::string> lines_;
  std::atomic<int> percent_{0};
};

}  // namespace lw
