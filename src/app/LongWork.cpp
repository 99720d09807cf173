#include "app/LongWork.h"

#include <string>
#include <utility>

namespace lw {

LongWork::LongWork(StatusSink& status) : status_(status) {
  work_.SetTick([this] {
    feedback_.MirrorTo(status_, Progress());
    for (const auto& tick : ticks_) tick();
  });
}

LongWork::~LongWork() = default;

bool LongWork::RefuseWhileBusy() {
  if (!Busy()) return false;
  status_.SetStatus(std::string(BusyText));
  return true;
}

bool LongWork::Start(Job job, std::function<void(bool stopped)> done) {
  if (RefuseWhileBusy()) return false;
  feedback_.Reset(Progress().Maximum(), Progress().Position());
  dropped_ = false;
  return work_.Start(
      [this, job = std::move(job)](WorkControl& control) { job(control, feedback_); },
      std::move(done));
}

}  // namespace lw
