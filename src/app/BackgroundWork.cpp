#include "app/BackgroundWork.h"

#include <utility>

namespace lw {

BackgroundWork::BackgroundWork(int threads) : threads_(threads) {
  ticker_.setInterval(40);
  ticker_.callOnTimeout([this] {
    if (finished_.load(std::memory_order_acquire)) {
      Complete();
    } else if (tick_) {
      tick_();
    }
  });
  // Only a flag is read: polling it costs nothing next to the work.
  endPoll_.setInterval(4);
  endPoll_.callOnTimeout([this] {
    if (finished_.load(std::memory_order_acquire)) Complete();
  });
}

BackgroundWork::~BackgroundWork() {
  if (!busy_) return;
  control_->RequestStop();
  if (thread_.joinable()) thread_.join();
}

bool BackgroundWork::Start(Job job, Completion done) {
  if (busy_) return false;
  busy_ = true;
  finished_.store(false);
  control_ = std::make_unique<WorkControl>(threads_);
  done_ = std::move(done);
  WorkControl* control = control_.get();
  // The interface thread hears of the end on its next tick: no event crosses the
  // threads, only this flag and the join.
  thread_ = std::thread([this, job = std::move(job), control] {
    job(*control);
    finished_.store(true, std::memory_order_release);
  });
  ticker_.start();
  endPoll_.start();
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
  endPoll_.stop();
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
