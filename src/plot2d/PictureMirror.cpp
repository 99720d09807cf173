#include "plot2d/PictureMirror.h"

#include <algorithm>

namespace lw {

void PictureMirror::Start(int width, int height) {
  const std::lock_guard lock(mutex_);
  if (!staging_ || staging_->Width() != width || staging_->Height() != height) {
    staging_ = std::make_unique<PlotPicture>(width, height);
  }
  dirtyFirst_ = INT_MAX;
  dirtyEnd_ = 0;
}

void PictureMirror::Finish() {
  const std::lock_guard lock(mutex_);
  staging_.reset();
  dirtyFirst_ = INT_MAX;
  dirtyEnd_ = 0;
}

void PictureMirror::Publish(const PlotPicture& picture, int x0, int x1) {
  const std::lock_guard lock(mutex_);
  if (!staging_) return;
  x0 = std::max(x0, 0);
  x1 = std::min({x1, picture.Width(), staging_->Width()});
  if (x0 >= x1) return;
  staging_->CopyColumns(picture, x0, x1);
  dirtyFirst_ = std::min(dirtyFirst_, x0);
  dirtyEnd_ = std::max(dirtyEnd_, x1);
}

bool PictureMirror::TakeInto(PlotPicture& picture) {
  const std::lock_guard lock(mutex_);
  if (!staging_ || dirtyFirst_ >= dirtyEnd_) return false;
  picture.CopyColumns(*staging_, dirtyFirst_, dirtyEnd_);
  dirtyFirst_ = INT_MAX;
  dirtyEnd_ = 0;
  return true;
}

}  // namespace lw
