#include "app/ShutDown.h"

#include <utility>

namespace lw {

ShutDown::ShutDown(Program& program, Window window)
    : program_(program), window_(std::move(window)) {
  retry_.setSingleShot(true);
  retry_.setInterval(0);
  retry_.callOnTimeout([this] { Retry(); });
  program_.Observers().Add(this);
}

ShutDown::~ShutDown() {
  program_.Observers().Remove(this);
}

ShutDown::Outcome ShutDown::Request() {
  if (program_.Busy()) {
    // The save prompt and the options must see the work's result, so they wait.
    program_.StopWork();
    waiting_ = true;
    return Outcome::Waiting;
  }
  waiting_ = false;
  const PromptOutcome outcome = program_.ConfirmDiscard();
  if (outcome == PromptOutcome::Abandon) return Outcome::Stay;
  // "Так" saves the notepad's unsaved text along with the document.
  if (outcome == PromptOutcome::GoOnAfterSave && window_.saveNotepad) window_.saveNotepad();
  const WindowPlacement placement = window_.placement ? window_.placement() : WindowPlacement{};
  program_.WriteOptions(placement.bounds, placement.normal);
  return Outcome::Close;
}

void ShutDown::WorkChanged() {
  if (!waiting_) return;
  if (program_.Busy()) {
    // The ended work's completion started more (a queued rebuild): that is stopped
    // in turn, and the close follows its end.
    program_.StopWork();
  } else {
    retry_.start();
  }
}

void ShutDown::Retry() {
  if (waiting_ && !program_.Busy() && window_.closeAgain) window_.closeAgain();
}

}  // namespace lw
