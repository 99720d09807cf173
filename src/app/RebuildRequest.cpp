#include "RebuildRequest.h"

#include <utility>

namespace lw {

RebuildRequest::RebuildRequest(std::function<void(RebuildSpace)> build) : build_(std::move(build)) {
  // A zero-time timer fires once the events already queued (the rest of a drag's
  // mouse moves among them) have been handled, so a burst of values costs one build.
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  QObject::connect(&timer_, &QTimer::timeout, [this] { RunPending(); });
}

void RebuildRequest::Request(RebuildSpace space) {
  (space == RebuildSpace::Space2D ? pending2D_ : pending3D_) = true;
  // While a build runs the timer is re-armed when it ends.
  if (!building_ && !timer_.isActive()) timer_.start();
}

void RebuildRequest::Cancel() {
  pending2D_ = pending3D_ = false;
  timer_.stop();
}

void RebuildRequest::RunPending() {
  building_ = true;
  for (const RebuildSpace space : {RebuildSpace::Space2D, RebuildSpace::Space3D}) {
    bool& pending = space == RebuildSpace::Space2D ? pending2D_ : pending3D_;
    if (!pending) continue;
    pending = false;
    build_(space);
    ++finished_;
  }
  building_ = false;
  if (Pending()) timer_.start();
}

}  // namespace lw
