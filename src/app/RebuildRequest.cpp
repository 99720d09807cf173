#include "app/RebuildRequest.h"

#include <utility>

namespace lw {

RebuildRequest::RebuildRequest(RebuildRunner runner) : runner_(std::move(runner)) {
  // A zero-time timer fires once the events already queued (the rest of a drag's
  // mouse moves among them) have been handled, so a burst of values costs one build.
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  QObject::connect(&timer_, &QTimer::timeout, [this] { RunPending(); });
}

void RebuildRequest::Request(RebuildSpace space, RunningBuild running) {
  PendingOf(space) = true;
  if (building_) {
    // The picture it would finish is already out of date.
    if (running_ == space && running == RunningBuild::Drop) runner_.stop();
    return;
  }
  if (!timer_.isActive()) timer_.start();
}

void RebuildRequest::Cancel() {
  pending2D_ = pending3D_ = false;
  timer_.stop();
}

void RebuildRequest::WorkEnded() {
  if (building_ && !runner_.busy()) {
    building_ = false;
    ++finished_;
  }
  if (!building_ && Pending() && !timer_.isActive()) timer_.start();
}

void RebuildRequest::RunPending() {
  // Other work of the program runs: its end brings the request back here.
  if (building_ || runner_.busy()) return;
  for (const RebuildSpace space : {RebuildSpace::Space2D, RebuildSpace::Space3D}) {
    if (!PendingOf(space)) continue;
    PendingOf(space) = false;
    building_ = true;
    running_ = space;
    runner_.start(space);
    if (runner_.busy()) return;  // it ends beside the interface
    building_ = false;
    ++finished_;
  }
  // A value that came in while the build ran (it let the event loop run) waits.
  if (Pending()) timer_.start();
}

}  // namespace lw
