// What the view shows of a 2D build while it runs. The build draws into a picture of
// its own on worker threads; whenever some pixel columns are final, the thread that
// drew them publishes them here, and the interface thread takes what was published
// into the picture it shows. Only finished columns cross, under a lock taken once per
// batch of columns, so neither side ever reads pixels the other is writing.
#pragma once

#include <climits>
#include <memory>
#include <mutex>

#include "plot2d/PlotPicture.h"

namespace lw {

class PictureMirror {
 public:
  // Interface thread, before the build: the size of the picture being built.
  void Start(int width, int height);
  // Interface thread, once the build is over: what was not taken is dropped.
  void Finish();
  // Worker threads: columns [x0, x1) of picture are final; no other thread is
  // drawing in them.
  void Publish(const PlotPicture& picture, int x0, int x1);
  // Interface thread: copies the columns published since the last call into picture;
  // true when there were any.
  bool TakeInto(PlotPicture& picture);

 private:
  std::mutex mutex_;
  std::unique_ptr<PlotPicture> staging_;
  int dirtyFirst_ = INT_MAX;
  int dirtyEnd_ = 0;
};

}  // namespace lw
