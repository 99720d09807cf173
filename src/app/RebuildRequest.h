// The one way a changed value asks for its graphs to be built again. Requests made
// while a build is waiting or running are folded into one: at most one build runs at
// a time, and because a build reads the document when it starts, the latest value
// always wins and no queue of stale builds forms.
#pragma once

#include <QTimer>
#include <functional>

namespace lw {

enum class RebuildSpace { Space2D, Space3D };

class RebuildRequest {
 public:
  // build runs one build of the space to completion.
  explicit RebuildRequest(std::function<void(RebuildSpace)> build);
  RebuildRequest(const RebuildRequest&) = delete;
  RebuildRequest& operator=(const RebuildRequest&) = delete;

  // Asks for a build of space once the event loop is free; folds into a request
  // still waiting.
  void Request(RebuildSpace space);
  // Drops what is still waiting.
  void Cancel();
  bool Pending() const { return pending2D_ || pending3D_; }
  bool Building() const { return building_; }
  // Builds finished since construction.
  int Finished() const { return finished_; }

 private:
  void RunPending();

  std::function<void(RebuildSpace)> build_;
  QTimer timer_;
  bool pending2D_ = false;
  bool pending3D_ = false;
  bool building_ = false;
  int finished_ = 0;
};

}  // namespace lw
