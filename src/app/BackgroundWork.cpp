#include "app/BackgroundWork.h"

#include <utility>

namespace lw {

BackgroundWork::BackgroundWork(int threads) : threads_(threads) {
  ticker_.setInterval(40);
  ticker_.callOnTimeout([this] {
    // Also the way the end is heard should the wake-up file not be available.
    if (Ended()) {
      Complete();
    } else if (tick_) {
      tick_();
    }
  });
  if (!wake_.Valid()) return;
  woken_ = std::make_unique<QSocketNotifier>(wake_.Descriptor(), QSocketNotifier::Read);
  QObject::connect(woken_.get(), &QSocketNotifier::activated, [this] {
    wake_.Drain();
    if (Ended()) Complete();
  });
}

BackgroundWork::~BackgroundWork() {
  if (busy_) {
    control_->RequestStop();
    if (thread_.joinable()) thread_.join();
  }
  // The notifier lets go of the descriptor before the file closes it.
  woken_.reset();
}

bool BackgroundWork::Ended() const {
  return busy_ && ended_.load(std::memory_order_acquire) == job_;
}

bool BackgroundWork::Start(Job job, Completion done) {
  if (busy_) return false;
  busy_ = true;
  const std::uint64_t number = ++job_;
  control_ = std::make_unique<WorkControl>(threads_);
  done_ = std::move(done);
  WorkControl* control = control_.get();
  // The end wakes the interface thread at once (a short job, a picture following a
  // slider, is taken as soon as it is done) and nothing polls while the job runs. The
  // worker only says which job ended and writes to the wake-up file, which the
  // interface thread's event loop watches; no Qt object is touched off its thread.
  thread_ = std::thread([this, job = std::move(job), control, number] {
    job(*control);
    ended_.store(number, std::memory_order_release);
    wake_.Signal();
  });
  ticker_.start();
  NotifyBusy();
  return true;
}

void BackgroundWork::Stop() {
  if (busy_) control_->RequestStop();
}

void BackgroundWork::Wait() {
  if (busy_) Complete();
}

void BackgroundWork::SetTick(std::function<void()> tick) {
  tick_ = std::move(tick);
}

void BackgroundWork::AddBusyListener(std::function<void()> listener) {
  busyListeners_.push_back(std::move(listener));
}

void BackgroundWork::Complete() {
  if (!busy_) return;
  if (thread_.joinable()) thread_.join();
  ticker_.stop();
  if (tick_) tick_();
  const bool stopped = control_->StopRequested();
  Completion done = std::move(done_);
  done_ = nullptr;
  busy_ = false;
  // The handler may start the next job (a new value while a build ran).
  if (done) done(stopped);
  if (!busy_) NotifyBusy();
}

void BackgroundWork::NotifyBusy() {
  const auto listeners = busyListeners_;
  for (const auto& listener : listeners) listener();
}

}  // namespace lw
