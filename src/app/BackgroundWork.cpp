#include "BackgroundWork.h"

#include <utility>

namespace lw {

BackgroundWork::BackgroundWork(int threads) : threads_(threads) {
  ticker_.setInterval(40);
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
  const std::uint64_t number = ++job_;
  control_ = std::make_unique<WorkControl>(threads_);
  done_ = std::move(done);
  WorkControl* control = control_.get();
  // The end wakes the interface thread at once (a short job, a picture following a
  // slider, is taken as soon as it is done) and nothing polls while the job runs. The
  // worker touches nothing of this object but the receiver, which outlives it: the
  // destructor joins the worker first.
  QObject* ends = &ends_;
  thread_ = std::thread([this, job = std::move(job), control, ends, number] {
    job(*control);
    QMetaObject::invokeMethod(
        ends, [this, number] { Finished(number); }, Qt::QueuedConnection);
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

void BackgroundWork::Finished(std::uint64_t job) {
  if (job == job_) Complete();
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
