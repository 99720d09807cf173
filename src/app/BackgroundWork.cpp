#include "BackgroundWork.h"

#include <QMetaObject>
#include <utility>

namespace lw {

BackgroundWork::BackgroundWork(int threads) : threads_(threads) {
  ticker_.callOnTimeout([this] {
    if (tick_) tick_();
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
  ++generation_;
  control_ = std::make_unique<WorkControl>(threads_);
  done_ = std::move(done);
  const unsigned generation = generation_;
  WorkControl* control = control_.get();
  thread_ = std::thread([this, job = std::move(job), control, generation] {
    job(*control);
    // Queued to the interface thread; Wait may have completed the job already, which
    // the generation tells.
    QMetaObject::invokeMethod(
        &receiver_, [this, generation] { Complete(generation); }, Qt::QueuedConnection);
  });
  ticker_.start();
  NotifyBusy();
  return true;
}

void BackgroundWork::Stop() {
  if (busy_) control_->RequestStop();
}

void BackgroundWork::Wait() {
  if (!busy_) return;
  if (thread_.joinable()) thread_.join();
  Complete(generation_);
}

void BackgroundWork::SetTick(std::function<void()> tick, int milliseconds) {
  tick_ = std::move(tick);
  ticker_.setInterval(milliseconds);
}

void BackgroundWork::AddBusyListener(std::function<void()> listener) {
  busyListeners_.push_back(std::move(listener));
}

void BackgroundWork::Complete(unsigned generation) {
  if (!busy_ || generation != generation_) return;
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
