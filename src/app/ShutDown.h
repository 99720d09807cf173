// The main window's close request, below the windows. Closing never waits on the
// interface thread: running work is asked to stop and the close is asked for again
// once it has ended, the windows answering meanwhile. Then, as in a close without
// work, the save prompt, the options file and the end, in that order.
#pragma once

#include <QTimer>
#include <functional>

#include "app/Program.h"

namespace lw {

// Where the main window stands, for the options file.
struct WindowPlacement {
  WindowBounds bounds;
  bool normal = true;  // neither maximised nor minimised
};

class ShutDown : private ProgramObserver {
 public:
  // What the main window lends the close: its placement, the notepad's save after
  // "Так", and its own close request, run again once the work has ended.
  struct Window {
    std::function<WindowPlacement()> placement;
    std::function<void()> saveNotepad;
    std::function<void()> closeAgain;
  };
  enum class Outcome {
    Close,   // the options are written: the window may go
    Stay,    // the save prompt was cancelled
    Waiting  // work runs and was asked to stop; closeAgain follows its end
  };

  ShutDown(Program& program, Window window);
  ~ShutDown() override;
  ShutDown(const ShutDown&) = delete;
  ShutDown& operator=(const ShutDown&) = delete;

  Outcome Request();
  bool Waiting() const { return waiting_; }

 private:
  void WorkChanged() override;
  void Retry();

  Program& program_;
  Window window_;
  bool waiting_ = false;
  // The close is asked for again from the event loop, not from inside the work's
  // completion: the save prompt it may show runs a loop of its own.
  QTimer retry_;
};

}  // namespace lw
